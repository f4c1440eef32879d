#include "search/win32/HistoryCombo.h"

#include "encoding/SjisBytes.h"
#include "platform/WideText.h"
#include "search/SearchHistory.h"

namespace {
constexpr std::size_t kMostBytes = 1023;  // a search text and a history entry hold so many
}

void FillHistory(HWND combo, ProfileFile& settings, const char* section, int count)
{
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : ReadHistory(settings, section, count)) {
        std::wstring const wide = WideFromInternal(entry);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
}

bool ClearHistory(HWND combo, ProfileFile& settings, const char* section, int count)
{
    bool written = ClearHistory(settings, section, count);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    return written;
}

std::string ComboText(HWND combo)
{
    int length = GetWindowTextLengthW(combo);
    if (length <= 0) return std::string();
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(GetWindowTextW(combo, &wide[0], length + 1)));
    std::string text = InternalFromWide(wide);
    if (text.size() > kMostBytes) {
        std::size_t fits = 0;
        while (fits < text.size()) {
            std::size_t next = fits + sjis::CharLength(text.data(), text.size(), fits);
            if (next > kMostBytes) break;
            fits = next;
        }
        text.resize(fits);
    }
    return text;
}

void SetComboText(HWND combo, const std::string& text)
{
    SetWindowTextW(combo, WideFromInternal(text).c_str());
}
