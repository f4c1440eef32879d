// Literal search: a vectorised first-and-last-byte filter finds candidates, a memcmp
// confirms them, and a look-back over lead bytes rejects those inside a character.
#include "regex/LiteralSearch.h"

#include <algorithm>
#include <cstring>

#include "regex/SjisChar.h"

// The vector loops use SSE2. The 32-bit Windows build does not assume it, so there they
// are compiled for SSE2 alone and taken only when the processor has it.
#if defined(__x86_64__) || defined(__i386__)
#define KVTE_VECTOR_SEARCH 1
#include <emmintrin.h>
#define KVTE_SSE2 __attribute__((target("sse2")))
#endif

namespace {

unsigned LowestBit(unsigned mask) { return static_cast<unsigned>(__builtin_ctz(mask)); }
unsigned HighestBit(unsigned mask) { return 31u - static_cast<unsigned>(__builtin_clz(mask)); }

bool SameAt(const char* text, std::size_t p, std::string_view needle)
{
    return std::memcmp(text + p, needle.data(), needle.size()) == 0;
}

#if defined(KVTE_VECTOR_SEARCH)
bool HaveSse2()
{
#if defined(__SSE2__)
    return true;
#else
    static bool const have = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("sse2") != 0;
    }();
    return have;
#endif
}

// Candidates 16 at a time: positions whose first and last byte both fit. Advances p to
// where the scalar tail has to go on; returns the match or kNotFound.
KVTE_SSE2 std::size_t ForwardBlocks(const char* text, std::size_t& p, std::size_t last, std::string_view needle)
{
    std::size_t m = needle.size();
    __m128i const first = _mm_set1_epi8(needle[0]);
    __m128i const final = _mm_set1_epi8(needle[m - 1]);
    while (p + 15 <= last) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p + m - 1));
        unsigned mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, final))));
        while (mask) {
            std::size_t candidate = p + LowestBit(mask);
            if (SameAt(text, candidate, needle)) return candidate;
            mask &= mask - 1;
        }
        p += 16;
    }
    return kNotFound;
}

// The same towards the start: candidates below end, 16 at a time, while end >= from + 16.
KVTE_SSE2 std::size_t BackwardBlocks(const char* text, std::size_t from, std::size_t& end, std::string_view needle)
{
    std::size_t m = needle.size();
    __m128i const first = _mm_set1_epi8(needle[0]);
    __m128i const final = _mm_set1_epi8(needle[m - 1]);
    while (end >= from + 16) {
        std::size_t p = end - 16;
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p + m - 1));
        unsigned mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, final))));
        while (mask) {
            unsigned bit = HighestBit(mask);
            if (SameAt(text, p + bit, needle)) return p + bit;
            mask &= ~(1u << bit);
        }
        end = p;
    }
    return kNotFound;
}
#endif

}  // namespace

std::size_t FindBytesForward(const char* text, std::size_t from, std::size_t limit, std::string_view needle)
{
    std::size_t m = needle.size();
    if (m == 0 || limit < m || from > limit - m) return kNotFound;
    std::size_t last = limit - m;  // last possible start
    std::size_t p = from;
    if (m == 1) {
        const void* hit = std::memchr(text + from, needle[0], limit - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text) : kNotFound;
    }
#if defined(KVTE_VECTOR_SEARCH)
    if (HaveSse2()) {
        std::size_t hit = ForwardBlocks(text, p, last, needle);
        if (hit != kNotFound) return hit;
    }
#endif
    while (p <= last) {
        const void* hit = std::memchr(text + p, needle[0], last - p + 1);
        if (!hit) return kNotFound;
        p = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
        if (SameAt(text, p, needle)) return p;
        ++p;
    }
    return kNotFound;
}

std::size_t FindBytesBackward(const char* text, std::size_t from, std::size_t limit, std::string_view needle)
{
    std::size_t m = needle.size();
    if (m == 0 || limit < m || from > limit - m) return kNotFound;
    std::size_t end = limit - m + 1;  // candidates are below end
#if defined(KVTE_VECTOR_SEARCH)
    if (HaveSse2()) {
        std::size_t hit = BackwardBlocks(text, from, end, needle);
        if (hit != kNotFound) return hit;
    }
#endif
    while (end > from) {
        --end;
        if (text[end] == needle[0] && SameAt(text, end, needle)) return end;
    }
    return kNotFound;
}

LiteralPattern MakeLiteralPattern(std::string_view bytes)
{
    LiteralPattern pattern;
    pattern.bytes.assign(bytes.data(), bytes.size());
    std::size_t p = 0;
    while (p < bytes.size()) {
        std::size_t length = SjisCharLength(bytes.data(), bytes.size(), p);
        if (p + length == bytes.size())
            pattern.endsWithLoneLead = length == 1 && sjis::IsLeadByte(static_cast<unsigned char>(bytes[p]));
        p += length;
    }
    return pattern;
}

namespace {

bool EndsOnBoundary(const LiteralPattern& pattern, const char* text, std::size_t length, std::size_t start)
{
    std::size_t end = start + pattern.bytes.size();
    return !pattern.endsWithLoneLead || end >= length || !sjis::IsTrailByte(static_cast<unsigned char>(text[end]));
}

}  // namespace

std::size_t FindLiteralForward(const LiteralPattern& pattern, const char* text, std::size_t length, std::size_t from)
{
    std::size_t known = from;  // a boundary at or before every candidate still to come
    std::size_t p = from;
    for (;;) {
        std::size_t hit = FindBytesForward(text, p, length, pattern.bytes);
        if (hit == kNotFound) return kNotFound;
        std::size_t start = SjisCharStart(text, hit, known);
        if (start == hit && EndsOnBoundary(pattern, text, length, hit)) return hit;
        known = start;
        p = hit + 1;
    }
}

std::size_t FindLiteralBackward(const LiteralPattern& pattern, const char* text, std::size_t length, std::size_t before)
{
    if (pattern.bytes.empty() || before == 0) return kNotFound;
    // Candidates must start below before; they may end anywhere in the text.
    std::size_t limit = std::min(length, before - 1 + pattern.bytes.size());
    SjisBackwardBoundaries boundaries(text);
    while (limit >= pattern.bytes.size()) {
        std::size_t hit = FindBytesBackward(text, 0, limit, pattern.bytes);
        if (hit == kNotFound) return kNotFound;
        if (boundaries.CharStart(hit) == hit && EndsOnBoundary(pattern, text, length, hit)) return hit;
        limit = hit + pattern.bytes.size() - 1;
    }
    return kNotFound;
}
