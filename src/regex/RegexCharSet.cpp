// Character sets as code ranges: building, complement, letter-case folding and the
// predefined classes.
#include "regex/RegexCharSet.h"

#include <algorithm>
#include <bitset>

void CharSetAdd(CharSet& set, std::uint32_t low, std::uint32_t high)
{
    if (low > high || low > kMaxCharCode) return;
    set.ranges.push_back({low, std::min(high, kMaxCharCode)});
}

void CharSetAddSet(CharSet& set, const CharSet& other)
{
    set.ranges.insert(set.ranges.end(), other.ranges.begin(), other.ranges.end());
}

void CharSetNormalize(CharSet& set)
{
    auto& r = set.ranges;
    std::sort(r.begin(), r.end(), [](CodeRange a, CodeRange b) { return a.low < b.low; });
    std::size_t out = 0;
    for (std::size_t i = 0; i < r.size(); ++i) {
        if (out > 0 && r[i].low <= r[out - 1].high + 1) {
            r[out - 1].high = std::max(r[out - 1].high, r[i].high);
        } else {
            r[out++] = r[i];
        }
    }
    r.resize(out);
}

void CharSetNegate(CharSet& set)
{
    CharSetNormalize(set);
    std::vector<CodeRange> result;
    std::uint32_t next = 0;
    for (CodeRange range : set.ranges) {
        if (range.low > next) result.push_back({next, range.low - 1});
        next = range.high + 1;
    }
    if (next <= kMaxCharCode) result.push_back({next, kMaxCharCode});
    set.ranges = std::move(result);
}

bool CharSetContains(const CharSet& set, std::uint32_t code)
{
    auto it = std::upper_bound(set.ranges.begin(), set.ranges.end(), code,
                               [](std::uint32_t c, CodeRange r) { return c < r.low; });
    return it != set.ranges.begin() && code <= (it - 1)->high;
}

namespace {

// Letter pairs that differ only in case: the lower-case block starts at lowerStart.
struct CaseBlock {
    std::uint32_t upperStart;
    std::uint32_t lowerStart;
    std::uint32_t count;
};
constexpr CaseBlock kCaseBlocks[] = {
    {'A', 'a', 26}, {0x8260, 0x8281, 26},  // full-width Ａ-Ｚ and ａ-ｚ
};

void AddOverlapShifted(CharSet& out, CodeRange range, std::uint32_t from, std::uint32_t to, std::uint32_t count)
{
    std::uint32_t low = std::max(range.low, from);
    std::uint32_t high = std::min(range.high, from + count - 1);
    if (low <= high) CharSetAdd(out, low - from + to, high - from + to);
}

}  // namespace

void CharSetFoldCase(CharSet& set)
{
    CharSet added;
    for (CodeRange range : set.ranges) {
        for (CaseBlock block : kCaseBlocks) {
            AddOverlapShifted(added, range, block.upperStart, block.lowerStart, block.count);
            AddOverlapShifted(added, range, block.lowerStart, block.upperStart, block.count);
        }
    }
    CharSetAddSet(set, added);
    CharSetNormalize(set);
}

bool CharSetSingleCode(const CharSet& set, std::uint32_t& code)
{
    if (set.ranges.size() != 1 || set.ranges[0].low != set.ranges[0].high) return false;
    code = set.ranges[0].low;
    return true;
}

CharSet DigitCharSet()
{
    CharSet set;
    CharSetAdd(set, '0', '9');
    return set;
}

CharSet WordCharSet()
{
    CharSet set;
    CharSetAdd(set, '0', '9');
    CharSetAdd(set, 'A', 'Z');
    CharSetAdd(set, '_', '_');
    CharSetAdd(set, 'a', 'z');
    CharSetAdd(set, 0xA6, 0xDF);      // half-width katakana (without the punctuation 0xA1-0xA5)
    CharSetAdd(set, 0x8158, 0x8158);  // 々
    CharSetAdd(set, 0x815B, 0x815B);  // ー
    CharSetAdd(set, 0x824F, 0x8258);  // full-width digits
    CharSetAdd(set, 0x8260, 0x8279);  // full-width Latin capitals
    CharSetAdd(set, 0x8281, 0x829A);  // full-width Latin small letters
    CharSetAdd(set, 0x829F, 0x82F9);  // hiragana
    CharSetAdd(set, 0x8340, 0x839E);  // katakana
    CharSetAdd(set, 0x839F, 0x83D6);  // Greek
    CharSetAdd(set, 0x8440, 0x8491);  // Cyrillic
    CharSetAdd(set, 0x889F, 0xFCFC);  // kanji of both planes (codes with a non-lead first byte are dropped)
    CharSetNormalize(set);
    return set;
}

CharSet SpaceCharSet()
{
    CharSet set;
    CharSetAdd(set, 0x09, 0x0D);
    CharSetAdd(set, ' ', ' ');
    CharSetAdd(set, 0x8140, 0x8140);  // full-width space
    return set;
}

CharSet DotCharSet()
{
    CharSet set;
    CharSetAdd(set, '\n', '\n');
    CharSetAdd(set, '\r', '\r');
    CharSetNegate(set);
    return set;
}

bool IsWordCode(std::uint32_t code)
{
    static const std::bitset<kMaxCharCode + 1> table = [] {
        std::bitset<kMaxCharCode + 1> bits;
        for (CodeRange range : WordCharSet().ranges) {
            for (std::uint32_t c = range.low; c <= range.high; ++c) bits.set(c);
        }
        return bits;
    }();
    return code <= kMaxCharCode && table[code];
}
