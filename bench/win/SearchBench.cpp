// Timing harness for find and replace on a real editing view under Wine: replace all of
// 1,000,000 matches in a 100 MB Japanese document (one edit, then its undo), and F3 across
// 50 MB to a match at the very end, against one plain copy of the text (GetText) and one
// engine search of it, the two parts that every F3 needs.
// Usage: kvte_search_bench [megabytes-for-replace-all]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BenchClock.h"
#include "regex/KRegExp.h"
#include "search/FindReplace.h"
#include "search/win32/ControlSearchView.h"
#include "textcontrol/win32/EditControl.h"

namespace {

const wchar_t kFrameClass[] = L"KvteSearchBenchFrame";

// CPU time of this thread in milliseconds: the machine may be shared, and the wall clock
// then counts other programs' turns too.
double ThreadCpu()
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    auto ms = [](FILETIME t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) /
               10000.0;
    };
    return ms(kernel) + ms(user);
}

const char kTokyo[] = "\x93\x8c\x8b\x9e";  // 東京
const char kOsaka[] = "\x91\xe5\x8d\xe3";  // 大阪

// Lines of under 100 bytes of Japanese prose, each holding 東京 once (so a match every
// 100 bytes), and the last line a word found nowhere else when wanted.
std::string MakeDocument(size_t bytes, bool matchPerLine, const char* lastWord)
{
    static const char* const kPhrases[] = {
        "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD",          // 日本語の文章
        "\x82\xF0\x95\xD2\x8F\x57\x82\xB5\x82\xDC\x82\xB7\x81\x42",  // を編集します。
        "\x8A\xBF\x8E\x9A\x82\xC6\x82\xA9\x82\xC8",                  // 漢字とかな
        " ASCII text 12345 ",
        "\x81\x75\x88\xF8\x97\x70\x81\x76",  // 「引用」
    };
    std::string text;
    text.reserve(bytes + 256);
    unsigned seed = 2026;
    while (text.size() < bytes) {
        size_t lineStart = text.size();
        if (matchPerLine) text += kTokyo;
        while (text.size() - lineStart < 88) {
            seed = seed * 1103515245u + 12345u;
            text += kPhrases[(seed >> 16) % (sizeof kPhrases / sizeof kPhrases[0])];
        }
        text += "\r\n";
    }
    if (lastWord) text += lastWord;
    return text;
}

void SetSearch(SearchState& state, const char* text)
{
    std::memset(state.text, 0, sizeof state.text);
    std::strncpy(state.text, text, sizeof state.text - 1);
    state.regularExpression = false;
    state.down = true;
}

}  // namespace

int main(int argc, char** argv)
{
    const size_t megabytes = argc > 1 ? static_cast<size_t>(std::atoi(argv[1])) : 100;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kFrameClass;
    RegisterClassW(&wc);
    HWND frame = CreateWindowW(kFrameClass, L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr,
                               wc.hInstance, nullptr);
    SetViewCount(1);
    if (!CreateView(0, frame, 0, 0, 780, 560)) return 1;
    ControlBinding binding{0, frame};
    const SearchView view = MakeControlSearchView(binding);
    SearchState state;

    {
        std::string document = MakeDocument(megabytes * 1000 * 1000, true, nullptr);
        const size_t bytes = document.size();
        SetTextOwned(0, std::move(document));
        SetSearch(state, kTokyo);
        double start = Now(), cpu = ThreadCpu();
        const int count = ReplaceAll(state, view, kOsaka);
        const double replaced = Now() - start, replacedCpu = ThreadCpu() - cpu;
        start = Now();
        Undo(0);
        const double undone = Now() - start;
        std::printf("replace all: %d matches in %.1f MB: %.0f ms, CPU %.0f ms (target < 2000); its undo %.0f ms\n",
                    count, static_cast<double>(bytes) / 1e6, replaced, replacedCpu, undone);
    }
    {
        std::string document = MakeDocument(50 * 1000 * 1000, false, "Kelvara");
        const size_t bytes = document.size();
        SetTextOwned(0, std::move(document));
        MoveCaretToTop(0, 0);
        SetSearch(state, "Kelvara");
        double start = Now();
        FindNext(state, view, 0);
        const double first = Now() - start;
        MoveCaretToTop(0, 0);
        start = Now();
        double cpu = ThreadCpu();
        const bool found = FindNextDown(state, view);
        const double again = Now() - start, againCpu = ThreadCpu() - cpu;
        // Its two parts alone: copying the text out, and one search of the copy.
        std::string copy(static_cast<size_t>(GetTextLength(0)) + 1, '\0');
        start = Now();
        const int length = GetText(0, &copy[0], 1);
        const double copied = Now() - start;
        CKRegExp regex;
        regex.Read("Kelvara", false);
        start = Now();
        regex.Find(copy.data(), static_cast<size_t>(length), 0, false);
        const double searched = Now() - start;
        std::printf("F3 across %.1f MB: %s in %.0f ms, CPU %.0f ms (target < 300); find next %.0f ms; "
                    "of which copying the text %.0f ms and one search %.0f ms\n",
                    static_cast<double>(bytes) / 1e6, found ? "found" : "NOT FOUND", again, againCpu, first, copied,
                    searched);
    }
    DestroyView(0);
    DestroyWindow(frame);
    return 0;
}
