// Find in files through the real main window: dialog 161 filled by a script, the search
// beside the window, the results tab, and the jump to a result. The search is proved natively.
#include <fstream>

#include "encoding/FileText.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "textcontrol/win32/EditControl.h"
#include "../support/AppSession.h"
#include "../support/ScratchFolder.h"

namespace {

std::wstring searchedFolder;

void FillFilesDialog(HWND dialog)
{
    SetDlgItemTextW(dialog, IDC_SEARCH_TEXT, L"東京");
    SetDlgItemTextW(dialog, IDC_FILES_FOLDER, searchedFolder.c_str());
    SetDlgItemTextW(dialog, IDC_FILES_MASKS, L"*.txt");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
}

TEST_F(MainWindowTest, FindInFilesListsTheLinesInAProtectedTabAndOpensTheOneAtTheCaret)
{
    ScratchFolder folder(L"files");
    searchedFolder = folder.path();
    std::ofstream(std::filesystem::path(folder.path() + L"a.txt"), std::ios::binary) << "x\r\n\x93\x8c\x8b\x9e\x89\x77\r\n";  // 東京駅, Shift_JIS
    std::ofstream(std::filesystem::path(folder.path() + L"b \u30bd.txt"), std::ios::binary) << "\xef\xbb\xbfy \xe6\x9d\xb1\xe4\xba\xac\n";
    std::ofstream(std::filesystem::path(folder.path() + L"c.dat"), std::ios::binary) << "\x93\x8c\x8b\x9e";
    Start();
    modal.realDialogs = {IDD_FIND_IN_FILES};
    modal.dialogScript = &FillFilesDialog;
    Command(IDM_SEARCH_FIND_IN_FILES);
    for (int wait = 0; wait < 1000 && IsFindInFilesRunning(theApp.findInFiles.run); ++wait) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        Sleep(10);
    }
    const int results = CurrentView();
    std::string text(static_cast<std::size_t>(GetTextLength(results)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetText(results, &text[0], 1)));
    const std::string utf8 = InternalTextToUtf8(text), base = InternalTextToUtf8(InternalFromWide(folder.path()));
    EXPECT_NE(utf8.find("\r\n" + base + "a.txt(2,1): 東京駅\r\n"), std::string::npos) << utf8;
    EXPECT_NE(utf8.find("\r\n" + base + "b ソ.txt(1,3): y 東京\r\n"), std::string::npos) << utf8;
    EXPECT_EQ(utf8.find("c.dat"), std::string::npos);
    EXPECT_EQ(utf8.rfind("ファイルから検索: 「東京」 フォルダ: " + base, 0), 0u) << "the header names what was searched";
    EXPECT_EQ(GetLineCount(results), 5) << "header, two results, summary, an empty last line";
    const Document& document = CurrentDocument(theApp.documents.list);
    EXPECT_TRUE(!document.writable && !document.modified && document.findResults);

    const int line = utf8.find("a.txt(") < utf8.find("b ソ") ? 2 : 3;
    SetSelection(results, line, 4, line, 4);
    Command(IDM_SEARCH_OPEN_RESULT);
    EXPECT_EQ(CurrentDocument(theApp.documents.list).fileName, "a.txt");
    EXPECT_TRUE(GetCaretLine(CurrentView()) == 2 && GetCaretPosition(CurrentView()) == 1);
    EXPECT_EQ(theApp.documents.list.tabCount, 2) << "the first untitled tab took the file";
}

}  // namespace
