// Whole texts as opening and saving convert them, and the UTF-16/UTF-8 boundary helpers.
#include "encoding/FileText.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "encoding/Conversion.h"
#include "encoding/Detection.h"

namespace {

// Converts source into result: a counting pass, then one allocation of exactly the size
// needed (the worst cases, 5n for JIS, would make a large text need several times its
// size in a 32-bit process). A -1 must never reach a file, so it fails the conversion.
// convert(destination, source, capacity, replaced); replaced (optional) receives the
// conversion's count of replaced characters.
template <typename Result, typename Source, typename Convert>
bool ConvertInto(Result& result, const Source& source, Convert convert, std::int64_t* replaced = nullptr)
{
    const std::int64_t needed = convert(nullptr, source, 0, replaced);
    if (needed < 0 || static_cast<std::uint64_t>(needed) >= result.max_size()) {
        result.clear();
        return false;
    }
    result.assign(static_cast<std::size_t>(needed) + 1, typename Result::value_type());
    const std::int64_t count = convert(&result[0], source, needed + 1, nullptr);
    if (count != needed) {
        result.clear();
        return false;
    }
    result.resize(static_cast<std::size_t>(count));
    return true;
}

bool IsBigEndian(EncodingCode code) { return code == EncodingCode::Utf16Be || code == EncodingCode::Utf16BeBom; }

// File bytes in UTF-16 order to units; an odd last byte becomes a unit of its own (its
// other half zero).
std::u16string BytesToUnits(std::string_view bytes, bool bigEndian)
{
    std::u16string units((bytes.size() + 1) / 2, u'\0');
    const std::size_t first = bigEndian ? 1 : 0;  // where the low byte of a unit is
    for (std::size_t i = 0; i < units.size(); ++i) {
        unsigned low = 2 * i + first < bytes.size() ? static_cast<unsigned char>(bytes[2 * i + first]) : 0u;
        unsigned high = 2 * i + 1 - first < bytes.size() ? static_cast<unsigned char>(bytes[2 * i + 1 - first]) : 0u;
        units[i] = static_cast<char16_t>(high << 8 | low);
    }
    return units;
}

std::string UnitsToBytes(std::u16string_view units, bool bigEndian)
{
    std::string bytes(units.size() * 2, '\0');
    const std::size_t first = bigEndian ? 1 : 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        bytes[2 * i + first] = static_cast<char>(units[i] & 0xFF);
        bytes[2 * i + 1 - first] = static_cast<char>(units[i] >> 8);
    }
    return bytes;
}

bool Utf16ToInternalInto(std::string& out, std::u16string_view units, std::int64_t* replaced = nullptr,
                         unsigned* forms = nullptr)
{
    return ConvertInto(
        out, units,
        [forms](char* d, std::u16string_view s, std::int64_t c, std::int64_t* r) {
            return Utf16ToInternal(d, s, c, r, d ? nullptr : forms);
        },
        replaced);
}

// UTF-8 to InternalText in one pass into room for as many bytes as the source has, which
// holds the text unless it has stray continuation bytes; then counted and written again.
// The first pass reads the whole source even when the room runs out, so forms is complete.
bool Utf8ToInternalInto(std::string& out, std::string_view utf8, std::int64_t* replaced = nullptr,
                        unsigned* forms = nullptr)
{
    out.assign(utf8.size() + 1, '\0');
    const std::int64_t count = Utf8ToInternal(&out[0], utf8, static_cast<std::int64_t>(out.size()), replaced, forms);
    if (count >= 0) {
        out.resize(static_cast<std::size_t>(count));
        return true;
    }
    return ConvertInto(
        out, utf8,
        [](char* d, std::string_view s, std::int64_t c, std::int64_t* r) { return Utf8ToInternal(d, s, c, r); },
        replaced);
}

bool InternalToUnitsInto(std::u16string& out, std::string_view internal, bool mark,
                         UnicodeForm form = UnicodeForm::Windows, std::int64_t* replaced = nullptr)
{
    return ConvertInto(
        out, internal,
        [mark, form](char16_t* d, std::string_view s, std::int64_t c, std::int64_t* r) {
            return InternalToUtf16(d, s, mark, c, r, form);
        },
        replaced);
}

// What the forms of 〜 and its kin read (bits UnicodeForm) make of the file.
void NoteForms(unsigned forms, DecodedFile& result)
{
    result.unicodeForm = forms == 1u << static_cast<unsigned>(UnicodeForm::Standard) ? UnicodeForm::Standard
                                                                                      : UnicodeForm::Windows;
    result.mixedForms = forms == 3u;
}

bool Decode(std::string_view bytes, EncodingCode code, std::string& text, std::int64_t& replaced, unsigned& forms)
{
    replaced = 0;
    forms = 0;
    switch (code) {
    case EncodingCode::Jis:
        return ConvertInto(
            text, bytes,
            [](char* d, std::string_view s, std::int64_t c, std::int64_t* r) { return JisToInternal(d, s, c, r); },
            &replaced);
    case EncodingCode::EucJp:
        return ConvertInto(
            text, bytes,
            [](char* d, std::string_view s, std::int64_t c, std::int64_t* r) { return EucToInternal(d, s, c, r); },
            &replaced);
    case EncodingCode::Cp932:
        return ConvertInto(
            text, bytes,
            [](char* d, std::string_view s, std::int64_t c, std::int64_t* r) { return Cp932ToInternal(d, s, c, r); },
            &replaced);
    case EncodingCode::Utf16Le:
    case EncodingCode::Utf16LeBom:
    case EncodingCode::Utf16Be:
    case EncodingCode::Utf16BeBom:
        return Utf16ToInternalInto(text, BytesToUnits(bytes, IsBigEndian(code)), &replaced, &forms);
    case EncodingCode::Utf8:
    case EncodingCode::Utf8Bom:
        return Utf8ToInternalInto(text, bytes, &replaced, &forms);
    default:
        text.assign(bytes);
        return true;
    }
}

// How many bytes a UTF-8 piece may take at most: a piece and the text it gives in the
// small buffer stay in the processor's caches.
constexpr std::size_t kPieceBytes = 64 * 1024;

// Where the piece from `from` may end: after the last byte below 0x80 within kPieceBytes
// (nothing of a character is left over there), or at the end of the bytes; 0 when neither.
std::size_t PieceEnd(std::string_view bytes, std::size_t from)
{
    if (bytes.size() - from <= kPieceBytes) return bytes.size();
    for (std::size_t k = from + kPieceBytes; k > from; --k)
        if (static_cast<unsigned char>(bytes[k - 1]) < 0x80) return k;
    return 0;
}

// UTF-8 file bytes to InternalText in their own buffer: each piece is converted into a
// small buffer and copied back over bytes already read, which works as long as the text
// stays no longer than the bytes it came from (true but for stray continuation bytes, which
// may become two bytes each). Where it would not, or a piece cannot be cut, the rest is
// converted apart after the text made so far. May throw std::bad_alloc.
void Utf8ToInternalInPlace(std::string& bytes, std::int64_t& replaced, unsigned& forms)
{
    std::string piece(2 * kPieceBytes + 1, '\0');  // the worst case of a piece
    const std::string_view all(bytes);
    std::size_t read = Utf8MarkLength(all), written = 0;
    while (read < all.size()) {
        const std::size_t end = PieceEnd(all, read);
        if (end == 0) break;
        std::int64_t r = 0;
        unsigned f = 0;
        const std::int64_t got = Utf8PieceToInternal(&piece[0], all.substr(read, end - read),
                                                     static_cast<std::int64_t>(piece.size()), &r, &f);
        if (got < 0 || written + static_cast<std::size_t>(got) > end) break;
        forms |= f;
        std::memcpy(&bytes[written], piece.data(), static_cast<std::size_t>(got));
        written += static_cast<std::size_t>(got);
        read = end;
        replaced += r;
    }
    if (read < all.size()) {
        const std::string_view rest = all.substr(read);
        const std::int64_t needed = Utf8PieceToInternal(nullptr, rest, 0);
        std::string text(written + static_cast<std::size_t>(needed) + 1, '\0');
        std::memcpy(&text[0], bytes.data(), written);
        std::int64_t r = 0;
        unsigned f = 0;
        Utf8PieceToInternal(&text[written], rest, needed + 1, &r, &f);
        text.resize(written + static_cast<std::size_t>(needed));
        replaced += r;
        forms |= f;
        bytes.swap(text);
        return;
    }
    bytes.resize(written);
}

// Frees a string's memory now (clear alone keeps it).
void Release(std::string& s) { std::string().swap(s); }

bool Encode(std::string_view text, EncodingCode code, std::string& bytes, UnicodeForm form, std::int64_t* replaced)
{
    if (replaced) *replaced = 0;
    switch (code) {
    case EncodingCode::Jis:
        return ConvertInto(bytes, text, [](char* d, std::string_view s, std::int64_t c, std::int64_t*) {
            return InternalToJis(d, s, c);
        });
    case EncodingCode::EucJp:
        return ConvertInto(bytes, text, [](char* d, std::string_view s, std::int64_t c, std::int64_t*) {
            return InternalToEuc(d, s, c);
        });
    case EncodingCode::Cp932:
        return ConvertInto(
            bytes, text,
            [](char* d, std::string_view s, std::int64_t c, std::int64_t* r) { return InternalToCp932(d, s, c, r); },
            replaced);
    case EncodingCode::Utf16Le:
    case EncodingCode::Utf16LeBom:
    case EncodingCode::Utf16Be:
    case EncodingCode::Utf16BeBom: {
        std::u16string units;
        const bool mark = code == EncodingCode::Utf16LeBom || code == EncodingCode::Utf16BeBom;
        if (!InternalToUnitsInto(units, text, mark, form, replaced)) return false;
        bytes = UnitsToBytes(units, IsBigEndian(code));
        return true;
    }
    case EncodingCode::Utf8:
    case EncodingCode::Utf8Bom: {
        const bool mark = code == EncodingCode::Utf8Bom;
        return ConvertInto(
            bytes, text,
            [mark, form](char* d, std::string_view s, std::int64_t c, std::int64_t* r) {
                return InternalToUtf8(d, s, mark, c, r, form);
            },
            replaced);
    }
    default:
        bytes.assign(text);
        return true;
    }
}

// May throw std::bad_alloc; the public forms below catch it.
void RewriteLineEndings(std::string_view internal, LineEndingCode lineEnding, std::string& out)
{
    const char* ending = lineEnding == LineEndingCode::Crlf ? "\r\n"
                         : lineEnding == LineEndingCode::Cr ? "\r"
                         : lineEnding == LineEndingCode::Lf ? "\n"
                                                            : nullptr;
    out.clear();
    if (!ending) {
        out.assign(internal);
        return;
    }
    out.reserve(internal.size() + internal.size() / 16);
    std::size_t start = 0;
    for (std::size_t i = 0; i < internal.size(); ++i) {
        char c = internal[i];
        if (c != '\r' && c != '\n') continue;
        out.append(internal.data() + start, i - start);
        out.append(ending);
        if (c == '\r' && i + 1 < internal.size() && internal[i + 1] == '\n') ++i;
        start = i + 1;
    }
    out.append(internal.data() + start, internal.size() - start);
}

}  // namespace

EncodingCode ChooseSjisFlavour(EncodingCode detected, SjisFlavour flavour, std::string_view fileBytes)
{
    if (flavour == SjisFlavour::Cp932)
        return detected == EncodingCode::ShiftJis || detected == EncodingCode::Undetermined ? EncodingCode::Cp932
                                                                                             : detected;
    if (flavour == SjisFlavour::Recognise && detected == EncodingCode::ShiftJis && LooksLikeCp932(fileBytes))
        return EncodingCode::Cp932;
    return detected;
}

namespace {

EncodingCode OpeningCode(std::string_view fileBytes, bool detectEncoding, SjisFlavour flavour)
{
    if (!detectEncoding) return flavour == SjisFlavour::Cp932 ? EncodingCode::Cp932 : EncodingCode::ShiftJis;
    return ChooseSjisFlavour(DetectEncoding(fileBytes.data(), fileBytes.size()), flavour, fileBytes);
}

}  // namespace

bool DecodeFileBytes(std::string&& fileBytes, bool detectEncoding, DecodedFile& result, SjisFlavour flavour)
{
    const EncodingCode code = OpeningCode(fileBytes, detectEncoding, flavour);
    return DecodeFileBytesAs(std::move(fileBytes), code, result);
}

bool DecodeFileBytesAs(std::string&& fileBytes, EncodingCode code, DecodedFile& result)
{
    result.encoding = code;
    result.replaced = 0;
    NoteForms(0, result);
    try {
        if (!IsConvertedEncoding(code)) {
            result.text.swap(fileBytes);
            Release(fileBytes);
            return true;
        }
        if (code == EncodingCode::Utf8 || code == EncodingCode::Utf8Bom) {
            unsigned forms = 0;
            Utf8ToInternalInPlace(fileBytes, result.replaced, forms);
            NoteForms(forms, result);
            result.text.swap(fileBytes);
            Release(fileBytes);
            return true;
        }
        if (code == EncodingCode::Cp932) {
            // Each character is written no longer than it was read and only after it was
            // read, so the conversion runs in the bytes' own buffer.
            const std::size_t size = fileBytes.size();
            fileBytes.push_back('\0');
            const std::int64_t count = Cp932ToInternal(&fileBytes[0], std::string_view(fileBytes.data(), size),
                                                       static_cast<std::int64_t>(size + 1), &result.replaced);
            fileBytes.resize(static_cast<std::size_t>(count));
            result.text.swap(fileBytes);
            Release(fileBytes);
            return true;
        }
        std::string text;
        unsigned forms = 0;
        const bool ok = Decode(fileBytes, code, text, result.replaced, forms);
        Release(fileBytes);
        NoteForms(forms, result);
        if (ok) {
            result.text.swap(text);
            return true;
        }
    } catch (const std::bad_alloc&) {
    }
    Release(fileBytes);
    result.replaced = 0;
    Release(result.text);
    return false;
}

bool DecodeFileBytes(std::string_view fileBytes, bool detectEncoding, DecodedFile& result, SjisFlavour flavour)
{
    try {
        result.encoding = OpeningCode(fileBytes, detectEncoding, flavour);
        unsigned forms = 0;
        const bool ok = Decode(fileBytes, result.encoding, result.text, result.replaced, forms);
        NoteForms(forms, result);
        if (ok) return true;
    } catch (const std::bad_alloc&) {
    }
    result.replaced = 0;
    result.text.clear();
    result.text.shrink_to_fit();
    return false;
}

EncodingCode ChooseSaveEncoding(int kanjiSetting, EncodingCode documentEncoding, bool utf16Bom, bool utf8Bom)
{
    switch (kanjiSetting) {
    case static_cast<int>(SaveEncodingChoice::SaveAsLoaded):
        return documentEncoding;
    case static_cast<int>(SaveEncodingChoice::SaveEucJp):
        return EncodingCode::EucJp;
    case static_cast<int>(SaveEncodingChoice::SaveJis):
        return EncodingCode::Jis;
    case static_cast<int>(SaveEncodingChoice::SaveUtf16):
        return utf16Bom ? EncodingCode::Utf16LeBom : EncodingCode::Utf16Le;
    case static_cast<int>(SaveEncodingChoice::SaveUtf8):
        return utf8Bom ? EncodingCode::Utf8Bom : EncodingCode::Utf8;
    default:
        return EncodingCode::ShiftJis;
    }
}

bool ConvertLineEndings(std::string_view internal, LineEndingCode lineEnding, std::string& out)
{
    try {
        RewriteLineEndings(internal, lineEnding, out);
        return true;
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return false;
    }
}

std::string ConvertLineEndings(std::string_view internal, LineEndingCode lineEnding)
{
    std::string out;
    ConvertLineEndings(internal, lineEnding, out);
    return out;
}

bool EncodeFileBytes(std::string_view internal, EncodingCode fileEncoding, LineEndingCode lineEnding,
                     std::string& fileBytes, UnicodeForm form, std::int64_t* replaced)
{
    try {
        if (lineEnding == LineEndingCode::Automatic) {
            if (Encode(internal, fileEncoding, fileBytes, form, replaced)) return true;
        } else {
            std::string text;
            RewriteLineEndings(internal, lineEnding, text);
            if (Encode(text, fileEncoding, fileBytes, form, replaced)) return true;
        }
    } catch (const std::bad_alloc&) {
    }
    fileBytes.clear();
    fileBytes.shrink_to_fit();
    return false;
}

bool EncodeFileBytes(std::string&& internal, EncodingCode fileEncoding, LineEndingCode lineEnding,
                     std::string& fileBytes, UnicodeForm form, std::int64_t* replaced)
{
    if (lineEnding == LineEndingCode::Automatic && !IsConvertedEncoding(fileEncoding)) {
        if (replaced) *replaced = 0;
        fileBytes.swap(internal);
        Release(internal);
        return true;
    }
    const bool ok = EncodeFileBytes(std::string_view(internal), fileEncoding, lineEnding, fileBytes, form, replaced);
    Release(internal);
    return ok;
}

bool EncodeFileBytes(std::string_view internal, int kanjiSetting, EncodingCode documentEncoding, bool utf16Bom,
                     bool utf8Bom, LineEndingCode lineEnding, std::string& fileBytes)
{
    return EncodeFileBytes(internal, ChooseSaveEncoding(kanjiSetting, documentEncoding, utf16Bom, utf8Bom), lineEnding,
                           fileBytes);
}

TextNotes NoteText(std::string_view internal)
{
    TextNotes notes;
    unsigned kinds = 0;  // bit 0 CR LF, bit 1 CR, bit 2 LF
    for (std::size_t i = 0; i < internal.size(); ++i) {
        const char c = internal[i];
        if (c == '\0') {
            notes.zeroBytes = true;
        } else if (c == '\r') {
            const bool pair = i + 1 < internal.size() && internal[i + 1] == '\n';
            kinds |= pair ? 1u : 2u;
            i += pair;
        } else if (c == '\n') {
            kinds |= 4u;
        }
    }
    notes.mixedLineEndings = (kinds & (kinds - 1)) != 0;
    return notes;
}

std::u16string InternalTextToUtf16(std::string_view internal)
{
    try {
        std::u16string units;
        if (InternalToUnitsInto(units, internal, false)) return units;
    } catch (const std::bad_alloc&) {
    }
    return {};
}

std::string Utf16ToInternalText(std::u16string_view utf16)
{
    try {
        std::string text;
        if (Utf16ToInternalInto(text, utf16)) return text;
    } catch (const std::bad_alloc&) {
    }
    return {};
}

std::string Utf8ToInternalText(std::string_view utf8)
{
    try {
        std::string text;
        if (Utf8ToInternalInto(text, utf8)) return text;
    } catch (const std::bad_alloc&) {
    }
    return {};
}

std::string InternalTextToUtf8(std::string_view internal)
{
    try {
        std::string text;
        if (ConvertInto(text, internal, [](char* d, std::string_view s, std::int64_t c, std::int64_t*) {
                return InternalToUtf8(d, s, false, c);
            }))
            return text;
    } catch (const std::bad_alloc&) {
    }
    return {};
}
