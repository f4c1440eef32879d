// The options dialog's host: the page table, dialog 120 with its tree, and the relay of
// OK, Cancel and help to the pages.
#include "options/win32/OptionsDialog.h"

#include <cwchar>
#include <new>
#include <string>

#include "options/win32/OptionPages.h"
#include "config/ProfileFile.h"
#include "files/FileAccess.h"
#include "platform/ModalUi.h"
#include "platform/ShowMessage.h"
#include "resources/resource.h"

namespace {

constexpr wchar_t kDialogProperty[] = L"OptionMainClass";
constexpr int kToolsPageDialog = 149;  // the tools subsystem's page
OptionsDialog* OptionsOfDialog(HWND dialog)
{
    return static_cast<OptionsDialog*>(GetPropW(dialog, kDialogProperty));
}

void ShowOnly(OptionsDialog& options, int shown)
{
    for (int i = 0; i < options.count; ++i) {
        if (options.pages[i].pageWindow) ShowWindow(options.pages[i].pageWindow, i == shown ? SW_SHOW : SW_HIDE);
    }
    options.current = shown;
}

HTREEITEM InsertLabel(HWND tree, HTREEITEM parent, wchar_t* label)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = label;
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The page area is fixed in pixels, so the tree, the buttons and the dialog itself are
// placed in pixels around it, whatever the dialog font.
constexpr int kPageLeft = 150, kPageTop = 10, kPageWidth = 475, kPageHeight = 282;
constexpr int kButtonWidth = 75, kButtonHeight = 23, kButtonGap = 8;

void LayOut(HWND dialog)
{
    const int clientWidth = kPageLeft + kPageWidth + 10;
    const int buttonTop = kPageTop + kPageHeight + 10;
    const int clientHeight = buttonTop + kButtonHeight + 10;
    // The tree takes all the room left of the page, so that the longest label of the
    // second level shows whole.
    SetWindowPos(GetDlgItem(dialog, IDC_OPTIONS_TREE), nullptr, 6, kPageTop, kPageLeft - 12, kPageHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    const int buttons[] = {IDOK, IDCANCEL, IDC_OPTIONS_HELP};
    int left = clientWidth - 10 - 3 * kButtonWidth - 2 * kButtonGap;
    for (int button : buttons) {
        SetWindowPos(GetDlgItem(dialog, button), nullptr, left, buttonTop, kButtonWidth, kButtonHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        left += kButtonWidth + kButtonGap;
    }
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    RECT now{};
    GetWindowRect(dialog, &now);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    // Keep it centred where the template's size put it.
    SetWindowPos(dialog, nullptr, (now.left + now.right - width) / 2, (now.top + now.bottom - height) / 2, width,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Initialise(OptionsDialog& options, HWND dialog)
{
    LayOut(dialog);
    options.window = dialog;
    options.current = 0;
    options.writeFailureShown = false;
    options.chosen = OptionsChoices();
    std::string text;
    const ProfileFile* settings = options.host.settings;
    const FileStatus read = settings ? ReadWholeFile(settings->path, text) : FileStatus{FileErrorKind::NotFound, 0};
    options.settingsUnread = !read.Ok() && read.kind != FileErrorKind::NotFound;
    HWND tree = GetDlgItem(dialog, IDC_OPTIONS_TREE);
    HTREEITEM root = nullptr;
    for (int i = 0; i < options.count; ++i) {
        OptionPage& page = options.pages[i];
        const bool atRoot = page.topLevel || root == nullptr;
        page.treeItem = InsertLabel(tree, atRoot ? nullptr : root, page.label);
        if (atRoot) root = page.treeItem;
        page.pageWindow = CreateDialogParamW(options.instance, MAKEINTRESOURCEW(page.dialogId), dialog,
                                             page.procedure, reinterpret_cast<LPARAM>(options.host.settings));
        if (page.pageWindow == nullptr) continue;
        SetWindowPos(page.pageWindow, nullptr, kPageLeft, kPageTop, kPageWidth, kPageHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(page.pageWindow, i == 0 ? SW_SHOW : SW_HIDE);
        if (i == 0) UpdateWindow(page.pageWindow);
    }
}

void SelectionChanged(OptionsDialog& options, const NMTREEVIEWW& change)
{
    for (int i = 0; i < options.count; ++i) {
        if (options.pages[i].treeItem == change.itemNew.hItem) {
            ShowOnly(options, i);
            return;
        }
    }
}

void ApplyAll(OptionsDialog& options)
{
    if (options.settingsUnread) {
        ShowMessage(options.window, IDS_MSG_SETTINGS_WRITE_FAILED, MB_ICONERROR);
        return;
    }
    for (int i = 0; i < options.count; ++i) {
        if (options.pages[i].pageWindow) SendMessageW(options.pages[i].pageWindow, WM_OPTION_APPLY, 0, 0);
    }
}

void Forget(OptionsDialog& options, HWND dialog)
{
    for (int i = 0; i < options.count; ++i) {
        options.pages[i].pageWindow = nullptr;
        options.pages[i].treeItem = nullptr;
    }
    options.window = nullptr;
    RemovePropW(dialog, kDialogProperty);
}

INT_PTR Dispatch(OptionsDialog& options, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.idFrom == IDC_OPTIONS_TREE && header.code == TVN_SELCHANGEDW) {
            SelectionChanged(options, *reinterpret_cast<const NMTREEVIEWW*>(lParam));
        }
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            ApplyAll(options);
            EndDialog(dialog, 1);
            return TRUE;
        case IDCANCEL:  // the close box comes here too
            EndDialog(dialog, 0);
            return TRUE;
        case IDC_OPTIONS_HELP:
            if (options.current < options.count && options.pages[options.current].pageWindow) {
                SendMessageW(options.pages[options.current].pageWindow, WM_OPTION_HELP, 0, 0);
            }
            return TRUE;
        default:
            return FALSE;
        }
    case WM_DESTROY:
        Forget(options, dialog);
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        // The record comes as the creation parameter and stays as the window property.
        auto* opening = reinterpret_cast<OptionsDialog*>(lParam);
        if (opening == nullptr) return TRUE;
        SetPropW(dialog, kDialogProperty, opening);
        Initialise(*opening, dialog);
        // The focus goes to OK rather than to the tree, which would select its first item.
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;
    }
    // Messages before the initialisation (the font, for one) find no property.
    OptionsDialog* options = OptionsOfDialog(dialog);
    if (options == nullptr) return FALSE;
    return Dispatch(*options, dialog, message, wParam, lParam);
}

}  // namespace

bool CreatePageTable(OptionsDialog& options, int capacity)
{
    options.pages.reset(new (std::nothrow) OptionPage[capacity > 0 ? capacity : 1]);
    options.count = 0;
    options.capacity = options.pages ? capacity : 0;
    options.current = 0;
    return options.pages != nullptr;
}

bool RegisterPage(OptionsDialog& options, int dialogId, bool topLevel, DLGPROC procedure, const wchar_t* label)
{
    if (options.count >= options.capacity || procedure == nullptr) return false;
    OptionPage& page = options.pages[options.count];
    page = OptionPage();
    page.dialogId = dialogId;
    page.topLevel = topLevel;
    page.procedure = procedure;
    if (label) wcsncpy(page.label, label, sizeof page.label / sizeof page.label[0] - 1);
    ++options.count;
    return true;
}

bool RegisterOptionPages(OptionsDialog& options)
{
    if (!CreatePageTable(options, 10)) return false;
    RegisterPage(options, IDD_OPTION_GENERAL, true, &PageProc<kGeneralPage>, L"全般");
    RegisterPage(options, IDD_OPTION_CONFIRM, false, &PageProc<kConfirmPage>, L"確認設定");
    if (options.toolsPage) RegisterPage(options, kToolsPageDialog, false, options.toolsPage, L"ツール設定");
    RegisterPage(options, IDD_OPTION_SAVE, false, &PageProc<kSavePage>, L"保存");
    RegisterPage(options, IDD_OPTION_SAFETY, false, &PageProc<kSafetyPage>, L"ファイルの安全");
    RegisterPage(options, IDD_OPTION_EDITOR, true, &PageProc<kEditorPage>, L"エディタ");
    RegisterPage(options, IDD_OPTION_MARKS, false, &PageProc<kMarksPage>, L"マーク設定");
    RegisterPage(options, IDD_OPTION_CLICKABLE, false, &PageProc<kClickablePage>, L"クリッカブル設定");
    RegisterPage(options, IDD_OPTION_FILE_TYPES, true, &PageProc<kFileTypesPage>, L"拡張子設定");
    RegisterPage(options, IDD_OPTION_TABS, true, &PageProc<kTabsPage>, L"タブの設定");
    return true;
}

void ReleasePageTable(OptionsDialog& options)
{
    options.pages.reset();
    options.count = 0;
    options.capacity = 0;
}

int ShowOptionsDialog(OptionsDialog& options, HINSTANCE instance, HWND owner)
{
    options.instance = instance;
    options.current = 0;
    const INT_PTR result = ShowModalDialog(
        ModalDialogRequest{instance, IDD_OPTIONS, owner, &OptionsDialogProc, reinterpret_cast<LPARAM>(&options)});
    return result == 1 ? 1 : 0;
}

bool OfferToOptionPages(const OptionsDialog& options, MSG* message)
{
    for (int i = 0; i < options.count; ++i) {
        HWND page = options.pages[i].pageWindow;
        if (page && IsDialogMessageW(page, message)) return true;
    }
    return false;
}

OptionsDialog* OptionsOfPage(HWND page)
{
    HWND dialog = GetParent(page);
    return dialog ? OptionsOfDialog(dialog) : nullptr;
}
