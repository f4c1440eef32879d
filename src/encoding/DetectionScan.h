// Internal to DetectEncoding: the scoring pass over a file's bytes, shared by the plain
// build of it (Detection.cpp) and the one with 16-byte vector blocks (DetectionVector.cpp,
// compiled for SSE2 even in the 32-bit program and entered only when the processor has it).
// Everything here has internal linkage, so that each of the two files keeps its own copy,
// compiled with its own instruction set.
//
// The scan keeps the skip counters and flags of the rules (utf8Skip 0-2, sjisSkip,
// eucSkip) as one of twelve states and applies the scoring rules through a transition
// table indexed by the state and the classes of the byte at the position, the byte after
// it and the one after that: one table load per position instead of a tree of
// unpredictable branches. Where sixteen positions hold no byte that only the general step
// decides (a zero, ESC, "+" while UTF-7 is still possible), they are stepped through
// without a test between them, two positions per load from a table of position pairs,
// which halves the chain of dependent loads that bounds Shift_JIS and EUC-JP text.
// While the state is quiet (no skip pending) the rules for ASCII and for whole three-byte
// UTF-8 forms reduce to "nothing" and "2 for UTF-8, skip two positions, quiet again", so
// runs of them are taken without the table: byte by byte and eight ASCII bytes at a time
// (QuietRun), or sixteen positions at a time with vectors (QuietBlock). After the first
// zero byte only three rules still apply; the vector build takes sixteen such positions at
// once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "encoding/Detection.h"
#include "encoding/EncodingTypes.h"

namespace {
namespace detection_scan {

constexpr unsigned char kCr = 0x0D, kLf = 0x0A, kEsc = 0x1B;

// Classes of the byte at a position (c) and of the byte after it (d) for the scoring
// rules; the byte after that only matters as a UTF-8 continuation byte or not.
constexpr unsigned kClassesC = 8, kClassesD = 7, kInputs = kClassesC * kClassesD * 2, kStates = 12;

constexpr unsigned ClassOfC(unsigned c)
{
    if (c < 0x80) return 0;
    if (c == 0x8E) return 2;
    if (c <= 0x9F) return 1;
    if (c <= 0xBF) return 3;
    if (c <= 0xDF) return 4;
    if (c <= 0xEF) return 5;
    if (c <= 0xFE) return 6;
    return 7;
}

constexpr unsigned ClassOfD(unsigned d)
{
    if (d >= 0x40 && d <= 0x7E) return 1;
    if (d >= 0x80 && d <= 0xA0) return 2;
    if (d >= 0xA1 && d <= 0xBF) return 3;
    if (d >= 0xC0 && d <= 0xDF) return 4;
    if (d >= 0xE0 && d <= 0xFC) return 5;
    if (d >= 0xFD && d <= 0xFE) return 6;
    return 0;
}

// The score deltas of a step in 10-bit fields of one 32-bit word (one add per step, also
// in the 32-bit program). A step adds at most 2 to a field; the fields are emptied into the
// totals once kFlushPositions positions have passed, checked after each run of at most
// kLongestTableRun table steps and one general step, so no field can reach 1024.
constexpr int kSjisShift = 0, kEucShift = 10, kUtf8Shift = 20;
constexpr std::uint32_t kFieldMask = (1u << 10) - 1;
constexpr std::size_t kFlushPositions = 256, kLongestTableRun = 64;
static_assert(2 * (kFlushPositions + kLongestTableRun + 1) < 1024, "score fields would overflow");

constexpr unsigned StateId(unsigned utf8Skip, bool sjisSkip, bool eucSkip)
{
    return utf8Skip * 4 + (sjisSkip ? 2 : 0) + (eucSkip ? 1 : 0);
}

struct RuleResult {
    unsigned next;        // StateId
    std::uint32_t delta;  // score deltas in 10-bit fields
};

// Rules 7-10 of one position in a state, for the classes of c, d and e.
constexpr RuleResult ApplyRules(unsigned state, unsigned cc, unsigned dc, unsigned eCont)
{
    const unsigned utf8Skip = state / 4;
    const bool sjisSkip = (state & 2) != 0, eucSkip = (state & 1) != 0;
    unsigned sjis = 0, euc = 0, utf8 = 0, next = 0;
    const bool dTrail = dc >= 1 && dc <= 5;  // 0x40-0x7E, 0x80-0xFC
    const bool dEuc = dc >= 3;               // 0xA1-0xFE
    const bool dKana = dc == 3 || dc == 4;   // 0xA1-0xDF
    const bool dCont = dc == 2 || dc == 3;   // 0x80-0xBF
    if (utf8Skip > 0) {
        next = StateId(utf8Skip - 1, sjisSkip, eucSkip);
    } else if (cc >= 4 && dCont && eCont) {  // c 0xC0-0xFF: a UTF-8 lead
        next = StateId(2, sjisSkip, eucSkip);
        utf8 = 2;
    } else if (sjisSkip) {
        next = StateId(0, false, eucSkip);
    } else if (eucSkip) {
        next = StateId(0, false, false);
    } else {
        bool setSjis = false, setEuc = false;
        switch (cc) {
        case 1:  // 0x80-0x9F but 0x8E
        case 2:  // 0x8E
            if (cc == 2 && dKana) euc += 2, setEuc = true;
            if (dTrail) sjis += 2, setSjis = true;
            break;
        case 3:  // 0xA0-0xDF
        case 4:
            sjis += 1;
            if (dEuc) {
                euc += 2, setEuc = true;
                if (dKana) sjis += 1;
            }
            break;
        case 5:  // 0xE0-0xEF
            if (dEuc) euc += 2, setEuc = true;
            if (dTrail) sjis += 2, setSjis = true;
            break;
        case 6:  // 0xF0-0xFE
            if (dEuc) euc += 2, setEuc = true;
            break;
        default:
            break;  // below 0x80, and 0xFF
        }
        next = StateId(0, setSjis, setEuc);
    }
    return {next, sjis << kSjisShift | euc << kEucShift | utf8 << kUtf8Shift};
}

struct TransitionTables {
    std::uint16_t next[kStates * kInputs];   // next state, times kInputs
    std::uint32_t delta[kStates * kInputs];  // score deltas in 10-bit fields
};

// Rules 7-10 of one position, for every state and input class. The next state on its own
// table keeps the per-position dependency chain to one add and one 16-bit load.
constexpr TransitionTables MakeTransitions()
{
    TransitionTables table{};
    for (unsigned state = 0; state < kStates; ++state)
        for (unsigned cc = 0; cc < kClassesC; ++cc)
            for (unsigned dc = 0; dc < kClassesD; ++dc)
                for (unsigned eCont = 0; eCont < 2; ++eCont) {
                    const RuleResult r = ApplyRules(state, cc, dc, eCont);
                    const unsigned k = state * kInputs + cc * kClassesD * 2 + dc * 2 + eCont;
                    table.next[k] = static_cast<std::uint16_t>(r.next * kInputs);
                    table.delta[k] = r.delta;
                }
    return table;
}

// Two positions per table step: their bytes c0 c1 c2 c3 decide both (c0 as c, c1 as d of
// the first; c1 as c, c2 as d, c3 as e of the second; c2 as e of the first, which its
// class as d tells). c1 plays two parts, so it takes a joint class that both classes follow
// from: the bytes split at every boundary of either.
constexpr unsigned char kJointFirst[] = {0x00, 0x40, 0x7F, 0x80, 0x8E, 0x8F, 0xA0, 0xA1, 0xC0, 0xE0, 0xF0, 0xFD, 0xFF};
constexpr unsigned kJointClasses = sizeof kJointFirst;
constexpr unsigned kPairInputs = kClassesC * kJointClasses * kClassesD * 2;

constexpr unsigned JointClass(unsigned b)
{
    unsigned j = 0;
    while (j + 1 < kJointClasses && kJointFirst[j + 1] <= b) ++j;
    return j;
}

constexpr bool JointClassesHold()
{
    for (unsigned b = 0; b < 256; ++b) {
        const unsigned first = kJointFirst[JointClass(b)];
        if (ClassOfC(b) != ClassOfC(first) || ClassOfD(b) != ClassOfD(first)) return false;
    }
    // A continuation byte is one whose class as d is 0x80-0xA0 or 0xA1-0xBF.
    for (unsigned b = 0; b < 256; ++b)
        if (((b & 0xC0) == 0x80) != (ClassOfD(b) == 2 || ClassOfD(b) == 3)) return false;
    return true;
}
static_assert(JointClassesHold(), "the joint classes must refine both byte classes");

struct PairTables {
    std::uint16_t next[kStates * kPairInputs];   // next state, times kPairInputs
    std::uint32_t delta[kStates * kPairInputs];  // both positions' deltas
};

constexpr PairTables MakePairTransitions()
{
    PairTables table{};
    for (unsigned state = 0; state < kStates; ++state)
        for (unsigned c0 = 0; c0 < kClassesC; ++c0)
            for (unsigned j1 = 0; j1 < kJointClasses; ++j1)
                for (unsigned d2 = 0; d2 < kClassesD; ++d2)
                    for (unsigned e3 = 0; e3 < 2; ++e3) {
                        const unsigned b1 = kJointFirst[j1];
                        const unsigned cont2 = d2 == 2 || d2 == 3;
                        const RuleResult first = ApplyRules(state, c0, ClassOfD(b1), cont2);
                        const RuleResult second = ApplyRules(first.next, ClassOfC(b1), d2, e3);
                        const unsigned k = state * kPairInputs + ((c0 * kJointClasses + j1) * kClassesD + d2) * 2 + e3;
                        table.next[k] = static_cast<std::uint16_t>(second.next * kPairInputs);
                        table.delta[k] = first.delta + second.delta;
                    }
    return table;
}

// What a byte is to the quiet run, at a position in the quiet state.
enum QuietKind : std::uint8_t {
    kQuietStop,       // the table or the general step decide here
    kQuietAscii,      // nothing to score
    kQuietLineBreak,  // CR or LF: nothing to score unless a zero follows
    kQuietUtf8Lead,   // 0xE0-0xEF: a three-byte UTF-8 form when two continuation bytes follow
};

struct ByteTables {
    std::uint16_t c[256];        // class of c, times kClassesD * 2
    std::uint8_t d[256];         // class of d, times 2
    std::uint8_t cont[256];      // 1 for a UTF-8 continuation byte (0x80-0xBF)
    std::uint8_t oddHigh[256];   // 1 for 0xA0-0xF7, which marks a file as not UTF-16 at odd positions
    std::uint8_t quiet[2][256];  // QuietKind, without and with "+" starting a UTF-7 run
    // The three roles of a byte in one word, so that a run of table steps looks each byte
    // up once: c (bits 0-7), d (bits 8-15), 1 for a continuation byte as e (bits 16-23).
    std::uint32_t roles[256];
    // The parts of a byte in a two-position step: as c0 (bits 0-10), as c1 (bits 11-18),
    // as c2 (bits 19-22) and as c3 (bit 23), each already times its place in the index.
    std::uint32_t pairRoles[256];
};

constexpr ByteTables MakeByteTables()
{
    ByteTables t{};
    for (unsigned b = 0; b < 256; ++b) {
        t.c[b] = static_cast<std::uint16_t>(ClassOfC(b) * kClassesD * 2);
        t.d[b] = static_cast<std::uint8_t>(ClassOfD(b) * 2);
        t.cont[b] = (b & 0xC0) == 0x80;
        t.oddHigh[b] = b >= 0xA0 && b <= 0xF7;
        std::uint8_t kind = kQuietStop;
        if (b == kCr || b == kLf)
            kind = kQuietLineBreak;
        else if (b != 0 && b != kEsc && b < 0x80)
            kind = kQuietAscii;
        else if (b >= 0xE0 && b <= 0xEF)
            kind = kQuietUtf8Lead;
        t.quiet[0][b] = kind;
        t.quiet[1][b] = b == '+' ? std::uint8_t{kQuietStop} : kind;
        t.roles[b] = t.c[b] | std::uint32_t(t.d[b]) << 8 | std::uint32_t(t.cont[b]) << 16;
        t.pairRoles[b] = ClassOfC(b) * kJointClasses * kClassesD * 2 | (JointClass(b) * kClassesD * 2) << 11 |
                         (ClassOfD(b) * 2) << 19 | std::uint32_t(t.cont[b]) << 23;
    }
    return t;
}

constexpr TransitionTables kTransitions = MakeTransitions();
constexpr PairTables kPairTransitions = MakePairTransitions();
constexpr ByteTables kBytes = MakeByteTables();

inline bool IsBase64Char(unsigned c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

// Positions that only the general step handles: a zero (here or next), ESC, and "+"
// while it may start a UTF-7 run.
inline bool NeedsGeneralStep(unsigned c, unsigned d, bool plusCounts)
{
    return c == 0 || d == 0 || c == kEsc || (plusCounts && c == '+');
}

struct Scan {
    const unsigned char* b;
    std::size_t length;
    std::uint32_t packed = 0;  // the score deltas not yet added to the totals below
    long long sjis = 0, euc = 0, utf8 = 0, jis = 0, lineBreaksEven = 0;
    unsigned state = 0;  // kInputs * StateId(utf8Skip, sjisSkip, eucSkip)
    bool hasZero = false, oddHigh = false, inBase64 = false, utf7Ok = true;

    unsigned At(std::size_t k) const { return k < length ? b[k] : 0u; }

    void Flush()
    {
        sjis += (packed >> kSjisShift) & kFieldMask;
        euc += (packed >> kEucShift) & kFieldMask;
        utf8 += (packed >> kUtf8Shift) & kFieldMask;
        packed = 0;
    }

    void Transition(unsigned c, unsigned d, unsigned e)
    {
        const unsigned index = state + kBytes.c[c] + kBytes.d[d] + kBytes.cont[e];
        packed += kTransitions.delta[index];
        state = kTransitions.next[index];
    }

    // Every rule for position i; false when the scan must stop with ZeroBytes.
    bool Step(std::size_t i)
    {
        const unsigned c = b[i], d = b[i + 1];
        const bool even = (i & 1) == 0;
        if (c == 0) {
            if (even && d == 0) return false;
            hasZero = true;
        }
        if (even) {
            if ((c == kCr || c == kLf) && d == 0) ++lineBreaksEven;
        } else if (c >= 0xA0 && c <= 0xF7) {
            oddHigh = true;
        }
        if (hasZero) return true;
        if (utf7Ok) {
            if (!inBase64) {
                if (c == '+') inBase64 = true;
            } else if (c == '-') {
                inBase64 = false;
            } else if (!IsBase64Char(c)) {
                utf7Ok = false;
            }
        }
        if (c == kEsc && d == '$') {
            const unsigned e = At(i + 2);
            if (e == '@' || e == 'B' || (e == '(' && (At(i + 3) == 'O' || At(i + 3) == 'P'))) {
                jis += 2;
                return true;
            }
        }
        Transition(c, d, At(i + 2));
        return true;
    }

    // The quiet run from position i (state quiet, UTF-7 run not open, no zero seen): ASCII
    // and three-byte UTF-8 forms; returns the position after what it took, i itself when
    // it took nothing. Reads at most eight bytes ahead of a position, never past the end.
    std::size_t QuietRun(std::size_t i, bool plusCounts)
    {
        if (length < 16 || i >= length - 8) return i;
        const std::uint8_t* quiet = kBytes.quiet[plusCounts ? 1 : 0];
        const unsigned char* p = b + i;
        const unsigned char* const end = b + length - 8;
        std::size_t utf8Added = 0;
        bool odd = oddHigh;
        while (p < end) {
            const unsigned kind = quiet[p[0]];
            if (kind == kQuietAscii) {
                p += QuietAsciiWord(p, plusCounts) ? 8 : 1;
                continue;
            }
            const unsigned d = p[1];
            if (kind == kQuietUtf8Lead && kBytes.cont[d] & kBytes.cont[p[2]]) {
                if (!odd) odd = OddHighIn(p, 3);
                utf8Added += 2;
                p += 3;
                continue;
            }
            if (kind == kQuietLineBreak && d != 0) {
                ++p;
                continue;
            }
            break;
        }
        utf8 += static_cast<long long>(utf8Added);
        oddHigh = odd;
        return static_cast<std::size_t>(p - b);
    }

    // Sixteen table steps from p, two positions at a time, without a test between them: the
    // caller has made sure that none of the positions needs the general step and that p[17]
    // may be read.
    void SixteenSteps(const unsigned char* p)
    {
        const std::uint32_t* roles = kBytes.pairRoles;
        unsigned s = state / kInputs * kPairInputs;
        std::uint32_t deltas = 0;
        for (int k = 0; k < 16; k += 2) {
            const unsigned index = s + (roles[p[k]] & 0x7FF) + ((roles[p[k + 1]] >> 11) & 0xFF) +
                                   ((roles[p[k + 2]] >> 19) & 0xF) + (roles[p[k + 3]] >> 23);
            deltas += kPairTransitions.delta[index];
            s = kPairTransitions.next[index];
        }
        packed += deltas;
        state = s / kPairInputs * kInputs;
    }

    // Whether the eight bytes from p, and the one after them, are ASCII that the quiet
    // run passes over: no zero, no ESC, no "+" while it counts (CR and LF are plain then).
    static bool QuietAsciiWord(const unsigned char* p, bool plusCounts)
    {
        std::uint32_t w[2];
        std::memcpy(w, p, 8);
        const std::uint32_t ones = 0x01010101u, highs = 0x80808080u;
        auto hasZeroByte = [&](std::uint32_t x) { return ((x - ones) & ~x & highs) != 0; };
        for (std::uint32_t x : w) {
            if ((x & highs) || hasZeroByte(x) || hasZeroByte(x ^ (ones * kEsc)) ||
                (plusCounts && hasZeroByte(x ^ (ones * '+'))))
                return false;
        }
        return p[8] != 0;
    }

    // Whether one of the count bytes from p stands at an odd position and is 0xA0-0xF7.
    bool OddHighIn(const unsigned char* p, int count) const
    {
        const std::size_t first = static_cast<std::size_t>(p - b);
        for (int k = (first & 1) ? 0 : 1; k < count; k += 2)
            if (kBytes.oddHigh[p[k]]) return true;
        return false;
    }
};

// The decision rules on the evidence.
inline EncodingCode Decide(const DetectionEvidence& e)
{
    if (e.zeroPair) return EncodingCode::ZeroBytes;
    if (e.lineBreaksEven > 0 && !e.oddHigh) return EncodingCode::Utf16Le;
    if (e.hasZero) return EncodingCode::ZeroBytes;
    if (e.jis > 0) return EncodingCode::Jis;
    if (e.utf8 > e.sjis && e.utf8 > e.euc) return EncodingCode::Utf8;
    if (e.sjis > e.euc && e.sjis > e.utf8) return EncodingCode::ShiftJis;
    if (e.euc > e.sjis && e.euc > e.utf8) return EncodingCode::EucJp;
    if (e.sjis > 0 || e.euc > 0 || e.utf8 > 0) return EncodingCode::Undetermined;
    return e.utf7Ok ? EncodingCode::Utf7Clean : EncodingCode::NoEvidence;
}

inline DetectionEvidence EvidenceOf(Scan& scan, bool zeroPair)
{
    scan.Flush();
    DetectionEvidence e;
    e.sjis = scan.sjis;
    e.euc = scan.euc;
    e.utf8 = scan.utf8;
    e.jis = scan.jis;
    e.lineBreaksEven = scan.lineBreaksEven;
    e.hasZero = scan.hasZero;
    e.oddHigh = scan.oddHigh;
    e.utf7Ok = scan.utf7Ok;
    e.zeroPair = zeroPair;
    return e;
}

// Whether the eight bytes from p hold a zero, an ESC or (while it counts) a "+".
inline bool WordNeedsGeneralStep(const unsigned char* p, bool plusCounts)
{
    std::uint32_t w[2];
    std::memcpy(w, p, 8);
    const std::uint32_t ones = 0x01010101u, highs = 0x80808080u;
    auto hasZeroByte = [&](std::uint32_t x) { return ((x - ones) & ~x & highs) != 0; };
    for (std::uint32_t x : w)
        if (hasZeroByte(x) || hasZeroByte(x ^ (ones * kEsc)) || (plusCounts && hasZeroByte(x ^ (ones * '+'))))
            return true;
    return false;
}

// The scoring pass over every position (length >= 2). Blocks supplies the sixteen-byte
// tests: TableBlockClean(p, plusCounts), whether positions p .. p+15 may take table steps
// without a test (no zero in p[0 .. 16], no ESC nor counting "+" in p[0 .. 15]);
// OddHighAtOdd(p, i), whether one of those sixteen at an odd position is 0xA0-0xF7; and,
// where kQuietBlockBytes / kZeroBlockBytes are not 0, QuietBlock(scan, i, plusCounts) ->
// positions taken in the quiet state (0: none) and ZeroRegimeBlock(scan, i) -> false when
// the scan ends with ZeroBytes, each needing that many bytes left.
template <typename Blocks>
inline DetectionEvidence ScanPositions(const unsigned char* bytes, std::size_t length)
{
    Scan scan{bytes, length};
    const std::size_t last = length - 2;  // the last byte is only ever a following byte
    std::size_t i = 0;
    std::size_t nextFlush = kFlushPositions;
    while (i <= last) {
        if (i >= nextFlush) {
            scan.Flush();
            nextFlush = i + kFlushPositions;
        }
        if (scan.hasZero || (scan.utf7Ok && scan.inBase64)) {
            if (Blocks::kZeroBlockBytes && scan.hasZero && i + Blocks::kZeroBlockBytes <= length) {
                if (!Blocks::ZeroRegimeBlock(scan, i)) return EvidenceOf(scan, true);
                i += 16;
                continue;
            }
            if (!scan.Step(i)) return EvidenceOf(scan, true);
            ++i;
            continue;
        }
        const bool plusCounts = scan.utf7Ok;
        const std::uint8_t* quiet = kBytes.quiet[plusCounts ? 1 : 0];
        if (scan.state == 0 && quiet[bytes[i]] != kQuietStop) {
            if (Blocks::kQuietBlockBytes && i + Blocks::kQuietBlockBytes <= length) {
                if (const std::size_t taken = Blocks::QuietBlock(scan, i, plusCounts)) {
                    i += taken;
                    continue;
                }
            }
            const std::size_t after = scan.QuietRun(i, plusCounts);
            if (after != i) {
                i = after;
                continue;
            }
        }
        if (i + 18 <= length && Blocks::TableBlockClean(bytes + i, plusCounts)) {
            if (!scan.oddHigh) scan.oddHigh = Blocks::OddHighAtOdd(bytes + i, i);
            scan.SixteenSteps(bytes + i);
            i += 16;
            continue;
        }
        // Table steps one by one until the state is quiet again before a byte the quiet run
        // takes, while no position needs the general step; the last position and the ones
        // the table cannot decide take the general step. The first is always the table's.
        const std::size_t stop = last < i + kLongestTableRun ? last : i + kLongestTableRun;
        bool general = false;
        for (bool first = true;; first = false) {
            if (i >= stop) {
                general = true;
                break;
            }
            const unsigned c = bytes[i], d = bytes[i + 1];
            if (!first && scan.state == 0 && quiet[c] != kQuietStop) break;
            if (NeedsGeneralStep(c, d, plusCounts)) {
                general = true;
                break;
            }
            scan.oddHigh |= (i & 1) != 0 && kBytes.oddHigh[c];
            scan.Transition(c, d, bytes[i + 2]);  // i + 2 <= last + 1 < length
            ++i;
        }
        if (general) {
            if (!scan.Step(i)) return EvidenceOf(scan, true);
            ++i;
        }
    }
    return EvidenceOf(scan, false);
}

// No vector blocks: words of four bytes, the quiet run and the table do everything.
struct NoBlocks {
    static constexpr std::size_t kQuietBlockBytes = 0, kZeroBlockBytes = 0;
    static bool TableBlockClean(const unsigned char* p, bool plusCounts)
    {
        return p[16] != 0 && !WordNeedsGeneralStep(p, plusCounts) && !WordNeedsGeneralStep(p + 8, plusCounts);
    }
    static bool OddHighAtOdd(const unsigned char* p, std::size_t i)
    {
        for (int k = (i & 1) ? 0 : 1; k < 16; k += 2)
            if (kBytes.oddHigh[p[k]]) return true;
        return false;
    }
    static std::size_t QuietBlock(Scan&, std::size_t, bool) { return 0; }
    static bool ZeroRegimeBlock(Scan&, std::size_t) { return true; }
};

}  // namespace detection_scan
}  // namespace

namespace encoding_detail {
// DetectionVector.cpp: the scoring pass with the vector blocks. Only for builds where
// VectorDetectionBuilt is true, and only on a processor with SSE2.
constexpr bool VectorDetectionBuilt =
#if defined(__SSE2__) || (defined(__GNUC__) && !defined(__clang__) && defined(__i386__))
    true;
#else
    false;
#endif
DetectionEvidence ScanWithVectorBlocks(const unsigned char* bytes, std::size_t length);
}  // namespace encoding_detail
