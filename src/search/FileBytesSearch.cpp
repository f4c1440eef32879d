// Literal search in a file's own bytes, converting only the lines that hold a form of the
// pattern. Correctness rests on one property: every line whose converted text holds the
// pattern holds one of its forms in the file's bytes. The forms are made by the same
// conversion that saving uses, in both Unicode forms, and the files (or patterns) where a
// conversion merges other bytes into the same characters are left to the whole-file path.
#include "search/FileBytesSearch.h"

#include "encoding/Conversion.h"
#include "encoding/Detection.h"
#include "encoding/FileText.h"
#include "regex/LiteralSearch.h"
#include "regex/MatchPass.h"

namespace {

bool IsUtf8(EncodingCode code) { return code == EncodingCode::Utf8 || code == EncodingCode::Utf8Bom; }

// The pattern written by a conversion of InternalText; empty when a character has no
// place in that code (it then cannot be met in such a file as written).
std::string Utf8Form(std::string_view pattern, UnicodeForm form)
{
    std::string out(pattern.size() * 3 + 4, '\0');
    std::int64_t replaced = 0;
    std::int64_t n = InternalToUtf8(&out[0], pattern, false, static_cast<std::int64_t>(out.size()), &replaced, form);
    if (n <= 0 || replaced != 0) return std::string();
    out.resize(static_cast<std::size_t>(n));
    return Utf8ToInternalText(out) == pattern ? out : std::string();
}

std::string EucForm(std::string_view pattern)
{
    std::string out(pattern.size() * 3 + 4, '\0');
    std::int64_t n = InternalToEuc(&out[0], pattern, static_cast<std::int64_t>(out.size()));
    if (n <= 0) return std::string();
    out.resize(static_cast<std::size_t>(n));
    std::string back;
    return ConvertFileLine(out, EncodingCode::EucJp, back) && back == pattern ? out : std::string();
}

}  // namespace

RawPatternForms MakeRawPatternForms(std::string_view pattern, bool regularExpression, bool ignoreCase)
{
    RawPatternForms forms;
    // "?" is what a conversion writes for bytes it cannot read; "\" and "~" are what the
    // Latin forms of the yen sign and the overline become. Such patterns meet bytes that
    // are not their own, so they are searched in converted text.
    if (regularExpression || ignoreCase || pattern.empty() || pattern.find_first_of("?\\~\r\n") != std::string_view::npos)
        return forms;
    forms.asciiOnly = true;
    for (char c : pattern) forms.asciiOnly = forms.asciiOnly && static_cast<unsigned char>(c) < 0x80;
    for (UnicodeForm form : {UnicodeForm::Windows, UnicodeForm::Standard}) {
        std::string bytes = Utf8Form(pattern, form);
        if (bytes.empty()) return forms;
        if (forms.utf8.empty() || forms.utf8.front() != bytes) forms.utf8.push_back(std::move(bytes));
    }
    forms.euc = EucForm(pattern);
    forms.usable = !forms.euc.empty();
    return forms;
}

const std::vector<std::string>* RawFormsFor(const RawPatternForms& forms, EncodingCode code, std::string_view bytes,
                                            std::vector<std::string>& eucOne)
{
    if (!forms.usable) return nullptr;
    const std::vector<std::string>* chosen = nullptr;
    if (IsUtf8(code)) {
        // A base character and a combining mark that the conversion merges into one code
        // are that code's own UTF-8 form, so the forms cover them too.
        chosen = &forms.utf8;
    } else if (code == EncodingCode::EucJp && forms.asciiOnly) {
        // Codes behind SS3 come from two sets that share internal codes: only a pattern of
        // ASCII characters meets no bytes but its own.
        eucOne.assign(1, forms.euc);
        chosen = &eucOne;
    }
    // Bytes that are no whole character of the file's code are read as characters that are
    // not their own: a stray UTF-8 continuation byte as U+0080-U+00BF (µ shares its code
    // with μ), an overlong form as a letter or a line break; in EUC-JP a lead byte let
    // through as it is takes the next character's first byte as its trail and leaves its
    // second, maybe a letter, alone. Only files of whole characters are searched as bytes,
    // and only once the forms are known to apply: the check reads the whole file.
    if (chosen == nullptr || !IsValidText(IsUtf8(code) ? EncodingCode::Utf8 : code, bytes.data(), bytes.size()))
        return nullptr;
    return chosen;
}

bool ConvertFileLine(std::string_view line, EncodingCode code, std::string& text)
{
    // A conversion drops byte-order marks at the start of what it converts; inside a file
    // they are characters, so a line that starts with one is converted behind a space.
    const bool mark = IsUtf8(code) && Utf8MarkLength(line) > 0;
    DecodedFile decoded;
    if (!DecodeFileBytesAs(mark ? " " + std::string(line) : std::string(line), IsUtf8(code) ? EncodingCode::Utf8 : code,
                           decoded))
        return false;
    text.swap(decoded.text);
    if (mark) text.erase(0, 1);
    return true;
}

std::size_t SearchFileBytes(CKRegExp& regex, std::string_view bytes, EncodingCode code,
                            const std::vector<std::string>& forms,
                            const std::function<void(long line, long column, std::string&& text)>& onLine)
{
    // CR and LF never occur inside a character of UTF-8 or EUC-JP, so lines are found in
    // the bytes as in the converted text.
    const std::size_t first = IsUtf8(code) ? Utf8MarkLength(bytes) : 0;
    const char* data = bytes.data();
    std::size_t matches = 0, counted = first, from = first;
    long line = 1;
    std::string text;
    while (from < bytes.size()) {
        std::size_t hit = kNotFound;
        for (const std::string& form : forms) {
            std::size_t at = FindBytesForward(data, from, hit == kNotFound ? bytes.size() : hit + form.size(), form);
            if (at < hit) hit = at;
        }
        if (hit == kNotFound) break;
        std::size_t lineStart = hit;
        while (lineStart > from && data[lineStart - 1] != '\n' && data[lineStart - 1] != '\r') --lineStart;
        for (; counted < lineStart; ++counted) {
            char c = data[counted];
            if (c == '\n' || (c == '\r' && (counted + 1 >= bytes.size() || data[counted + 1] != '\n'))) ++line;
        }
        std::size_t lineEnd = bytes.find_first_of("\r\n", hit);
        if (lineEnd == std::string_view::npos) lineEnd = bytes.size();
        if (!ConvertFileLine(bytes.substr(lineStart, lineEnd - lineStart), code, text)) break;
        long column = 0;
        std::size_t found = VisitAllMatches(regex, text.data(), text.size(), [&](std::size_t start, std::size_t) {
            if (column == 0) column = static_cast<long>(start) + 1;
            return true;
        });
        if (found > 0) {
            matches += found;
            onLine(line, column, std::move(text));
        }
        from = lineEnd;
    }
    return matches;
}
