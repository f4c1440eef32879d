// InternalText <-> EUC-JP (JIS X 0213 plane 1 in two bytes, plane 2 behind SS3, half-width
// katakana behind SS2).
#include "encoding/CharacterCodesInline.h"

using namespace encoding_detail;

namespace {

constexpr unsigned kSs2 = 0x8E;
constexpr unsigned kSs3 = 0x8F;

template <typename Source, typename Out>
std::int64_t InternalToEucBody(Source s, Out out)
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
        if (IsLeadByte(b) && IsTrailByte(s.At(1))) {
            unsigned code = b << 8 | s.At(1);
            if (b >= 0xF0) out.Put(kSs3);
            out.PutPair(PairToJis(code) | 0x8080);
            s.Advance(2);
            continue;
        }
        if (b >= 0xA1 && b <= 0xDF) {  // half-width katakana stay half-width, behind SS2
            out.Put(kSs2);
            out.Put(b);
            s.Advance(1);
            continue;
        }
        InternalChar c = ReadChar(s);
        s.Advance(static_cast<std::size_t>(c.length));
        if (c.code >= 0x8140) {
            if ((c.code >> 8) >= 0xF0) out.Put(kSs3);
            out.PutPair(PairToJis(c.code) | 0x8080);
        } else {
            out.PutCode(c.code);  // a byte without a character, kept as it is
        }
    }
    return out.Finish();
}

inline bool IsEucByte(unsigned b) { return b >= 0xA1 && b <= 0xFE; }

// A multi-byte character is read only when all its bytes are there; otherwise its first
// byte is copied and the next byte (a line break, the terminator) is read on its own.
template <typename Source, typename Out>
std::int64_t EucToInternalBody(Source s, Out out)
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
        if (b >= 0xA1 && b <= 0xFE) {
            unsigned cell = s.At(1);
            if (IsEucByte(cell)) {
                out.PutPair(Plane1ToCode(b & 0x7F, cell & 0x7F));
                s.Advance(2);
                continue;
            }
        }
        if (b == kSs2) {
            unsigned kana = s.At(1);
            if (kana >= 0xA1 && kana <= 0xDF) {
                out.Put(kana);
                s.Advance(2);
                continue;
            }
        } else if (b == kSs3) {
            unsigned row = s.At(1);
            unsigned cell = IsEucByte(row) ? s.At(2) : 0;
            if (IsEucByte(cell)) {
                unsigned jis = (row & 0x7F) << 8 | (cell & 0x7F);
                unsigned code = row >= 0xB0 && row <= 0xED ? Jisx0212ToCode(jis) : JisToCode(jis, 2);
                if (code == 0) {
                    out.Put('?');
                    out.Replaced();
                } else {
                    out.PutCode(code);
                }
                s.Advance(3);
                continue;
            }
        } else if (b == 0xFF && IsEucByte(s.At(1))) {
            out.Put('?');  // row 0x7F does not exist
            out.Replaced();
            s.Advance(2);
            continue;
        }
        out.Put(b);
        s.Advance(1);
    }
    return out.Finish();
}

auto InternalToEucWith()
{
    return [](auto s, auto out) { return InternalToEucBody(s, out); };
}
auto EucToInternalWith()
{
    return [](auto s, auto out) { return EucToInternalBody(s, out); };
}

}  // namespace

std::int64_t InternalToEuc(char* destination, const char* source, std::int64_t capacity)
{
    return Run(destination, capacity, Terminated(source), InternalToEucWith());
}
std::int64_t InternalToEuc(char* destination, std::string_view source, std::int64_t capacity)
{
    return Run(destination, capacity, Range(source), InternalToEucWith());
}

std::int64_t EucToInternal(char* destination, const char* source, std::int64_t capacity, std::int64_t* replaced)
{
    return Run(destination, capacity, Terminated(source), EucToInternalWith(), replaced);
}
std::int64_t EucToInternal(char* destination, std::string_view source, std::int64_t capacity, std::int64_t* replaced)
{
    return Run(destination, capacity, Range(source), EucToInternalWith(), replaced);
}
