#include "tools/win32/ToolsPage.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "config/ProfileBatch.h"
#include "platform/HeldPath.h"
#include "platform/ModalUi.h"
#include "platform/ShowMessage.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "resources/options_ids.h"
#include "resources/tools_ids.h"
#include "tools/ToolInfoFile.h"
#include "tools/ToolList.h"

namespace {

// The settings that the page was created with, kept in the page window.
ProfileFile* SettingsOf(HWND page) { return reinterpret_cast<ProfileFile*>(GetWindowLongPtrW(page, DWLP_USER)); }

HWND List(HWND page) { return GetDlgItem(page, IDC_TOOL_LIST); }

int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

int SelectedRow(HWND list)
{
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND list, int row)
{
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

std::wstring CellText(HWND list, int row, int column)
{
    std::vector<wchar_t> text(4100);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return std::wstring(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

void SetCellText(HWND list, int row, int column, const std::wstring& text)
{
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// The row's type lives in its item data, so that a number without a text survives.
int RowType(HWND list, int row)
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<int>(item.lParam);
}

void SetRow(HWND list, int row, const ToolEntry& entry)
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = entry.type;
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetCellText(list, row, 0, WideFromInternal(entry.name));
    SetCellText(list, row, 1, ToolTypeText(entry.type));
    SetCellText(list, row, 2, WideFromInternal(entry.path));
}

ToolEntry EntryOfRow(HWND list, int row)
{
    return ToolEntry{InternalFromWide(CellText(list, row, 0)), InternalFromWide(CellText(list, row, 2)),
                     RowType(list, row)};
}

void AppendRow(HWND list, const ToolEntry& entry)
{
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = RowCount(list);
    item.pszText = const_cast<wchar_t*>(L"");
    item.lParam = entry.type;
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row >= 0) SetRow(list, row, entry);
}

void AddColumn(HWND list, int index, const wchar_t* title, int width)
{
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title);
    column.iSubItem = index;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void BuildPage(HWND page)
{
    HWND list = List(page);
    RECT client{};
    GetClientRect(list, &client);
    const int width = client.right - client.left;
    AddColumn(list, 0, L"登録名", width / 4);
    AddColumn(list, 1, L"タイプ", width / 4);
    AddColumn(list, 2, L"パス", width / 2);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    ProfileFile* settings = SettingsOf(page);
    if (settings == nullptr) return;
    ProfileBatch batch;
    BeginBatch(batch, *settings);
    for (const ToolEntry& entry : ReadToolList(batch)) AppendRow(list, entry);
}

int MessageOf(ToolInfoError error)
{
    switch (error) {
    case ToolInfoError::NoProgram:
        return IDS_MSG_TOOL_INFO_NO_PROGRAM;
    case ToolInfoError::NameTooLong:
        return IDS_MSG_TOOL_INFO_NAME_TOO_LONG;
    case ToolInfoError::PathTooLong:
        return IDS_MSG_TOOL_INFO_PATH_TOO_LONG;
    case ToolInfoError::BadType:
        return IDS_MSG_TOOL_INFO_BAD_TYPE;
    case ToolInfoError::None:
        break;
    }
    return 0;
}

// Add: a tool information file chosen by the user becomes a row at the end.
void AddFromToolInfo(HWND page)
{
    FileDialogRequest request{page, L"KelvaraTextEditorツール情報ファイル(*.kti)\0*.kti\0\0",
                              L"ツール情報ファイルを選択してください。", false};
    std::wstring chosen;
    if (!ShowFileDialog(request, chosen)) return;
    std::string path;
    if (HoldPath(chosen, path) == PathHold::NotHeld) {
        ShowMessage(page, IDS_MSG_OPEN_PATH_NOT_HELD, MB_ICONERROR);
        return;
    }
    ProfileFile file;
    ProfileBatch batch;
    if (!OpenProfile(file, path.c_str(), "general") || !BeginBatch(batch, file) || !batch.existed) {
        ShowMessage(page, IDS_MSG_TOOL_INFO_UNREADABLE, MB_ICONERROR);
        return;
    }
    ToolEntry entry;
    const ToolInfoError error = ParseToolInfo(batch.text, path, entry);
    if (error != ToolInfoError::None) {
        ShowMessage(page, MessageOf(error), MB_ICONERROR);
        return;
    }
    AppendRow(List(page), entry);
}

// Up (step -1) and down (+1): the selected row trades places with its neighbour and stays
// selected, so that pressing again moves it on.
void MoveSelected(HWND page, int step)
{
    HWND list = List(page);
    const int row = SelectedRow(list);
    const int other = row + step;
    if (row < 0 || other < 0 || other >= RowCount(list)) return;
    const ToolEntry moving = EntryOfRow(list, row);
    SetRow(list, row, EntryOfRow(list, other));
    SetRow(list, other, moving);
    SelectRow(list, other);
}

void DeleteSelected(HWND page)
{
    HWND list = List(page);
    const int row = SelectedRow(list);
    if (row < 0) return;
    if (ShowMessage(page, IDS_MSG_CONFIRM_DELETE_ITEM, MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

// The rows, in order, as one batch: "num" and the keys of every row.
void Apply(HWND page)
{
    ProfileFile* settings = SettingsOf(page);
    if (settings == nullptr) return;
    HWND list = List(page);
    std::vector<ToolEntry> entries;
    const int rows = RowCount(list);
    for (int row = 0; row < rows; ++row) entries.push_back(EntryOfRow(list, row));
    ProfileBatch batch;
    BeginBatch(batch, *settings);
    WriteToolList(batch, entries);
    if (!CommitBatch(batch)) ShowMessage(page, IDS_MSG_SETTINGS_WRITE_FAILED, MB_ICONERROR);
}

INT_PTR Dispatch(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(page, DWLP_USER, lParam);
        BuildPage(page);
        return TRUE;
    case WM_OPTION_APPLY:
        Apply(page);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        switch (LOWORD(wParam)) {
        case IDC_TOOL_ADD:
            AddFromToolInfo(page);
            return TRUE;
        case IDC_TOOL_UP:
            MoveSelected(page, -1);
            return TRUE;
        case IDC_TOOL_DOWN:
            MoveSelected(page, 1);
            return TRUE;
        case IDC_TOOL_DELETE:
            DeleteSelected(page);
            return TRUE;
        case IDC_TOOL_SEPARATOR:
            AppendRow(List(page), SeparatorEntry());
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

}  // namespace

std::wstring ToolTypeText(int type)
{
    switch (type) {
    case kToolSeparator:
        return L"区切り線";
    case kToolModal:
        return L"モーダル";
    case kToolModeless:
        return L"モードレス";
    case kToolBuiltIn:
        return L"内蔵";
    default:
        return std::to_wstring(type);
    }
}

INT_PTR CALLBACK ToolsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    // No exception may unwind into the dialog manager.
    try {
        return Dispatch(page, message, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}
