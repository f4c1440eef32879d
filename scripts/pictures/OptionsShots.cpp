// Shows the options dialog at (20, 20) on one of its pages, with a settings file of its own
// in the temp folder (and a few colour and environment files), so that a picture can be
// taken from outside (scripts/options-screenshot.sh). "entry" shows the extension dialog
// over the file-type page, for the list's first row.
// Usage: kvte_options_shots PAGE|entry [SECONDS]
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "config/SettingsFile.h"
#include "files/FileAccess.h"
#include "options/win32/OptionsDialog.h"
#include "platform/WideText.h"
#include "tools/win32/ToolsPage.h"

namespace {

OptionsDialog theOptions;
int shownPage = 0;
bool showEntry = false;
int seconds = 8;

HWND OptionsWindow() { return FindWindowW(L"#32770", L"KelvaraTextEditorの設定"); }

void CALLBACK EndShow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    if (HWND entry = FindWindowW(L"#32770", L"拡張子設定")) SendMessageW(entry, WM_COMMAND, IDCANCEL, 0);
    if (HWND dialog = OptionsWindow()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

void CALLBACK Arrange(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND dialog = OptionsWindow();
    if (dialog == nullptr) return;
    SetWindowPos(dialog, nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND tree = GetDlgItem(dialog, IDC_OPTIONS_TREE);
    // Open every branch so the whole tree shows, then choose the page.
    for (HTREEITEM root = TreeView_GetRoot(tree); root; root = TreeView_GetNextSibling(tree, root)) {
        TreeView_Expand(tree, root, TVE_EXPAND);
    }
    if (shownPage > 0 && shownPage < theOptions.count) TreeView_SelectItem(tree, theOptions.pages[shownPage].treeItem);
    SetTimer(nullptr, 0, static_cast<UINT>(seconds * 1000), &EndShow);
    if (showEntry) {
        HWND page = theOptions.pages[shownPage].pageWindow;
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED;
        item.state = LVIS_SELECTED;
        SendDlgItemMessageW(page, IDC_FILE_TYPES_LIST, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_FILE_TYPES_EDIT, BN_CLICKED), 0);
    }
}

void Touch(const std::wstring& path)
{
    ReplaceWholeFile(path.c_str(), "x", 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring which = argc > 1 ? argv[1] : L"0";
    seconds = argc > 2 ? _wtoi(argv[2]) : 8;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"kvte-options-shots\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    CreateDirectoryW((folder + L"color").c_str(), nullptr);
    CreateDirectoryW((folder + L"esf").c_str(), nullptr);
    for (const wchar_t* name : {L"color\\標準.ini", L"color\\夜.ini", L"esf\\HTML.esf", L"esf\\C++.esf", L"esf\\Perl.esf"}) {
        Touch(folder + name);
    }
    const std::string folderInternal = InternalFromWide(folder);
    static ProfileFile settings{};
    DeleteFileW((folder + L"kvte.ini").c_str());
    PrepareSettingsFile(settings, (folderInternal + "kvte.ini").c_str(), nullptr, nullptr);
    SetSection(settings, "editor1");
    WriteString(settings, "ColorFile", InternalFromWide(L"標準.ini").c_str());

    theOptions.host.settings = &settings;
    theOptions.host.programFolder = folderInternal.c_str();
    theOptions.host.manifestPath = folder + L"kvte.exe.manifest";
    SetSection(settings, "tool");
    WriteInt(settings, "num", 3);
    WriteString(settings, "name0", InternalFromWide(L"サンプルツール").c_str());
    WriteString(settings, "path0", "C:\\kvte\\tools\\kvtesample.exe");
    WriteInt(settings, "type0", 0);
    WriteString(settings, "name1", "-");
    WriteString(settings, "path1", "-");
    WriteInt(settings, "type1", -1);
    WriteString(settings, "name2", InternalFromWide(L"メモ帳").c_str());
    WriteString(settings, "path2", "notepad.exe");
    WriteInt(settings, "type2", 1);
    theOptions.toolsPage = &ToolsPageProc;
    RegisterOptionPages(theOptions);

    showEntry = which == L"entry";
    shownPage = _wtoi(which.c_str());
    if (showEntry) {
        for (int i = 0; i < theOptions.count; ++i) {
            if (theOptions.pages[i].dialogId == IDD_OPTION_FILE_TYPES) shownPage = i;
        }
    }
    SetTimer(nullptr, 0, 300, &Arrange);
    ShowOptionsDialog(theOptions, GetModuleHandleW(nullptr), nullptr);
    return 0;
}
