// What the zero-width assertions (^ $ \A \z \b \B) need to know about a position: the kind
// of the character on each side of it, and which assertions hold between two kinds.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>

#include "regex/RegexCharSet.h"
#include "regex/RegexSyntax.h"
#include "regex/SjisChar.h"

enum class CharKind : unsigned char {
    Edge,  // before the start or after the end of the text
    Lf,
    Cr,
    Word,  // a \w character
    Other,
};

using AssertionFlags = unsigned;

constexpr AssertionFlags AssertionBit(RegexAssertion assertion) { return 1u << static_cast<unsigned>(assertion); }

inline AssertionFlags AssertionsBetween(CharKind left, CharKind right)
{
    AssertionFlags flags = 0;
    if (left == CharKind::Edge) flags |= AssertionBit(RegexAssertion::BeginText);
    if (right == CharKind::Edge) flags |= AssertionBit(RegexAssertion::EndText);
    if (left == CharKind::Edge || left == CharKind::Lf || (left == CharKind::Cr && right != CharKind::Lf))
        flags |= AssertionBit(RegexAssertion::BeginLine);
    if (right == CharKind::Edge || right == CharKind::Cr || (right == CharKind::Lf && left != CharKind::Cr))
        flags |= AssertionBit(RegexAssertion::EndLine);
    bool wordLeft = left == CharKind::Word, wordRight = right == CharKind::Word;
    flags |= AssertionBit(wordLeft != wordRight ? RegexAssertion::WordBoundary : RegexAssertion::NotWordBoundary);
    return flags;
}

inline CharKind KindOfCode(std::uint32_t code)
{
    if (code == '\n') return CharKind::Lf;
    if (code == '\r') return CharKind::Cr;
    return IsWordCode(code) ? CharKind::Word : CharKind::Other;
}

// The code of the character at position (a boundary below length) and its byte length.
inline std::uint32_t CodeAt(const char* text, std::size_t length, std::size_t position, std::size_t& charLength)
{
    charLength = SjisCharLength(text, length, position);
    std::uint32_t code = static_cast<unsigned char>(text[position]);
    if (charLength == 2) code = code << 8 | static_cast<unsigned char>(text[position + 1]);
    return code;
}

// Kind of the character that starts at position (a boundary), Edge at the end.
inline CharKind KindAfter(const char* text, std::size_t length, std::size_t position)
{
    if (position >= length) return CharKind::Edge;
    std::size_t charLength;
    return KindOfCode(CodeAt(text, length, position, charLength));
}

// Kind of the character that ends at position (a boundary), Edge at the start.
// knownBoundary (<= position - 1) bounds the look-back, see SjisCharStart.
inline CharKind KindBefore(const char* text, std::size_t length, std::size_t position, std::size_t knownBoundary = 0)
{
    if (position == 0) return CharKind::Edge;
    std::size_t start = SjisCharStart(text, position - 1, std::min(knownBoundary, position - 1));
    std::size_t charLength;
    return KindOfCode(CodeAt(text, length, start, charLength));
}
