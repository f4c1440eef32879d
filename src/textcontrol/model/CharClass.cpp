// Character classes for word selection (see CharClass.h).
#include "textcontrol/model/CharClass.h"

#include "textcontrol/model/SjisUnits.h"

namespace kvte::textcontrol {

namespace {
CharClass ClassifyDoubleByte(unsigned code)
{
    if (code >= 0x829F && code <= 0x82F1) return CharClass::Hiragana;
    if (code == 0x8154 || code == 0x8155) return CharClass::Hiragana;  // hiragana repetition marks
    if ((code >= 0x8340 && code <= 0x8396) || code == 0x815B || code == 0x8152 || code == 0x8153)
        return CharClass::Katakana;  // with the long vowel and katakana repetition marks
    if (code >= 0x824F && code <= 0x829A) return CharClass::WideAlnum;
    if (code == 0x8157 || code == 0x8158) return CharClass::Kanji;  // 仝 々
    if (code >= 0x889F) return CharClass::Kanji;
    return CharClass::WideSymbol;
}
}  // namespace

CharClass ClassifyUnit(const char* bytes, size_t length, size_t i, bool digitsWithLetters)
{
    unsigned char b = static_cast<unsigned char>(bytes[i]);
    if (SjisUnitLength(bytes, length, i) == 2)
        return ClassifyDoubleByte(static_cast<unsigned>(b) << 8 | static_cast<unsigned char>(bytes[i + 1]));
    if (b == ' ' || b == '\t') return CharClass::Blank;
    if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || b == '_') return CharClass::Letter;
    if (b >= '0' && b <= '9') return digitsWithLetters ? CharClass::Letter : CharClass::Digit;
    if (b >= 0xA1 && b <= 0xDF) return CharClass::Kana;
    if (b >= 0x80) return CharClass::Stray;
    return CharClass::Mark;
}

}  // namespace kvte::textcontrol
