// Temporary bodies so that callers link while the conversions are written.
#include "encoding/Conversion.h"
#include "encoding/Detection.h"
#include "encoding/FileText.h"

InternalChar ReadInternalChar(const char*) { return {0, 0}; }
InternalChar ReadInternalChar(const char*, std::size_t) { return {0, 0}; }
char16_t SjisCodeToUnicode(std::uint16_t) { return kNoCharacterUnit; }
std::uint16_t UnicodeToSjisCode(char16_t) { return 0; }
std::uint16_t SjisToJisCode(std::uint16_t) { return 0; }
int SjisCodePlane(std::uint16_t) { return 1; }
std::uint16_t JisCodeToSjis(std::uint16_t, int) { return 0; }
std::uint16_t Jisx0212ToSjis(std::uint16_t) { return 0; }
std::int64_t InternalToUtf16(char16_t*, const char*, bool, std::int64_t) { return -1; }
std::int64_t InternalToUtf16(char16_t*, std::string_view, bool, std::int64_t) { return -1; }
std::int64_t Utf16ToInternal(char*, const char16_t*, std::int64_t) { return -1; }
std::int64_t Utf16ToInternal(char*, std::u16string_view, std::int64_t) { return -1; }
std::int64_t Utf8ToUtf16(char16_t*, const char*, std::int64_t) { return -1; }
std::int64_t Utf8ToUtf16(char16_t*, std::string_view, std::int64_t) { return -1; }
std::int64_t Utf16ToUtf8(char*, const char16_t*, bool, std::int64_t) { return -1; }
std::int64_t Utf16ToUtf8(char*, std::u16string_view, bool, std::int64_t) { return -1; }
std::int64_t InternalToJis(char*, const char*, std::int64_t) { return -1; }
std::int64_t InternalToJis(char*, std::string_view, std::int64_t) { return -1; }
std::int64_t JisToInternal(char*, const char*, std::int64_t) { return -1; }
std::int64_t JisToInternal(char*, std::string_view, std::int64_t) { return -1; }
std::int64_t InternalToEuc(char*, const char*, std::int64_t) { return -1; }
std::int64_t InternalToEuc(char*, std::string_view, std::int64_t) { return -1; }
std::int64_t EucToInternal(char*, const char*, std::int64_t) { return -1; }
std::int64_t EucToInternal(char*, std::string_view, std::int64_t) { return -1; }
EncodingCode DetectEncoding(const char*, std::size_t) { return EncodingCode::Undetermined; }
bool DecodeFileBytes(std::string_view, bool, DecodedFile& result) { result = DecodedFile(); return false; }
EncodingCode ChooseSaveEncoding(int, EncodingCode, bool, bool) { return EncodingCode::ShiftJis; }
std::string ConvertLineEndings(std::string_view internal, LineEndingCode) { return std::string(internal); }
bool EncodeFileBytes(std::string_view, EncodingCode, LineEndingCode, std::string& fileBytes) { fileBytes.clear(); return false; }
bool EncodeFileBytes(std::string_view, int, EncodingCode, bool, bool, LineEndingCode, std::string& fileBytes) { fileBytes.clear(); return false; }
std::u16string InternalTextToUtf16(std::string_view) { return {}; }
std::string Utf16ToInternalText(std::u16string_view) { return {}; }
std::string Utf8ToInternalText(std::string_view) { return {}; }
std::string InternalTextToUtf8(std::string_view) { return {}; }
