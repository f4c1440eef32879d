// Files dragged from the shell onto the text of the running editor open in tabs: the
// view's drop target hands them to the main window, which opens them in drop order with
// the drop policy, as files dropped anywhere else on the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "config/ProfileFile.h"
#include "platform/WideText.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/ScratchFolder.h"
#include "../support/AppSession.h"
#include "../support/ModalRecorder.h"
#include "../support/OleDrag.h"

namespace {

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT) DispatchMessageW(&message);
    }
}

void WriteBytes(const std::wstring& path, const char* bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes, static_cast<DWORD>(strlen(bytes)), &written, nullptr);
    CloseHandle(file);
}

TEST(DocumentDrop, FilesDraggedOntoTheTextOpenInTabs)
{
    ModalRecorder modal;
    ScratchFolder folder(L"ﾄﾞﾛｯﾌﾟ");
    const std::wstring first = folder.path() + L"一.txt", second = folder.path() + L"二.txt";
    WriteBytes(first, "first");
    WriteBytes(second, "second");
    ASSERT_TRUE(PrepareSettings());
    SetSection(*theApp.settings, "main");
    WriteInt(*theApp.settings, "FileWindowActive", 0);
    ASSERT_EQ(CreateMainWindow(GetModuleHandleW(nullptr), L"", SW_SHOWNORMAL), StartResult::Created);
    SetWindowPos(theApp.mainWindow, HWND_TOPMOST, 0, 0, 600, 400, SWP_SHOWWINDOW);
    Pump();

    POINT at = {200, 150};
    ClientToScreen(GetViewWindow(0), &at);
    SetCursorPos(at.x, at.y);
    oledrag::FileDataObject data(oledrag::DropFilesBlock({first, second}), L"");
    oledrag::ScriptedDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    EXPECT_EQ(DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect),
              DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    Pump();

    DocumentList& list = theApp.documents.list;
    ASSERT_EQ(list.tabCount, 2);
    EXPECT_EQ(WideFromInternal(GetDocument(list, 0)->filePath), first);
    EXPECT_EQ(WideFromInternal(GetDocument(list, 1)->filePath), second);
    EXPECT_EQ(list.currentSlot, 1);
    EXPECT_TRUE(modal.shown.empty());

    SetWindowPos(theApp.mainWindow, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EndMainWindowForTest();
    SetSection(*theApp.settings, "main");
    WriteInt(*theApp.settings, "FileWindowActive", 1);
}

}  // namespace
