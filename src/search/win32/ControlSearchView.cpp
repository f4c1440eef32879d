#include "search/win32/ControlSearchView.h"

#include <cwchar>
#include <string>

#include "platform/ModalUi.h"
#include "platform/ShowMessage.h"
#include "platform/WideText.h"
#include "resources/resource.h"
#include "search/PatternError.h"
#include "textcontrol/win32/EditControl.h"

static_assert(kFirstPatternErrorMessage == IDS_PATTERN_TRAILING_BACKSLASH &&
                  kUnknownPatternErrorMessage == IDS_PATTERN_UNKNOWN_ERROR,
              "the pattern errors' texts are numbered as the search code expects");

namespace {

ControlBinding& Binding(void* context) { return *static_cast<ControlBinding*>(context); }
int View(void* context) { return Binding(context).view; }

void ReportBadPattern(void* context, int number, int position)
{
    wchar_t format[512];
    if (LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(number), format, 512) <= 0) format[0] = L'\0';
    wchar_t text[600];
    std::swprintf(text, 600, format, position);
    ShowMessageBox(Binding(context).owner, number, text, L"KelvaraTextEditor", MB_ICONWARNING);
}

void ShowNotice(void* context, SearchNotice notice, const char* searchText)
{
    const ControlBinding& binding = Binding(context);
    if (!binding.showNotice) return;
    int const number = notice == SearchNotice::NotFound        ? IDS_STATUS_NOT_FOUND
                       : notice == SearchNotice::WrappedToTop ? IDS_STATUS_WRAPPED_TO_TOP
                                                               : IDS_STATUS_WRAPPED_TO_BOTTOM;
    wchar_t format[256];
    if (LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(number), format, 256) <= 0) format[0] = L'\0';
    std::wstring const what = WideFromInternal(searchText ? searchText : "");
    std::wstring text(std::wcslen(format) + what.size() + 1, L'\0');
    int written = std::swprintf(&text[0], text.size(), format, what.c_str());
    text.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    binding.showNotice(binding.noticeContext, text.c_str());
}

}  // namespace

SearchView MakeControlSearchView(ControlBinding& binding)
{
    SearchView view;
    view.context = &binding;
    view.textLength = [](void* c) { return GetTextLength(View(c)); };
    view.copyText = [](void* c, char* buffer) { return GetText(View(c), buffer, 1); };
    view.caretOffset = [](void* c) { return GetCaretOffset(View(c)); };
    view.selectionRange = [](void* c, int* start, int* end) { return GetSelectionRange(View(c), start, end); };
    view.selectRange = [](void* c, int start, int end) { SelectRange(View(c), start, end); };
    view.insertText = [](void* c, const char* text) { InsertText(View(c), text); };
    view.replaceRange = [](void* c, int start, int end, const char* text, std::size_t length) {
        return length <= 0x7FFFFFFF && ReplaceRangeText(View(c), start, end, text, static_cast<int>(length)) != 0;
    };
    view.moveCaretToTop = [](void* c) { MoveCaretToTop(View(c), 1); };
    view.setHighlightText = [](void* c, const char* text) { SetHighlightText(View(c), text, 1, 1); };
    view.markRanges = [](void* c, const int* ranges, int count) { MarkRanges(View(c), ranges, count, 1); };
    view.beep = [](void*, int sound) { MessageBeep(static_cast<UINT>(sound)); };
    view.reportOutOfMemory = [](void* c) { ShowMessage(Binding(c).owner, IDS_MSG_OUT_OF_MEMORY, MB_ICONERROR); };
    view.reportBadPattern = &ReportBadPattern;
    view.notice = &ShowNotice;
    return view;
}
