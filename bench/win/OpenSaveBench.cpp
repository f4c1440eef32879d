// Timing harness for opening and saving huge files under Wine, phase by phase, as the
// documents code does it: read the whole file, detect its encoding, convert it to
// InternalText, hand it to a real editing view, paint; then take the text back, encode
// it and replace the file atomically. Prints a table of the phases (ms, MB/s) with the
// process's memory after each one, and the peaks at the end.
// Usage: kvte_open_bench utf8 [megabytes] [lines]   Japanese UTF-8 (default 148 MB in
//                                                   3,000,000 lines), saved as Shift_JIS,
//                                                   five rounds
//        kvte_open_bench sjis [megabytes]           Shift_JIS (default 500 MB): open,
//                                                   scroll, save once; peak memory against
//                                                   the file's size
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchClock.h"
#include "BenchKeys.h"
#include "encoding/Detection.h"
#include "encoding/FileText.h"
#include "files/FileAccess.h"
#include "textcontrol/win32/EditControl.h"

namespace {

const wchar_t kFrameClass[] = L"KvteOpenBenchFrame";

// The process's commit and resident size sampled every millisecond by a thread of its own:
// the peaks that GetProcessMemoryInfo keeps are not kept by every system (Wine reports a
// peak commit below a later current one).
class MemorySampler {
public:
    MemorySampler() { thread_ = CreateThread(nullptr, 0, &MemorySampler::Loop, this, 0, nullptr); }
    ~MemorySampler()
    {
        InterlockedExchange(&stop_, 1);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    SIZE_T PeakCommit() const { return peakCommit_; }
    SIZE_T PeakResident() const { return peakResident_; }

private:
    static DWORD WINAPI Loop(void* self)
    {
        MemorySampler& s = *static_cast<MemorySampler*>(self);
        while (InterlockedCompareExchange(&s.stop_, 0, 0) == 0) {
            PROCESS_MEMORY_COUNTERS m = {};
            m.cb = sizeof m;
            if (GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof m)) {
                if (m.PagefileUsage > s.peakCommit_) s.peakCommit_ = m.PagefileUsage;
                if (m.WorkingSetSize > s.peakResident_) s.peakResident_ = m.WorkingSetSize;
            }
            Sleep(1);
        }
        return 0;
    }
    HANDLE thread_ = nullptr;
    volatile LONG stop_ = 0;
    volatile SIZE_T peakCommit_ = 0, peakResident_ = 0;
};

double Megabytes(double bytes) { return bytes / 1e6; }

PROCESS_MEMORY_COUNTERS Memory()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// Japanese prose phrases in InternalText (Shift_JIS-2004): kanji and kana with their
// punctuation, ASCII words and numbers, a tab now and then.
const char* const kPhrases[] = {
    "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD",                  // 日本語の文章
    "\x82\xF0\x95\xD2\x8F\x57\x82\xB5\x82\xDC\x82\xB7\x81\x42",          // を編集します。
    "\x8A\xBF\x8E\x9A\x82\xC6\x82\xA9\x82\xC8",                          // 漢字とかな
    "\x82\xB1\x82\xEA\x82\xCD\x83\x65\x83\x58\x83\x67\x82\xC5\x82\xB7",  // これはテストです
    "\x81\x41",                                                          // 、
    "\x81\x75\x88\xF8\x97\x70\x81\x76",                                  // 「引用」
    "\x8D\xA1\x93\xFA\x82\xCD\x90\xB0\x82\xEA",                          // 今日は晴れ
    "\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8A\x4A\x82\xAD",          // ファイルを開く
    "\x95\xB6\x8E\x9A\x83\x52\x81\x5B\x83\x68",                          // 文字コード
    " ASCII text 12345 ",
    "Version 2.1",
    " (see page 42) ",
    "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8",  // あいうえお
    "\xF0\x42\xEF\xE3",                          // 丏鷗
    "\x81\x40\x83\x65\x83\x58\x83\x67\t",        // 　テスト<tab>
    "\x93\x8C\x8B\x9E\x93\x73",                  // 東京都
};
constexpr size_t kPhraseCount = sizeof kPhrases / sizeof kPhrases[0];

// Writes a file of about `bytes` bytes in `lines` CR LF lines, block by block so that the
// harness never holds it whole (the peak memory belongs to the program's phases alone).
bool GenerateFile(const std::wstring& path, size_t bytes, size_t lines, bool utf8)
{
    std::vector<std::string> phrases;
    for (const char* phrase : kPhrases) phrases.push_back(utf8 ? InternalTextToUtf8(phrase) : std::string(phrase));
    size_t phraseMean = 0;
    for (const std::string& p : phrases) phraseMean += p.size();
    phraseMean /= phrases.size();

    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::string block;
    block.reserve(4u << 20);
    unsigned seed = 2024;
    size_t written = 0;
    bool ok = true;
    for (size_t line = 0; line < lines && ok; ++line) {
        // Aim each line at what is left to write, give or take 60%, so the total comes out
        // close to the size asked for.
        size_t left = bytes > written + block.size() ? bytes - written - block.size() : 0;
        size_t mean = left / (lines - line);
        mean = mean > phraseMean / 2 + 2 ? mean - phraseMean / 2 - 2 : 1;
        seed = seed * 1103515245u + 12345u;
        size_t target = mean * (40 + (seed >> 16) % 121) / 100;
        size_t start = block.size();
        while (block.size() - start < target) {
            seed = seed * 1103515245u + 12345u;
            block += phrases[(seed >> 16) % kPhraseCount];
        }
        block += "\r\n";
        if (block.size() >= (4u << 20) || line + 1 == lines) {
            DWORD wrote = 0;
            ok = WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &wrote, nullptr) &&
                 wrote == block.size();
            written += block.size();
            block.clear();
        }
    }
    CloseHandle(file);
    return ok;
}

struct Phase {
    std::string name;
    double ms;
    double bytes;  // what the phase went through, for MB/s; 0 when it has no size
    SIZE_T commit, workingSet;
};

class PhaseTable {
public:
    // Times body(); bytes is the amount it processed.
    template <typename Body>
    void Run(const std::string& name, double bytes, Body body)
    {
        double start = Now();
        body();
        double ms = Now() - start;
        PROCESS_MEMORY_COUNTERS m = Memory();
        phases_.push_back({name, ms, bytes, m.PagefileUsage, m.WorkingSetSize});
    }
    void Rule(const std::string& title) { phases_.push_back({title, -1, 0, 0, 0}); }

    void Print(double fileBytes) const
    {
        std::printf("  %-36s %9s %9s %11s %11s\n", "phase", "ms", "MB/s", "commit MB", "resident MB");
        double group = 0;
        for (const Phase& p : phases_) {
            if (p.ms < 0) {
                if (group > 0)
                    std::printf("  %-36s %9.0f %9.0f\n", "  total", group, Megabytes(fileBytes) / group * 1e3);
                group = 0;
                std::printf("  -- %s\n", p.name.c_str());
                continue;
            }
            group += p.ms;
            if (p.bytes > 0)
                std::printf("  %-36s %9.1f %9.0f %11.0f %11.0f\n", p.name.c_str(), p.ms,
                            Megabytes(p.bytes) / p.ms * 1e3, Megabytes(static_cast<double>(p.commit)),
                            Megabytes(static_cast<double>(p.workingSet)));
            else
                std::printf("  %-36s %9.1f %9s %11.0f %11.0f\n", p.name.c_str(), p.ms, "",
                            Megabytes(static_cast<double>(p.commit)), Megabytes(static_cast<double>(p.workingSet)));
        }
        if (group > 0) std::printf("  %-36s %9.0f %9.0f\n", "  total", group, Megabytes(fileBytes) / group * 1e3);
    }
    double Total(size_t from, size_t to) const
    {
        double sum = 0;
        for (size_t i = from; i < to && i < phases_.size(); ++i)
            if (phases_[i].ms > 0) sum += phases_[i].ms;
        return sum;
    }
    size_t Count() const { return phases_.size(); }

private:
    std::vector<Phase> phases_;
};

std::wstring BenchFolder()
{
    wchar_t module[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring folder(module, n);
    folder.resize(folder.find_last_of(L"\\/") + 1);
    folder += L"bench-files";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

struct Scenario {
    bool utf8;
    size_t bytes;
    size_t lines;
    int rounds;
};

struct Round {
    PhaseTable table;
    double openMs = 0, saveMs = 0, scrollMs = 0, saveUtf8Ms = 0;
    int lines = 0;
    EncodingCode code = EncodingCode::ShiftJis;
    bool ok = false;
};

// One open (read, detect, convert, hand to a view, paint), for Shift_JIS a scroll, for UTF-8
// a save as UTF-8, and a save as Shift_JIS, each to savePath (replacing the copy before).
// Saves view id's text as code under savePath as the editor does (GetText, the encoding
// taking the text, the atomic write), each step a phase under title; ms receives their
// total. False, with the failure printed, when the text could not be encoded or written.
bool TimeSave(PhaseTable& table, int id, EncodingCode code, const std::wstring& savePath, const char* title,
              double& ms)
{
    table.Rule(title);
    const size_t from = table.Count();
    std::string text;
    table.Run("GetTextLength + GetText", 0, [&] {
        int length = GetTextLength(id);
        text.resize(static_cast<size_t>(length) + 1);
        text.resize(static_cast<size_t>(GetText(id, &text[0], static_cast<int>(LineEndingCode::Crlf))));
    });
    std::string out;
    bool encoded = false;
    table.Run("encode (EncodeFileBytes, taking)", static_cast<double>(text.size()), [&] {
        encoded = EncodeFileBytes(std::move(text), code, LineEndingCode::Automatic, out);
    });
    FileStatus written;
    table.Run("write (ReplaceWholeFile)", static_cast<double>(out.size()),
              [&] { written = ReplaceWholeFile(savePath.c_str(), out.data(), out.size()); });
    std::string().swap(out);
    ms = table.Total(from, table.Count());
    if (!encoded || !written) {
        std::printf("save failed: kind %d, code %lu\n", static_cast<int>(written.kind), written.systemCode);
        return false;
    }
    return true;
}

Round OpenScrollSave(HWND frame, const std::wstring& path, const std::wstring& savePath, double fileBytes, bool scroll)
{
    Round r;
    PhaseTable& table = r.table;
    const int id = 0;
    SetViewCount(1);
    CreateView(id, frame, 0, 0, 1000, 700);
    SetOption(id, OPTION_LINE_NUMBER_WIDTH, 50, 0);
    SetOption(id, OPTION_RULER_HEIGHT, 10, 0);
    HWND view = GetViewWindow(id);
    UpdateWindow(view);

    table.Rule("open");
    size_t from = table.Count();
    std::string bytes;
    FileStatus read;
    table.Run("read (ReadWholeFile)", fileBytes, [&] { read = ReadWholeFile(path.c_str(), bytes); });
    if (!read) {
        std::printf("read failed: kind %d, code %lu\n", static_cast<int>(read.kind), read.systemCode);
        return r;
    }
    table.Run("detect (DetectEncoding)", fileBytes, [&] { r.code = DetectEncoding(bytes.data(), bytes.size()); });
    DecodedFile decoded;
    bool converted = false;
    table.Run("convert (DecodeFileBytesAs, taking)", fileBytes,
              [&] { converted = DecodeFileBytesAs(std::move(bytes), r.code, decoded); });
    if (!converted) {
        std::printf("decoding failed\n");
        return r;
    }
    const double textBytes = static_cast<double>(decoded.text.size());
    int set = 0;
    table.Run("SetTextOwned into the view", textBytes, [&] { set = SetTextOwned(id, std::move(decoded.text)); });
    if (!set) {
        std::printf("SetTextOwned failed\n");
        return r;
    }
    table.Run("first paint", 0, [&] {
        InvalidateRect(view, nullptr, FALSE);
        UpdateWindow(view);
    });
    r.openMs = table.Total(from, table.Count());
    r.lines = GetLineCount(id);

    if (scroll) {
        table.Rule("scroll");
        from = table.Count();
        HoldCtrl(false);
        table.Run("Page Down x 100 (each painted)", 0, [&] {
            for (int i = 0; i < 100; ++i) {
                SendMessageW(view, WM_KEYDOWN, VK_NEXT, 1);
                UpdateWindow(view);
            }
        });
        HoldCtrl(true);
        table.Run("Ctrl+End + paint", 0, [&] {
            SendMessageW(view, WM_KEYDOWN, VK_END, 1);
            UpdateWindow(view);
        });
        table.Run("Ctrl+Home + paint", 0, [&] {
            SendMessageW(view, WM_KEYDOWN, VK_HOME, 1);
            UpdateWindow(view);
        });
        HoldCtrl(false);
        r.scrollMs = table.Total(from, table.Count());
    }

    // A UTF-8 file is first saved as it was read (the default): converted back to UTF-8.
    if (r.code == EncodingCode::Utf8 &&
        !TimeSave(table, id, EncodingCode::Utf8, savePath, "save as UTF-8 (as read)", r.saveUtf8Ms)) {
        return r;
    }
    if (!TimeSave(table, id, EncodingCode::ShiftJis, savePath, "save as Shift_JIS", r.saveMs)) return r;
    DestroyView(id);
    r.ok = true;
    return r;
}

int RunScenario(HWND frame, const Scenario& s)
{
    const std::wstring path = BenchFolder() + (s.utf8 ? L"japanese-utf8.txt" : L"japanese-sjis.txt");
    std::printf("\n== %s file, %zu lines, about %.0f MB\n", s.utf8 ? "UTF-8" : "Shift_JIS", s.lines,
                Megabytes(static_cast<double>(s.bytes)));
    double g0 = Now();
    if (!GenerateFile(path, s.bytes, s.lines, s.utf8)) {
        std::printf("cannot write %ls\n", path.c_str());
        return 1;
    }
    WIN32_FILE_ATTRIBUTE_DATA info;
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &info);
    const double fileBytes = static_cast<double>(info.nFileSizeLow) + 4294967296.0 * info.nFileSizeHigh;
    std::printf("generated %.0f bytes in %.0f ms\n", fileBytes, Now() - g0);

    const SIZE_T baseCommit = Memory().PagefileUsage;
    MemorySampler sampler;
    std::vector<Round> rounds;
    for (int k = 0; k < s.rounds; ++k) {
        rounds.push_back(OpenScrollSave(frame, path, path + L".saved", fileBytes, !s.utf8));
        const Round& r = rounds.back();
        if (!r.ok) return 1;
        std::printf("round %d: open %.0f ms, save as Shift_JIS %.0f ms%s\n", k + 1, r.openMs, r.saveMs,
                    (s.utf8 ? ", save as UTF-8 " + std::to_string(static_cast<int>(r.saveUtf8Ms))
                            : ", scroll " + std::to_string(static_cast<int>(r.scrollMs)))
                        .c_str());
    }
    // The fastest round in full, and the medians (a shared machine's other work shows in
    // single rounds).
    const Round* best = &rounds[0];
    std::vector<double> opens, saves;
    for (const Round& r : rounds) {
        if (r.openMs + r.saveMs < best->openMs + best->saveMs) best = &r;
        opens.push_back(r.openMs);
        saves.push_back(r.saveMs);
    }
    std::sort(opens.begin(), opens.end());
    std::sort(saves.begin(), saves.end());
    std::printf("%d lines in the view, detected %s; the fastest of %zu rounds:\n", best->lines,
                std::string(EncodingCodeName(best->code)).c_str(), rounds.size());
    best->table.Print(fileBytes);
    const double openMedian = opens[opens.size() / 2], saveMedian = saves[saves.size() / 2];
    std::printf("open: best %.0f ms, median %.0f ms; save as Shift_JIS: best %.0f ms, median %.0f ms", opens.front(),
                openMedian, saves.front(), saveMedian);
    if (s.utf8) std::printf(" (medians %s 1 s)", openMedian < 1000 && saveMedian < 1000 ? "under" : "NOT under");
    std::printf("\n");

    PROCESS_MEMORY_COUNTERS m = Memory();
    const SIZE_T peakCommit = std::max(sampler.PeakCommit(), m.PeakPagefileUsage);
    const SIZE_T peakResident = std::max(sampler.PeakResident(), m.PeakWorkingSetSize);
    std::printf("peak commit: sampled %.0f MB, PeakPagefileUsage %.0f MB -> %.2f x the file (%.0f MB before opening)\n",
                Megabytes(static_cast<double>(sampler.PeakCommit())),
                Megabytes(static_cast<double>(m.PeakPagefileUsage)), static_cast<double>(peakCommit) / fileBytes,
                Megabytes(static_cast<double>(baseCommit)));
    std::printf("peak resident: sampled %.0f MB, PeakWorkingSetSize %.0f MB -> %.2f x the file\n",
                Megabytes(static_cast<double>(sampler.PeakResident())),
                Megabytes(static_cast<double>(m.PeakWorkingSetSize)), static_cast<double>(peakResident) / fileBytes);
    if (!s.utf8)
        std::printf("peak memory under 2.5 x the file: %s\n",
                    static_cast<double>(std::max(peakCommit, peakResident)) < 2.5 * fileBytes ? "yes" : "NO");
    DeleteFileW(path.c_str());
    DeleteFileW((path + L".saved").c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Scenario s = {true, 148000000, 3000000, 5};
    if (argc > 1 && std::strcmp(argv[1], "sjis") == 0) s = {false, 500000000, 10000000, 1};
    if (argc > 2) s.bytes = static_cast<size_t>(std::max(1, std::atoi(argv[2]))) * 1000000;
    if (argc > 3)
        s.lines = static_cast<size_t>(std::max(1, std::atoi(argv[3])));
    else if (!s.utf8)
        s.lines = s.bytes / 50;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;  // a plain parent for the view
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kFrameClass;
    RegisterClassW(&wc);
    HWND frame = CreateWindowW(kFrameClass, L"open and save timing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1040, 760,
                               nullptr, nullptr, wc.hInstance, nullptr);
    int result = RunScenario(frame, s);
    DestroyWindow(frame);
    return result;
}
