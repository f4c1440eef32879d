// The four conversions on the UTF-16 side: InternalText <-> UTF-16 and UTF-8 <-> UTF-16.
#include <algorithm>

#include "encoding/CharacterCodesInline.h"

using namespace encoding_detail;

namespace {

constexpr unsigned kMark = 0xFEFF;

// The Utf16ToUtf8Body side of InternalText written straight as UTF-8: takes the units that
// InternalToUtf16Body writes and gives each its UTF-8 form, a surrogate pair one four-byte
// form (the high surrogate waits for the unit after it).
template <typename Out>
struct Utf8FromUnits {
    Out out;
    unsigned high = 0;

    void Replaced() { out.Replaced(); }
    void Put(unsigned unit)
    {
        if (high) {
            const unsigned waiting = high;
            high = 0;
            if (IsLowSurrogate(unit)) {
                const std::uint32_t codePoint = CombineSurrogates(waiting, unit);
                out.Put(0xF0 | codePoint >> 18);
                out.PutThree(0x80 | ((codePoint >> 12) & 0x3F), 0x80 | ((codePoint >> 6) & 0x3F),
                             0x80 | (codePoint & 0x3F));
                return;
            }
            PutThreeBytes(waiting);  // a lone high surrogate keeps its three-byte form
        }
        if (unit < 0x80) {
            out.Put(unit);
        } else if (unit < 0x800) {
            out.Put(0xC0 | unit >> 6);
            out.Put(0x80 | (unit & 0x3F));
        } else if (IsHighSurrogate(unit)) {
            high = unit;
        } else {
            PutThreeBytes(unit);
        }
    }
    void PutThreeBytes(unsigned unit)
    {
        out.PutThree(0xE0 | unit >> 12, 0x80 | ((unit >> 6) & 0x3F), 0x80 | (unit & 0x3F));
    }
    // An ASCII run: the same bytes.
    void PutRun(const char* source, std::size_t n)
    {
        if (high && n > 0) {  // the run's first unit decides what the waiting surrogate becomes
            Put(static_cast<unsigned char>(source[0]));
            ++source;
            --n;
        }
        out.PutRun(source, n);
    }
    std::int64_t Finish()
    {
        if (high) {
            PutThreeBytes(high);
            high = 0;
        }
        return out.Finish();
    }
};

// Runs of double-byte characters whose code has one unit of U+0800 or above (kana, kanji,
// most symbols), two bytes each, written as three-byte UTF-8 forms or counted, without a
// bounds test per byte. True when it took one or more; only for a range into UTF-8, the
// general loop of InternalToUtf16Body takes everything else.
// Standard: the characters of FormCharacters are written in their standard form.
template <bool Standard, typename Source, typename Out>
inline bool PlainPairRun(Source&, Out&)
{
    return false;
}

// How many pairs from p (at most `pairs`) are such characters; each one's unit to `put`.
// With Standard the characters of FormCharacters (lead 0x81) are left to the general loop.
template <bool Standard, typename Put>
inline std::size_t TakePlainPairs(const unsigned char* p, std::size_t pairs, Put put)
{
    std::size_t k = 0;
    for (; k < pairs; ++k, p += 2) {
        const unsigned lead = p[0], trail = p[1];
        if (!IsLeadByte(lead) || !IsTrailByte(trail)) break;
        const unsigned cell = PairCell(lead, trail);
        if (!IsOneUnitCell(cell) || cell < 0x800) break;
        if constexpr (Standard) {
            if (lead == 0x81 && StandardFormUnit(lead << 8 | trail, cell) != cell) break;
        }
        put(cell);
    }
    return k;
}

template <bool Standard>
inline bool PlainPairRun(RangeSource<char>& s, Utf8FromUnits<Output<char>>& u)
{
    Output<char>& out = u.out;
    const std::int64_t room = out.capacity - out.count - 1;  // the terminator stays out of it
    if (u.high || room < 3) return false;
    const std::size_t pairs = std::min<std::size_t>(s.remaining / 2, static_cast<std::uint64_t>(room) / 3);
    char* o = out.destination + out.count;
    const std::size_t taken =
        TakePlainPairs<Standard>(reinterpret_cast<const unsigned char*>(s.p), pairs, [&o](unsigned unit) {
        o[0] = static_cast<char>(0xE0 | unit >> 12);
        o[1] = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
        o[2] = static_cast<char>(0x80 | (unit & 0x3F));
        o += 3;
    });
    if (taken == 0) return false;
    out.count += static_cast<std::int64_t>(3 * taken);
    s.Advance(2 * taken);
    return true;
}

template <bool Standard>
inline bool PlainPairRun(RangeSource<char>& s, Utf8FromUnits<CountingOutput<char>>& u)
{
    if (u.high) return false;
    const std::size_t taken =
        TakePlainPairs<Standard>(reinterpret_cast<const unsigned char*>(s.p), s.remaining / 2, [](unsigned) {});
    if (taken == 0) return false;
    u.out.count += static_cast<std::int64_t>(3 * taken);
    s.Advance(2 * taken);
    return true;
}

template <bool Standard, typename Source, typename Out>
std::int64_t InternalToUtf16Body(Source s, Out out, bool writeMark)
{
    if (writeMark) out.Put(kMark);
    for (;;) {
        if (PlainPairRun<Standard>(s, out)) continue;
        unsigned b = s.At(0);
        if (b < 0x80) {
            if (s.EndsAt(b)) break;
            if (b == 0) {  // a zero inside a range: the character U+0000
                out.Put(0);
                s.Advance(1);
            } else {
                CopyAsciiRun(s, out);
            }
            continue;
        }
        if (IsLeadByte(b)) {
            unsigned trail = s.At(1);
            if (IsTrailByte(trail)) {
                unsigned cell = PairCell(b, trail);
                if constexpr (Standard) cell = StandardFormUnit(b << 8 | trail, cell);
                if (IsOneUnitCell(cell))
                    out.Put(cell);
                else
                    PutCellUnits(out, cell);
                s.Advance(2);
                continue;
            }
        }
        // Half-width katakana keep their own characters, so that a file read from UTF-8 or
        // UTF-16 is written back as it was.
        if (IsHalfWidthKana(b)) {
            out.Put(b + 0xFEC0);
            s.Advance(1);
            continue;
        }
        // A lone lead byte, a byte without a character.
        InternalChar c = ReadChar(s);
        PutCodeUnits(out, c.code);
        s.Advance(static_cast<std::size_t>(c.length));
    }
    return out.Finish();
}

// A unit whose page cell is not a plain code (s already past it): a surrogate pair, a
// combining mark, or a unit without a code. previous is the unit before when its code was
// the last thing written, else 0; returns the same for the next unit.
template <typename Source, typename Out>
unsigned PutUncommonUnit(Source& s, Out& out, unsigned unit, unsigned cell, unsigned previous)
{
    if (cell >= kFormBase) {
        out.PutCode(FormCharacters[(cell - kFormBase) >> 1].code);
        out.SawForm(cell & 1);
        return unit;
    }
    if (cell >= kMarkBase) {
        // The mark completes a sequence with the character before it (longest match),
        // or stands alone.
        if (unsigned code = previous ? SequenceToCode(previous, unit) : 0u) {
            out.ReplaceLastPair(code);
            return 0;
        }
        if (unsigned alone = CombiningMarks[cell - kMarkBase].alone) {
            out.PutCode(alone);
            return unit;
        }
    } else if (IsHighSurrogate(unit) && IsLowSurrogate(s.At(0))) {
        unsigned code = SupplementaryToCode(CombineSurrogates(unit, s.At(0)));
        s.Advance(1);
        if (code) {
            out.PutCode(code);
        } else {
            out.Put('?');  // one "?" for each unit of a character without a code
            out.Put('?');
            out.Replaced();
        }
        return 0;
    }
    out.Put('?');
    out.Replaced();
    return 0;
}

// Reads each unit before anything is written for it, so it may run in place (a sequence
// rewrites the two bytes already written for its base character).
template <typename Source, typename Out>
std::int64_t Utf16ToInternalBody(Source s, Out out)
{
    if (!s.AtEnd() && s.At(0) == kMark) s.Advance(1);
    unsigned previous = 0;
    for (;;) {
        unsigned unit = s.At(0);
        if (unit < 0x80) {
            if (s.EndsAt(unit)) break;
            if (unit == 0) {
                out.Put(0);
                s.Advance(1);
            } else {
                CopyAsciiRun(s, out);
            }
            previous = 0;
            continue;
        }
        s.Advance(1);
        unsigned cell = UnicodeCell(unit);
        // One compare sends both 0 (no code) and the mark markers to the uncommon path.
        if (cell - 1u < kMarkBase - 1u) {
            out.PutCode(cell);
            previous = unit;
        } else {
            previous = PutUncommonUnit(s, out, unit, cell, previous);
        }
    }
    return out.Finish();
}

inline int Utf8SequenceLength(unsigned b)
{
    if ((b & 0xFC) == 0xFC) return 6;
    if ((b & 0xF8) == 0xF8) return 5;
    if ((b & 0xF0) == 0xF0) return 4;
    if ((b & 0xE0) == 0xE0) return 3;
    if ((b & 0xC0) == 0xC0) return 2;
    return 1;
}

template <typename Source, typename Out>
std::int64_t Utf8ToUtf16Body(Source s, Out out)
{
    if (s.At(0) == 0xEF && s.At(1) == 0xBB && s.At(2) == 0xBF) s.Advance(3);
    for (;;) {
        unsigned b = s.At(0);
        if (b < 0x80) {
            if (s.EndsAt(b)) break;
            if (b == 0) {  // a zero inside a range: the character U+0000
                out.Put(0);
                s.Advance(1);
            } else {
                CopyAsciiRun(s, out);
            }
            continue;
        }
        // The common case of Japanese text: whole three-byte forms, one after another;
        // they stay in this inner loop instead of going round the ASCII test each time.
        bool decoded = false;
        while ((b & 0xF0) == 0xE0) {
            unsigned c1 = s.At(1);
            if ((c1 & 0xC0) != 0x80) break;
            unsigned c2 = s.At(2);
            if ((c2 & 0xC0) != 0x80) break;
            unsigned value = (b & 0x0F) << 12 | (c1 & 0x3F) << 6 | (c2 & 0x3F);
            out.Put(value ? value : kNoCharacterUnit);
            s.Advance(3);
            b = s.At(0);
            decoded = true;
        }
        if (decoded) continue;
        int length = Utf8SequenceLength(b);
        if (length == 1) {  // ASCII, or a stray continuation byte taken as U+0080-U+00BF
            out.Put(b);
            s.Advance(1);
            continue;
        }
        // Only real continuation bytes belong to the sequence: a broken one must not
        // swallow the text after it (nor the terminator).
        int present = 1;
        while (present < length && (s.At(static_cast<std::size_t>(present)) & 0xC0) == 0x80) ++present;
        if (present < length) {
            out.Put(kNoCharacterUnit);
            s.Advance(static_cast<std::size_t>(present));
            continue;
        }
        if (length == 4) {
            // A character above U+FFFF: a surrogate pair when it has an internal code,
            // else one "?" (as for the five- and six-byte forms).
            std::uint32_t codePoint =
                (b & 0x07) << 18 | (s.At(1) & 0x3F) << 12 | (s.At(2) & 0x3F) << 6 | (s.At(3) & 0x3F);
            if (SupplementaryToCode(codePoint)) {
                out.Put(0xD800 + ((codePoint - 0x10000) >> 10));
                out.Put(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
            } else {
                out.Put('?');
                out.Replaced();
            }
        } else if (length > 4) {
            out.Put('?');
            out.Replaced();
        } else {
            unsigned value = length == 2 ? (b & 0x1F) << 6 | (s.At(1) & 0x3F)
                                         : (b & 0x0F) << 12 | (s.At(1) & 0x3F) << 6 | (s.At(2) & 0x3F);
            // An overlong zero must not end the text.
            out.Put(value ? value : kNoCharacterUnit);
        }
        s.Advance(static_cast<std::size_t>(length));
    }
    return out.Finish();
}

// The Utf16ToInternalBody side of UTF-8 read straight to InternalText, for one unit at a
// time: previous is the unit whose code was written last when it may take a combining mark
// (else 0), high a high surrogate waiting for the unit after it (else 0).
template <typename Out>
inline void UnitToInternal(Out& out, unsigned unit, unsigned& previous, unsigned& high)
{
    if (high) {
        const unsigned waiting = high;
        high = 0;
        previous = 0;
        if (IsLowSurrogate(unit)) {
            if (unsigned code = SupplementaryToCode(CombineSurrogates(waiting, unit))) {
                out.PutCode(code);
            } else {
                out.Put('?');  // one "?" for each unit of a character without a code
                out.Put('?');
                out.Replaced();
            }
            return;
        }
        out.Put('?');
        out.Replaced();
    }
    if (unit < 0x80) {
        out.Put(unit);
        previous = 0;
        return;
    }
    const unsigned cell = UnicodeCell(unit);
    if (cell - 1u < kMarkBase - 1u) {
        out.PutCode(cell);
        previous = unit;
        return;
    }
    if (cell >= kFormBase) {
        out.PutCode(FormCharacters[(cell - kFormBase) >> 1].code);
        out.SawForm(cell & 1);
        previous = unit;
        return;
    }
    if (cell >= kMarkBase) {
        if (unsigned code = previous ? SequenceToCode(previous, unit) : 0u) {
            out.ReplaceLastPair(code);
            previous = 0;
            return;
        }
        if (unsigned alone = CombiningMarks[cell - kMarkBase].alone) {
            out.PutCode(alone);
            previous = unit;
            return;
        }
    } else if (IsHighSurrogate(unit)) {
        high = unit;
        return;
    }
    out.Put('?');
    out.Replaced();
    previous = 0;
}

// ASCII and three-byte forms whose unit has a plain code, from a range straight into a
// writing output, without a bounds test per byte: each byte gives at most one, so the room
// is checked once per character. True when it took one or more; the general loop takes
// everything else, and all of it for other sources and outputs.
template <typename Source, typename Out>
inline bool PlainRun(Source&, Out&, unsigned&)
{
    return false;
}

inline bool PlainRun(RangeSource<char>& s, Output<char>& out, unsigned& previous)
{
    const unsigned char* const start = reinterpret_cast<const unsigned char*>(s.p);
    const unsigned char* p = start;
    const unsigned char* const end = start + s.remaining;
    char* o = out.destination + out.count;
    char* const outEnd = out.destination + (out.capacity - 1);  // the terminator stays out of it
    if (out.count >= out.capacity - 1) return false;
    unsigned last = previous;
    while (p < end && o + 2 <= outEnd) {
        const unsigned b0 = p[0];
        if (b0 < 0x80) {  // a zero in a range is a character too
            *o++ = static_cast<char>(b0);
            ++p;
            last = 0;
            continue;
        }
        if ((b0 & 0xF0) != 0xE0 || end - p < 3) break;
        const unsigned b1 = p[1], b2 = p[2];
        if ((((b1 ^ 0x80) | (b2 ^ 0x80)) & 0xC0) != 0) break;
        const unsigned unit = (b0 & 0x0F) << 12 | (b1 & 0x3F) << 6 | (b2 & 0x3F);
        const unsigned cell = UnicodeCell(unit);  // 0 for the unit 0 of an overlong form
        if (cell - 1u >= kMarkBase - 1u) break;
        if (cell >= 0x100) {
            o[0] = static_cast<char>(cell >> 8);
            o[1] = static_cast<char>(cell & 0xFF);
            o += 2;
        } else {
            *o++ = static_cast<char>(cell);
        }
        last = unit;
        p += 3;
    }
    if (p == start) return false;
    previous = last;
    out.count = o - out.destination;
    s.Advance(static_cast<std::size_t>(p - start));
    return true;
}

// UTF-8 straight to InternalText, no mark skipped: each character becomes the unit or
// units that Utf8ToUtf16Body writes for it, and those go through the steps of
// Utf16ToInternalBody (UnitToInternal), so the text is the one the two give together.
// The common characters -- ASCII runs and three-byte forms with a plain code -- take a
// shorter way with the same result.
template <typename Source, typename Out>
std::int64_t Utf8ToInternalBody(Source s, Out out)
{
    unsigned previous = 0, high = 0;
    for (;;) {
        if (!high && PlainRun(s, out, previous)) continue;
        unsigned b = s.At(0);
        if (b < 0x80) {
            if (s.EndsAt(b)) break;
            if (high)
                UnitToInternal(out, b, previous, high);  // writes the "?" for it, then b
            else if (b == 0) {
                out.Put(0);
            } else {
                CopyAsciiRun(s, out);
                previous = 0;
                continue;
            }
            previous = 0;
            s.Advance(1);
            continue;
        }
        bool decoded = false;
        while ((b & 0xF0) == 0xE0 && !high) {
            const unsigned c1 = s.At(1);
            if ((c1 & 0xC0) != 0x80) break;
            const unsigned c2 = s.At(2);
            if ((c2 & 0xC0) != 0x80) break;
            unsigned unit = (b & 0x0F) << 12 | (c1 & 0x3F) << 6 | (c2 & 0x3F);
            if (unit == 0) unit = kNoCharacterUnit;  // an overlong zero must not end the text
            const unsigned cell = UnicodeCell(unit);
            if (cell - 1u < kMarkBase - 1u) {
                out.PutCode(cell);
                previous = unit;
            } else {
                UnitToInternal(out, unit, previous, high);
            }
            s.Advance(3);
            b = s.At(0);
            decoded = true;
        }
        if (decoded) continue;
        const int length = Utf8SequenceLength(b);
        if (length == 1) {  // a stray continuation byte, taken as U+0080-U+00BF
            UnitToInternal(out, b, previous, high);
            s.Advance(1);
            continue;
        }
        int present = 1;
        while (present < length && (s.At(static_cast<std::size_t>(present)) & 0xC0) == 0x80) ++present;
        if (present < length) {
            UnitToInternal(out, kNoCharacterUnit, previous, high);
            s.Advance(static_cast<std::size_t>(present));
            continue;
        }
        if (length == 4) {
            const std::uint32_t codePoint =
                (b & 0x07) << 18 | (s.At(1) & 0x3F) << 12 | (s.At(2) & 0x3F) << 6 | (s.At(3) & 0x3F);
            if (SupplementaryToCode(codePoint)) {
                UnitToInternal(out, 0xD800 + ((codePoint - 0x10000) >> 10), previous, high);
                UnitToInternal(out, 0xDC00 + ((codePoint - 0x10000) & 0x3FF), previous, high);
            } else {
                UnitToInternal(out, '?', previous, high);
                out.Replaced();
            }
        } else if (length > 4) {
            UnitToInternal(out, '?', previous, high);
            out.Replaced();
        } else {
            const unsigned value = length == 2 ? (b & 0x1F) << 6 | (s.At(1) & 0x3F)
                                               : (b & 0x0F) << 12 | (s.At(1) & 0x3F) << 6 | (s.At(2) & 0x3F);
            UnitToInternal(out, value ? value : kNoCharacterUnit, previous, high);
        }
        s.Advance(static_cast<std::size_t>(length));
    }
    if (high) {  // a high surrogate at the end has no partner
        out.Put('?');
        out.Replaced();
    }
    return out.Finish();
}

template <typename Source, typename Out>
std::int64_t Utf16ToUtf8Body(Source s, Out out, bool writeMark)
{
    if (writeMark) out.PutThree(0xEF, 0xBB, 0xBF);
    for (;;) {
        unsigned unit = s.At(0);
        if (unit < 0x80) {
            if (s.EndsAt(unit)) break;
            if (unit == 0) {
                out.Put(0);
                s.Advance(1);
            } else {
                CopyAsciiRun(s, out);
            }
            continue;
        }
        // Japanese text: runs of units that take three bytes each, kept in one inner loop.
        while (unit >= 0x800 && !IsHighSurrogate(unit)) {
            out.PutThree(0xE0 | unit >> 12, 0x80 | ((unit >> 6) & 0x3F), 0x80 | (unit & 0x3F));
            s.Advance(1);
            unit = s.At(0);
        }
        if (unit < 0x80) continue;
        s.Advance(1);
        if (unit < 0x800) {
            out.Put(0xC0 | unit >> 6);
            out.Put(0x80 | (unit & 0x3F));
            continue;
        }
        unsigned low = s.At(0);
        if (IsLowSurrogate(low)) {  // a surrogate pair: one four-byte form
            std::uint32_t codePoint = CombineSurrogates(unit, low);
            out.Put(0xF0 | codePoint >> 18);
            out.PutThree(0x80 | ((codePoint >> 12) & 0x3F), 0x80 | ((codePoint >> 6) & 0x3F),
                         0x80 | (codePoint & 0x3F));
            s.Advance(1);
        } else {  // a lone high surrogate keeps its three-byte form
            out.PutThree(0xE0 | unit >> 12, 0x80 | ((unit >> 6) & 0x3F), 0x80 | (unit & 0x3F));
        }
    }
    return out.Finish();
}

template <bool Standard>
auto InternalToUtf16With(bool writeMark)
{
    return [writeMark](auto s, auto out) { return InternalToUtf16Body<Standard>(s, out, writeMark); };
}
auto Utf16ToUtf8With(bool writeMark)
{
    return [writeMark](auto s, auto out) { return Utf16ToUtf8Body(s, out, writeMark); };
}
template <bool Standard>
auto InternalToUtf8With(bool writeMark)
{
    return [writeMark](auto s, auto out) {
        if (writeMark) out.PutThree(0xEF, 0xBB, 0xBF);
        return InternalToUtf16Body<Standard>(s, Utf8FromUnits<decltype(out)>{out}, false);
    };
}

// Runs an InternalText -> Unicode conversion in the form asked for.
template <typename Unit, typename Source, typename Windows, typename Standard>
std::int64_t RunInForm(Unit* destination, std::int64_t capacity, Source source, UnicodeForm form, Windows windows,
                       Standard standard, std::int64_t* replaced)
{
    if (form == UnicodeForm::Standard) return Run(destination, capacity, source, standard, replaced);
    return Run(destination, capacity, source, windows, replaced);
}
auto Utf16ToInternalWith()
{
    return [](auto s, auto out) { return Utf16ToInternalBody(s, out); };
}
auto Utf8ToUtf16With()
{
    return [](auto s, auto out) { return Utf8ToUtf16Body(s, out); };
}
auto Utf8ToInternalWith()
{
    return [](auto s, auto out) { return Utf8ToInternalBody(s, out); };
}

}  // namespace

std::int64_t InternalToUtf16(char16_t* destination, const char* source, bool writeMark, std::int64_t capacity,
                             std::int64_t* replaced, UnicodeForm form)
{
    return RunInForm(destination, capacity, Terminated(source), form, InternalToUtf16With<false>(writeMark),
                     InternalToUtf16With<true>(writeMark), replaced);
}
std::int64_t InternalToUtf16(char16_t* destination, std::string_view source, bool writeMark, std::int64_t capacity,
                             std::int64_t* replaced, UnicodeForm form)
{
    return RunInForm(destination, capacity, Range(source), form, InternalToUtf16With<false>(writeMark),
                     InternalToUtf16With<true>(writeMark), replaced);
}

std::int64_t Utf16ToInternal(char* destination, const char16_t* source, std::int64_t capacity, std::int64_t* replaced,
                             unsigned* forms)
{
    return Run(destination, capacity, Terminated(source), Utf16ToInternalWith(), replaced, forms);
}
std::int64_t Utf16ToInternal(char* destination, std::u16string_view source, std::int64_t capacity,
                             std::int64_t* replaced, unsigned* forms)
{
    return Run(destination, capacity, Range(source), Utf16ToInternalWith(), replaced, forms);
}

std::int64_t Utf8ToUtf16(char16_t* destination, const char* source, std::int64_t capacity, std::int64_t* replaced)
{
    return Run(destination, capacity, Terminated(source), Utf8ToUtf16With(), replaced);
}
std::int64_t Utf8ToUtf16(char16_t* destination, std::string_view source, std::int64_t capacity, std::int64_t* replaced)
{
    return Run(destination, capacity, Range(source), Utf8ToUtf16With(), replaced);
}

std::int64_t Utf16ToUtf8(char* destination, const char16_t* source, bool writeMark, std::int64_t capacity)
{
    return Run(destination, capacity, Terminated(source), Utf16ToUtf8With(writeMark));
}
std::int64_t Utf16ToUtf8(char* destination, std::u16string_view source, bool writeMark, std::int64_t capacity)
{
    return Run(destination, capacity, Range(source), Utf16ToUtf8With(writeMark));
}

std::size_t Utf8MarkLength(std::string_view source)
{
    auto markAt = [&](std::size_t k) { return source.substr(k, 3) == std::string_view("\xEF\xBB\xBF", 3); };
    // Utf8ToUtf16 skips one mark; a second one is the first unit, which Utf16ToInternal skips.
    return markAt(0) ? (markAt(3) ? 6 : 3) : 0;
}

std::int64_t Utf8ToInternal(char* destination, const char* source, std::int64_t capacity, std::int64_t* replaced,
                            unsigned* forms)
{
    // The tests stop at the first byte that differs, so none reads past the terminator.
    auto markAt = [](const char* p) { return p[0] == '\xEF' && p[1] == '\xBB' && p[2] == '\xBF'; };
    if (source && markAt(source)) {
        source += 3;
        if (markAt(source)) source += 3;
    }
    return Run(destination, capacity, Terminated(source), Utf8ToInternalWith(), replaced, forms);
}
std::int64_t Utf8ToInternal(char* destination, std::string_view source, std::int64_t capacity, std::int64_t* replaced,
                            unsigned* forms)
{
    return Utf8PieceToInternal(destination, source.substr(Utf8MarkLength(source)), capacity, replaced, forms);
}
std::int64_t Utf8PieceToInternal(char* destination, std::string_view piece, std::int64_t capacity,
                                 std::int64_t* replaced, unsigned* forms)
{
    return Run(destination, capacity, Range(piece), Utf8ToInternalWith(), replaced, forms);
}

std::int64_t InternalToUtf8(char* destination, const char* source, bool writeMark, std::int64_t capacity,
                            std::int64_t* replaced, UnicodeForm form)
{
    return RunInForm(destination, capacity, Terminated(source), form, InternalToUtf8With<false>(writeMark),
                     InternalToUtf8With<true>(writeMark), replaced);
}
std::int64_t InternalToUtf8(char* destination, std::string_view source, bool writeMark, std::int64_t capacity,
                            std::int64_t* replaced, UnicodeForm form)
{
    return RunInForm(destination, capacity, Range(source), form, InternalToUtf8With<false>(writeMark),
                     InternalToUtf8With<true>(writeMark), replaced);
}
