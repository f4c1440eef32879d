// The clipboard: the selection goes out as CF_UNICODETEXT and comes back in through the
// project's own tables, so that every JIS X 0213 character survives a copy and paste.
#include <algorithm>
#include <cstring>

#include "textcontrol/win32/ViewInternal.h"
#include "textcontrol/win32/ViewText.h"

namespace kvte::textcontrol {

namespace {

// OpenClipboard fails while another program holds it; try a few times.
bool OpenClipboardPatiently(HWND owner)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

std::string SelectedText(EditorView& view)
{
    TextModel& model = view.model;
    TextPosition first = model.SelectionStart();
    TextPosition last = model.SelectionEnd();
    std::string text;
    for (int line = first.line; line <= last.line; ++line) {
        std::string_view bytes = model.LineText(line);
        size_t from = line == first.line ? static_cast<size_t>(first.column - 1) : 0;
        size_t to = line == last.line ? static_cast<size_t>(last.column - 1) : bytes.size();
        from = std::min(from, bytes.size());
        to = std::min(std::max(to, from), bytes.size());
        text.append(bytes.data() + from, to - from);
        if (line != last.line) text.append("\r\n");
    }
    return text;
}

bool CopyToClipboard(EditorView& view)
{
    if (!view.model.HasSelection()) return false;
    std::wstring wide;
    try {
        wide = InternalToWide(SelectedText(view));
    } catch (...) {
        return false;
    }
    size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboardPatiently(view.window)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    bool placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!placed) GlobalFree(memory);
    return placed;
}

bool PasteFromClipboard(EditorView& view)
{
    if (!view.model.IsEditable()) {
        MessageBeep(MB_OK);
        return false;
    }
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
    if (!OpenClipboardPatiently(view.window)) return false;
    std::string text;
    bool ok = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        // The clipboard's text need not be terminated inside its block: never read past it.
        size_t units = GlobalSize(data) / sizeof(wchar_t);
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            try {
                text = WideToInternal(wide, units);
                ok = true;
            } catch (...) {
                ok = false;
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!ok || text.empty()) return false;
    return InsertTyped(view, text, true);
}

}  // namespace kvte::textcontrol
