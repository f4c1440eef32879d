// DetectEncoding: byte-order marks, then one scoring pass and a fixed order of rules.
//
// The scan keeps the skip counters and flags of the rules (utf8Skip 0-2, sjisSkip,
// eucSkip) as one of twelve states and applies the scoring rules through a transition
// table indexed by the state and the classes of the byte at the position, the byte after
// it and the one after that. Japanese text then costs one table load per byte instead of
// a tree of unpredictable branches. Positions that the table cannot decide (zero bytes,
// ESC, "+" while UTF-7 is still possible, a following zero) take the general step; runs
// of plain ASCII in the quiet state are passed over sixteen bytes at a time, and so is
// everything after the first zero byte, where only three rules still apply.
#include "encoding/Detection.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

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

// A table entry: the deltas of the three scores in 21-bit fields, and the next state
// (pre-multiplied by kInputs, so that it is directly the base of the next index) on top.
constexpr int kSjisShift = 0, kEucShift = 21, kUtf8Shift = 42, kStateShift = 53;
constexpr std::uint64_t kDeltaMask = (std::uint64_t(1) << kStateShift) - 1;
constexpr std::uint64_t kFieldMask = (std::uint64_t(1) << 21) - 1;

constexpr std::uint64_t Entry(unsigned nextState, unsigned sjis, unsigned euc, unsigned utf8)
{
    return std::uint64_t(nextState * kInputs) << kStateShift | std::uint64_t(sjis) << kSjisShift |
           std::uint64_t(euc) << kEucShift | std::uint64_t(utf8) << kUtf8Shift;
}

constexpr unsigned StateId(unsigned utf8Skip, bool sjisSkip, bool eucSkip)
{
    return utf8Skip * 4 + (sjisSkip ? 2 : 0) + (eucSkip ? 1 : 0);
}

// Rules 7-10 of one position, for every state and input class.
constexpr std::array<std::uint64_t, kStates * kInputs> MakeTransitions()
{
    std::array<std::uint64_t, kStates * kInputs> table{};
    for (unsigned state = 0; state < kStates; ++state) {
        const unsigned utf8Skip = state / 4;
        const bool sjisSkip = (state & 2) != 0, eucSkip = (state & 1) != 0;
        for (unsigned cc = 0; cc < kClassesC; ++cc) {
            for (unsigned dc = 0; dc < kClassesD; ++dc) {
                for (unsigned eCont = 0; eCont < 2; ++eCont) {
                    std::uint64_t entry = 0;
                    const bool dTrail = dc >= 1 && dc <= 5;  // 0x40-0x7E, 0x80-0xFC
                    const bool dEuc = dc >= 3;               // 0xA1-0xFE
                    const bool dKana = dc == 3 || dc == 4;   // 0xA1-0xDF
                    const bool dCont = dc == 2 || dc == 3;   // 0x80-0xBF
                    if (utf8Skip > 0) {
                        entry = Entry(StateId(utf8Skip - 1, sjisSkip, eucSkip), 0, 0, 0);
                    } else if (cc >= 4 && dCont && eCont) {  // c 0xC0-0xFF: a UTF-8 lead
                        entry = Entry(StateId(2, sjisSkip, eucSkip), 0, 0, 2);
                    } else if (sjisSkip) {
                        entry = Entry(StateId(0, false, eucSkip), 0, 0, 0);
                    } else if (eucSkip) {
                        entry = Entry(StateId(0, false, false), 0, 0, 0);
                    } else {
                        unsigned sjis = 0, euc = 0;
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
                        entry = Entry(StateId(0, setSjis, setEuc), sjis, euc, 0);
                    }
                    table[state * kInputs + cc * kClassesD * 2 + dc * 2 + eCont] = entry;
                }
            }
        }
    }
    return table;
}

struct ClassTables {
    std::uint16_t c[256];  // class of c, times kClassesD * 2
    std::uint8_t d[256];   // class of d, times 2
    // The three roles of a byte in one word, so that a run of positions looks each byte
    // up once: class of c times kClassesD * 2 (bits 0-7), class of d times 2 (bits 8-15),
    // 1 for a continuation byte as e (bits 16-23).
    std::uint32_t roles[256];
};

constexpr ClassTables MakeClassTables()
{
    ClassTables t{};
    for (unsigned b = 0; b < 256; ++b) {
        t.c[b] = static_cast<std::uint16_t>(ClassOfC(b) * kClassesD * 2);
        t.d[b] = static_cast<std::uint8_t>(ClassOfD(b) * 2);
        t.roles[b] = t.c[b] | std::uint32_t(t.d[b]) << 8 | std::uint32_t((b & 0xC0) == 0x80) << 16;
    }
    return t;
}

struct TransitionTables {
    std::uint16_t next[kStates * kInputs];   // next state, times kInputs
    std::uint64_t delta[kStates * kInputs];  // score deltas in 21-bit fields
};

// The next state on its own table keeps the per-position dependency chain to one add and
// one 16-bit load; the deltas are looked up beside it.
constexpr TransitionTables SplitTransitions(const std::array<std::uint64_t, kStates * kInputs>& entries)
{
    TransitionTables t{};
    for (unsigned k = 0; k < kStates * kInputs; ++k) {
        t.next[k] = static_cast<std::uint16_t>(entries[k] >> kStateShift);
        t.delta[k] = entries[k] & kDeltaMask;
    }
    return t;
}

constexpr TransitionTables kTransitions = SplitTransitions(MakeTransitions());
constexpr ClassTables kClasses = MakeClassTables();

bool IsBase64Char(unsigned c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

struct Scan {
    const unsigned char* b;
    std::size_t length;
    std::uint64_t packed = 0;  // the score deltas not yet added to the totals below
    long long sjis = 0, euc = 0, utf8 = 0, jis = 0, lineBreaksEven = 0;
    unsigned state = 0;  // kInputs * StateId(utf8Skip, sjisSkip, eucSkip)
    bool hasZero = false, oddHigh = false, inBase64 = false, utf7Ok = true;

    unsigned At(std::size_t k) const { return k < length ? b[k] : 0u; }

    void Flush()
    {
        sjis += static_cast<long long>((packed >> kSjisShift) & kFieldMask);
        euc += static_cast<long long>((packed >> kEucShift) & kFieldMask);
        utf8 += static_cast<long long>((packed >> kUtf8Shift) & kFieldMask);
        packed = 0;
    }

    void Transition(unsigned c, unsigned d, unsigned e)
    {
        const unsigned index = state + kClasses.c[c] + kClasses.d[d] + ((e & 0xC0) == 0x80);
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
};

// True when the 16 bytes at p are all 0x01-0x7F and none is ESC, nor "+" when it counts.
inline bool QuietBlock(const unsigned char* p, bool plusCounts)
{
#if defined(__SSE2__)
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    __m128i bad = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_setzero_si128()), _mm_cmpeq_epi8(v, _mm_set1_epi8(kEsc)));
    if (plusCounts) bad = _mm_or_si128(bad, _mm_cmpeq_epi8(v, _mm_set1_epi8('+')));
    return _mm_movemask_epi8(_mm_or_si128(bad, v)) == 0;
#else
    for (int half = 0; half < 2; ++half) {
        std::uint64_t w;
        std::memcpy(&w, p + half * 8, 8);
        const std::uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
        auto hasZeroByte = [&](std::uint64_t x) { return ((x - ones) & ~x & highs) != 0; };
        if ((w & highs) || hasZeroByte(w) || hasZeroByte(w ^ (ones * kEsc)) ||
            (plusCounts && hasZeroByte(w ^ (ones * '+'))))
            return false;
    }
    return true;
#endif
}

#if defined(__SSE2__)
// Sixteen positions from i by the table alone, when none of them needs the general step:
// no zero in b[i .. i+16], no ESC (nor "+" when it counts) in b[i .. i+15]. Needs
// i + 18 <= length. False (nothing done) otherwise.
inline bool TableBlock(Scan& scan, std::size_t i, bool plusCounts)
{
    const unsigned char* p = scan.b + i;
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const __m128i zero = _mm_setzero_si128();
    __m128i bad = _mm_or_si128(_mm_cmpeq_epi8(c, zero), _mm_cmpeq_epi8(d, zero));
    bad = _mm_or_si128(bad, _mm_cmpeq_epi8(c, _mm_set1_epi8(kEsc)));
    if (plusCounts) bad = _mm_or_si128(bad, _mm_cmpeq_epi8(c, _mm_set1_epi8('+')));
    if (_mm_movemask_epi8(bad) != 0) return false;
    if (!scan.oddHigh) {
        // Bytes 0xA0-0xF7 at odd positions.
        const __m128i t = _mm_sub_epi8(c, _mm_set1_epi8(static_cast<char>(0xA0)));
        const __m128i inRange = _mm_cmpeq_epi8(_mm_min_epu8(t, _mm_set1_epi8(0x57)), t);
        const unsigned oddLanes = (i & 1) ? 0x5555u : 0xAAAAu;
        scan.oddHigh = (static_cast<unsigned>(_mm_movemask_epi8(inRange)) & oddLanes) != 0;
    }
    std::uint32_t asC = kClasses.roles[p[0]], asD = kClasses.roles[p[1]];
    unsigned state = scan.state;
    std::uint64_t packed = 0;
    for (int k = 0; k < 16; ++k) {
        const std::uint32_t asE = kClasses.roles[p[k + 2]];
        const unsigned index = state + (asC & 0xFF) + ((asD >> 8) & 0xFF) + (asE >> 16);
        packed += kTransitions.delta[index];
        state = kTransitions.next[index];
        asC = asD;
        asD = asE;
    }
    scan.packed += packed;
    scan.state = state;
    return true;
}
#endif

#if defined(__SSE2__)
// After the first zero byte only the zero, line-break and odd-high-byte rules still run:
// sixteen positions from i at once. Needs i + 17 <= length. False when an even position
// holds two zero bytes, which ends the scan with ZeroBytes.
inline bool ZeroRegimeBlock(Scan& scan, std::size_t i)
{
    const unsigned char* p = scan.b + i;
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const __m128i zero = _mm_setzero_si128();
    const __m128i dZero = _mm_cmpeq_epi8(d, zero);
    const unsigned evenLanes = (i & 1) ? 0xAAAAu : 0x5555u;
    const unsigned zeroPairs = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(c, zero), dZero)));
    if (zeroPairs & evenLanes) return false;
    const __m128i lineBreak =
        _mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8(kCr)), _mm_cmpeq_epi8(c, _mm_set1_epi8(kLf)));
    const unsigned breaks = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(lineBreak, dZero))) & evenLanes;
    scan.lineBreaksEven += __builtin_popcount(breaks);
    if (!scan.oddHigh) {
        const __m128i t = _mm_sub_epi8(c, _mm_set1_epi8(static_cast<char>(0xA0)));
        const __m128i inRange = _mm_cmpeq_epi8(_mm_min_epu8(t, _mm_set1_epi8(0x57)), t);
        scan.oddHigh = (static_cast<unsigned>(_mm_movemask_epi8(inRange)) & ~evenLanes & 0xFFFFu) != 0;
    }
    return true;
}
#endif

// Positions that only the general step handles: a zero (here or next), ESC, and "+"
// while it may start a UTF-7 run.
inline bool NeedsGeneralStep(unsigned c, unsigned d, bool plusCounts)
{
    return c == 0 || d == 0 || c == kEsc || (plusCounts && c == '+');
}

}  // namespace

EncodingCode DetectEncoding(const char* bytes, std::size_t length)
{
    if (length < 2 || !bytes) return EncodingCode::Undetermined;
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes);
    if (b[0] == 0xFF && b[1] == 0xFE) return EncodingCode::Utf16LeBom;
    if (length >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return EncodingCode::Utf8Bom;

    Scan scan{b, length};
    const std::size_t last = length - 2;  // the last byte is only ever a following byte
    std::size_t i = 0;
    std::size_t nextFlush = std::size_t(1) << 19;  // well before a 21-bit field could fill
    while (i <= last) {
        if (i >= nextFlush) {
            scan.Flush();
            nextFlush = i + (std::size_t(1) << 19);
        }
        if (scan.hasZero || (scan.utf7Ok && scan.inBase64)) {
#if defined(__SSE2__)
            if (scan.hasZero && i + 17 <= length) {
                if (!ZeroRegimeBlock(scan, i)) return EncodingCode::ZeroBytes;
                i += 16;
                continue;
            }
#endif
            if (!scan.Step(i)) return EncodingCode::ZeroBytes;
            ++i;
            continue;
        }
        const bool plusCounts = scan.utf7Ok;
        // A quiet run of ASCII: b[i + 16] follows position i + 15, and a zero there would
        // make a CR or LF count as a UTF-16 line break, so it must not be zero.
        if (scan.state == 0 && b[i] < 0x80 && i + 16 < length && QuietBlock(b + i, plusCounts) && b[i + 16] != 0) {
            i += 16;
            continue;
        }
#if defined(__SSE2__)
        if (i + 18 <= length && TableBlock(scan, i, plusCounts)) {
            i += 16;
            continue;
        }
#endif
        // The table alone, for up to 64 positions, while no position needs the general step.
        const std::size_t stop = (last < i + 64 ? last : i + 64);
        while (i < stop) {
            const unsigned c = b[i], d = b[i + 1];
            if (NeedsGeneralStep(c, d, plusCounts)) break;
            scan.oddHigh |= (i & 1) != 0 && c - 0xA0u <= 0xF7u - 0xA0u;
            scan.Transition(c, d, b[i + 2]);  // i + 2 <= last + 1 < length
            ++i;
        }
        if (i < stop) {
            if (!scan.Step(i)) return EncodingCode::ZeroBytes;
            ++i;
        } else if (i == last) {
            if (!scan.Step(i)) return EncodingCode::ZeroBytes;
            ++i;
        }
    }
    scan.Flush();

    if (scan.lineBreaksEven > 0 && !scan.oddHigh) return EncodingCode::Utf16Le;
    if (scan.hasZero) return EncodingCode::ZeroBytes;
    if (scan.jis > 0) return EncodingCode::Jis;
    if (scan.utf8 > scan.sjis && scan.utf8 > scan.euc) return EncodingCode::Utf8;
    if (scan.sjis > scan.euc && scan.sjis > scan.utf8) return EncodingCode::ShiftJis;
    if (scan.euc > scan.sjis && scan.euc > scan.utf8) return EncodingCode::EucJp;
    if (scan.sjis > 0 || scan.euc > 0 || scan.utf8 > 0) return EncodingCode::Undetermined;
    return scan.utf7Ok ? EncodingCode::Utf7Clean : EncodingCode::NoEvidence;
}
