// DetectEncoding: byte-order marks, then one scoring pass and a fixed order of rules.
#include "encoding/Detection.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr unsigned char kCr = 0x0D, kLf = 0x0A, kEsc = 0x1B;

bool IsBase64Char(unsigned c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

struct DetectionState {
    long long sjis = 0, euc = 0, utf8 = 0, jis = 0, lineBreaksEven = 0;
    int utf8Skip = 0;
    bool hasZero = false, oddHigh = false, inBase64 = false, sjisSkip = false, eucSkip = false;
    bool utf7Ok = true;

    // In this state a run of bytes 0x01-0x7F other than ESC (and "+" while UTF-7 is still
    // possible) changes nothing, so the scan may pass over it a block at a time.
    bool Quiet() const { return !hasZero && utf8Skip == 0 && !sjisSkip && !eucSkip && !(utf7Ok && inBase64); }
};

// True when the 16 bytes at p are all 0x01-0x7F and none is ESC, nor "+" when plus counts.
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
        if ((w & highs) || hasZeroByte(w) || hasZeroByte(w ^ (ones * kEsc)) || (plusCounts && hasZeroByte(w ^ (ones * '+'))))
            return false;
    }
    return true;
#endif
}

}  // namespace

EncodingCode DetectEncoding(const char* bytes, std::size_t length)
{
    if (length < 2 || !bytes) return EncodingCode::Undetermined;
    const unsigned char* b = reinterpret_cast<const unsigned char*>(bytes);
    if (b[0] == 0xFF && b[1] == 0xFE) return EncodingCode::Utf16LeBom;
    if (length >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return EncodingCode::Utf8Bom;

    // Positions past the end read as 0 without touching memory.
    auto at = [&](std::size_t k) -> unsigned { return k < length ? b[k] : 0u; };
    DetectionState st;
    const std::size_t last = length - 2;  // the last byte is only ever a following byte
    std::size_t i = 0;
    while (i <= last) {
        if (i + 16 < length && st.Quiet() && QuietBlock(b + i, st.utf7Ok)) {
            // b[i + 16] follows position i + 15: when it is 0 a CR or LF there would count
            // as a UTF-16 line break, so that block goes the slow way.
            if (b[i + 16] != 0) {
                i += 16;
                continue;
            }
        }
        const unsigned c = b[i], d = b[i + 1];
        const bool even = (i & 1) == 0;
        if (c == 0) {
            if (even && d == 0) return EncodingCode::ZeroBytes;
            st.hasZero = true;
        }
        if (even) {
            if ((c == kCr || c == kLf) && d == 0) ++st.lineBreaksEven;
        } else if (c >= 0xA0 && c <= 0xF7) {
            st.oddHigh = true;
        }
        ++i;
        if (st.hasZero) continue;
        const std::size_t pos = i - 1;

        if (st.utf7Ok) {
            if (!st.inBase64) {
                if (c == '+') st.inBase64 = true;
            } else if (c == '-') {
                st.inBase64 = false;
            } else if (!IsBase64Char(c)) {
                st.utf7Ok = false;
            }
        }
        if (c == kEsc && d == '$') {
            unsigned e = at(pos + 2);
            if (e == '@' || e == 'B' || (e == '(' && (at(pos + 3) == 'O' || at(pos + 3) == 'P'))) {
                st.jis += 2;
                continue;
            }
        }
        if (st.utf8Skip > 0) {
            --st.utf8Skip;
            continue;
        }
        if ((c & 0xC0) == 0xC0 && (d & 0xC0) == 0x80 && (at(pos + 2) & 0xC0) == 0x80) {
            st.utf8 += 2;
            st.utf8Skip = 2;
            continue;
        }
        if (st.sjisSkip) {
            st.sjisSkip = false;
            continue;
        }
        if (st.eucSkip) {
            st.eucSkip = false;
            continue;
        }
        if (c < 0x80 || c == 0xFF) continue;
        const bool dEuc = d >= 0xA1 && d <= 0xFE;
        const bool dSjisTrail = (d >= 0x40 && d <= 0x7E) || (d >= 0x80 && d <= 0xFC);
        if (c <= 0x9F) {
            if (c == 0x8E && d >= 0xA1 && d <= 0xDF) {
                st.euc += 2;
                st.eucSkip = true;
            }
            if (dSjisTrail) {
                st.sjis += 2;
                st.sjisSkip = true;
            }
        } else if (c <= 0xDF) {
            st.sjis += 1;
            if (dEuc) {
                st.euc += 2;
                st.eucSkip = true;
                if (d <= 0xDF) st.sjis += 1;
            }
        } else if (c <= 0xEF) {
            if (dEuc) {
                st.euc += 2;
                st.eucSkip = true;
            }
            if (dSjisTrail) {
                st.sjis += 2;
                st.sjisSkip = true;
            }
        } else if (dEuc) {  // 0xF0-0xFE
            st.euc += 2;
            st.eucSkip = true;
        }
    }

    if (st.lineBreaksEven > 0 && !st.oddHigh) return EncodingCode::Utf16Le;
    if (st.hasZero) return EncodingCode::ZeroBytes;
    if (st.jis > 0) return EncodingCode::Jis;
    if (st.utf8 > st.sjis && st.utf8 > st.euc) return EncodingCode::Utf8;
    if (st.sjis > st.euc && st.sjis > st.utf8) return EncodingCode::ShiftJis;
    if (st.euc > st.sjis && st.euc > st.utf8) return EncodingCode::EucJp;
    if (st.sjis > 0 || st.euc > 0 || st.utf8 > 0) return EncodingCode::Undetermined;
    return st.utf7Ok ? EncodingCode::Utf7Clean : EncodingCode::NoEvidence;
}
