// The character primitives of InternalText (Shift_JIS-2004 bytes) and the eight
// conversions between InternalText and JIS, EUC-JP, UTF-16LE and UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "encoding/EncodingTypes.h"

// ---------------------------------------------------------------------------------------
// Characters
// ---------------------------------------------------------------------------------------

// Written for a double-byte code that the tables leave unmapped (GETA MARK).
constexpr char16_t kUnmappedUnit = 0x3013;
// Written for a lone lead byte (before a byte that is no trail, or at the end of the text).
constexpr char16_t kNoCharacterUnit = 0xFFFD;

// One character of InternalText: its 16-bit internal code and how many bytes it took.
struct InternalChar {
    std::uint16_t code;
    int length;  // 1 or 2; 0 only at the end of the text
};

// Reads the character at text (zero-terminated):
//  - a half-width katakana byte 0xA1-0xDF yields the full-width code, merged with a
//    following 0xDE/0xDF when the voiced/semi-voiced tables have an entry (2 bytes);
//  - a lead byte followed by a valid trail (0x40-0x7E, 0x80-0xFC) yields lead*256+trail;
//  - a lead byte followed by anything else yields the lead byte alone (1 byte), so the
//    following byte (a line break, the terminator) is never swallowed;
//  - any other byte yields itself; the terminator yields {0, 0}.
InternalChar ReadInternalChar(const char* text);
// The same over a text of available bytes (available >= 1); a 0 byte is the character 0
// (length 1) and nothing past text[available-1] is read.
InternalChar ReadInternalChar(const char* text, std::size_t available);

// Internal code to its character in UTF-16: writes 1 or 2 units to out and returns how
// many. ASCII stays, 0xA1-0xDF become U+FF61-U+FF9F, a valid pair gives its published
// character: one unit, a surrogate pair (above U+FFFF), or a base character and a
// combining mark (か゚ is U+304B U+309A); unmapped gives kUnmappedUnit. Bytes without a
// character get units that Utf16ToInternal turns back into the same byte: 0x80 -> U+0080,
// 0xA0 -> U+F8F0, 0xFD-0xFF -> U+F8F1-U+F8F3. A lone lead byte or a pair with an invalid
// trail gives kNoCharacterUnit. Only code 0 gives the unit 0.
int SjisCodeToUtf16(std::uint16_t code, char16_t out[2]);
// The same for the characters of one unit; for the 328 codes whose character takes two
// units it gives the first of them (a high surrogate or the base character).
char16_t SjisCodeToUnicode(std::uint16_t code);

// One UTF-16 unit to an internal code (below 0x100: one byte; else lead*256+trail);
// 0 when the unit has none (surrogates included). Unit 0 gives 0 as well. A combining
// mark gives the code of the mark alone (0 for U+309A, which has none).
std::uint16_t UnicodeToSjisCode(char16_t unit);
// Any code point (above U+FFFF too) to its internal code; 0 when it has none.
std::uint16_t CodePointToSjisCode(char32_t codePoint);
// A base character followed by a combining mark to the code of the two as one character
// (U+304B U+309A gives 0x82F5); 0 when they are no such character.
std::uint16_t SequenceToSjisCode(char16_t base, char16_t mark);

// The JIS X 0213 row/cell (row*256+cell, each 0x21-0x7E) of a valid double-byte internal
// code; 0 when code is not a lead byte with a valid trail. SjisCodePlane gives its plane.
std::uint16_t SjisToJisCode(std::uint16_t code);
int SjisCodePlane(std::uint16_t code);  // 1 for leads below 0xF0, 2 for 0xF0-0xFC

// The internal code of a JIS X 0213 row/cell in plane 1 or 2; 0 when there is none
// (row or cell outside 0x21-0x7E, a plane-2 row outside 1, 3-5, 8, 12-15 and 78-94).
std::uint16_t JisCodeToSjis(std::uint16_t jisCode, int plane);

// The internal code of a JIS X 0212 kanji code (row*256+cell); 0 outside the kanji rows
// 0x30-0x6D and for characters that JIS X 0213 lacks.
std::uint16_t Jisx0212ToSjis(std::uint16_t jisCode);

// ---------------------------------------------------------------------------------------
// Conversions
// ---------------------------------------------------------------------------------------
//
// The shared contract. Arguments: destination (may be null), source, capacity in output
// units (bytes; 16-bit units for UTF-16 output).
//  - destination null: only counts; returns the number of output units of the whole
//    source, the terminator not counted, a requested byte-order mark counted.
//  - destination given: writes while the running count stays below capacity, then a
//    terminator (0 byte or 0 unit), and returns the count when count < capacity, else -1
//    (the output does not fit; the destination then holds no usable text). Never writes
//    more than capacity units. A capacity below 1 always gives -1.
//  - A -1 result must never reach a file: size the destination by the counting call or by
//    the bounds below.
//
// Two forms of source:
//  - const char* / const char16_t*: zero-terminated; nothing past the terminator is read.
//  - std::string_view / std::u16string_view: exactly that range; a 0 byte or unit in it
//    is an ordinary character (U+0000) and nothing past the range is read.
//
// Worst case for n source units, terminator included in the output:
//   InternalToUtf16  n + 2 units        Utf16ToInternal  2n + 1 bytes
//   Utf8ToUtf16      n + 1 units        Utf16ToUtf8      3n + 4 bytes
//   InternalToJis    5n + 2 bytes       JisToInternal    n + 1 bytes
//   InternalToEuc    2n + 1 bytes       EucToInternal    n + 1 bytes
//
// Replacements never stop a conversion: an unmapped double-byte code gives U+3013; a
// UTF-16 unit without an internal code gives "?" (a surrogate pair without one "??"); a
// UTF-8 sequence of 4 bytes without an internal code, or of 5 or 6 bytes, gives "?"; a
// broken UTF-8 sequence (a continuation byte missing) gives U+FFFD; a JIS or EUC-JP code
// that converts to nothing gives "?"; an incomplete JIS/EUC-JP multi-byte character is
// copied byte by byte.
//
// The conversions that can replace take an optional last argument, replaced, which
// receives the number of characters written as a replacement (so that a caller can warn
// that a text was not kept whole). In the UTF-8 path each lost character is counted once:
// Utf8ToUtf16 counts its "?"; its U+FFFD for a broken sequence is counted by
// Utf16ToInternal, which turns it into "?".

// InternalText -> UTF-16; writeMark writes U+FEFF first. Each code gives its character as
// SjisCodeToUtf16 says (one or two units); half-width katakana stay half-width
// (U+FF61-U+FF9F), so a text read from UTF-16 or UTF-8 is written back as it was.
// replaced: U+3013 and U+FFFD written. form: the code points written for 〜 — ‖ − ¢ £ ¬.
std::int64_t InternalToUtf16(char16_t* destination, const char* source, bool writeMark, std::int64_t capacity,
                             std::int64_t* replaced = nullptr, UnicodeForm form = UnicodeForm::Windows);
std::int64_t InternalToUtf16(char16_t* destination, std::string_view source, bool writeMark, std::int64_t capacity,
                             std::int64_t* replaced = nullptr, UnicodeForm form = UnicodeForm::Windows);

// UTF-16 -> InternalText; one leading U+FEFF is skipped. A surrogate pair whose character
// has a code gives that code; a base character followed by the combining mark that
// completes one of the 25 sequences gives the sequence's code (the longest match wins; a
// base alone gives its own code). May run in place (destination and source the same
// buffer, capacity in bytes) because it never writes more bytes than it has read.
// Both forms of 〜 — ‖ − ¢ £ ¬ give the one code. replaced: characters written as "?" (a
// pair as "??" counts once). forms: bit UnicodeForm set for each form of them read.
std::int64_t Utf16ToInternal(char* destination, const char16_t* source, std::int64_t capacity,
                             std::int64_t* replaced = nullptr, unsigned* forms = nullptr);
std::int64_t Utf16ToInternal(char* destination, std::u16string_view source, std::int64_t capacity,
                             std::int64_t* replaced = nullptr, unsigned* forms = nullptr);

// UTF-8 -> UTF-16; one leading EF BB BF is skipped; overlong forms are accepted. A four-
// byte form gives a surrogate pair when its character has an internal code, else "?".
// replaced: the "?" so written (U+FFFD for a broken sequence is not counted here).
std::int64_t Utf8ToUtf16(char16_t* destination, const char* source, std::int64_t capacity,
                         std::int64_t* replaced = nullptr);
std::int64_t Utf8ToUtf16(char16_t* destination, std::string_view source, std::int64_t capacity,
                         std::int64_t* replaced = nullptr);

// UTF-8 -> InternalText directly: the text that Utf8ToUtf16 followed by Utf16ToInternal
// give (one leading EF BB BF skipped by each, so up to two), with the same count of
// replaced characters, without the UTF-16 text between them. Worst case 2n + 1 bytes (a
// stray continuation byte may become a double-byte code), but a text without stray
// continuation bytes is never longer than the bytes it was read from, and no prefix of it
// longer than the bytes read so far.
std::int64_t Utf8ToInternal(char* destination, const char* source, std::int64_t capacity,
                            std::int64_t* replaced = nullptr, unsigned* forms = nullptr);
std::int64_t Utf8ToInternal(char* destination, std::string_view source, std::int64_t capacity,
                            std::int64_t* replaced = nullptr, unsigned* forms = nullptr);
// The same for one piece of a longer text, without skipping marks: the pieces of a text
// give together what the whole gives when the first starts after Utf8MarkLength bytes and
// every piece but the last ends with a byte below 0x80 (after which no character is
// incomplete and none waits for a combining mark or a surrogate partner).
std::int64_t Utf8PieceToInternal(char* destination, std::string_view piece, std::int64_t capacity,
                                 std::int64_t* replaced = nullptr, unsigned* forms = nullptr);
// How many leading bytes Utf8ToInternal skips as byte-order marks: 0, 3 or 6.
std::size_t Utf8MarkLength(std::string_view source);

// InternalText -> UTF-8 directly: the bytes that InternalToUtf16 (without mark) followed by
// Utf16ToUtf8 give, without the UTF-16 text between them; writeMark writes EF BB BF first.
// Worst case 3n + 4 bytes. replaced: as InternalToUtf16 counts.
std::int64_t InternalToUtf8(char* destination, const char* source, bool writeMark, std::int64_t capacity,
                            std::int64_t* replaced = nullptr, UnicodeForm form = UnicodeForm::Windows);
std::int64_t InternalToUtf8(char* destination, std::string_view source, bool writeMark, std::int64_t capacity,
                            std::int64_t* replaced = nullptr, UnicodeForm form = UnicodeForm::Windows);

// UTF-16 -> UTF-8; writeMark writes EF BB BF first. A surrogate pair is written as one
// four-byte form; a lone surrogate as its own three-byte form.
std::int64_t Utf16ToUtf8(char* destination, const char16_t* source, bool writeMark, std::int64_t capacity);
std::int64_t Utf16ToUtf8(char* destination, std::u16string_view source, bool writeMark, std::int64_t capacity);

// InternalText -> 7-bit JIS: ESC $ B for the characters of JIS X 0208 (so that any
// ISO-2022-JP reader takes a text of them), ESC $ ( O for the rest of plane 1, ESC $ ( P for
// plane 2, ESC ( B for ASCII; nothing is appended at the end of the text. Half-width
// katakana are widened (ISO-2022-JP has none) and merged with a following sound mark.
std::int64_t InternalToJis(char* destination, const char* source, std::int64_t capacity);
std::int64_t InternalToJis(char* destination, std::string_view source, std::int64_t capacity);

// 7-bit JIS (JIS X 0213 planes, ESC $ ( Q as plane 1 too, JIS X 0208, JIS X 0212, Roman,
// SO/SI katakana) -> InternalText.
// replaced: codes written as "?".
std::int64_t JisToInternal(char* destination, const char* source, std::int64_t capacity,
                           std::int64_t* replaced = nullptr);
std::int64_t JisToInternal(char* destination, std::string_view source, std::int64_t capacity,
                           std::int64_t* replaced = nullptr);

// InternalText -> EUC-JP (plane 2 behind SS3, half-width katakana behind SS2).
std::int64_t InternalToEuc(char* destination, const char* source, std::int64_t capacity);
std::int64_t InternalToEuc(char* destination, std::string_view source, std::int64_t capacity);

// EUC-JP (SS2 katakana, SS3 JIS X 0212 / plane 2) -> InternalText.
// replaced: codes written as "?".
std::int64_t EucToInternal(char* destination, const char* source, std::int64_t capacity,
                           std::int64_t* replaced = nullptr);
std::int64_t EucToInternal(char* destination, std::string_view source, std::int64_t capacity,
                           std::int64_t* replaced = nullptr);

// Windows Shift-JIS (code page 932) -> InternalText, each pair through its Windows
// character; single bytes and lone lead bytes are kept as they are. replaced: pairs written
// as "?" (no Windows character, or one the internal text lacks such as 髙).
std::int64_t Cp932ToInternal(char* destination, const char* source, std::int64_t capacity,
                             std::int64_t* replaced = nullptr);
std::int64_t Cp932ToInternal(char* destination, std::string_view source, std::int64_t capacity,
                             std::int64_t* replaced = nullptr);

// InternalText -> Windows Shift-JIS: a character Windows holds at two codes is written in
// the IBM form (FA40-FC4B), as Windows' own conversion does; single bytes stay (half-width
// katakana are kept). Worst case n + 1 bytes. replaced: characters written as "?".
std::int64_t InternalToCp932(char* destination, const char* source, std::int64_t capacity,
                             std::int64_t* replaced = nullptr);
std::int64_t InternalToCp932(char* destination, std::string_view source, std::int64_t capacity,
                             std::int64_t* replaced = nullptr);

// Whether Shift-JIS bytes were written by Windows: they hold a code of the extension
// ranges (ED40-EEFC, FA40-FC4B) and no pair that Windows has no character for.
bool LooksLikeCp932(std::string_view bytes);
