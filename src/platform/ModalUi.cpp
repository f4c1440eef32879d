// Default handlers of the modal-UI seam: the platform's own boxes.
#include "platform/ModalUi.h"

#include <commdlg.h>

namespace {

int PlatformMessageBox(HWND owner, int, const wchar_t* text, const wchar_t* title, unsigned style)
{
    return MessageBoxW(owner, text, title, style);
}

bool PlatformFileDialog(const FileDialogRequest& request, std::wstring& path)
{
    // The dialogs take up to MAX_PATH units; longer names are chosen in the dialog itself.
    wchar_t buffer[MAX_PATH + 1] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = request.filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = buffer;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = request.title;
    if (request.initialName) lstrcpynW(buffer, request.initialName, MAX_PATH);
    if (request.initialFolder && *request.initialFolder) dialog.lpstrInitialDir = request.initialFolder;
    DWORD extension = 0;
    if (request.templateNumber != 0 && request.hook != nullptr) {
        dialog.hInstance = request.instance;
        dialog.lpTemplateName = MAKEINTRESOURCEW(request.templateNumber);
        dialog.lpfnHook = request.hook;
        dialog.lCustData = request.hookData;
        extension = OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    }
    BOOL chosen;
    if (request.save) {
        dialog.lpstrDefExt = L"txt";
        dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | extension;
        chosen = GetSaveFileNameW(&dialog);
    } else {
        dialog.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | extension;
        chosen = GetOpenFileNameW(&dialog);
    }
    if (!chosen) return false;
    path = buffer;
    return true;
}

INT_PTR PlatformDialog(const ModalDialogRequest& request)
{
    return DialogBoxParamW(request.instance, MAKEINTRESOURCEW(request.templateNumber), request.owner, request.procedure,
                           request.parameter);
}

ModalUiHandlers current = PlatformModalUiHandlers();

}  // namespace

ModalUiHandlers PlatformModalUiHandlers()
{
    return ModalUiHandlers{&PlatformMessageBox, &PlatformFileDialog, &PlatformDialog};
}

ModalUiHandlers SetModalUiHandlers(const ModalUiHandlers& handlers)
{
    ModalUiHandlers previous = current;
    current = handlers;
    return previous;
}

bool ShowFileDialog(const FileDialogRequest& request, std::wstring& path)
{
    return current.fileDialog != nullptr && current.fileDialog(request, path);
}

int ShowMessageBox(HWND owner, int number, const wchar_t* text, const wchar_t* title, unsigned style)
{
    return current.messageBox(owner, number, text, title, style);
}

INT_PTR ShowModalDialog(const ModalDialogRequest& request)
{
    return current.dialog != nullptr ? current.dialog(request) : -1;
}
