// The page "拡張子設定": the list of extensions and their environments. It is read from the
// file by the page's own reader when the dialog opens and written back at OK by removing
// the section and appending it again, so the section ends up last in the file.
#include <windows.h>

#include <commctrl.h>

#include <new>

#include "config/ProfileFile.h"
#include "files/FileAccess.h"
#include "options/win32/FileTypeEntry.h"
#include "options/win32/OptionPages.h"
#include "options/win32/PageControls.h"
#include "platform/WideText.h"
#include "resources/resource.h"

namespace {

// The page's rows, the list view's model: the list view only shows them.
using Rows = std::vector<FileTypeRow>;

Rows* RowsOf(HWND page) { return reinterpret_cast<Rows*>(GetWindowLongPtrW(page, DWLP_USER)); }
HWND ListOf(HWND page) { return GetDlgItem(page, IDC_FILE_TYPES_LIST); }

void SetCell(HWND list, int row, int column, const std::string& text)
{
    std::wstring wide = WideFromInternal(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = &wide[0];
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void ShowRow(HWND list, int row, const FileTypeRow& entry, bool inserted)
{
    if (inserted) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SetCell(list, row, 0, entry.extension);
    SetCell(list, row, 1, entry.environment);
}

void AddColumns(HWND list)
{
    RECT client{};
    GetClientRect(list, &client);
    const wchar_t* titles[] = {L"拡張子", L"環境"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH;
        column.fmt = LVCFMT_LEFT;
        column.cx = (client.right - client.left) / 2;
        column.pszText = const_cast<wchar_t*>(titles[i]);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
}

void Initialise(HWND page)
{
    Rows* rows = new (std::nothrow) Rows();
    SetWindowLongPtrW(page, DWLP_USER, reinterpret_cast<LONG_PTR>(rows));
    HWND list = ListOf(page);
    AddColumns(list);
    const ProfileFile* settings = SettingsOfPage(page);
    std::string text;
    // An unreadable file leaves the list empty (and the host then writes no page at OK).
    if (rows == nullptr || settings == nullptr || !ReadWholeFile(settings->path, text).Ok()) return;
    *rows = ReadFileTypeRows(text);
    for (size_t i = 0; i < rows->size(); ++i) ShowRow(list, static_cast<int>(i), (*rows)[i], true);
}

int SelectedRow(HWND page)
{
    return static_cast<int>(SendMessageW(ListOf(page), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool RunEntry(HWND page, FileTypeRow& entry)
{
    const OptionsDialog* options = OptionsOfPage(page);
    if (options == nullptr) return false;
    return RunExtensionDialog(options->instance, GetParent(page), options->host.programFolder, entry) == 1;
}

void Add(HWND page, Rows& rows)
{
    FileTypeRow entry;
    if (!RunEntry(page, entry)) return;
    rows.push_back(entry);
    ShowRow(ListOf(page), static_cast<int>(rows.size() - 1), entry, true);
}

void Edit(HWND page, Rows& rows)
{
    const int row = SelectedRow(page);
    if (row < 0 || static_cast<size_t>(row) >= rows.size()) return;
    FileTypeRow entry = rows[row];
    if (!RunEntry(page, entry)) return;
    rows[row] = entry;
    ShowRow(ListOf(page), row, entry, false);
}

void Delete(HWND page, Rows& rows)
{
    if (ShowPageMessage(page, IDS_MSG_CONFIRM_DELETE_ITEM, MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    const int row = SelectedRow(page);
    if (row < 0 || static_cast<size_t>(row) >= rows.size()) return;
    rows.erase(rows.begin() + row);
    SendMessageW(ListOf(page), LVM_DELETEITEM, row, 0);
}

bool Command(HWND page, int control)
{
    Rows* rows = RowsOf(page);
    if (rows == nullptr) return false;
    switch (control) {
    case IDC_FILE_TYPES_ADD:
        Add(page, *rows);
        return true;
    case IDC_FILE_TYPES_EDIT:
        Edit(page, *rows);
        return true;
    case IDC_FILE_TYPES_DELETE:
        Delete(page, *rows);
        return true;
    default:
        return false;
    }
}

// Without its rows (no memory at the start) the page leaves the section alone.
bool HasRows(HWND page) { return RowsOf(page) != nullptr; }

void Write(HWND page, ProfileBatch& batch) { WriteFileTypeRows(batch, *RowsOf(page)); }

void Destroy(HWND page)
{
    delete RowsOf(page);
    SetWindowLongPtrW(page, DWLP_USER, 0);
}

}  // namespace

const PageDescription kFileTypesPage = {nullptr, L"_RESOURCE\\拡張子設定.html", false, &Initialise, &Command,
                                        &HasRows, &Write,                         &Destroy};
