// Speed and memory of the editing control's text model on a 100 MB, 2-million-line
// Japanese document: loading, writing out, single-character edits at random places,
// line <-> offset conversions, colouring one screen after opening a comment at the top.
// Peers in the same run: memcpy for loading and writing, std::string::insert for edits,
// a flat array of line starts for conversions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "textcontrol/model/TextModel.h"
#include "textcontrol/model/WrapLayout.h"

using namespace kvte::textcontrol;

namespace {

constexpr size_t kLines = 2000000;
constexpr size_t kTargetBytes = 100u * 1000u * 1000u;

// Lines of hiragana, katakana, kanji and some ASCII, CR LF ends, about 50 bytes each.
const std::string& Document()
{
    static const std::string text = [] {
        static const char* words[] = {"\x82\xB1\x82\xEA\x82\xCD",
                                      "\x93\xFA\x96\x7B\x8C\xEA",
                                      "\x83\x65\x83\x4C\x83\x58\x83\x67",
                                      "\x95\xB6\x8E\x9A",
                                      "if (x) ",
                                      "\x81\x41",
                                      "\x82\xC5\x82\xB7",
                                      "abc123 ",
                                      "\t",
                                      "\x8A\xBF\x8E\x9A\x82\xC6\x82\xA9\x82\xC8",
                                      "\x81\x42",
                                      "http://example.jp/ "};
        std::mt19937 rng(42);
        std::string out;
        out.reserve(kTargetBytes + 1024);
        size_t perLine = kTargetBytes / kLines - 2;
        for (size_t line = 0; line < kLines; ++line) {
            size_t want = perLine / 2 + rng() % perLine;
            size_t start = out.size();
            while (out.size() - start < want) out += words[rng() % (sizeof words / sizeof *words)];
            out += "\r\n";
        }
        return out;
    }();
    return text;
}

size_t ReadStatusKb(const char* key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, std::strlen(key), key) == 0) return std::stoul(line.substr(std::strlen(key)));
    return 0;
}

TextModel& LoadedModel()
{
    static TextModel* model = [] {
        auto* m = new TextModel;
        m->SetText(Document());
        return m;
    }();
    return *model;
}

void BM_PeakMemoryOfLoading(benchmark::State& state)
{
    const std::string& text = Document();
    for (auto _ : state) {
        // Reset the peak-RSS mark so that only this load is measured.
        {
            std::ofstream("/proc/self/clear_refs") << "5";
        }
        size_t before = ReadStatusKb("VmRSS:");
        TextModel model;
        model.SetText(text);
        size_t peak = ReadStatusKb("VmHWM:");
        double limitMb = (1.5 * text.size() + 16.0 * kLines) / 1e6;
        state.counters["peak_MB"] = (peak - before) * 1024.0 / 1e6;
        state.counters["held_MB"] = model.MemoryUse() / 1e6;
        state.counters["limit_MB"] = limitMb;
        state.counters["text_MB"] = text.size() / 1e6;
        state.counters["lines"] = model.GetLineCount();
    }
}
BENCHMARK(BM_PeakMemoryOfLoading)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SetText(benchmark::State& state)
{
    const std::string& text = Document();
    TextModel model;
    for (auto _ : state) benchmark::DoNotOptimize(model.SetText(text));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SetText)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_SetText_PeerMemcpy(benchmark::State& state)
{
    const std::string& text = Document();
    std::vector<char> copy(text.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), text.data(), text.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_SetText_PeerMemcpy)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_GetText(benchmark::State& state)
{
    TextModel& model = LoadedModel();
    std::vector<char> out(model.GetTextLength() + 1);
    int mode = static_cast<int>(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(model.GetText(out.data(), out.size(), mode));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out.size()));
}
BENCHMARK(BM_GetText)->Arg(kLineEndingCrLf)->Arg(kLineEndingLf)->Iterations(3)->Unit(benchmark::kMillisecond);

// A recovery copy taken in pieces between messages: the longest single piece is the pause
// that typing can meet; the whole copy's time is the peer (GetText above).
void BM_RecoverySnapshotInPieces(benchmark::State& state)
{
    TextModel& model = LoadedModel();
    const size_t piece = static_cast<size_t>(state.range(0)) << 20;
    double longest = 0;
    std::vector<double> pieces;
    for (auto _ : state) {
        std::string out;
        out.reserve(model.GetTextLength() + 64);
        for (size_t at = 0; at < model.ByteLength();) {
            auto start = std::chrono::steady_clock::now();
            at = model.AppendTextPiece(at, piece, kLineEndingCrLf, out);
            std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            longest = std::max(longest, took.count());
            pieces.push_back(took.count());
        }
        benchmark::DoNotOptimize(out.data());
    }
    std::sort(pieces.begin(), pieces.end());
    state.counters["longest_piece_ms"] = longest;
    state.counters["median_piece_ms"] = pieces.empty() ? 0 : pieces[pieces.size() / 2];
    state.counters["p99_piece_ms"] = pieces.empty() ? 0 : pieces[pieces.size() * 99 / 100];
}
BENCHMARK(BM_RecoverySnapshotInPieces)->Arg(1)->Arg(4)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_RandomSingleCharacterEdits(benchmark::State& state)
{
    TextModel& model = LoadedModel();
    std::mt19937 rng(1);
    int length = static_cast<int>(model.GetTextLength());
    bool insert = state.range(0) == 1;
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 10000; ++i) {
            int offset = 1 + static_cast<int>(rng() % length);
            model.SelectRange(offset, offset);
            if (insert)
                model.InsertText("\x82\xA0");
            else
                model.DeleteBackward();
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    // Each edit includes placing the caret by offset, as a click or a search would.
    state.counters["per_edit_us"] = seconds * 1e6 / (10000.0 * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_RandomSingleCharacterEdits)
    ->ArgName("insert")
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_RandomEdits_PeerStringInsert(benchmark::State& state)
{
    std::string text = Document();
    std::mt19937 rng(1);
    double seconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 100; ++i) text.insert(rng() % text.size(), "\x82\xA0");
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["per_edit_us"] = seconds * 1e6 / (100.0 * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_RandomEdits_PeerStringInsert)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LineOffsetConversions(benchmark::State& state)
{
    TextModel& model = LoadedModel();
    std::mt19937 rng(2);
    int lines = model.GetLineCount();
    int length = static_cast<int>(model.GetTextLength());
    long sum = 0;
    for (auto _ : state) {
        for (int i = 0; i < 5000; ++i) {
            sum += model.OffsetOfPosition({1 + static_cast<int>(rng() % lines), 1});
            sum += model.PositionOfOffset(1 + static_cast<int>(rng() % length)).line;
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LineOffsetConversions)->Unit(benchmark::kMillisecond);

void BM_LineOffsetConversions_PeerFlatArray(benchmark::State& state)
{
    static std::vector<uint32_t> starts = [] {
        std::vector<uint32_t> s{0};
        const std::string& text = Document();
        for (size_t i = 0; i < text.size(); ++i)
            if (text[i] == '\n') s.push_back(static_cast<uint32_t>(i + 1));
        return s;
    }();
    std::mt19937 rng(2);
    long sum = 0;
    for (auto _ : state) {
        for (int i = 0; i < 5000; ++i) {
            sum += starts[rng() % starts.size()];
            sum += std::upper_bound(starts.begin(), starts.end(), static_cast<uint32_t>(rng() % starts.back())) -
                   starts.begin();
        }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LineOffsetConversions_PeerFlatArray)->Unit(benchmark::kMillisecond);

// A view of 50 lines at the top; each iteration types "/*" at the very start (all lines
// below become comment), colours the screen, and takes the edit back.
void BM_TokenizeScreenAfterOpeningComment(benchmark::State& state)
{
    TextModel& model = LoadedModel();
    model.ClearEmphasis();
    model.AddEmphasis("if", "", kEmphasisWord, 1, 0, 1, 0);
    model.AddEmphasis("//", "", kEmphasisLineAfter, 2, 0, 6, 0);
    model.AddEmphasis("/*", "*/", kEmphasisMultiBetween, 3, 0, 6, 0);
    model.AddEmphasis("\"", "\"", kEmphasisLineBetween, 4, 0, 2, 0);
    std::vector<ColourRun> runs;
    for (int line = 1; line <= 50; ++line) model.LineColourRuns(line, &runs);
    size_t total = 0;
    for (auto _ : state) {
        model.SetSelection(1, 1, 1, 1);
        model.InsertText("/*");
        auto start = std::chrono::steady_clock::now();
        for (int line = 1; line <= 50; ++line) {
            model.LineColourRuns(line, &runs);
            total += runs.size();
        }
        auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        model.Undo();
    }
    benchmark::DoNotOptimize(total);
    model.ClearEmphasis();
}
BENCHMARK(BM_TokenizeScreenAfterOpeningComment)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The same edit, with the view a million lines further down: every line between must
// have its state carried (inside the comment now), which is the worst case of an edit.
void BM_TokenizeFarScreenAfterOpeningComment(benchmark::State& state)
{
    TextModel& model = LoadedModel();
    model.ClearEmphasis();
    model.AddEmphasis("if", "", kEmphasisWord, 1, 0, 1, 0);
    model.AddEmphasis("/*", "*/", kEmphasisMultiBetween, 3, 0, 6, 0);
    std::vector<ColourRun> runs;
    const int first = 1000000;
    for (int line = first; line < first + 50; ++line) model.LineColourRuns(line, &runs);
    for (auto _ : state) {
        model.SetSelection(1, 1, 1, 1);
        model.InsertText("/*");
        auto start = std::chrono::steady_clock::now();
        for (int line = first; line < first + 50; ++line) model.LineColourRuns(line, &runs);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        model.Undo();
        // Back outside the comment: colour the screen again so the next edit starts alike.
        for (int line = first; line < first + 50; ++line) model.LineColourRuns(line, &runs);
    }
    model.ClearEmphasis();
}
BENCHMARK(BM_TokenizeFarScreenAfterOpeningComment)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// Turning wrap on: rows of one screen in the middle of the document and the estimated
// row count of the whole document for the scroll bar.
void BM_TurnWrapOn(benchmark::State& state)
{
    TextModel& model = LoadedModel();
    WrapLayout wrap(model);
    int width = 40;
    int64_t rows = 0;
    for (auto _ : state) {
        wrap.SetWidth(width);
        width = width == 40 ? 41 : 40;
        VisualRow at = wrap.Advance({1000000, 0}, 0);
        for (int r = 0; r < 50; ++r) at = wrap.Advance(at, 1);
        rows = wrap.EstimatedRowCount();
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_TurnWrapOn)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
