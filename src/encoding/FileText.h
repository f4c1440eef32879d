// Whole texts as the editor opens and saves files, and the UTF-16/UTF-8 helpers that the
// Win32 boundary and the command-line tools use. All of it goes through the program's own
// tables (never a system code page). Nothing here throws; false means memory ran out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "encoding/EncodingTypes.h"

// A file's bytes as they are loaded into a document.
struct DecodedFile {
    std::string text;                                // InternalText, no terminator
    EncodingCode encoding = EncodingCode::ShiftJis;  // what detection found
    // Characters of the file that the text could not keep (each became "?"): a UTF-16 or
    // UTF-8 character without an internal code, a broken UTF-8 sequence, a JIS or EUC-JP
    // code without a character. Nonzero means saving would not give the file back.
    std::int64_t replaced = 0;
    // The form of 〜 — ‖ − ¢ £ ¬ a UTF-8 or UTF-16 file used (Windows when it used none),
    // for saving to write back; mixedForms: it used both, which saving cannot give back.
    UnicodeForm unicodeForm = UnicodeForm::Windows;
    bool mixedForms = false;
};

// Decodes a whole file's bytes as opening does: with detectEncoding, DetectEncoding picks
// the code and the bytes are converted to InternalText by it (Jis, EucJp, the UTF-16 and
// UTF-8 codes; every other code keeps the bytes as they are); without it the bytes are
// kept as they are and encoding stays ShiftJis. Zero bytes inside a converted text are
// kept as characters (they never cut it short); an odd last byte of UTF-16 is read as a
// unit with a zero high byte. flavour ([main] sjis_flavour) says which Shift-JIS a
// Shift-JIS file is (ChooseSjisFlavour; with Cp932 also when nothing is detected).
// False only when memory runs out (result then empty).
bool DecodeFileBytes(std::string_view fileBytes, bool detectEncoding, DecodedFile& result,
                     SjisFlavour flavour = SjisFlavour::Sjis2004);
// The same taking the file's bytes, which opening has no further use for: they become the
// text without a copy when the code keeps them as they are (Shift_JIS and every code that
// is not converted), UTF-8 is converted in their own buffer (a piece at a time through a
// small one; the text is shorter than the bytes it comes from), and for the other codes
// they are freed as soon as the text is made. fileBytes is left empty.
bool DecodeFileBytes(std::string&& fileBytes, bool detectEncoding, DecodedFile& result,
                     SjisFlavour flavour = SjisFlavour::Sjis2004);
// The same with the code already known (DetectEncoding run by the caller, or a code the
// user chose): the bytes are converted by it as above, and result.encoding is code.
bool DecodeFileBytesAs(std::string&& fileBytes, EncodingCode code, DecodedFile& result);

// The code a detection result stands for under [main] sjis_flavour: Cp932 takes ShiftJis
// and Undetermined (both read as Shift-JIS) as Windows Shift-JIS; Recognise takes ShiftJis
// as it when LooksLikeCp932 says so; anything else is left as detected.
EncodingCode ChooseSjisFlavour(EncodingCode detected, SjisFlavour flavour, std::string_view fileBytes);

// The EncodingCode that saving writes for [main] kanji (any value; unknown -> ShiftJis),
// the document's own code (used by SaveAsLoaded) and [main] utf16_bom / utf8_bom.
EncodingCode ChooseSaveEncoding(int kanjiSetting, EncodingCode documentEncoding, bool utf16Bom, bool utf8Bom);

// Rewrites every line break (CR LF, lone CR, lone LF) of InternalText as lineEnding;
// Automatic leaves the text unchanged. CR and LF are never trail bytes, so this is safe
// on double-byte text. False (out empty) only when memory runs out.
bool ConvertLineEndings(std::string_view internal, LineEndingCode lineEnding, std::string& out);
// The same returning the text; an empty string when memory runs out.
std::string ConvertLineEndings(std::string_view internal, LineEndingCode lineEnding);

// Encodes InternalText as saving writes it: line breaks rewritten as lineEnding
// (Automatic: unchanged), then converted to fileEncoding (Jis, Cp932, EucJp, Utf16Le[Bom],
// Utf16Be[Bom], Utf8[Bom]; every other code writes the bytes as they are); UTF-8 and UTF-16 write 〜 and
// its kin in the form given. The whole text is written, zero bytes included; replaced
// receives the number of characters the encoding cannot hold, written as "?" (or U+3013,
// U+FFFD). False only when memory runs out (fileBytes then empty).
bool EncodeFileBytes(std::string_view internal, EncodingCode fileEncoding, LineEndingCode lineEnding,
                     std::string& fileBytes, UnicodeForm form = UnicodeForm::Windows,
                     std::int64_t* replaced = nullptr);
// The same taking the text, which saving has no further use for: when neither the line
// breaks (Automatic) nor the bytes (a code that is not converted, IsConvertedEncoding) change,
// the text itself becomes fileBytes without a copy; otherwise it is freed as soon as the
// bytes are made. internal is left empty.
bool EncodeFileBytes(std::string&& internal, EncodingCode fileEncoding, LineEndingCode lineEnding,
                     std::string& fileBytes, UnicodeForm form = UnicodeForm::Windows,
                     std::int64_t* replaced = nullptr);
// The same with the settings: kanji choice, the document's code and the BOM switches.
bool EncodeFileBytes(std::string_view internal, int kanjiSetting, EncodingCode documentEncoding, bool utf16Bom,
                     bool utf8Bom, LineEndingCode lineEnding, std::string& fileBytes);

// What opening tells about a text beside loading it: line breaks of more than one kind
// (CR LF, CR, LF), which saving writes as one, and zero bytes.
struct TextNotes {
    bool mixedLineEndings = false;
    bool zeroBytes = false;
};
TextNotes NoteText(std::string_view internal);

// Win32 boundary helpers (window texts, clipboard, file paths). Zero bytes/units inside
// the view are kept. On memory exhaustion they return an empty string.
std::u16string InternalTextToUtf16(std::string_view internal);  // no mark written
std::string Utf16ToInternalText(std::u16string_view utf16);     // a leading U+FEFF is dropped
std::string Utf8ToInternalText(std::string_view utf8);          // a leading EF BB BF is dropped
std::string InternalTextToUtf8(std::string_view internal);      // no mark written
