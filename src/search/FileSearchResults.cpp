// The result lines of find in files, written and read back.
#include "search/FileSearchResults.h"

namespace {

// Reads the digits at text[at...] into value; the position after them, or npos when
// there are none or too many for a line or column.
std::size_t ReadNumber(std::string_view text, std::size_t at, long& value)
{
    std::size_t end = at;
    value = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9' && end - at < 9) {
        value = value * 10 + (text[end] - '0');
        ++end;
    }
    return end == at || (end < text.size() && text[end] >= '0' && text[end] <= '9') ? std::string_view::npos : end;
}

}  // namespace

std::string FormatResultLine(std::string_view path, long line, long column, std::string_view text)
{
    std::string out;
    out.reserve(path.size() + text.size() + 32);
    out.append(path);
    out += '(' + std::to_string(line) + ',' + std::to_string(column) + "): ";
    for (char c : text) out += c == '\0' || c == '\r' || c == '\n' ? ' ' : c;
    return out;
}

bool ParseResultLine(std::string_view text, ResultPlace& place)
{
    // '(' ',' ')' ':' and digits are never the trail byte of a double-byte character, so
    // the scan needs no character boundaries.
    for (std::size_t open = text.find('('); open != std::string_view::npos; open = text.find('(', open + 1)) {
        long line = 0, column = 0;
        std::size_t at = ReadNumber(text, open + 1, line);
        if (at == std::string_view::npos || at >= text.size() || text[at] != ',') continue;
        at = ReadNumber(text, at + 1, column);
        if (at == std::string_view::npos || text.substr(at, 3) != "): " || open == 0 || line < 1 || column < 1)
            continue;
        place.path.assign(text.substr(0, open));
        place.line = line;
        place.column = column;
        return true;
    }
    return false;
}
