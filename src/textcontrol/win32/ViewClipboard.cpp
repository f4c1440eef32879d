// The clipboard: the selection goes out as CF_UNICODETEXT, code for code through the
// name conversion (every JIS X 0213 character whole: surrogate pairs and sequences of two
// code points included), for every other program, and also as the document's own bytes
// in a private format. A paste prefers those bytes, so that a copy and paste inside the
// editor gives back exactly what was copied, even the five codes whose character UTF-16
// gives back as another code (0x81AD-0x81B0, 0x81D2); text from other programs arrives
// through the same conversion.
#include <algorithm>
#include <cstdint>
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

UINT InternalTextFormat()
{
    static const UINT format = RegisterClipboardFormatW(L"KelvaraInternalText");
    return format;
}

HGLOBAL CopyToGlobal(const void* data, size_t bytes)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, data, bytes);
    GlobalUnlock(memory);
    return memory;
}

// The private format: a 32-bit byte count, then the bytes (which may hold zero bytes).
HGLOBAL InternalToGlobal(const std::string& text)
{
    if (text.size() > 0x7FFFFFF0u) return nullptr;
    std::string block(sizeof(uint32_t), '\0');
    uint32_t length = static_cast<uint32_t>(text.size());
    std::memcpy(block.data(), &length, sizeof length);
    block += text;
    return CopyToGlobal(block.data(), block.size());
}

// Reads the private bytes, trusting the count only as far as the block really reaches.
bool ReadInternalFormat(std::string* text)
{
    UINT format = InternalTextFormat();
    HANDLE data = format ? GetClipboardData(format) : nullptr;
    if (!data) return false;
    size_t size = GlobalSize(data);
    const auto* bytes = static_cast<const char*>(GlobalLock(data));
    if (!bytes) return false;
    bool ok = false;
    uint32_t length = 0;
    if (size >= sizeof length) {
        std::memcpy(&length, bytes, sizeof length);
        if (length <= size - sizeof length) {
            text->assign(bytes + sizeof length, length);
            ok = true;
        }
    }
    GlobalUnlock(data);
    return ok;
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
    std::string internal;
    std::wstring wide;
    try {
        internal = SelectedText(view);
        wide = WideFromInternal(internal);
    } catch (...) {
        return false;
    }
    HGLOBAL unicode = CopyToGlobal(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    if (!unicode) return false;
    HGLOBAL own = InternalToGlobal(internal);
    if (!OpenClipboardPatiently(view.window)) {
        GlobalFree(unicode);
        if (own) GlobalFree(own);
        return false;
    }
    EmptyClipboard();
    bool placed = SetClipboardData(CF_UNICODETEXT, unicode) != nullptr;
    if (!placed) GlobalFree(unicode);
    if (own && (!placed || !InternalTextFormat() || !SetClipboardData(InternalTextFormat(), own))) GlobalFree(own);
    CloseClipboard();
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
    std::int64_t lost = 0;
    bool ok = false;
    try {
        ok = ReadInternalFormat(&text);
    } catch (...) {
        ok = false;
    }
    HANDLE data = ok ? nullptr : GetClipboardData(CF_UNICODETEXT);
    if (data) {
        // The clipboard's text need not be terminated inside its block: never read past it.
        size_t units = GlobalSize(data) / sizeof(wchar_t);
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            try {
                text = WideToInternal(wide, units, &lost);
                ok = true;
            } catch (...) {
                ok = false;
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (!ok || text.empty()) return false;
    if (!InsertTyped(view, text, true)) return false;
    ReportLostCharacters(view, lost);
    return true;
}

}  // namespace kvte::textcontrol
