// DetectEncoding's scoring pass with 16-byte vector blocks (SSE2). The 32-bit program is
// built for processors without SSE2, so this file alone is compiled for it there, and
// Detection.cpp enters it only when the processor has it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "encoding/EncodingTypes.h"

#if defined(__GNUC__) && !defined(__clang__) && defined(__i386__) && !defined(__SSE2__)
#pragma GCC target("sse2")
#define KVTE_DETECTION_SSE2 1
#elif defined(__SSE2__)
#define KVTE_DETECTION_SSE2 1
#endif

#if defined(KVTE_DETECTION_SSE2)
#include <emmintrin.h>

#include "encoding/DetectionScan.h"

namespace {

using namespace detection_scan;

inline unsigned Mask(__m128i lanes) { return static_cast<unsigned>(_mm_movemask_epi8(lanes)); }

// Lanes holding 0xA0-0xF7.
inline unsigned OddHighLanes(__m128i v)
{
    const __m128i t = _mm_sub_epi8(v, _mm_set1_epi8(static_cast<char>(0xA0)));
    return Mask(_mm_cmpeq_epi8(_mm_min_epu8(t, _mm_set1_epi8(0x57)), t));
}

struct VectorBlocks {
    static constexpr std::size_t kQuietBlockBytes = 17, kZeroBlockBytes = 17;

    static bool TableBlockClean(const unsigned char* p, bool plusCounts)
    {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
        const __m128i zero = _mm_setzero_si128();
        __m128i stop = _mm_or_si128(_mm_cmpeq_epi8(c, zero), _mm_cmpeq_epi8(d, zero));
        stop = _mm_or_si128(stop, _mm_cmpeq_epi8(c, _mm_set1_epi8(kEsc)));
        if (plusCounts) stop = _mm_or_si128(stop, _mm_cmpeq_epi8(c, _mm_set1_epi8('+')));
        return Mask(stop) == 0;
    }

    static bool OddHighAtOdd(const unsigned char* p, std::size_t i)
    {
        const unsigned oddLanes = (i & 1) ? 0x5555u : 0xAAAAu;
        return (OddHighLanes(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p))) & oddLanes) != 0;
    }

    // Up to sixteen positions from i in the quiet state, made of ASCII and whole
    // three-byte UTF-8 forms (each scores 2 for UTF-8 and skips its two continuation
    // bytes, after which the state is quiet again): returns how many, ending before the
    // first byte that is neither or before a form that does not end within the sixteen.
    // 0 when the first byte is neither, or when b[i .. i+16] holds a zero, an ESC or (while
    // it counts) a "+", which the quiet run and the general step see to.
    static std::size_t QuietBlock(Scan& scan, std::size_t i, bool plusCounts)
    {
        const unsigned char* p = scan.b + i;
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i stop = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_setzero_si128()), _mm_cmpeq_epi8(v, _mm_set1_epi8(kEsc)));
        if (plusCounts) stop = _mm_or_si128(stop, _mm_cmpeq_epi8(v, _mm_set1_epi8('+')));
        // A zero after the sixteenth byte would make a CR or LF there a UTF-16 line break.
        if (Mask(stop) != 0 || p[16] == 0) return 0;
        const unsigned high = Mask(v);
        if (high == 0) return 16;
        const unsigned lead = Mask(_mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xF0))),
                                                  _mm_set1_epi8(static_cast<char>(0xE0))));
        const unsigned cont = Mask(_mm_cmpeq_epi8(_mm_and_si128(v, _mm_set1_epi8(static_cast<char>(0xC0))),
                                                  _mm_set1_epi8(static_cast<char>(0x80))));
        const unsigned expected = ((lead << 1) | (lead << 2)) & 0xFFFFu;
        const unsigned wrong = (high & ~(lead | cont)) | (cont ^ expected);
        unsigned taken = wrong ? static_cast<unsigned>(__builtin_ctz(wrong)) : 16u;
        // Whole forms only: a lead whose continuation bytes are not both taken stays.
        if (const unsigned leads = lead & ((1u << taken) - 1)) {
            const unsigned lastLead = 31u - static_cast<unsigned>(__builtin_clz(leads));
            if (lastLead + 3 > taken) taken = lastLead;
        }
        if (taken == 0) return 0;
        const unsigned takenMask = (1u << taken) - 1;
        scan.utf8 += 2 * __builtin_popcount(lead & takenMask);
        if (!scan.oddHigh) {
            const unsigned oddLanes = (i & 1) ? 0x5555u : 0xAAAAu;
            scan.oddHigh = (OddHighLanes(v) & oddLanes & takenMask) != 0;
        }
        return taken;
    }

    // After the first zero byte only the zero, line-break and odd-high-byte rules still
    // run: sixteen positions from i at once. Needs i + 17 <= length. False when an even
    // position holds two zero bytes, which ends the scan with ZeroBytes.
    static bool ZeroRegimeBlock(Scan& scan, std::size_t i)
    {
        const unsigned char* p = scan.b + i;
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
        const __m128i zero = _mm_setzero_si128();
        const __m128i dZero = _mm_cmpeq_epi8(d, zero);
        const unsigned evenLanes = (i & 1) ? 0xAAAAu : 0x5555u;
        if (Mask(_mm_and_si128(_mm_cmpeq_epi8(c, zero), dZero)) & evenLanes) return false;
        const __m128i lineBreak =
            _mm_or_si128(_mm_cmpeq_epi8(c, _mm_set1_epi8(kCr)), _mm_cmpeq_epi8(c, _mm_set1_epi8(kLf)));
        scan.lineBreaksEven += __builtin_popcount(Mask(_mm_and_si128(lineBreak, dZero)) & evenLanes);
        if (!scan.oddHigh) scan.oddHigh = (OddHighLanes(c) & ~evenLanes & 0xFFFFu) != 0;
        return true;
    }
};

}  // namespace

DetectionEvidence encoding_detail::ScanWithVectorBlocks(const unsigned char* bytes, std::size_t length)
{
    return ScanPositions<VectorBlocks>(bytes, length);
}

#endif
