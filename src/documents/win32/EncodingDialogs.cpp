// Choosing an encoding: the reopen dialog and the list under the file dialogs' names.
#include "documents/win32/EncodingDialogs.h"

#include <commdlg.h>

#include <string>

#include "documents/FileChanges.h"
#include "documents/SaveFormat.h"
#include "encoding/EncodingTypes.h"
#include "platform/WideText.h"
#include "resources/resource.h"

namespace {

// What each entry of kEncodingChoices is called beside its status-bar label.
constexpr const wchar_t* kDescriptions[kEncodingChoiceCount] = {
    L"Shift_JIS (JIS X 0213:2004)", L"Windows の Shift-JIS", L"EUC-JP", L"JIS (ISO-2022-JP)",
    L"UTF-8",                       L"UTF-16 リトルエンディアン", L"UTF-16 ビッグエンディアン",
};

std::wstring EntryText(int index)
{
    const EncodingChoice& choice = kEncodingChoices[index];
    std::wstring text = WideFromInternal(EncodingCodeLabel(choice.code));
    text += L"\x3000";
    text += kDescriptions[index];
    text += L" (" + WideFromInternal(choice.name) + L")";
    return text;
}

INT_PTR CALLBACK ChoiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND list = GetDlgItem(dialog, IDC_ENCODING_LIST);
    switch (message) {
    case WM_INITDIALOG:
        for (int i = 0; i < kEncodingChoiceCount; ++i)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EntryText(i).c_str()));
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(lParam), 0);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK || (id == IDC_ENCODING_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
            EndDialog(dialog, SendMessageW(list, LB_GETCURSEL, 0, 0));  // LB_ERR (-1) cancels
            return TRUE;
        }
        if (id == IDCANCEL) {
            EndDialog(dialog, -1);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

std::wstring Ascii(std::string_view text) { return std::wstring(text.begin(), text.end()); }

// What the first entries of the Save As lists write, after "そのまま".
std::wstring AsWritten(std::string_view label) { return L"そのまま（" + Ascii(label) + L"）"; }

constexpr const wchar_t* kLineEndingDescriptions[kLineEndingRowCount] = {L"Windows", L"UNIX", L"Mac"};

void FillSaveControls(HWND dialog, const FileDialogEncoding& encoding)
{
    const SaveOffer& offer = *encoding.offer;
    HWND combo = GetDlgItem(dialog, IDC_FILE_ENCODING), endings = GetDlgItem(dialog, IDC_FILE_LINE_ENDING);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWritten(EncodingCodeLabel(offer.written)).c_str()));
    for (int i = 0; i < kEncodingChoiceCount; ++i)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EntryText(i).c_str()));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(offer.encodingRow), 0);
    const LineEndingCode written = offer.writtenEnding != LineEndingCode::Automatic
                                       ? offer.writtenEnding
                                       : static_cast<LineEndingCode>(encoding.viewLineEnding);
    SendMessageW(endings, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWritten(LineEndingName(written)).c_str()));
    for (int i = 0; i < kLineEndingRowCount; ++i) {
        const std::wstring row = Ascii(LineEndingName(kLineEndingRows[i])) + L" (" + kLineEndingDescriptions[i] + L")";
        SendMessageW(endings, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    }
    SendMessageW(endings, CB_SETCURSEL, static_cast<WPARAM>(offer.lineEndingRow), 0);
    CheckDlgButton(dialog, IDC_FILE_MARK, offer.mark ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, IDC_FILE_MARK), RowTakesMark(offer, offer.encodingRow));
}

int Selected(HWND dialog, int id)
{
    const LRESULT selected = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    return selected > 0 ? static_cast<int>(selected) : 0;
}

UINT_PTR CALLBACK FileDialogHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND combo = GetDlgItem(dialog, IDC_FILE_ENCODING);
    auto* encoding = reinterpret_cast<FileDialogEncoding*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        encoding = reinterpret_cast<FileDialogEncoding*>(reinterpret_cast<OPENFILENAMEW*>(lParam)->lCustData);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(encoding));
        if (encoding->offer) {
            FillSaveControls(dialog, *encoding);
            return TRUE;
        }
        // Without a document to offer them for, the Save As dialog shows the encoding list alone.
        for (int id : {IDC_FILE_MARK, IDC_FILE_LINE_ENDING, IDC_FILE_LINE_ENDING_LABEL})
            if (HWND control = GetDlgItem(dialog, id)) ShowWindow(control, SW_HIDE);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(encoding->save ? L"そのまま" : L"自動判別"));
        for (int i = 0; i < kEncodingChoiceCount; ++i)
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(EntryText(i).c_str()));
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(encoding->choice + 1), 0);
        return TRUE;
    }
    case WM_COMMAND:
        // Another encoding sets the box as saving in it would, and says whether it has one.
        if (encoding && encoding->offer && LOWORD(wParam) == IDC_FILE_ENCODING && HIWORD(wParam) == CBN_SELCHANGE) {
            const int row = Selected(dialog, IDC_FILE_ENCODING);
            CheckDlgButton(dialog, IDC_FILE_MARK, RowMark(*encoding->offer, row) ? BST_CHECKED : BST_UNCHECKED);
            EnableWindow(GetDlgItem(dialog, IDC_FILE_MARK), RowTakesMark(*encoding->offer, row));
        }
        return 0;
    case WM_NOTIFY:
        // The choice is taken when the dialog accepts a file, so a cancelled one leaves it.
        if (encoding && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_FILEOK) {
            const int row = Selected(dialog, IDC_FILE_ENCODING);
            encoding->choice = row - 1;
            if (SaveOffer* offer = encoding->offer) {
                offer->encodingRow = row;
                offer->mark = RowTakesMark(*offer, row) && IsDlgButtonChecked(dialog, IDC_FILE_MARK) == BST_CHECKED;
                offer->lineEndingRow = Selected(dialog, IDC_FILE_LINE_ENDING);
            }
        }
        return 0;
    default:
        return 0;
    }
}

}  // namespace

int ChooseEncoding(HINSTANCE instance, HWND owner, int current)
{
    const INT_PTR chosen =
        ShowModalDialog(ModalDialogRequest{instance, IDD_ENCODING_CHOICE, owner, &ChoiceProc, current});
    return chosen >= 0 && chosen < kEncodingChoiceCount ? static_cast<int>(chosen) : -1;
}

void ReopenCurrentInChosenEncoding(DocumentWindows& windows, HINSTANCE instance)
{
    if (windows.documents == nullptr) return;
    DocumentsState& documents = *windows.documents;
    const int slot = documents.list.currentSlot;
    const Document* document = GetDocument(documents.list, slot);
    // An untitled document has no file to read again.
    if (document == nullptr || document->filePath.empty()) return;
    const int chosen = ChooseEncoding(instance, windows.mainWindow, EncodingChoiceIndex(document->encoding));
    if (chosen >= 0) ReopenDocumentAs(documents, slot, kEncodingChoices[chosen].code);
}

void ExtendFileDialog(FileDialogRequest& request, FileDialogEncoding& encoding)
{
    request.instance = GetModuleHandleW(nullptr);
    request.templateNumber = encoding.save ? IDD_SAVE_ENCODING : IDD_OPEN_ENCODING;
    request.hook = &FileDialogHook;
    request.hookData = reinterpret_cast<LPARAM>(&encoding);
}
