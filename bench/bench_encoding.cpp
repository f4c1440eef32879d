// Throughput of DetectEncoding and of the eight conversions and those of Windows Shift-JIS on 64 MiB generated corpora,
// each next to glibc iconv doing the nearest conversion on the same bytes, with a
// summary of MB/s and ratios at the end. Detection runs with and without the vector blocks,
// next to ICU's charset detector where the build has ICU; the UTF-8 opening path runs as
// the direct conversion, as the two steps through UTF-16 it replaces, and in the file's own
// buffer as opening does it.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_encoding_corpus.h"
#include "encoding/Conversion.h"
#include "encoding/Detection.h"
#include "encoding/FileText.h"

#if defined(KVTE_BENCH_ICU)
#include <unicode/ucsdet.h>
#endif

namespace {

constexpr std::size_t kCorpusSize = 64u << 20;

// One corpus in every encoding, produced by the program's own conversions.
struct Corpus {
    std::string sjis, euc, jis, utf8;
    std::u16string utf16;
    // The same text as Windows Shift-JIS, and that read back: the characters both hold.
    std::string cp932, cp932Internal;
};

Corpus MakeCorpus(const std::string& internal)
{
    Corpus c;
    c.sjis = internal;
    c.euc.resize(2 * internal.size() + 1);
    c.euc.resize(static_cast<std::size_t>(InternalToEuc(&c.euc[0], internal, static_cast<std::int64_t>(c.euc.size()))));
    c.jis.resize(5 * internal.size() + 2);
    c.jis.resize(static_cast<std::size_t>(InternalToJis(&c.jis[0], internal, static_cast<std::int64_t>(c.jis.size()))));
    c.utf16.resize(internal.size() + 2);
    c.utf16.resize(static_cast<std::size_t>(
        InternalToUtf16(&c.utf16[0], internal, false, static_cast<std::int64_t>(c.utf16.size()))));
    c.utf8.resize(3 * c.utf16.size() + 4);
    c.utf8.resize(
        static_cast<std::size_t>(Utf16ToUtf8(&c.utf8[0], c.utf16, false, static_cast<std::int64_t>(c.utf8.size()))));
    c.cp932.resize(internal.size() + 1);
    c.cp932.resize(
        static_cast<std::size_t>(InternalToCp932(&c.cp932[0], internal, static_cast<std::int64_t>(c.cp932.size()))));
    c.cp932Internal.resize(c.cp932.size() + 1);
    c.cp932Internal.resize(static_cast<std::size_t>(
        Cp932ToInternal(&c.cp932Internal[0], c.cp932, static_cast<std::int64_t>(c.cp932Internal.size()))));
    return c;
}

struct Measured {
    std::size_t bytes = 0;  // source bytes per iteration
    double mbPerSecond = 0;
};
std::map<std::string, Measured> g_results;

// Registers a benchmark that runs work() once per iteration over `bytes` source bytes.
struct Pending {
    std::string name;
    std::size_t bytes;
    std::function<void()> work;
};
std::vector<Pending> g_pending;

// Conversions that consume their input: a fresh copy per iteration, made with the timer
// paused.
struct InPlace {
    std::string name;
    const std::string* bytes;
};
std::vector<InPlace> g_inPlace;

// Collects a benchmark that runs work() once per iteration over `bytes` source bytes.
void Add(const std::string& name, std::size_t bytes, std::function<void()> work)
{
    g_results[name].bytes = bytes;
    g_pending.push_back({name, bytes, std::move(work)});
}

// Registers every collected benchmark once per round, round after round, so that each
// conversion and its iconv peer are measured at nearly the same moments of a shared
// machine's load; the summary keeps the best round of each.
void RegisterRounds(int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        for (const InPlace& p : g_inPlace) {
            benchmark::RegisterBenchmark(
                p.name.c_str(),
                [bytes = p.bytes](benchmark::State& state) {
                    for (auto _ : state) {
                        state.PauseTiming();
                        std::string copy = *bytes;
                        DecodedFile file;
                        state.ResumeTiming();
                        DecodeFileBytesAs(std::move(copy), EncodingCode::Utf8, file);
                        benchmark::DoNotOptimize(file.text.data());
                    }
                    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes->size()));
                })
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.3);
        }
        for (const Pending& p : g_pending) {
            benchmark::RegisterBenchmark(
                p.name.c_str(),
                [bytes = p.bytes, work = p.work](benchmark::State& state) {
                    for (auto _ : state) work();
                    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
                })
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.3);
        }
    }
}

// iconv over the whole input in one call, into a buffer of the given size.
void AddIconv(const std::string& name, const char* to, const char* from, const void* input, std::size_t bytes,
              std::size_t outputSize)
{
    auto output = std::make_shared<std::vector<char>>(outputSize);
    Add(name, bytes, [=] {
        iconv_t cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            std::fprintf(stderr, "iconv cannot convert %s to %s\n", from, to);
            return;
        }
        char* in = const_cast<char*>(static_cast<const char*>(input));
        std::size_t inLeft = bytes;
        char* out = output->data();
        std::size_t outLeft = output->size();
        while (inLeft > 0) {
            if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
                if (inLeft == 0 || outLeft == 0) break;
                ++in;  // skip what iconv cannot convert, as the program replaces it
                --inLeft;
            }
        }
        benchmark::DoNotOptimize(out);
        iconv_close(cd);
    });
}

#if defined(KVTE_BENCH_ICU)
// ICU's charset detector over the same bytes: its best match, as opening would take it.
void AddIcuDetection(const std::string& name, const std::string* text)
{
    Add(name, text->size(), [text] {
        UErrorCode status = U_ZERO_ERROR;
        UCharsetDetector* detector = ucsdet_open(&status);
        ucsdet_setText(detector, text->data(), static_cast<std::int32_t>(text->size()), &status);
        const UCharsetMatch* match = ucsdet_detect(detector, &status);
        benchmark::DoNotOptimize(match ? ucsdet_getName(match, &status) : nullptr);
        ucsdet_close(detector);
    });
}
#endif

// Records each benchmark's MB/s for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            auto found = g_results.find(run.run_name.function_name);
            if (found == g_results.end() || run.iterations == 0 || run.run_type != Run::RT_Iteration) continue;
            // CPU time, best of the rounds: the machine is shared, and the peer is measured
            // the same way.
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            const double rate = static_cast<double>(found->second.bytes) / seconds / 1e6;
            if (rate > found->second.mbPerSecond) found->second.mbPerSecond = rate;
        }
    }
};

double Rate(const std::string& name) { return g_results.count(name) ? g_results[name].mbPerSecond : 0; }

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const Corpus prose = MakeCorpus(bench_corpus::Prose(kCorpusSize));
    const Corpus source = MakeCorpus(bench_corpus::SourceCode(kCorpusSize));

    struct Pair {
        std::string ours, peer;
    };
    std::vector<Pair> pairs;
    std::vector<std::string> detections;
    std::vector<Pair> detectionPairs;  // with the vector blocks, and its peer

    for (const auto& [label, c] : {std::pair<const char*, const Corpus*>{"prose", &prose}, {"source", &source}}) {
        const std::string tag = std::string("/") + label;
        for (const auto& [encoding, text] : {std::pair<const char*, const std::string*>{"sjis", &c->sjis},
                                             {"euc", &c->euc},
                                             {"utf8", &c->utf8},
                                             {"jis", &c->jis}}) {
            const std::string name = std::string("DetectEncoding/") + encoding + tag;
            detections.push_back(name);
            Add(name, text->size(), [text] { benchmark::DoNotOptimize(DetectEncoding(text->data(), text->size())); });
            const std::string plain = std::string("DetectEncoding without vectors/") + encoding + tag;
            detections.push_back(plain);
            Add(plain, text->size(),
                [text] { benchmark::DoNotOptimize(DetectionEvidenceForTesting(text->data(), text->size(), false)); });
#if defined(KVTE_BENCH_ICU)
            const std::string icu = std::string("ICU ucsdet_detect/") + encoding + tag;
            AddIcuDetection(icu, text);
            detectionPairs.push_back({name, icu});
#endif
        }
        {
            const std::string name = std::string("DetectEncoding/utf16") + tag;
            const char* units = reinterpret_cast<const char*>(c->utf16.data());
            const std::size_t size = c->utf16.size() * 2;
            detections.push_back(name);
            Add(name, size, [units, size] { benchmark::DoNotOptimize(DetectEncoding(units, size)); });
        }
        const std::size_t n = c->sjis.size();
        auto units = std::make_shared<std::u16string>(n + 2, u'\0');
        auto bytes = std::make_shared<std::string>(5 * n + 2, '\0');
        const std::size_t u16Bytes = c->utf16.size() * 2;
        auto add = [&](const std::string& ours, const std::string& peer, const char* to, const char* from,
                       const void* input, std::size_t size, std::size_t outSize, std::function<void()> work) {
            Add(ours + tag, size, std::move(work));
            AddIconv(peer + tag, to, from, input, size, outSize);
            pairs.push_back({ours + tag, peer + tag});
        };
        add("InternalToUtf16", "iconv SHIFT_JISX0213>UTF-16LE", "UTF-16LE", "SHIFT_JISX0213", c->sjis.data(), n,
            4 * n + 8, [c, units] {
                InternalToUtf16(&(*units)[0], c->sjis.c_str(), false, static_cast<std::int64_t>(units->size()));
            });
        add("Utf16ToInternal", "iconv UTF-16LE>SHIFT_JISX0213", "SHIFT_JISX0213", "UTF-16LE", c->utf16.data(), u16Bytes,
            2 * u16Bytes + 8,
            [c, bytes] { Utf16ToInternal(&(*bytes)[0], c->utf16.c_str(), static_cast<std::int64_t>(bytes->size())); });
        add("Utf8ToUtf16", "iconv UTF-8>UTF-16LE", "UTF-16LE", "UTF-8", c->utf8.data(), c->utf8.size(),
            2 * c->utf8.size() + 8, [c, wide = std::make_shared<std::u16string>(c->utf8.size() + 1, u'\0')] {
                Utf8ToUtf16(&(*wide)[0], c->utf8.c_str(), static_cast<std::int64_t>(wide->size()));
            });
        // Opening a UTF-8 file: straight to InternalText, next to the two steps through
        // UTF-16 that it replaces, and in the file's own buffer (the copy made for each
        // round is not timed).
        add("Utf8ToInternal", "iconv UTF-8>SHIFT_JISX0213", "SHIFT_JISX0213", "UTF-8", c->utf8.data(), c->utf8.size(),
            c->utf8.size() + 8, [c, out = std::make_shared<std::string>(2 * c->utf8.size() + 1, '\0')] {
                Utf8ToInternal(&(*out)[0], std::string_view(c->utf8), static_cast<std::int64_t>(out->size()));
            });
        {
            const std::string twoSteps = "Utf8ToUtf16+Utf16ToInternal" + tag;
            Add(twoSteps, c->utf8.size(),
                [c, wide = std::make_shared<std::u16string>(c->utf8.size() + 1, u'\0'),
                 out = std::make_shared<std::string>(2 * c->utf8.size() + 1, '\0')] {
                    const std::int64_t n =
                        Utf8ToUtf16(&(*wide)[0], std::string_view(c->utf8), static_cast<std::int64_t>(wide->size()));
                    Utf16ToInternal(&(*out)[0], std::u16string_view(wide->data(), static_cast<std::size_t>(n)),
                                    static_cast<std::int64_t>(out->size()));
                });
            pairs.push_back({"Utf8ToInternal" + tag, twoSteps});
            const std::string inPlace = "DecodeFileBytesAs Utf8 in place" + tag;
            g_results[inPlace].bytes = c->utf8.size();
            g_inPlace.push_back({inPlace, &c->utf8});
            pairs.push_back({inPlace, "iconv UTF-8>SHIFT_JISX0213" + tag});
        }
        // Saving as UTF-8: straight from InternalText, next to the two steps it replaces.
        add("InternalToUtf8", "iconv SHIFT_JISX0213>UTF-8", "UTF-8", "SHIFT_JISX0213", c->sjis.data(), n, 3 * n + 8,
            [c, out = std::make_shared<std::string>(3 * n + 4, '\0')] {
                InternalToUtf8(&(*out)[0], std::string_view(c->sjis), false, static_cast<std::int64_t>(out->size()));
            });
        {
            const std::string twoSteps = "InternalToUtf16+Utf16ToUtf8" + tag;
            Add(twoSteps, n,
                [c, wide = std::make_shared<std::u16string>(n + 2, u'\0'),
                 out = std::make_shared<std::string>(3 * n + 4, '\0')] {
                    const std::int64_t units = InternalToUtf16(&(*wide)[0], std::string_view(c->sjis), false,
                                                               static_cast<std::int64_t>(wide->size()));
                    Utf16ToUtf8(&(*out)[0], std::u16string_view(wide->data(), static_cast<std::size_t>(units)), false,
                                static_cast<std::int64_t>(out->size()));
                });
            pairs.push_back({"InternalToUtf8" + tag, twoSteps});
        }
        add("Utf16ToUtf8", "iconv UTF-16LE>UTF-8", "UTF-8", "UTF-16LE", c->utf16.data(), u16Bytes, 2 * u16Bytes + 8,
            [c, bytes] {
                Utf16ToUtf8(&(*bytes)[0], c->utf16.c_str(), false, static_cast<std::int64_t>(bytes->size()));
            });
        add("InternalToJis", "iconv SHIFT_JISX0213>ISO-2022-JP-3", "ISO-2022-JP-3", "SHIFT_JISX0213", c->sjis.data(), n,
            5 * n + 8,
            [c, bytes] { InternalToJis(&(*bytes)[0], c->sjis.c_str(), static_cast<std::int64_t>(bytes->size())); });
        add("JisToInternal", "iconv ISO-2022-JP-3>SHIFT_JISX0213", "SHIFT_JISX0213", "ISO-2022-JP-3", c->jis.data(),
            c->jis.size(), c->jis.size() + 8,
            [c, bytes] { JisToInternal(&(*bytes)[0], c->jis.c_str(), static_cast<std::int64_t>(bytes->size())); });
        add("InternalToEuc", "iconv SHIFT_JISX0213>EUC-JISX0213", "EUC-JISX0213", "SHIFT_JISX0213", c->sjis.data(), n,
            2 * n + 8,
            [c, bytes] { InternalToEuc(&(*bytes)[0], c->sjis.c_str(), static_cast<std::int64_t>(bytes->size())); });
        add("Cp932ToInternal", "iconv CP932>SHIFT_JISX0213", "SHIFT_JISX0213", "CP932", c->cp932.data(),
            c->cp932.size(), c->cp932.size() + 8, [c, bytes] {
                Cp932ToInternal(&(*bytes)[0], c->cp932.c_str(), static_cast<std::int64_t>(bytes->size()));
            });
        add("InternalToCp932", "iconv SHIFT_JISX0213>CP932", "CP932", "SHIFT_JISX0213", c->cp932Internal.data(),
            c->cp932Internal.size(), c->cp932Internal.size() + 8, [c, bytes] {
                InternalToCp932(&(*bytes)[0], c->cp932Internal.c_str(), static_cast<std::int64_t>(bytes->size()));
            });
        add("EucToInternal", "iconv EUC-JISX0213>SHIFT_JISX0213", "SHIFT_JISX0213", "EUC-JISX0213", c->euc.data(),
            c->euc.size(), c->euc.size() + 8,
            [c, bytes] { EucToInternal(&(*bytes)[0], c->euc.c_str(), static_cast<std::int64_t>(bytes->size())); });
    }

    RegisterRounds(3);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::printf("\nSummary (MB/s of source bytes per CPU second, best of 3 interleaved rounds; corpora of %zu MiB)\n",
                kCorpusSize >> 20);
    for (const std::string& name : detections)
        if (Rate(name) > 0) std::printf("  %-40s %9.0f MB/s\n", name.c_str(), Rate(name));
    for (const Pair& p : detectionPairs)
        if (Rate(p.ours) > 0 && Rate(p.peer) > 0)
            std::printf("  %-40s %9.0f MB/s  %-30s %9.0f MB/s  %5.1fx\n", p.ours.c_str(), Rate(p.ours), p.peer.c_str(),
                        Rate(p.peer), Rate(p.ours) / Rate(p.peer));
    std::printf("  %-40s %10s   %-40s %10s  %6s\n", "conversion", "ours", "peer", "peer", "ratio");
    for (const Pair& p : pairs) {
        if (Rate(p.ours) <= 0) continue;
        const double peer = Rate(p.peer);
        std::printf("  %-40s %10.0f   %-40s %10.0f  %5.1fx\n", p.ours.c_str(), Rate(p.ours), p.peer.c_str(), peer,
                    peer > 0 ? Rate(p.ours) / peer : 0.0);
    }
    return 0;
}
