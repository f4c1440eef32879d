// Timing harness for the editing view under Wine: on a generated 100 MB Japanese
// document, the time of each step that a user waits for -- typing a character near the
// end until it is painted, paging down, jumping to the last line -- and the time of one
// paint for documents of growing size. Each step is a message to a real view followed
// by a synchronous paint, with a key repeat's pause (running queued work) between steps.
// Usage: kvte_view_bench [megabytes] [plain]  (plain: skip the size series and wrapping)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchKeys.h"
#include "textcontrol/win32/EditControl.h"

namespace {

const wchar_t kFrameClass[] = L"KvteViewBenchFrame";

// Japanese prose lines of about 50 bytes, varied so that no two neighbours are equal.
std::string MakeDocument(size_t bytes)
{
    static const char* const kPhrases[] = {
        "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD",          // 日本語の文章
        "\x82\xF0\x95\xD2\x8F\x57\x82\xB5\x82\xDC\x82\xB7\x81\x42",  // を編集します。
        "\x8A\xBF\x8E\x9A\x82\xC6\x82\xA9\x82\xC8",                  // 漢字とかな
        " ASCII text 12345 ",
        "\x81\x75\x88\xF8\x97\x70\x81\x76",    // 「引用」
        "\xF0\x42\xEF\xE3",                    // 丏鷗
        "\x81\x40\x83\x65\x83\x58\x83\x67\t",  // 　テスト<tab>
    };
    std::string text;
    text.reserve(bytes + 128);
    unsigned seed = 12345;
    size_t line = 0;
    while (text.size() < bytes) {
        size_t lineStart = text.size();
        text += std::to_string(++line);
        while (text.size() - lineStart < 50) {
            seed = seed * 1103515245u + 12345u;
            text += kPhrases[(seed >> 16) % (sizeof kPhrases / sizeof kPhrases[0])];
        }
        text += "\r\n";
    }
    return text;
}

// CPU time of this thread in milliseconds (coarse, but fair over a series while other
// programs compete for the processor).
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

struct Timings {
    double cpuStart = ThreadCpu();
    std::vector<double> steps;
    std::vector<double> handling;  // the message alone, before its paint
    std::vector<double> idle;      // queued work run after the step (the scroll bars' timer)
    void Print(const char* name) const
    {
        std::vector<double> sorted = steps;
        std::sort(sorted.begin(), sorted.end());
        if (sorted.empty()) return;
        auto at = [&](double q) {
            return sorted[std::min(sorted.size() - 1, static_cast<size_t>(q * static_cast<double>(sorted.size())))];
        };
        double total = 0;
        for (double s : sorted) total += s;
        std::vector<double> handled = handling;
        std::sort(handled.begin(), handled.end());
        double handledMedian = handled.empty() ? 0.0 : handled[handled.size() / 2];
        double idleTotal = 0, idleMax = 0;
        for (double t : idle) {
            idleTotal += t;
            idleMax = std::max(idleMax, t);
        }
        std::printf("%-40s %5zu steps  median %6.2f ms (message %5.2f)  p95 %6.2f  max %6.2f  mean %6.2f ms  %s\n",
                    name, sorted.size(), at(0.5), handledMedian, at(0.95), sorted.back(),
                    total / static_cast<double>(sorted.size()), at(0.95) < 16.0 ? "p95 under 16 ms" : "p95 OVER 16 ms");
        double cpu = (ThreadCpu() - cpuStart) / static_cast<double>(sorted.size());
        if (!idle.empty())
            std::printf(
                "%-40s then queued work between steps: mean %5.2f ms, max %5.2f ms; CPU per step and pause %5.2f ms\n",
                "", idleTotal / static_cast<double>(idle.size()), idleMax, cpu);
    }
};

// Runs what is queued (timers), as the message loop does between two key repeats.
double PumpQueued()
{
    double start = Now();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return Now() - start;
}

// Waits as a key repeat does (about 30 per second), running queued work meanwhile.
double BetweenSteps()
{
    double queued = PumpQueued();
    Sleep(25);
    return queued + PumpQueued();
}

// One user step: a message to the view, then the paint it causes, timed together (and
// the message alone into `handling` when given).
template <typename Step>
double Timed(HWND view, Step step, std::vector<double>* handling = nullptr)
{
    double start = Now();
    step();
    if (handling) handling->push_back(Now() - start);
    UpdateWindow(view);
    return Now() - start;
}

double PaintOnce(HWND view)
{
    return Timed(view, [&] { InvalidateRect(view, nullptr, FALSE); });
}

void SetUp(int id)
{
    SetOption(id, OPTION_RULER_HEIGHT, 10, 0);
    SetOption(id, OPTION_LINE_NUMBER_WIDTH, 50, 0);
    for (int mark = 0; mark < VIEW_MARK_COUNT; ++mark) ShowMark(id, mark, 1, 0);
    SetOption(id, OPTION_CLICKABLE, 65535, 0);
}

void AddRules(int id)
{
    AddEmphasis(id, "\x8A\xBF\x8E\x9A", nullptr, 1, RGB(0, 0, 255), 0, 1, 0);  // 漢字
    AddEmphasis(id, "ASCII", nullptr, 1, RGB(0, 0, 255), 0, 1, 0);
    AddEmphasis(id, "\x81\x75", "\x81\x76", 3, RGB(200, 0, 0), 0, 2, 0);  // 「 」
    AddEmphasis(id, "/*", "*/", 4, RGB(0, 128, 0), 0, 6, 0);
}

void Run(HWND frame, size_t megabytes, bool wrap)
{
    const int id = 0;
    SetViewCount(1);
    CreateView(id, frame, 0, 0, 1000, 700);
    SetUp(id);
    AddRules(id);
    HWND view = GetViewWindow(id);
    FocusView(id);
    std::printf("\n== %zu MB document, wrapping %s\n", megabytes, wrap ? "on" : "off");

    double t0 = Now();
    std::string text = MakeDocument(megabytes << 20);
    double t1 = Now();
    SetText(id, text.c_str());
    double t2 = Now();
    int lines = GetLineCount(id);
    std::printf("generated %zu bytes, %d lines in %.0f ms; SetText %.0f ms\n", text.size(), lines, t1 - t0, t2 - t1);
    std::string().swap(text);
    if (wrap) SetWrap(id, 1, 0, 1);
    UpdateWindow(view);

    // Typing near the end: each character typed and painted.
    Timings typing;
    SetCaretLine(id, lines);       // the last page on screen ...
    SetCaretLine(id, lines - 20);  // ... and the caret in its middle
    UpdateWindow(view);
    for (int i = 0; i < 300; ++i) {
        typing.steps.push_back(Timed(
            view, [&] { SendMessageW(view, WM_CHAR, i % 3 ? 0x3042 : L'a', 1); }, &typing.handling));
        typing.idle.push_back(BetweenSteps());
    }
    typing.Print("type a character near the end + paint");

    // Paging down 1,000 times from the top.
    Timings paging;
    SetCaretLine(id, 1);
    UpdateWindow(view);
    HoldCtrl(false);
    for (int i = 0; i < 1000; ++i) {
        paging.steps.push_back(Timed(
            view, [&] { SendMessageW(view, WM_KEYDOWN, VK_NEXT, 1); }, &paging.handling));
        paging.idle.push_back(BetweenSteps());
    }
    paging.Print("Page Down + paint");

    // Jumping between the first and the last line (Ctrl+End, Ctrl+Home).
    Timings jumping;
    HoldCtrl(true);
    for (int i = 0; i < 40; ++i) {
        jumping.steps.push_back(Timed(
            view, [&] { SendMessageW(view, WM_KEYDOWN, VK_END, 1); }, &jumping.handling));
        jumping.idle.push_back(BetweenSteps());
        Timed(view, [&] { SendMessageW(view, WM_KEYDOWN, VK_HOME, 1); });
        BetweenSteps();
    }
    HoldCtrl(false);
    jumping.Print("Ctrl+End to the last line + paint");
    std::printf("caret after the last jump back: line %d of %d\n", GetCaretLine(id), GetLineCount(id));

    Timings painting;
    SetCaretLine(id, lines / 2);
    UpdateWindow(view);
    for (int i = 0; i < 100; ++i) painting.steps.push_back(PaintOnce(view));
    painting.Print("full repaint in the middle");
    DestroyView(id);
}

// The time of a paint must not grow with the document.
void PaintScaling(HWND frame)
{
    std::printf("\n== one full repaint (median of 50) by document size\n");
    for (size_t kilobytes : {16u, 1024u, 16u * 1024u, 100u * 1024u}) {
        SetViewCount(1);
        CreateView(0, frame, 0, 0, 1000, 700);
        SetUp(0);
        AddRules(0);
        HWND view = GetViewWindow(0);
        std::string text = MakeDocument(kilobytes << 10);
        SetText(0, text.c_str());
        std::string().swap(text);
        double top, end;
        {
            Timings t;
            for (int i = 0; i < 50; ++i) t.steps.push_back(PaintOnce(view));
            std::sort(t.steps.begin(), t.steps.end());
            top = t.steps[t.steps.size() / 2];
        }
        SetCaretLine(0, GetLineCount(0));
        UpdateWindow(view);
        {
            Timings t;
            for (int i = 0; i < 50; ++i) t.steps.push_back(PaintOnce(view));
            std::sort(t.steps.begin(), t.steps.end());
            end = t.steps[t.steps.size() / 2];
        }
        std::printf("%7zu KB  %8d lines  paint at the top %6.3f ms  at the end %6.3f ms\n", kilobytes, GetLineCount(0),
                    top, end);
        DestroyView(0);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    size_t megabytes = argc > 1 ? static_cast<size_t>(std::max(1, std::atoi(argv[1]))) : 100;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;  // a plain parent for the view
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kFrameClass;
    RegisterClassW(&wc);
    HWND frame = CreateWindowW(kFrameClass, L"view timing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1040, 760, nullptr,
                               nullptr, wc.hInstance, nullptr);
    bool plainOnly = argc > 2;
    if (!plainOnly) PaintScaling(frame);
    Run(frame, megabytes, false);
    if (!plainOnly) Run(frame, megabytes, true);
    DestroyWindow(frame);
    return 0;
}
