// Line scanner and editor of ini text; see IniText.h for the contract.
#include "config/IniText.h"

#include <climits>
#include <cstdint>

namespace ini {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s)
{
    // A trail byte is never a blank or a tab, so trimming single bytes is safe here.
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Position of the single-byte character c in s, skipping double-byte characters whose
// trail byte may equal c (']' and '[' are valid trail bytes).
size_t FindChar(std::string_view s, char c)
{
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(b) && i + 1 < s.size()) {
            ++i;
            continue;
        }
        if (s[i] == c) return i;
    }
    return std::string_view::npos;
}

struct Line {
    size_t begin;  // first byte
    size_t end;    // one past the last byte before the line end
    size_t next;   // first byte of the next line
    std::string_view content;
};

Line LineAt(std::string_view text, size_t begin)
{
    size_t end = begin;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    size_t next = end;
    if (next < text.size()) {
        if (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n')
            next += 2;
        else
            next += 1;
    }
    return Line{begin, end, next, text.substr(begin, end - begin)};
}

enum class Kind { Blank, Comment, Header, Key, Other };

struct Parsed {
    Kind kind;
    std::string_view name;  // section name or key name
    size_t valueBegin;      // for keys: offset of the value inside the line content
    size_t valueEnd;
};

Parsed Parse(std::string_view content)
{
    std::string_view t = Trim(content);
    if (t.empty()) return {Kind::Blank, {}, 0, 0};
    if (t.front() == ';') return {Kind::Comment, {}, 0, 0};
    if (t.front() == '[') {
        std::string_view inner = t.substr(1);
        size_t close = FindChar(inner, ']');
        if (close == std::string_view::npos) return {Kind::Other, {}, 0, 0};
        return {Kind::Header, Trim(inner.substr(0, close)), 0, 0};
    }
    size_t eq = FindChar(content, '=');
    if (eq == std::string_view::npos) return {Kind::Other, {}, 0, 0};
    std::string_view name = Trim(content.substr(0, eq));
    size_t vb = eq + 1;
    while (vb < content.size() && IsBlank(content[vb])) ++vb;
    size_t ve = content.size();
    while (ve > vb && IsBlank(content[ve - 1])) --ve;
    return {Kind::Key, name, vb, ve};
}

// Where a section lies: its header line and the end of its last line (the next header
// or the end of the text).
struct SectionSpan {
    bool found = false;
    size_t headerBegin = 0;
    size_t bodyBegin = 0;          // first byte after the header line
    size_t end = 0;                // first byte of the next header, or text size
    size_t lastFilledNext = 0;     // first byte after the last non-blank line of the section
    bool lastFilledHasEnd = true;  // that line has a line end
};

SectionSpan FindSection(std::string_view text, std::string_view section)
{
    SectionSpan span;
    size_t pos = 0;
    while (pos < text.size()) {
        Line line = LineAt(text, pos);
        Parsed p = Parse(line.content);
        if (span.found) {
            if (p.kind == Kind::Header) {
                span.end = line.begin;
                return span;
            }
            if (p.kind != Kind::Blank) {
                span.lastFilledNext = line.next;
                span.lastFilledHasEnd = line.next != line.end;
            }
        } else if (p.kind == Kind::Header && NamesEqual(p.name, section)) {
            span.found = true;
            span.headerBegin = line.begin;
            span.bodyBegin = line.next;
            span.lastFilledNext = line.next;
            span.lastFilledHasEnd = line.next != line.end;
        }
        pos = line.next;
    }
    span.end = text.size();
    return span;
}

bool EndsWithLineEnd(std::string_view text) { return !text.empty() && (text.back() == '\n' || text.back() == '\r'); }

std::string KeyLine(std::string_view key, std::string_view value)
{
    std::string line;
    line.reserve(key.size() + value.size() + 3);
    line.append(key).append("=").append(value).append("\r\n");
    return line;
}

bool IsName(std::string_view name)
{
    if (name.empty() || IsBlank(name.front()) || IsBlank(name.back())) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(name[i]);
        if (IsLeadByte(b)) {
            if (i + 1 >= name.size()) return false;
            unsigned char trail = static_cast<unsigned char>(name[i + 1]);
            if (trail == '\r' || trail == '\n') return false;
            ++i;
            continue;
        }
        if (b == ']' || b == '=' || b == '\r' || b == '\n') return false;
    }
    return true;
}

}  // namespace

bool IsSectionName(std::string_view name) { return IsName(name); }

bool IsKeyName(std::string_view name) { return IsName(name) && name.front() != ';' && name.front() != '['; }

bool IsValue(std::string_view value)
{
    return value.find('\r') == std::string_view::npos && value.find('\n') == std::string_view::npos;
}

bool IsHeaderOf(std::string_view line, std::string_view section)
{
    const Parsed p = Parse(line);
    return p.kind == Kind::Header && NamesEqual(p.name, section);
}

bool HasSection(std::string_view text, std::string_view section) { return FindSection(text, section).found; }

bool NamesEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (IsLeadByte(x)) {
            // A double-byte character compares exactly, trail byte included.
            if (x != y || i + 1 >= a.size() || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

int ParseInt(std::string_view value)
{
    value = Trim(value);
    size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        negative = value[i] == '-';
        ++i;
    }
    int64_t n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        n = n * 10 + (value[i] - '0');
        if (n > int64_t(INT_MAX) + 1) n = int64_t(INT_MAX) + 1;
    }
    if (negative) n = -n;
    if (n > INT_MAX) n = INT_MAX;
    if (n < INT_MIN) n = INT_MIN;
    return static_cast<int>(n);
}

bool IsQuote(char c) { return c == '"' || c == '\''; }

std::string_view Unquoted(std::string_view value)
{
    // Neither a lead nor a trail byte is ever a quote, so the two ends are single bytes.
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::string Quoted(std::string_view value)
{
    const bool wrap = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) || IsQuote(value.front()) ||
                                         IsQuote(value.back()));
    if (!wrap) return std::string(value);
    std::string out;
    out.reserve(value.size() + 2);
    out.append("\"").append(value).append("\"");
    return out;
}

std::string WithQuotedValues(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 64);
    size_t pos = 0;
    while (pos < text.size()) {
        Line line = LineAt(text, pos);
        Parsed p = Parse(line.content);
        std::string_view value = line.content.substr(p.valueBegin, p.valueEnd - p.valueBegin);
        if (p.kind == Kind::Key && Unquoted(value).size() != value.size()) {
            out.append(text.substr(line.begin, p.valueBegin)).append("\"").append(value).append("\"");
            out.append(text.substr(line.begin + p.valueEnd, line.next - line.begin - p.valueEnd));
        } else {
            out.append(text.substr(line.begin, line.next - line.begin));
        }
        pos = line.next;
    }
    return out;
}

bool FindValue(std::string_view text, std::string_view section, std::string_view key, std::string_view& value)
{
    SectionSpan span = FindSection(text, section);
    if (!span.found) return false;
    size_t pos = span.bodyBegin;
    while (pos < span.end) {
        Line line = LineAt(text, pos);
        Parsed p = Parse(line.content);
        if (p.kind == Kind::Key && NamesEqual(p.name, key)) {
            value = Unquoted(line.content.substr(p.valueBegin, p.valueEnd - p.valueBegin));
            return true;
        }
        pos = line.next;
    }
    return false;
}

std::string WithValue(std::string_view text, std::string_view section, std::string_view key, std::string_view plain)
{
    const std::string value = Quoted(plain);
    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 16);
    SectionSpan span = FindSection(text, section);
    if (!span.found) {
        out.append(text);
        if (!text.empty()) {
            if (!EndsWithLineEnd(text)) out.append("\r\n");
            out.append("\r\n");
        }
        out.append("[").append(section).append("]\r\n");
        out.append(KeyLine(key, value));
        return out;
    }
    size_t pos = span.bodyBegin;
    while (pos < span.end) {
        Line line = LineAt(text, pos);
        Parsed p = Parse(line.content);
        if (p.kind == Kind::Key && NamesEqual(p.name, key)) {
            out.append(text.substr(0, line.begin + p.valueBegin));
            out.append(value);
            out.append(text.substr(line.begin + p.valueEnd));
            return out;
        }
        pos = line.next;
    }
    // A new key: after the last non-blank line of the section, which may be the header
    // itself, and which may lack a line end when it is the last line of the file (a
    // section added by AppendSection ends that way).
    out.append(text.substr(0, span.lastFilledNext));
    if (!span.lastFilledHasEnd) out.append("\r\n");
    out.append(KeyLine(key, value));
    out.append(text.substr(span.lastFilledNext));
    return out;
}

std::string WithoutSection(std::string_view text, std::string_view section, bool& found)
{
    SectionSpan span = FindSection(text, section);
    found = span.found;
    if (!span.found) return std::string(text);
    std::string out;
    out.reserve(text.size());
    out.append(text.substr(0, span.headerBegin));
    out.append(text.substr(span.end));
    return out;
}

}  // namespace ini
