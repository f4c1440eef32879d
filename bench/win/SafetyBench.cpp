// Timing harness for the safety net under Wine, through the real main window:
//   start-up with 20 recovered documents: from the start until every copy is a painted
//     tab, next to its peer, the same 20 files opened from the command line;
//   typing into a 100 MB document with recovery copies on ([backup] interval 1): each
//     key's frame, from when the key was due until it is painted, so that a copy's piece
//     run in between shows as the key's lateness. A held key, steady typing at a person's
//     fastest pace, then bursts with pauses in which a whole copy is taken.
// Usage: kvte_safety_bench [megabytes per recovered document, default 1] [typing megabytes, default 100]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "app/DocumentCommands.h"
#include "app/KelvaraApp.h"
#include "app/MainWindow.h"
#include "app/Recovery.h"
#include "config/ProfileFile.h"
#include "documents/OpenFile.h"
#include "documents/RecoveryCopies.h"
#include "platform/ModalUi.h"
#include "platform/ProgramFolder.h"
#include "platform/WideText.h"
#include "textcontrol/win32/EditControl.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRecoveredDocuments = 20;
// No process has this id: copies named after it were left by an editor that is gone.
constexpr unsigned long kGoneOwner = 0xFFFFFFF0ul;

// Japanese prose lines of about 50 bytes (Shift_JIS, CR LF).
std::string MakeDocument(size_t bytes, unsigned seed)
{
    static const char* const kPhrases[] = {
        "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD",          // 日本語の文章
        "\x82\xF0\x95\xD2\x8F\x57\x82\xB5\x82\xDC\x82\xB7\x81\x42",  // を編集します。
        "\x8A\xBF\x8E\x9A\x82\xC6\x82\xA9\x82\xC8",                  // 漢字とかな
        " ASCII text 12345 ",
        "\x81\x75\x88\xF8\x97\x70\x81\x76",  // 「引用」
    };
    std::string text;
    text.reserve(bytes + 128);
    size_t line = 0;
    while (text.size() < bytes) {
        const size_t lineStart = text.size();
        text += std::to_string(++line);
        while (text.size() - lineStart < 50) {
            seed = seed * 1103515245u + 12345u;
            text += kPhrases[(seed >> 16) % (sizeof kPhrases / sizeof kPhrases[0])];
        }
        text += "\r\n";
    }
    return text;
}

int AnswerYes(HWND, int, const wchar_t*, const wchar_t*, unsigned) { return IDYES; }
bool CancelFileDialog(const FileDialogRequest&, std::wstring&) { return false; }
INT_PTR CancelDialog(const ModalDialogRequest&) { return -1; }

void Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool StartEditor(const std::wstring& commandLine)
{
    if (!PrepareSettings()) return false;
    if (CreateMainWindow(GetModuleHandleW(nullptr), commandLine.c_str(), SW_SHOW) != StartResult::Created) return false;
    StartRecovery(theApp);
    UpdateWindow(theApp.mainWindow);
    return true;
}

// The window gone and its copies forgotten, as at the end of a run, without closing's questions.
void EndEditor()
{
    StopRecovery(theApp);
    theApp.recovery.writer.reset();
    theApp.documents.recovery = RecoveryCopies{};
    if (IsWindow(theApp.mainWindow)) DestroyWindow(theApp.mainWindow);
    theApp.mainWindow = nullptr;
    ReleaseDocumentWindows(theApp);
    Pump();
}

void EmptyFolder(const fs::path& folder)
{
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    fs::create_directories(folder, ignored);
}

struct Series {
    std::vector<double> values;
    double At(double q) const
    {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        if (sorted.empty()) return 0;
        return sorted[std::min(sorted.size() - 1, static_cast<size_t>(q * static_cast<double>(sorted.size())))];
    }
};

// The 20 files, and their copies as an editor that crashed left them (kept in `kept`).
bool MakeRecoveredSet(const fs::path& folder, size_t bytes, std::wstring& commandLine)
{
    if (!StartEditor(L"")) return false;
    for (int i = 0; i < kRecoveredDocuments; ++i) {
        const fs::path file = folder / ("doc" + std::to_string(i) + ".txt");
        const std::string text = MakeDocument(bytes, static_cast<unsigned>(i + 1));
        FILE* out = _wfopen(file.c_str(), L"wb");
        if (out == nullptr) return false;
        std::fwrite(text.data(), 1, text.size(), out);
        std::fclose(out);
        commandLine += L"\"" + file.wstring() + L"\" ";
        if (OpenFile(theApp.documents, InternalFromWide(file.wstring()), kOpenModeNewTab, true) != kOpenLoaded) return false;
        InsertText(CurrentView(), "\x82\xA0");  // あ
    }
    WriteRecoveryCopiesNow(theApp);
    const fs::path kept = folder / "kept";
    EmptyFolder(kept);
    int copied = 0;
    for (const auto& entry : fs::directory_iterator(folder / "backup")) {
        unsigned long owner = 0;
        const std::string name = entry.path().filename().string();
        if (!RecoveryCopyOwner(name, owner)) continue;
        const std::string slot = name.substr(name.find('-') + 1);
        std::error_code failed;
        fs::copy_file(entry.path(), kept / (std::to_string(kGoneOwner) + "-" + slot), failed);
        copied += failed ? 0 : 1;
    }
    EndEditor();
    return copied == kRecoveredDocuments;
}

void StartUpWithRecoveredDocuments(const fs::path& folder, size_t megabytes)
{
    std::wstring commandLine;
    if (!MakeRecoveredSet(folder, megabytes << 20, commandLine)) {
        std::printf("could not make the recovered documents\n");
        return;
    }
    std::printf("\n== start-up with %d recovered documents of %zu MB each\n", kRecoveredDocuments, megabytes);
    Series restored, opened;
    for (int round = 0; round < 5; ++round) {
        EmptyFolder(folder / "backup");
        for (const auto& entry : fs::directory_iterator(folder / "kept")) {
            fs::copy_file(entry.path(), folder / "backup" / entry.path().filename());
        }
        double start = Now();
        const bool started = StartEditor(L"");
        restored.values.push_back(Now() - start);
        const int tabs = theApp.documents.list.tabCount;
        EndEditor();
        if (!started || tabs < kRecoveredDocuments) {
            std::printf("restoring gave %d tabs\n", tabs);
            return;
        }
        EmptyFolder(folder / "backup");
        start = Now();
        StartEditor(commandLine);
        opened.values.push_back(Now() - start);
        EndEditor();
    }
    std::printf("%-44s median %7.1f ms  best %7.1f ms\n", "start, message 74 answered, tabs painted",
                restored.At(0.5), restored.At(0));
    std::printf("%-44s median %7.1f ms  best %7.1f ms  (restore / open %.2f)\n", "peer: the 20 files on the command line",
                opened.At(0.5), opened.At(0), restored.At(0.5) / std::max(opened.At(0.5), 0.001));
}

struct TypingRun {
    Series frames;     // each key, from when it was due until painted
    Series keys;       // each key's own message and paint
    double longestMessage = 0;  // any one message run between keys
    int copiesTaken = 0;
};

// Runs what arrives until dueMs, timing each message.
void PumpUntil(double dueMs, TypingRun& run)
{
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const double start = Now();
            TranslateMessage(&message);
            DispatchMessageW(&message);
            run.longestMessage = std::max(run.longestMessage, Now() - start);
        }
        const double left = dueMs - Now();
        if (left <= 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    }
}

// keys typed one every periodMs; after every burst of `burst` keys, a pause of pauseMs.
void Type(HWND view, int keys, int burst, double pauseMs, TypingRun& run, double periodMs = 33.0)
{
    const int slot = CurrentView();
    double due = Now();
    for (int i = 0; i < keys; ++i) {
        due += (i > 0 && i % burst == 0) ? pauseMs : periodMs;
        const std::uint64_t before = theApp.documents.recovery.slots.size() > static_cast<size_t>(slot)
                                         ? theApp.documents.recovery.slots[static_cast<size_t>(slot)].copiedCounter
                                         : 0;
        PumpUntil(due, run);
        const std::uint64_t after = theApp.documents.recovery.slots.size() > static_cast<size_t>(slot)
                                        ? theApp.documents.recovery.slots[static_cast<size_t>(slot)].copiedCounter
                                        : 0;
        run.copiesTaken += after != before ? 1 : 0;
        const double start = Now();
        SendMessageW(view, WM_CHAR, i % 3 ? 0x3042 : L'a', 1);
        UpdateWindow(view);
        run.keys.values.push_back(Now() - start);
        run.frames.values.push_back(Now() - due);
    }
}

void Print(const char* name, const TypingRun& run)
{
    const double longest = run.frames.At(1.0);
    std::printf("%-32s %4zu keys  frame median %5.1f  p99 %5.1f  max %6.1f ms  (key alone max %5.1f, longest message "
                "between keys %5.1f)  copies %d  %s\n",
                name, run.frames.values.size(), run.frames.At(0.5), run.frames.At(0.99), longest, run.keys.At(1.0),
                run.longestMessage, run.copiesTaken, longest <= 50.0 ? "no frame above 50 ms" : "FRAME OVER 50 ms");
}

void TypingWithRecovery(size_t megabytes)
{
    if (!StartEditor(L"")) return;
    SetSection(*theApp.settings, "backup");
    WriteInt(*theApp.settings, "interval", 1);
    const int slot = CurrentView();
    double start = Now();
    SetTextOwned(slot, MakeDocument(megabytes << 20, 7));
    const int lines = GetLineCount(slot);
    SetCaretLine(slot, lines);
    SetCaretLine(slot, lines - 20);
    HWND view = GetViewWindow(slot);
    FocusView(slot);
    UpdateWindow(view);
    std::printf("\n== typing into a %zu MB document (%d lines, set in %.0f ms), copies 1 s after the last change\n",
                megabytes, lines, Now() - start);
    TypingRun warmUp, steady, paced, bursts;
    Type(view, 30, 30, 0, warmUp);    // the first keys after the text was set, not counted
    Type(view, 300, 300, 0, steady);  // ten seconds without a pause (a held key): a copy falls due after four
    Print("held key, 30 a second, 10 s", steady);
    Type(view, 120, 120, 0, paced, 125.0);  // a person typing fast, never stopping
    Print("typing 8 a second, 15 s", paced);
    Type(view, 160, 20, 5000, bursts);  // a copy begins 1 s into each pause and has 4 s to finish
    Print("bursts of 20 keys, 5 s pauses", bursts);
    SetSection(*theApp.settings, "backup");
    WriteInt(*theApp.settings, "interval", 0);
    TypingRun off;
    Type(view, 150, 150, 0, off);
    Print("peer: copies off", off);
    EndEditor();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const size_t recoveredMegabytes = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 1;
    const size_t typingMegabytes = argc > 2 ? std::wcstoul(argv[2], nullptr, 10) : 100;
    theApp.emphasis.colourFileReported = true;  // no colour file beside a bench
    SetModalUiHandlers({&AnswerYes, &CancelFileDialog, &CancelDialog});
    const fs::path folder = fs::temp_directory_path() / "kvte-safety-bench";
    EmptyFolder(folder);
    SetProgramPathForTesting((folder / "kvte.exe").wstring());
    StartUpWithRecoveredDocuments(folder, std::max<size_t>(recoveredMegabytes, 1));
    TypingWithRecovery(std::max<size_t>(typingMegabytes, 1));
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
