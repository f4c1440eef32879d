// Internal to the encoding code: the per-character primitives as inline functions over a
// source cursor, shared by the conversions (the public wrappers are in CharacterCodes.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

#include "encoding/Conversion.h"
#include "encoding/EncodingTables.h"
#include "encoding/SjisBytes.h"

namespace encoding_detail {

// The program's one pair of lead and trail tests (encoding/SjisBytes.h).
using sjis::IsLeadByte;
using sjis::IsTrailByte;
inline bool IsHalfWidthKana(unsigned b) { return (b - 0xA1u) < 0x3Fu; }
inline bool IsJisByte(unsigned b) { return (b - 0x21u) < 0x5Eu; }

// The row/cell arithmetic of SjisToJisCode per byte. Unlike the byte classes above, these
// lookups replace several dependent compares and measure faster than the arithmetic.
struct JisByteTables {
    std::uint8_t row[256];   // row byte of a lead for trails up to 0x9E; 0 for 0xF0-0xF4
    std::uint8_t cell[256];  // cell byte of a trail
    std::uint8_t high[256];  // 1 for trails above 0x9E, which take the next (even) row
};

constexpr JisByteTables MakeJisByteTables()
{
    JisByteTables t{};
    for (unsigned b = 0x40; b <= 0xFC; ++b) {
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC && !(b >= 0xF0 && b <= 0xF4))) {
            unsigned sub = b >= 0xF5 ? b - 13 : b;
            t.row[b] = static_cast<std::uint8_t>(sub <= 0x9F ? 2 * (sub - 0x71) + 1 : 2 * (sub - 0xB1) + 1);
        }
        t.cell[b] = static_cast<std::uint8_t>(b <= 0x7E ? b - 0x1F : b <= 0x9E ? b - 0x20 : b - 0x7E);
        t.high[b] = b > 0x9E ? 1 : 0;
    }
    return t;
}
inline constexpr JisByteTables kJisBytes = MakeJisByteTables();

// A zero-terminated source. At(k) may be called only when At(0) .. At(k-1) are all
// nonzero, which guarantees that p[k] is at most the terminator.
template <typename Unit>
struct TerminatedSource {
    const Unit* p;
    bool AtEnd() const { return *p == 0; }
    // Whether b, just read by At(0), is the end. Testing the byte already loaded instead of
    // calling AtEnd first measures twice as fast in the conversion loops.
    static bool EndsAt(unsigned b) { return b == 0; }
    // The number of units 0x01-0x7F from here, other than stop.
    std::size_t AsciiRun(unsigned stop = 0x80) const
    {
        std::size_t n = 0;
        for (;;) {
            unsigned u = At(n);
            if (u - 1u >= 0x7Fu || u == stop) return n;
            ++n;
        }
    }
    unsigned At(std::size_t k) const { return static_cast<unsigned>(static_cast<std::make_unsigned_t<Unit>>(p[k])); }
    void Advance(std::size_t k) { p += k; }
};

// A source of known length; 0 is an ordinary unit in it, and At(k) past the end reads 0
// without touching memory.
template <typename Unit>
struct RangeSource {
    const Unit* p;
    std::size_t remaining;
    bool AtEnd() const { return remaining == 0; }
    bool EndsAt(unsigned b) const { return b == 0 && remaining == 0; }
    std::size_t AsciiRun(unsigned stop = 0x80) const
    {
        std::size_t n = 0;
        while (n < remaining) {
            unsigned u = static_cast<unsigned>(static_cast<std::make_unsigned_t<Unit>>(p[n]));
            if (u - 1u >= 0x7Fu || u == stop) break;
            ++n;
        }
        return n;
    }
    unsigned At(std::size_t k) const
    {
        return k < remaining ? static_cast<unsigned>(static_cast<std::make_unsigned_t<Unit>>(p[k])) : 0u;
    }
    void Advance(std::size_t k)
    {
        p += k;
        remaining -= k;
    }
};

// The output side of the shared contract: counts always, writes while the count stays
// below the capacity, never past it.
template <typename Unit>
struct Output {
    Unit* destination;
    std::int64_t capacity;
    std::int64_t* replacedTarget = nullptr;  // receives the count of replacements at Finish
    std::int64_t count = 0;
    std::int64_t replaced = 0;  // characters written as a replacement
    unsigned* formsTarget = nullptr;  // receives the forms seen at Finish
    unsigned forms = 0;               // bit UnicodeForm: a form of FormCharacters read

    void Replaced() { ++replaced; }
    void SawForm(unsigned form) { forms |= 1u << form; }
    // Rewrites the double-byte code written last (the count stays).
    void ReplaceLastPair(unsigned code)
    {
        if (count >= 2 && count <= capacity) {
            destination[count - 2] = static_cast<Unit>(code >> 8);
            destination[count - 1] = static_cast<Unit>(code & 0xFF);
        }
    }

    void Put(unsigned value)
    {
        if (count < capacity) destination[count] = static_cast<Unit>(value);
        ++count;
    }
    // Two or three units with one capacity test (checked one by one only near the end).
    void PutPair(unsigned code)
    {
        if (count + 2 <= capacity) {
            destination[count] = static_cast<Unit>(code >> 8);
            destination[count + 1] = static_cast<Unit>(code & 0xFF);
            count += 2;
        } else {
            Put(code >> 8);
            Put(code & 0xFF);
        }
    }
    void PutThree(unsigned first, unsigned second, unsigned third)
    {
        if constexpr (sizeof(Unit) == 1) {
            // One four-byte store (its fourth byte is overwritten by what follows, or by
            // the terminator) instead of three.
            if (count + 4 <= capacity) {
                const unsigned char bytes[4] = {static_cast<unsigned char>(first), static_cast<unsigned char>(second),
                                                static_cast<unsigned char>(third), 0};
                std::memcpy(destination + count, bytes, 4);
                count += 3;
                return;
            }
        }
        if (count + 3 <= capacity) {
            destination[count] = static_cast<Unit>(first);
            destination[count + 1] = static_cast<Unit>(second);
            destination[count + 2] = static_cast<Unit>(third);
            count += 3;
        } else {
            Put(first);
            Put(second);
            Put(third);
        }
    }
    // One internal code: one byte below 0x100, else lead then trail.
    void PutCode(unsigned code)
    {
        if (code >= 0x100)
            PutPair(code);
        else
            Put(code);
    }
    // n units that are the source units themselves (an ASCII run).
    template <typename In>
    void PutRun(const In* source, std::size_t n)
    {
        if (static_cast<std::int64_t>(n) <= capacity - count) {
            Unit* to = destination + count;
            for (std::size_t k = 0; k < n; ++k) to[k] = static_cast<Unit>(source[k]);
            count += static_cast<std::int64_t>(n);
        } else {
            for (std::size_t k = 0; k < n; ++k) Put(static_cast<unsigned>(source[k]));
        }
    }
    std::int64_t Finish()
    {
        if (replacedTarget) *replacedTarget = replaced;
        if (formsTarget) *formsTarget = forms;
        if (count < capacity) {
            destination[count] = 0;
            return count;
        }
        if (capacity > 0) destination[capacity - 1] = 0;
        return -1;
    }
};

// Counting only: no destination.
template <typename Unit>
struct CountingOutput {
    std::int64_t* replacedTarget = nullptr;
    std::int64_t count = 0;
    std::int64_t replaced = 0;
    unsigned* formsTarget = nullptr;
    unsigned forms = 0;
    void Replaced() { ++replaced; }
    void SawForm(unsigned form) { forms |= 1u << form; }
    void ReplaceLastPair(unsigned) {}
    void Put(unsigned) { ++count; }
    void PutPair(unsigned) { count += 2; }
    void PutThree(unsigned, unsigned, unsigned) { count += 3; }
    void PutCode(unsigned code) { count += code >= 0x100 ? 2 : 1; }
    template <typename In>
    void PutRun(const In*, std::size_t n)
    {
        count += static_cast<std::int64_t>(n);
    }
    std::int64_t Finish()
    {
        if (replacedTarget) *replacedTarget = replaced;
        if (formsTarget) *formsTarget = forms;
        return count;
    }
};

// Writes the ASCII run at s (s.At(0) is 0x01-0x7F and not stop) unit for unit.
template <typename Source, typename Out>
inline void CopyAsciiRun(Source& s, Out& out, unsigned stop = 0x80)
{
    const std::size_t n = s.AsciiRun(stop);
    if (n <= 8) {  // short runs (line breaks, digits in Japanese text) are cheaper one by one
        for (std::size_t k = 0; k < n; ++k) out.Put(s.At(k));
    } else {
        out.PutRun(s.p, n);
    }
    s.Advance(n);
}

// ReadInternalChar over a cursor whose At(0) is a nonzero byte (or any byte of a range).
template <typename Source>
inline InternalChar ReadChar(const Source& s)
{
    unsigned b = s.At(0);
    if (b < 0x80) return {static_cast<std::uint16_t>(b), 1};
    if (IsLeadByte(b)) {
        unsigned trail = s.At(1);
        // A lead without a trail stands alone, so the byte after it is never swallowed.
        if (IsTrailByte(trail)) return {static_cast<std::uint16_t>(b << 8 | trail), 2};
        return {static_cast<std::uint16_t>(b), 1};
    }
    if (IsHalfWidthKana(b)) {
        unsigned index = b - 0xA1;
        unsigned next = s.At(1);
        if (next == 0xDE && kHalfWidthKana.voiced[index]) return {kHalfWidthKana.voiced[index], 2};
        if (next == 0xDF && kHalfWidthKana.semiVoiced[index]) return {kHalfWidthKana.semiVoiced[index], 2};
        return {kHalfWidthKana.plain[index], 1};
    }
    return {static_cast<std::uint16_t>(b), 1};
}

// The table cell of a lead and a trail already known to be valid: a unit, 0 (unmapped) or
// a two-unit marker.
inline unsigned PairCell(unsigned lead, unsigned trail)
{
    unsigned row = lead - (lead >= 0xE0 ? 0xC1 : 0x81);
    unsigned cell = trail - (trail >= 0x80 ? 0x41 : 0x40);
    return SjisToUnicodeTable[row][cell];
}

// Whether a cell is the character's one unit (neither unmapped nor a two-unit marker).
inline bool IsOneUnitCell(unsigned cell) { return cell - kTwoUnitBase >= 0x800u && cell != 0; }

// Writes the character of a cell that is not one unit: its two units, or U+3013 for an
// unmapped code (a replacement).
template <typename Out>
inline void PutCellUnits(Out& out, unsigned cell)
{
    if (cell == 0) {
        out.Put(kUnmappedUnit);
        out.Replaced();
        return;
    }
    const char16_t* two = SjisTwoUnitForms[cell - kTwoUnitBase];
    out.Put(two[0]);
    out.Put(two[1]);
}

// The unit of a single-byte code (below 0x100).
inline char16_t ByteToUnicode(unsigned code)
{
    if (code < 0x80) return static_cast<char16_t>(code);
    if (IsHalfWidthKana(code)) return static_cast<char16_t>(code + 0xFEC0);
    switch (code) {
    // Bytes without a character get units that convert back to the same byte.
    case 0x80:
        return 0x0080;
    case 0xA0:
        return 0xF8F0;
    case 0xFD:
        return 0xF8F1;
    case 0xFE:
        return 0xF8F2;
    case 0xFF:
        return 0xF8F3;
    default:
        return kNoCharacterUnit;  // a lone lead byte
    }
}

// Writes the UTF-16 form of any internal code (1 or 2 units), counting a replacement:
// U+3013 for an unmapped pair, U+FFFD for a lone lead byte or an invalid trail.
template <typename Out>
inline void PutCodeUnits(Out& out, unsigned code)
{
    if (code < 0x100) {
        char16_t unit = ByteToUnicode(code);
        out.Put(unit);
        if (unit == kNoCharacterUnit) out.Replaced();
        return;
    }
    unsigned lead = code >> 8, trail = code & 0xFF;
    if (!IsLeadByte(lead) || !IsTrailByte(trail)) {
        out.Put(kNoCharacterUnit);
        out.Replaced();
        return;
    }
    unsigned cell = PairCell(lead, trail);
    if (IsOneUnitCell(cell))
        out.Put(cell);
    else
        PutCellUnits(out, cell);
}

// Collects the one or two units of one code (for the per-code public functions).
struct UnitPair {
    char16_t units[2] = {0, 0};
    int count = 0;
    void Put(unsigned unit) { units[count++] = static_cast<char16_t>(unit); }
    void Replaced() {}
};

// The page cell of a unit: a code, 0, or a combining-mark marker (kMarkBase + i).
inline unsigned UnicodeCell(unsigned unit)
{
    const std::uint16_t* page = UnicodeToSjisPages[(unit >> 8) & 0xFF];
    return page ? page[unit & 0xFF] : 0u;
}

// The code of one unit on its own (a combining mark alone included); 0 when none.
inline unsigned UnicodeToCode(unsigned unit)
{
    unsigned code = UnicodeCell(unit);
    if (code >= kFormBase) return FormCharacters[(code - kFormBase) >> 1].code;
    return code >= kMarkBase ? CombiningMarks[code - kMarkBase].alone : code;
}

// The standard form of a code's unit (see FormCharacters); unit itself for other codes.
inline unsigned StandardFormUnit(unsigned code, unsigned unit)
{
    if ((code >> 8) != 0x81) return unit;
    for (const FormCharacter& f : FormCharacters)
        if (f.code == code) return f.standard;
    return unit;
}

// The code of a character above U+FFFF; 0 when it has none.
inline unsigned SupplementaryToCode(std::uint32_t codePoint)
{
    constexpr std::size_t n = sizeof SupplementaryToSjis / sizeof SupplementaryToSjis[0];
    std::size_t low = 0, high = n;
    while (low < high) {
        std::size_t middle = (low + high) / 2;
        if (SupplementaryToSjis[middle].codePoint < codePoint)
            low = middle + 1;
        else
            high = middle;
    }
    return low < n && SupplementaryToSjis[low].codePoint == codePoint ? SupplementaryToSjis[low].code : 0u;
}

// The code of base followed by mark; 0 when the two form no character.
inline unsigned SequenceToCode(unsigned base, unsigned mark)
{
    for (const CombiningSequence& s : CombiningSequences)
        if (s.base == base && s.mark == mark) return s.code;
    return 0;
}

inline bool IsHighSurrogate(unsigned unit) { return unit - 0xD800u < 0x400u; }
inline bool IsLowSurrogate(unsigned unit) { return unit - 0xDC00u < 0x400u; }
inline std::uint32_t CombineSurrogates(unsigned high, unsigned low)
{
    return 0x10000u + ((high - 0xD800u) << 10) + (low - 0xDC00u);
}

// Only for valid pairs (lead and trail checked by the caller).
inline unsigned PairToJis(unsigned code)
{
    unsigned lead = code >> 8, trail = code & 0xFF;
    unsigned high = kJisBytes.high[trail];
    unsigned row = kJisBytes.row[lead];
    if (row == 0) {  // leads 0xF0-0xF4 hold scattered plane-2 rows
        unsigned sub = Plane2RowLeads[(lead - 0xF0) * 2 + high];
        row = sub <= 0x9F ? 2 * (sub - 0x71) + 1 : 2 * (sub - 0xB1) + 1;
    }
    return (row + high) << 8 | kJisBytes.cell[trail];
}

// Row (possibly moved up from plane 2) and cell, both checked, to the internal code.
inline unsigned RowCellToCode(unsigned row, unsigned cell)
{
    unsigned trail = cell + ((row & 1) ? 0x1F : 0x7D);
    trail += trail >= 0x7F;
    unsigned lead = ((row - 0x21) >> 1) + 0x81;
    lead += lead > 0x9F ? 0x40 : 0;
    return lead << 8 | trail;
}

// The internal code of a plane-1 row/cell whose bytes are both 0x21-0x7E.
inline unsigned Plane1ToCode(unsigned row, unsigned cell) { return RowCellToCode(row, cell); }

inline unsigned JisToCode(unsigned jis, int plane)
{
    unsigned row = jis >> 8, cell = jis & 0xFF;
    if (row < 0x21 || row > 0x7E || cell < 0x21 || cell > 0x7E) return 0;
    if (plane == 2) {
        if (row == 0x21 || (row >= 0x23 && row <= 0x25))
            row += 0x5E;
        else if (row == 0x28 || (row >= 0x2C && row <= 0x2F))
            row += 0x58;
        else if (row >= 0x6E)
            row += 0x1A;
        else
            return 0;
    } else if (plane != 1) {
        return 0;
    }
    return RowCellToCode(row, cell);
}

inline unsigned Jisx0212ToCode(unsigned jis)
{
    unsigned row = jis >> 8, cell = jis & 0xFF;
    if (row < 0x30 || row > 0x6D || cell < 0x21 || cell > 0x7E) return 0;
    return Jisx0212Table[row - 0x30][cell - 0x21];
}

// Runs a conversion body (a generic callable taking a source cursor and an output, both
// by value so that they live in registers) in counting mode when destination is null, else
// in writing mode. When replaced is given it receives the number of characters written as
// a replacement.
// forms, when given, receives the forms of FormCharacters read (bit UnicodeForm).
template <typename Unit, typename Source, typename Body>
inline std::int64_t Run(Unit* destination, std::int64_t capacity, Source source, Body body,
                        std::int64_t* replaced = nullptr, unsigned* forms = nullptr)
{
    if (replaced) *replaced = 0;
    if (forms) *forms = 0;
    if (!destination) {
        CountingOutput<Unit> out{replaced};
        out.formsTarget = forms;
        return body(source, out);
    }
    if (capacity < 1) return -1;
    Output<Unit> out{destination, capacity, replaced};
    out.formsTarget = forms;
    return body(source, out);
}

template <typename Unit>
inline TerminatedSource<Unit> Terminated(const Unit* text)
{
    static const Unit empty[1] = {0};
    return TerminatedSource<Unit>{text ? text : empty};
}

template <typename Unit>
inline RangeSource<Unit> Range(std::basic_string_view<Unit> text)
{
    return RangeSource<Unit>{text.data(), text.size()};
}

}  // namespace encoding_detail
