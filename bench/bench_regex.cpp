// Search speed of CKRegExp on a 100 MB Japanese text (Shift_JIS, CR LF lines): literal
// searches against memmem, regular expressions against std::regex (on a 4 MB slice, where
// it finishes), a backward search from the end to a match near the start, and patterns
// that are exponential for a backtracking engine. Ratios are printed after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "regex/KRegExp.h"
#include "regex/MatchPass.h"

namespace {

constexpr std::size_t kTextBytes = 100u * 1000u * 1000u;
constexpr std::size_t kStdRegexSlice = 4u * 1000u * 1000u;

std::string Pair(unsigned code) { return {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}; }

// A word of `count` random kanji (JIS level 1), decided by seed.
std::string KanjiWord(unsigned seed, int count)
{
    std::mt19937 rng(seed);
    std::string word;
    for (int i = 0; i < count; ++i) {
        unsigned lead = 0x89 + rng() % 15;
        unsigned trail = 0x40 + rng() % 0xBC;
        if (trail >= 0x7F) ++trail;
        word += Pair(lead << 8 | trail);
    }
    return word;
}

std::string const kRareWord = KanjiWord(1, 3) + Pair(0x82A0) + KanjiWord(2, 2);  // kanji, あ, kanji
std::string const kNearStartWord = KanjiWord(3, 4);
std::string const kDate = "2026" + Pair(0x944E) + "12" + Pair(0x8C8E);  // 2026年12月

std::vector<std::string> AlternationWords()
{
    std::vector<std::string> words;
    for (unsigned i = 0; i < 10; ++i) words.push_back(KanjiWord(100 + i, 4));
    return words;
}

// Sentences of hiragana, kanji, katakana, punctuation and lower-case ASCII words, without
// ASCII digits or capitals; the searched-for words appear only where they are put.
std::string const& Text()
{
    static std::string const text = [] {
        std::mt19937 rng(2026);
        std::string out;
        out.reserve(kTextBytes + 4096);
        char const* const ascii[] = {"the ", "editor ", "search ", "of ", "text ", "and "};
        std::size_t lineStart = 0;
        while (out.size() < kTextBytes) {
            unsigned r = rng() % 100;
            if (r < 55) {
                out += Pair(0x829F + rng() % 0x53);  // hiragana
            } else if (r < 75) {
                out += KanjiWord(rng(), 1);
            } else if (r < 85) {
                unsigned code = 0x8340 + rng() % 0x56;
                out += Pair(code >= 0x837F ? code + 1 : code);  // katakana
            } else if (r < 90) {
                out += Pair(rng() % 2 ? 0x8141 : 0x8142);  // 、。
            } else {
                out += ascii[rng() % 6];
            }
            if (out.size() - lineStart > 60 + rng() % 40) {
                out += "\r\n";
                lineStart = out.size();
            }
            if (out.size() > 1000 && out.size() < 1010) out += kNearStartWord;
        }
        out += "\r\nKelvara " + kRareWord + " " + kDate + " " + AlternationWords()[7] + "\r\n";
        return out;
    }();
    return text;
}

void Report(benchmark::State& state, std::size_t bytes)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void RunFind(benchmark::State& state, std::string const& pattern, bool regular, bool backward = false)
{
    std::string const& text = Text();
    CKRegExp regex;
    regex.Read(pattern.c_str(), regular);
    if (regex.GetError() != REGEXP_OK) state.SkipWithError("bad pattern");
    int found = -1;
    for (auto _ : state) {
        found = regex.Find(text.c_str(), backward ? static_cast<int>(text.size()) : 0, backward);
        benchmark::DoNotOptimize(found);
    }
    if (found < 0) state.SkipWithError("no match");
    Report(state, backward ? text.size() - static_cast<std::size_t>(found) : static_cast<std::size_t>(found));
}

void RunMemmem(benchmark::State& state, std::string const& needle)
{
    std::string const& text = Text();
    void* hit = nullptr;
    for (auto _ : state) {
        hit = memmem(text.data(), text.size(), needle.data(), needle.size());
        benchmark::DoNotOptimize(hit);
    }
    if (!hit) state.SkipWithError("no match");
    Report(state, static_cast<std::size_t>(static_cast<char const*>(hit) - text.data()));
}

// std::regex over a slice of the text with the match appended, so it has to scan it all.
void RunStdRegex(benchmark::State& state, std::string const& pattern, std::regex::flag_type flags,
                 std::string const& tail)
{
    static std::map<std::string, std::string> slices;
    std::string& slice = slices[tail];
    if (slice.empty()) slice = Text().substr(0, kStdRegexSlice) + "\r\n" + tail;
    std::regex re(pattern, flags);
    std::cmatch m;
    bool ok = false;
    for (auto _ : state) {
        ok = std::regex_search(slice.c_str(), m, re);
        benchmark::DoNotOptimize(ok);
    }
    if (!ok) state.SkipWithError("no match");
    Report(state, slice.size());
}

std::string const kClassPattern = "[0-9]+" + Pair(0x944E) + "[0-9]{1,2}" + Pair(0x8C8E);  // [0-9]+年[0-9]{1,2}月
std::string AlternationPattern()
{
    std::string pattern;
    for (auto const& word : AlternationWords()) pattern += (pattern.empty() ? "" : "|") + word;
    return pattern;
}

void Literal_Ascii(benchmark::State& s) { RunFind(s, "Kelvara", false); }
void Literal_Ascii_memmem(benchmark::State& s) { RunMemmem(s, "Kelvara"); }
void Literal_RareDoubleByte(benchmark::State& s) { RunFind(s, kRareWord, false); }
void Literal_RareDoubleByte_memmem(benchmark::State& s) { RunMemmem(s, kRareWord); }
void Regex_RareDoubleByte(benchmark::State& s) { RunFind(s, kRareWord, true); }
void Regex_IgnoreCase(benchmark::State& s) { RunFind(s, "(?i)kELVARA", true); }
void Regex_IgnoreCase_std(benchmark::State& s) { RunStdRegex(s, "kELVARA", std::regex::icase, "Kelvara"); }
void Regex_ClassQuantifier(benchmark::State& s) { RunFind(s, kClassPattern, true); }
void Regex_ClassQuantifier_std(benchmark::State& s) { RunStdRegex(s, kClassPattern, std::regex::ECMAScript, kDate); }
void Regex_Alternation10(benchmark::State& s) { RunFind(s, AlternationPattern(), true); }
void Regex_Alternation10_std(benchmark::State& s)
{
    RunStdRegex(s, AlternationPattern(), std::regex::ECMAScript, AlternationWords()[7]);
}
void Regex_WordBoundary(benchmark::State& s) { RunFind(s, "\\bK[a-z]+a\\b", true); }
void Regex_LineAnchors(benchmark::State& s) { RunFind(s, "^Kel[a-z]+ .*$", true); }
void Literal_BackwardToStart(benchmark::State& s) { RunFind(s, kNearStartWord, false, true); }
void Regex_BackwardToStart(benchmark::State& s) { RunFind(s, kNearStartWord + "|" + kNearStartWord + "x", true, true); }

// Runs of "a" without the "b": each pattern is exponential for backtracking (std::regex
// needs seconds for 16 characters of (a*)*b, so it gets short runs only).
std::string const& RunOfA(std::size_t length)
{
    static std::map<std::size_t, std::string> runs;
    std::string& run = runs[length];
    if (run.empty()) run.assign(length, 'a');
    return run;
}

void Pathological(benchmark::State& state, char const* pattern)
{
    std::string const& run = RunOfA(static_cast<std::size_t>(state.range(0)));
    CKRegExp regex;
    regex.Read(pattern, true);
    for (auto _ : state) benchmark::DoNotOptimize(regex.Find(run.c_str(), 0, false));
    Report(state, run.size());
}

void PathologicalStd(benchmark::State& state, char const* pattern)
{
    std::string const& run = RunOfA(static_cast<std::size_t>(state.range(0)));
    std::regex re(pattern);
    for (auto _ : state) benchmark::DoNotOptimize(std::regex_search(run, re));
    Report(state, run.size());
}

void Pathological_StarStar(benchmark::State& s) { Pathological(s, "(a*)*b"); }
void Pathological_StarStar_std(benchmark::State& s) { PathologicalStd(s, "(a*)*b"); }
void Pathological_Alternation(benchmark::State& s) { Pathological(s, "(a|aa)*b"); }
void Pathological_Alternation_std(benchmark::State& s) { PathologicalStd(s, "(a|aa)*b"); }
void Pathological_Backward(benchmark::State& state)
{
    std::string const& run = RunOfA(static_cast<std::size_t>(state.range(0)));
    CKRegExp regex;
    regex.Read("(a*)*b", true);
    for (auto _ : state) benchmark::DoNotOptimize(regex.Find(run.c_str(), static_cast<int>(run.size()), true));
    Report(state, run.size());
}

// The worst case of the DFA: far more states than its cache holds, rebuilt all the time.
void Dfa_CacheOverflow(benchmark::State& state)
{
    static std::string const text = [] {
        std::mt19937 rng(5);
        std::string t;
        for (int i = 0; i < 4000000; ++i) t.push_back("ab"[rng() % 2]);
        return t + "c";
    }();
    CKRegExp regex;
    regex.Read("a[ab]{20}c", true);
    for (auto _ : state) benchmark::DoNotOptimize(regex.Find(text.c_str(), 0, false));
    Report(state, text.size());
}

// Every match of a word planted about 2,000 times in 90 MB, as kvtefind --all and
// replace-all visit them, against one search of the same text for a word that is not
// there (one full scan). The searches take the text's length, so visiting all matches
// costs about one scan, not one measurement of the whole text per match.
constexpr std::size_t kAllMatchesBytes = 90u * 1000u * 1000u;
std::string const kPlantedWord = KanjiWord(7, 2);

std::string const& PlantedText()
{
    static std::string const text = [] {
        std::string const& source = Text();
        std::string out;
        out.reserve(kAllMatchesBytes + 4096 * kPlantedWord.size());
        // After the line break nearest every 45,000th byte, so the word stays whole.
        std::size_t copied = 0;
        for (std::size_t at = 45000; at < kAllMatchesBytes; at += 45000) {
            std::size_t line = source.find("\r\n", at);
            if (line == std::string::npos || line + 2 > kAllMatchesBytes) break;
            out.append(source, copied, line + 2 - copied);
            out += kPlantedWord;
            copied = line + 2;
        }
        out.append(source, copied, kAllMatchesBytes - copied);
        return out;
    }();
    return text;
}

void AllMatches_Planted(benchmark::State& state)
{
    std::string const& text = PlantedText();
    CKRegExp regex;
    regex.Read(kPlantedWord.c_str(), false);
    std::size_t count = 0;
    for (auto _ : state) {
        count = VisitAllMatches(regex, text.data(), text.size(), [](std::size_t, std::size_t) { return true; });
        benchmark::DoNotOptimize(count);
    }
    state.counters["matches"] = static_cast<double>(count);
    Report(state, text.size());
}

void AllMatches_OneSearch(benchmark::State& state)
{
    std::string const& text = PlantedText();
    CKRegExp regex;
    std::string const absent = KanjiWord(8, 2);  // as long as the planted word, found nowhere
    regex.Read(absent.c_str(), false);
    if (regex.Find(text.c_str(), 0, false) >= 0) state.SkipWithError("the absent word is there");
    for (auto _ : state) benchmark::DoNotOptimize(regex.Find(text.c_str(), 0, false));
    Report(state, text.size());
}

// Collects bytes per second to print the ratios to the peers at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> speed;
    void ReportRuns(std::vector<Run> const& runs) override
    {
        for (Run const& run : runs) {
            auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end()) speed[run.benchmark_name()] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

BENCHMARK(Literal_Ascii)->Unit(benchmark::kMillisecond);
BENCHMARK(Literal_Ascii_memmem)->Unit(benchmark::kMillisecond);
BENCHMARK(Literal_RareDoubleByte)->Unit(benchmark::kMillisecond);
BENCHMARK(Literal_RareDoubleByte_memmem)->Unit(benchmark::kMillisecond);
BENCHMARK(Regex_RareDoubleByte)->Unit(benchmark::kMillisecond);
BENCHMARK(Regex_IgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK(Regex_IgnoreCase_std)->Unit(benchmark::kMillisecond);
BENCHMARK(Regex_ClassQuantifier)->Unit(benchmark::kMillisecond);
BENCHMARK(Regex_ClassQuantifier_std)->Unit(benchmark::kMillisecond);
BENCHMARK(Regex_Alternation10)->Unit(benchmark::kMillisecond);
BENCHMARK(Regex_Alternation10_std)->Unit(benchmark::kMillisecond);
BENCHMARK(Regex_WordBoundary)->Unit(benchmark::kMillisecond);
BENCHMARK(Regex_LineAnchors)->Unit(benchmark::kMillisecond);
BENCHMARK(Literal_BackwardToStart)->Unit(benchmark::kMillisecond);
BENCHMARK(Regex_BackwardToStart)->Unit(benchmark::kMillisecond);
BENCHMARK(Pathological_StarStar)->Arg(12)->Arg(1 << 20)->Arg(1 << 24)->Unit(benchmark::kMicrosecond);
BENCHMARK(Pathological_StarStar_std)->Arg(8)->Arg(10)->Arg(12)->Unit(benchmark::kMicrosecond);
BENCHMARK(Pathological_Alternation)->Arg(12)->Arg(1 << 20)->Arg(1 << 24)->Unit(benchmark::kMicrosecond);
BENCHMARK(Pathological_Alternation_std)->Arg(8)->Arg(12)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK(Pathological_Backward)->Arg(1 << 20)->Arg(1 << 24)->Unit(benchmark::kMicrosecond);
BENCHMARK(Dfa_CacheOverflow)->Unit(benchmark::kMillisecond);
BENCHMARK(AllMatches_Planted)->Unit(benchmark::kMillisecond);
BENCHMARK(AllMatches_OneSearch)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](char const* ours, char const* peer) {
        auto a = reporter.speed.find(ours), b = reporter.speed.find(peer);
        if (a == reporter.speed.end() || b == reporter.speed.end() || b->second <= 0) return;
        std::printf("%-32s %8.0f MB/s   %-34s %8.0f MB/s   ratio %.2f\n", ours, a->second / 1e6, peer, b->second / 1e6,
                    a->second / b->second);
    };
    std::printf("\nCKRegExp against its peers (bytes scanned per second):\n");
    ratio("Literal_Ascii", "Literal_Ascii_memmem");
    ratio("Literal_RareDoubleByte", "Literal_RareDoubleByte_memmem");
    ratio("Regex_IgnoreCase", "Regex_IgnoreCase_std");
    ratio("Regex_ClassQuantifier", "Regex_ClassQuantifier_std");
    ratio("Regex_Alternation10", "Regex_Alternation10_std");
    ratio("Pathological_StarStar/12", "Pathological_StarStar_std/12");
    ratio("Pathological_Alternation/12", "Pathological_Alternation_std/12");
    auto a = reporter.speed.find("AllMatches_Planted"), b = reporter.speed.find("AllMatches_OneSearch");
    if (a != reporter.speed.end() && b != reporter.speed.end() && a->second > 0)
        std::printf("\nAll matches of a word planted ~2,000 times in 90 MB take %.2f times one search of it\n",
                    b->second / a->second);
    benchmark::Shutdown();
    return 0;
}
