// The codes that name a file encoding, the "kanji" save choice and a line ending, with
// their names for messages and command lines.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "encoding/LineEndingCode.h"

// The encoding a document was read in; stored in every Document (a new one has ShiftJis).
// The values are stored and compared as 32-bit integers, so they never change.
enum class EncodingCode : std::int32_t {
    NoEvidence = 0,     // no multi-byte evidence and not UTF-7 clean; loaded as it is
    Jis = 0x0100,       // 7-bit JIS with escape sequences
    ShiftJis = 0x0200,  // Shift_JIS: the internal form itself
    Cp932 = 0x0201,     // Windows Shift-JIS (code page 932), read through its own mapping
    EucJp = 0x0400,
    Utf16Le = 0x0800,       // UTF-16 little-endian without byte-order mark
    Utf16LeBom = 0x0801,    // with FF FE
    Utf8 = 0x0802,          // UTF-8 without byte-order mark
    Utf7Clean = 0x0803,     // no multi-byte evidence, every "+" run is Base64; loaded as it is
    Utf8Bom = 0x0804,       // with EF BB BF
    Utf16Be = 0x0805,       // UTF-16 big-endian without byte-order mark
    Utf16BeBom = 0x0806,    // with FE FF
    Undetermined = 0x1000,  // fewer than 2 bytes or a tie; loaded as it is
    ZeroBytes = 0x2000,     // zero bytes and not UTF-16; loaded as it is
};

// The value of [main] kanji. Any other integer means Shift_JIS (see ChooseSaveEncoding).
enum class SaveEncodingChoice : std::int32_t {
    SaveAsLoaded = 0,
    SaveShiftJis = 1,
    SaveEucJp = 2,
    SaveJis = 3,
    SaveUtf16 = 4,
    SaveUtf8 = 5,
};

// "Jis", "ShiftJis", ... "NoEvidence"; "Unknown" for a value that is no code.
std::string_view EncodingCodeName(EncodingCode code);

// The encoding a name of the menus, the command line, kvteconv and the settings stands for:
// sjis, cp932, euc, jis, utf8, utf16le (also utf16) and utf16be; with mark, the UTF ones
// with their byte-order mark. False for any other name.
bool EncodingForName(std::string_view name, bool mark, EncodingCode& code);

// The encodings a user picks from, in the order the reopen dialog and the file dialogs
// list them: the name of EncodingForName and the code it reads as (without a mark).
struct EncodingChoice {
    std::string_view name;
    EncodingCode code;
};
constexpr int kEncodingChoiceCount = 7;
extern const std::array<EncodingChoice, kEncodingChoiceCount> kEncodingChoices;

// UTF-8 and the UTF-16 codes can be written with a byte-order mark; HasMark: code is one
// of them with its mark. WithMark gives code's form with or without its mark (the codes
// that take none are kept).
bool TakesMark(EncodingCode code);
bool HasMark(EncodingCode code);
EncodingCode WithMark(EncodingCode code, bool mark);

// The entry of kEncodingChoices that stands for code, marks ignored; the codes read as
// they are (NoEvidence, Undetermined, ZeroBytes, Utf7Clean) stand for sjis.
int EncodingChoiceIndex(EncodingCode code);

// The code a file whose bytes begin with fileStart is read as when the user chose code:
// a UTF code becomes its marked form when the file begins with that code's mark, so that
// saving writes the mark back; any other code is kept.
EncodingCode ChosenCodeForFile(EncodingCode code, std::string_view fileStart);

// The status bar label: "JIS", "S-JIS", "CP932", "EUC", "UTF16", "UTF16BE" or "UTF8", with
// " BOM" after it for a file with a byte-order mark; "S-JIS?" where recognition fell back
// to taking the bytes as Shift-JIS (a tie, zero bytes).
std::string_view EncodingCodeLabel(EncodingCode code);

// True for the codes whose bytes are converted when a file is opened or saved
// (Jis, Cp932, EucJp, the four UTF-16 and two UTF-8 codes); the others are taken as they are.
bool IsConvertedEncoding(EncodingCode code);

// The value of [main] sjis_flavour: which Shift-JIS a file recognised as Shift-JIS is.
enum class SjisFlavour : std::int32_t {
    Sjis2004 = 0,   // always Shift_JIS-2004, the internal form
    Recognise = 1,  // Windows Shift-JIS when the bytes show it (LooksLikeCp932)
    Cp932 = 2,      // always Windows Shift-JIS
};

// Which code points a Unicode text uses for 〜 — ‖ − ¢ £ ¬, which Windows writes as
// U+FF5E U+2015 U+2225 U+FF0D U+FFE0 U+FFE1 U+FFE2 and the rest of the world as U+301C
// U+2014 U+2016 U+2212 U+00A2 U+00A3 U+00AC. Both read into the one internal code; a
// document remembers the form its file used so that saving writes it back.
enum class UnicodeForm : std::int32_t {
    Windows = 0,   // new documents and the clipboard
    Standard = 1,
};
