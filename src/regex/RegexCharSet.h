// Sets of characters for the regular-expression engine, as sorted ranges of character
// codes: a single byte b is code b (0x00-0xFF), a double-byte character is lead*256+trail.
// Only codes of real characters matter; the compiler drops pairs that are no character.
#pragma once

#include <cstdint>
#include <vector>

struct CodeRange {
    std::uint32_t low;
    std::uint32_t high;  // inclusive
};

constexpr std::uint32_t kMaxCharCode = 0xFFFF;

// invariant after Normalize: ranges sorted, disjoint and not adjacent.
struct CharSet {
    std::vector<CodeRange> ranges;
};

void CharSetAdd(CharSet& set, std::uint32_t low, std::uint32_t high);
void CharSetAddSet(CharSet& set, const CharSet& other);
void CharSetNormalize(CharSet& set);
void CharSetNegate(CharSet& set);                              // complement within 0..kMaxCharCode (normalizes)
bool CharSetContains(const CharSet& set, std::uint32_t code);  // set normalized
// Adds the other letter case of every ASCII and full-width Latin letter in the set.
void CharSetFoldCase(CharSet& set);
// True when the set holds exactly one code (written to code).
bool CharSetSingleCode(const CharSet& set, std::uint32_t& code);

// The predefined classes: \d, \w, \s (see KRegExp.h for what each holds).
CharSet DigitCharSet();
CharSet WordCharSet();
CharSet SpaceCharSet();
// Every character but CR and LF: what "." matches.
CharSet DotCharSet();

// Whether the character with this code is a word character; fast (table).
bool IsWordCode(std::uint32_t code);
