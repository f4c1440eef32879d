// InternalText <-> 7-bit JIS (ISO-2022 style escape sequences).
#include "encoding/CharacterCodesInline.h"

using namespace encoding_detail;

namespace {

constexpr unsigned kEsc = 0x1B;

// Jis0208 is ESC $ B, which every ISO-2022-JP reader takes; Plane1 (ESC $ ( O) only for
// the characters JIS X 0213 added to plane 1.
enum class JisOutState { Ascii, Jis0208, Plane1, Plane2 };

inline bool IsJisx0208(unsigned jis)
{
    const unsigned row = (jis >> 8) - 0x21, cell = (jis & 0xFF) - 0x21;
    return (Jisx0208Cells[row][cell >> 3] >> (cell & 7)) & 1;
}

template <typename Out>
inline void Designate(Out& out, JisOutState state)
{
    out.Put(kEsc);
    out.Put('$');
    if (state == JisOutState::Jis0208) {
        out.Put('B');
        return;
    }
    out.Put('(');
    out.Put(state == JisOutState::Plane1 ? 'O' : 'P');
}

template <typename Source, typename Out>
std::int64_t InternalToJisBody(Source s, Out out)
{
    JisOutState state = JisOutState::Ascii;
    for (;;) {
        unsigned b = s.At(0);
        if (b < 0x80) {
            if (s.EndsAt(b)) break;
            if (state != JisOutState::Ascii) {
                out.Put(kEsc);
                out.Put('(');
                out.Put('B');
                state = JisOutState::Ascii;
            }
            if (b == 0) {
                out.Put(0);
                s.Advance(1);
            } else {
                CopyAsciiRun(s, out);
            }
            continue;
        }
        InternalChar c = ReadChar(s);
        s.Advance(static_cast<std::size_t>(c.length));
        if (c.code >= 0x8140) {
            const unsigned jis = PairToJis(c.code);
            const JisOutState set = (c.code >> 8) >= 0xF0 ? JisOutState::Plane2
                                    : IsJisx0208(jis)     ? JisOutState::Jis0208
                                                          : JisOutState::Plane1;
            if (state != set) {
                Designate(out, set);
                state = set;
            }
            out.PutPair(jis);
        } else {
            out.PutCode(c.code);  // a byte without a character, kept as it is
        }
    }
    return out.Finish();
}

enum class JisInState { Ascii, Roman, Kana, Plane1, Plane2, Jis0208, Jis0212 };

// Recognises the escape sequence at s (At(0) is ESC); returns its length, 0 for none.
template <typename Source>
std::size_t ReadEscape(const Source& s, JisInState& state)
{
    unsigned b1 = s.At(1);
    if (b1 == '$') {
        unsigned b2 = s.At(2);
        if (b2 == '@' || b2 == 'B') {
            state = JisInState::Jis0208;
            return 3;
        }
        if (b2 == '(') {
            switch (s.At(3)) {
            case 'O':
            case 'Q':  // the 2004 designation of the same plane
                state = JisInState::Plane1;
                return 4;
            case 'P':
                state = JisInState::Plane2;
                return 4;
            case 'D':
                state = JisInState::Jis0212;
                return 4;
            default:
                return 0;
            }
        }
        return 0;
    }
    if (b1 == '(') {
        switch (s.At(2)) {
        case 'B':
            state = JisInState::Ascii;
            return 3;
        case 'J':
            state = JisInState::Roman;
            return 3;
        case 'I':
            state = JisInState::Kana;
            return 3;
        default:
            return 0;
        }
    }
    return 0;
}

template <typename Source, typename Out>
std::int64_t JisToInternalBody(Source s, Out out)
{
    JisInState state = JisInState::Ascii;
    for (;;) {
        unsigned b = s.At(0);
        if (b == 0 && s.EndsAt(b)) break;
        if (state == JisInState::Ascii && b - 1u < 0x7Fu && b != kEsc) {
            CopyAsciiRun(s, out, kEsc);
            continue;
        }
        if ((state == JisInState::Plane1 || state == JisInState::Jis0208) && IsJisByte(b) && IsJisByte(s.At(1))) {
            out.PutPair(Plane1ToCode(b, s.At(1)));
            s.Advance(2);
            continue;
        }
        if (b == kEsc) {
            if (std::size_t length = ReadEscape(s, state)) {
                s.Advance(length);
                continue;
            }
        } else if (b == 0x0F && state == JisInState::Kana) {
            state = JisInState::Roman;
            s.Advance(1);
            continue;
        } else if (b == 0x0E && state == JisInState::Roman) {
            state = JisInState::Kana;
            s.Advance(1);
            continue;
        } else if (IsJisByte(b)) {
            switch (state) {
            case JisInState::Ascii:
            case JisInState::Roman:
                break;
            case JisInState::Kana:
                // Only 0x21-0x5F are katakana; anything above would become a lead byte.
                if (b <= 0x5F) {
                    out.Put(b | 0x80);
                    s.Advance(1);
                    continue;
                }
                break;
            default: {
                unsigned cell = s.At(1);
                if (!IsJisByte(cell)) break;  // half a character: the byte is kept as it is
                unsigned jis = b << 8 | cell;
                unsigned code = state == JisInState::Plane2    ? JisToCode(jis, 2)
                                : state == JisInState::Jis0212 ? Jisx0212ToCode(jis)
                                                               : JisToCode(jis, 1);
                if (code == 0) {
                    out.Put('?');
                    out.Replaced();
                } else {
                    out.PutCode(code);
                }
                s.Advance(2);
                continue;
            }
            }
        }
        out.Put(b);
        s.Advance(1);
    }
    return out.Finish();
}

auto InternalToJisWith()
{
    return [](auto s, auto out) { return InternalToJisBody(s, out); };
}
auto JisToInternalWith()
{
    return [](auto s, auto out) { return JisToInternalBody(s, out); };
}

}  // namespace

std::int64_t InternalToJis(char* destination, const char* source, std::int64_t capacity)
{
    return Run(destination, capacity, Terminated(source), InternalToJisWith());
}
std::int64_t InternalToJis(char* destination, std::string_view source, std::int64_t capacity)
{
    return Run(destination, capacity, Range(source), InternalToJisWith());
}

std::int64_t JisToInternal(char* destination, const char* source, std::int64_t capacity, std::int64_t* replaced)
{
    return Run(destination, capacity, Terminated(source), JisToInternalWith(), replaced);
}
std::int64_t JisToInternal(char* destination, std::string_view source, std::int64_t capacity, std::int64_t* replaced)
{
    return Run(destination, capacity, Range(source), JisToInternalWith(), replaced);
}
