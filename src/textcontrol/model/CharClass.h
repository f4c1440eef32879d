// Classes of characters that make a word for double-click selection and word moves.
#pragma once

#include <cstddef>

namespace kvte::textcontrol {

enum class CharClass {
    Blank,   // space, tab
    Letter,  // half-width letters and '_'
    Digit,   // half-width digits
    Mark,    // other ASCII and control bytes
    Kana,    // half-width katakana 0xA1-0xDF
    Hiragana,
    Katakana,    // with the long vowel mark
    Kanji,       // with the repetition marks
    WideAlnum,   // full-width letters and digits
    WideSymbol,  // other double-byte characters
    Stray,       // a byte that is no character (lone lead, stray trail): alone
};

// Class of the unit starting at bytes[i]; with digitsWithLetters, digits count as letters.
CharClass ClassifyUnit(const char* bytes, size_t length, size_t i, bool digitsWithLetters);

}  // namespace kvte::textcontrol
