// The second stage of recognition: where the scoring rules leave a file undecided, or
// decide an encoding its bytes are not valid text in, the first block is read as Shift_JIS,
// EUC-JP and UTF-8 and the reading that looks most like Japanese text is taken.
//
// Why a second stage at all: the rules count byte pairs, and in a short text the counts tie
// (あ in EUC-JP scores 2 for each) or a stray UTF-8-looking triple decides. How Japanese
// text is made tells the readings apart where the counts cannot: EUC-JP read as Shift_JIS
// turns into runs of half-width katakana and rare kanji, Shift_JIS read as EUC-JP breaks on
// its first hiragana (lead byte 0x82), and either read as UTF-8 breaks within a few bytes.
// Each character of a reading adds a weight by its kind (hiragana, katakana, kanji of the
// first or second level, punctuation, half-width katakana, characters only JIS X 0213
// has); a reading with a byte sequence its encoding cannot hold is out.
#include <array>
#include <cstdint>
#include <cstring>

#include "encoding/Conversion.h"
#include "encoding/Detection.h"
#include "encoding/EncodingTables.h"

namespace {

// Weights of a character's kind, roughly how much likelier it is in Japanese text than in
// the misreading of another encoding. Only their order and rough size matter.
constexpr int kHiragana = 6, kKatakana = 5, kKanjiLevel1 = 5, kKanjiLevel2 = 1, kCommonPunctuation = 4, kSymbol = 2,
              kRareSymbol = 1, kFullWidthLatin = 2, kOtherRow = 0, kOnlyJisX0213 = -4, kPlane2 = -6,
              kHalfWidthKana = -2, kNotJapanese = -1;
// A Latin letter with a diacritic right after an ASCII letter (café) in a UTF-8 reading: what
// UTF-8 files of Latin text are made of, and what EUC-JP kanji seldom look like in it.
constexpr int kLatinInWord = 6;
// A plane-1 row/cell the tables leave without a character: a pair no text holds.
constexpr int kNoCharacter = -128;

// JIS row 1 characters that Japanese prose is full of: 　、。，．・ー々〜…（）「」『』【】
constexpr unsigned char kCommonRow1Cells[] = {1, 2, 3, 4, 5, 6, 25, 28, 33, 36, 42, 43, 54, 55, 56, 57, 58, 59};

// Whether a lead and trail byte pair of Shift_JIS stands for a character: the few codes the
// tables leave unmapped are pairs no text holds.
inline bool SjisPairIsCharacter(unsigned lead, unsigned trail)
{
    return SjisToUnicodeTable[lead <= 0x9F ? lead - 0x81 : lead - 0xC1][trail < 0x80 ? trail - 0x40 : trail - 0x41] !=
           0;
}

struct Plane1Weights {
    std::array<std::int8_t, 94 * 94> weight{};
};

bool InJisX0208(int row, int cell)  // 0-based
{
    return (Jisx0208Cells[row][cell >> 3] >> (cell & 7)) & 1;
}

const Plane1Weights& Weights()
{
    static const Plane1Weights table = [] {
        Plane1Weights t;
        for (int row = 0; row < 94; ++row)
            for (int cell = 0; cell < 94; ++cell) {
                // Row 13 (① ㈱ ㎝) is in Windows' code page as well as in JIS X 0213.
                int w = row + 1 == 13 ? kRareSymbol : kOnlyJisX0213;
                if (InJisX0208(row, cell)) {
                    const int r = row + 1;
                    w = r == 1   ? kSymbol
                        : r == 2 ? kRareSymbol
                        : r == 3 ? kFullWidthLatin
                        : r == 4 ? kHiragana
                        : r == 5 ? kKatakana
                        : r < 16 ? kOtherRow
                        : r < 48 ? kKanjiLevel1
                                 : kKanjiLevel2;
                }
                const std::uint16_t code =
                    JisCodeToSjis(static_cast<std::uint16_t>((row + 0x21) << 8 | (cell + 0x21)), 1);
                if (code == 0 || !SjisPairIsCharacter(code >> 8, code & 0xFF)) w = kNoCharacter;
                t.weight[row * 94 + cell] = static_cast<std::int8_t>(w);
            }
        for (unsigned char cell : kCommonRow1Cells) t.weight[cell - 1] = kCommonPunctuation;
        return t;
    }();
    return table;
}

// A reading of the block: valid while every byte sequence is one its encoding holds, and
// the sum of the weights of its characters.
struct Reading {
    bool valid = true;
    long score = 0;
};

inline long Plane1Weight(const Plane1Weights& w, unsigned jisRow, unsigned jisCell)  // each 0x21-0x7E
{
    return w.weight[(jisRow - 0x21) * 94 + (jisCell - 0x21)];
}

// Passes over ASCII eight bytes at a time: the readers are mostly run to tell validity, on
// files whose text is largely ASCII.
inline std::size_t PastAscii(const unsigned char* b, std::size_t n, std::size_t i)
{
    for (std::uint64_t word; i + 8 <= n; i += 8) {
        std::memcpy(&word, b + i, 8);
        if (word & 0x8080808080808080u) break;
    }
    while (i < n && b[i] < 0x80) ++i;
    return i;
}

// A character cut by the end of the block is no fault of the text; cut by the end of the
// file it is.
template <bool kScore>
Reading ReadShiftJis(const unsigned char* b, std::size_t n, bool cut)
{
    const Plane1Weights& w = Weights();
    Reading r;
    for (std::size_t i = 0; i < n;) {
        const unsigned c = b[i];
        if (c < 0x80) {
            i = PastAscii(b, n, i + 1);
        } else if (c >= 0xA1 && c <= 0xDF) {
            r.score += kHalfWidthKana;
            ++i;
        } else if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            if (i + 1 >= n) {
                r.valid = cut;
                break;
            }
            const unsigned d = b[i + 1];
            if (d < 0x40 || d == 0x7F || d > 0xFC || !SjisPairIsCharacter(c, d)) return {false, 0};
            const std::uint16_t code = static_cast<std::uint16_t>(c << 8 | d);
            if (!kScore) {
            } else if (SjisCodePlane(code) == 2) {
                r.score += kPlane2;
            } else {
                const std::uint16_t jis = SjisToJisCode(code);
                r.score += Plane1Weight(w, jis >> 8, jis & 0xFF);
            }
            i += 2;
        } else {
            return {false, 0};  // 0x80, 0xA0, 0xFD-0xFF
        }
    }
    return r;
}

template <bool kScore>
Reading ReadEucJp(const unsigned char* b, std::size_t n, bool cut)
{
    const Plane1Weights& w = Weights();
    auto high = [](unsigned x) { return x >= 0xA1 && x <= 0xFE; };
    Reading r;
    for (std::size_t i = 0; i < n;) {
        const unsigned c = b[i];
        if (c < 0x80) {
            i = PastAscii(b, n, i + 1);
            continue;
        }
        const std::size_t need = c == 0x8F ? 3 : 2;
        if (i + need > n) {
            // What is there must still be able to start the character.
            bool fits = c == 0x8E || c == 0x8F || high(c);
            for (std::size_t k = i + 1; k < n; ++k) fits = fits && (c == 0x8E ? b[k] <= 0xDF : true) && high(b[k]);
            r.valid = cut && fits;
            break;
        }
        const unsigned d = b[i + 1];
        if (c == 0x8E && d >= 0xA1 && d <= 0xDF) {
            r.score += kHalfWidthKana;
        } else if (c == 0x8F && high(d) && high(b[i + 2])) {
            // JIS X 0213's plane 2 or JIS X 0212: valid EUC-JP either way, rare in text.
            r.score += kPlane2;
        } else if (const long weight = high(c) && high(d) ? Plane1Weight(w, c - 0x80, d - 0x80) : kNoCharacter;
                   weight != kNoCharacter) {
            r.score += weight;
        } else {
            return {false, 0};
        }
        i += need;
    }
    return r;
}

template <bool kScore>
Reading ReadUtf8(const unsigned char* b, std::size_t n, bool cut)
{
    const Plane1Weights& w = Weights();
    Reading r;
    for (std::size_t i = 0; i < n;) {
        const unsigned c = b[i];
        if (c < 0x80) {
            i = PastAscii(b, n, i + 1);
            continue;
        }
        // Most of Japanese text: three-byte forms that cannot be overlong or surrogates.
        if (!kScore && ((c >= 0xE1 && c <= 0xEC) || c >= 0xEE) && c <= 0xEF && i + 2 < n && (b[i + 1] & 0xC0) == 0x80 &&
            (b[i + 2] & 0xC0) == 0x80) {
            i += 3;
            continue;
        }
        // The second byte's range excludes overlong forms, surrogates and code points
        // above U+10FFFF; the others are plain continuation bytes.
        std::size_t need;
        unsigned low = 0x80, top = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            need = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            need = 3;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) top = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            need = 4;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) top = 0x8F;
        } else {
            return {false, 0};
        }
        char32_t cp = c & (0x7F >> need);
        for (std::size_t k = 1; k < need; ++k) {
            if (i + k >= n) {
                r.valid = cut;
                return r;
            }
            const unsigned x = b[i + k];
            if (x < (k == 1 ? low : 0x80) || x > (k == 1 ? top : 0xBF)) return {false, 0};
            cp = cp << 6 | (x & 0x3F);
        }
        const std::uint16_t code = kScore ? CodePointToSjisCode(cp) : 0;
        const unsigned before = i > 0 ? (b[i - 1] | 0x20u) : 0u;
        if (!kScore) {
        } else if (cp >= 0xC0 && cp <= 0x24F && before >= 'a' && before <= 'z') {
            r.score += kLatinInWord;
        } else if (code >= 0xA1 && code <= 0xDF) {
            r.score += kHalfWidthKana;
        } else if (code < 0x100) {
            r.score += kNotJapanese;
        } else if (SjisCodePlane(code) == 2) {
            r.score += kPlane2;
        } else {
            const std::uint16_t jis = SjisToJisCode(code);
            r.score += Plane1Weight(w, jis >> 8, jis & 0xFF);
        }
        i += need;
    }
    return r;
}

// kScore false: only whether the reading is valid, as fast as that can be told.
template <bool kScore>
Reading ReadAs(EncodingCode code, const unsigned char* b, std::size_t n, bool cut)
{
    switch (code) {
    case EncodingCode::ShiftJis:
        return ReadShiftJis<kScore>(b, n, cut);
    case EncodingCode::EucJp:
        return ReadEucJp<kScore>(b, n, cut);
    default:
        return ReadUtf8<kScore>(b, n, cut);
    }
}

bool HasHighByte(const unsigned char* b, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (b[i] >= 0x80) return true;
    return false;
}

// The first n bytes read as code; true for the codes the readers do not judge.
bool IsValidReading(EncodingCode code, const char* bytes, std::size_t n, bool cut)
{
    if (code != EncodingCode::ShiftJis && code != EncodingCode::EucJp && code != EncodingCode::Utf8) return true;
    return ReadAs<false>(code, reinterpret_cast<const unsigned char*>(bytes), n, cut).valid;
}

}  // namespace

bool IsValidTextStart(EncodingCode code, const char* bytes, std::size_t length)
{
    const std::size_t n = length < kTextStageBytes ? length : kTextStageBytes;
    return IsValidReading(code, bytes, n, n < length);
}

bool IsValidText(EncodingCode code, const char* bytes, std::size_t length)
{
    return IsValidReading(code, bytes, length, false);
}

EncodingCode ChooseByJapaneseText(const char* bytes, std::size_t length)
{
    const std::size_t n = length < kTextStageBytes ? length : kTextStageBytes;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    if (n == 0 || !HasHighByte(b, n)) return EncodingCode::Undetermined;
    EncodingCode best = EncodingCode::Undetermined;
    long bestScore = 0;
    // On a tie the earlier one: UTF-8 text is rarely valid in the others, and Shift_JIS is
    // what Windows writes.
    for (EncodingCode code : {EncodingCode::Utf8, EncodingCode::ShiftJis, EncodingCode::EucJp}) {
        const Reading r = ReadAs<true>(code, b, n, n < length);
        if (r.valid && (best == EncodingCode::Undetermined || r.score > bestScore)) {
            best = code;
            bestScore = r.score;
        }
    }
    return best;
}
