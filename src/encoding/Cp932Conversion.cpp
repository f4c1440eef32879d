// InternalText <-> Windows Shift-JIS (code page 932), each character through the
// published Windows mapping to Unicode and from there to the other side. Both sides share
// the byte classes of Shift_JIS, so single bytes (ASCII, half-width katakana, the bytes
// without a character) and lone lead bytes pass as they are and only pairs are looked up.
#include "encoding/CharacterCodesInline.h"

using namespace encoding_detail;

namespace {

inline unsigned PairIndexCell(const std::uint16_t (*table)[188], unsigned lead, unsigned trail)
{
    return table[lead - (lead >= 0xE0 ? 0xC1 : 0x81)][trail - (trail >= 0x80 ? 0x41 : 0x40)];
}

// table gives the other side's code of a pair; 0 and kCp932NotHeld both mean that the
// other side has no such character, which becomes "?".
template <typename Source, typename Out>
std::int64_t PairMappedBody(Source s, Out out, const std::uint16_t (*table)[188])
{
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
        if (IsLeadByte(b)) {
            unsigned trail = s.At(1);
            if (IsTrailByte(trail)) {
                unsigned code = PairIndexCell(table, b, trail);
                if (code - 1u < kCp932NotHeld - 1u) {
                    out.PutCode(code);
                } else {
                    out.Put('?');
                    out.Replaced();
                }
                s.Advance(2);
                continue;
            }
        }
        out.Put(b);
        s.Advance(1);
    }
    return out.Finish();
}

auto Cp932ToInternalWith()
{
    return [](auto s, auto out) { return PairMappedBody(s, out, Cp932ToSjisTable); };
}
auto InternalToCp932With()
{
    return [](auto s, auto out) { return PairMappedBody(s, out, SjisToCp932Table); };
}

inline bool IsExtensionPair(unsigned code)
{
    return (code >= 0xED40 && code <= 0xEEFC) || (code >= 0xFA40 && code <= 0xFC4B);
}

}  // namespace

std::int64_t Cp932ToInternal(char* destination, const char* source, std::int64_t capacity, std::int64_t* replaced)
{
    return Run(destination, capacity, Terminated(source), Cp932ToInternalWith(), replaced);
}
std::int64_t Cp932ToInternal(char* destination, std::string_view source, std::int64_t capacity,
                             std::int64_t* replaced)
{
    return Run(destination, capacity, Range(source), Cp932ToInternalWith(), replaced);
}

std::int64_t InternalToCp932(char* destination, const char* source, std::int64_t capacity, std::int64_t* replaced)
{
    return Run(destination, capacity, Terminated(source), InternalToCp932With(), replaced);
}
std::int64_t InternalToCp932(char* destination, std::string_view source, std::int64_t capacity,
                             std::int64_t* replaced)
{
    return Run(destination, capacity, Range(source), InternalToCp932With(), replaced);
}

bool LooksLikeCp932(std::string_view bytes)
{
    bool extension = false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        const unsigned lead = p[i];
        if (!IsLeadByte(lead) || !IsTrailByte(p[i + 1])) continue;
        const unsigned code = lead << 8 | p[i + 1];
        // A pair that Windows has no character for is what only Shift_JIS-2004 writes.
        if (PairIndexCell(Cp932ToSjisTable, lead, p[i + 1]) == 0) return false;
        extension = extension || IsExtensionPair(code);
        ++i;
    }
    return extension;
}
