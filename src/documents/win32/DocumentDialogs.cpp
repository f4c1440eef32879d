// The documents' questions and file dialogs on the modal-UI seam, bringing the main
// window forward after a load, and the paths that come from the system.
#include "documents/win32/DocumentWindows.h"

#include <shellapi.h>

#include <string>

#include "documents/OpenFile.h"
#include "documents/win32/EncodingDialogs.h"
#include "platform/HeldPath.h"
#include "platform/ModalUi.h"
#include "platform/ShowMessage.h"
#include "platform/WideText.h"
#include "textcontrol/win32/EditControl.h"

namespace {

// Shared by the open and the save-as dialog, first entry selected.
constexpr wchar_t kFileFilter[] =
    L"テキストファイル(*.txt)\0*.txt\0"
    L"HTMLファイル(*.html,*.htm)\0*.htm;*.html\0"
    L"カスケードスタイルシートドキュメント(*.css)\0*.css\0"
    L"Perl関連(*.cgi,*.pl)\0*.cgi;*.pl\0"
    L"C言語ソースファイル(*.c,*.cpp,*.h)\0*.c;*.cpp;*.h\0"
    L"Javaソースファイル(*.java,*.class)\0*.java;*.class\0"
    L"全てのファイル(*.*)\0*.*\0";

DocumentWindows& Windows(void* context) { return *static_cast<DocumentWindows*>(context); }

int ShowDocumentMessage(void* context, int number, unsigned style)
{
    return ShowMessage(Windows(context).mainWindow, number, style);
}

// Message number with its one %s replaced by name; anything else in the text stays.
int ShowNamedMessage(void* context, int number, unsigned style, const std::string& name)
{
    wchar_t format[512];
    // Room for 511 characters, as the messages are defined.
    int n = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(number), format, 512);
    if (n <= 0) format[0] = L'\0';
    std::wstring text;
    const std::wstring wideName = WideFromInternal(name);
    // The one %s is the name; anything else in the text stays as it is.
    for (const wchar_t* p = format; *p; ++p) {
        if (p[0] == L'%' && p[1] == L's') {
            text += wideName;
            ++p;
        } else {
            text += *p;
        }
    }
    return ShowMessageBox(Windows(context).mainWindow, number, text.c_str(), L"KelvaraTextEditor", style);
}

int AskSaveChanges(void* context, const std::string& name)
{
    return ShowNamedMessage(context, kMsgSaveChanges, MB_YESNOCANCEL | MB_ICONQUESTION, name);
}

bool ChooseFile(void* context, std::string& path, bool save)
{
    const DocumentWindows& windows = Windows(context);
    FileDialogRequest request{windows.mainWindow, kFileFilter, save ? L"名前をつけて保存" : L"ファイルを開く", save};
    std::wstring folder, name;
    if (windows.documents) {
        const FileDialogStart start = StartOfFileDialog(*windows.documents, save);
        folder = WideFromInternal(start.folder);
        name = WideFromInternal(start.name);
        request.initialFolder = folder.c_str();
        request.initialName = name.c_str();
    }
    FileDialogEncoding encoding;
    encoding.save = save;
    // Save As offers the encoding, mark and line ending of the document it saves.
    if (save && windows.documents && GetDocument(windows.documents->list, windows.documents->saveSlot)) {
        encoding.offer = &windows.documents->saveOffer;
        encoding.viewLineEnding = GetLineEnding(windows.documents->saveSlot);
    }
    ExtendFileDialog(request, encoding);
    std::wstring chosen;
    if (!ShowFileDialog(request, chosen)) return false;
    if (!HoldSystemPath(windows, chosen, path, save ? kMsgSavePathNotHeld : kMsgOpenPathNotHeld)) return false;
    if (windows.documents) {
        NoteDialogChoice(*windows.documents, path);
        if (!save) windows.documents->fileDialogEncoding = encoding.choice;
    }
    return true;
}

void ActivateMainWindow(void* context)
{
    // Only a minimised window is restored: a maximised one stays maximised. No keys are
    // sent: the window may not be in front, and they would reach another program.
    HWND main = Windows(context).mainWindow;
    if (IsIconic(main)) ShowWindow(main, SW_RESTORE);
    SetForegroundWindow(main);
}

}  // namespace

bool HoldSystemPath(const DocumentWindows& windows, const std::wstring& path, std::string& internal,
                    int notHeldMessage)
{
    if (HoldPath(path, internal) != PathHold::NotHeld && internal.size() <= kMaxPathBytes) return true;
    internal.clear();
    if (notHeldMessage != 0) ShowMessage(windows.mainWindow, notHeldMessage, MB_ICONERROR);
    return false;
}

void OpenDroppedFiles(DocumentWindows& windows, HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count && windows.documents; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
        std::string internal;
        if (!HoldSystemPath(windows, path, internal, kMsgOpenPathNotHeld)) continue;
        OpenFile(*windows.documents, internal, kOpenModeDrop, true);
    }
    DragFinish(drop);
}

void ConnectDocumentWindows(DocumentWindows& windows, DocumentsState& documents, HWND mainWindow)
{
    windows.mainWindow = mainWindow;
    windows.documents = &documents;
    DocumentsHost& host = documents.host;
    host.context = &windows;
    ConnectViewHost(windows, host);
    host.activateMainWindow = &ActivateMainWindow;
    host.showMessage = &ShowDocumentMessage;
    host.askSaveChanges = &AskSaveChanges;
    host.showNamedMessage = &ShowNamedMessage;
    host.chooseOpenFile = [](void* context, std::string& path) { return ChooseFile(context, path, false); };
    host.chooseSaveFile = [](void* context, std::string& path) { return ChooseFile(context, path, true); };
}
