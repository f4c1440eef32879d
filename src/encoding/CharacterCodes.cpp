// The public per-character primitives of InternalText.
#include "encoding/CharacterCodesInline.h"

using namespace encoding_detail;

InternalChar ReadInternalChar(const char* text)
{
    if (!text || *text == 0) return {0, 0};
    return ReadChar(TerminatedSource<char>{text});
}

InternalChar ReadInternalChar(const char* text, std::size_t available)
{
    if (!text || available == 0) return {0, 0};
    return ReadChar(RangeSource<char>{text, available});
}

int SjisCodeToUtf16(std::uint16_t code, char16_t out[2])
{
    UnitPair pair;
    PutCodeUnits(pair, code);
    out[0] = pair.units[0];
    if (pair.count == 2) out[1] = pair.units[1];
    return pair.count;
}

char16_t SjisCodeToUnicode(std::uint16_t code)
{
    UnitPair pair;
    PutCodeUnits(pair, code);
    return pair.units[0];
}

std::uint16_t UnicodeToSjisCode(char16_t unit) { return static_cast<std::uint16_t>(UnicodeToCode(unit)); }

std::uint16_t CodePointToSjisCode(char32_t codePoint)
{
    if (codePoint > 0xFFFF) return static_cast<std::uint16_t>(SupplementaryToCode(codePoint));
    if (IsHighSurrogate(codePoint) || IsLowSurrogate(codePoint)) return 0;
    return static_cast<std::uint16_t>(UnicodeToCode(codePoint));
}

std::uint16_t SequenceToSjisCode(char16_t base, char16_t mark)
{
    return static_cast<std::uint16_t>(SequenceToCode(base, mark));
}

std::uint16_t SjisToJisCode(std::uint16_t code)
{
    if (!IsLeadByte(code >> 8) || !IsTrailByte(code & 0xFF)) return 0;
    return static_cast<std::uint16_t>(PairToJis(code));
}

int SjisCodePlane(std::uint16_t code) { return (code >> 8) >= 0xF0 ? 2 : 1; }

std::uint16_t JisCodeToSjis(std::uint16_t jisCode, int plane)
{
    return static_cast<std::uint16_t>(JisToCode(jisCode, plane));
}

std::uint16_t Jisx0212ToSjis(std::uint16_t jisCode) { return static_cast<std::uint16_t>(Jisx0212ToCode(jisCode)); }
