// The path on the program's command line: when the line starts with a double quote, the
// path is everything after it with the line's last character removed (a lone quote gives
// an empty path; a quoted path followed by more text loses only the last character);
// otherwise it is the whole line, blanks included.
#pragma once

#include <string_view>

template <typename Char>
std::basic_string_view<Char> PathFromCommandLine(std::basic_string_view<Char> line)
{
    if (line.empty() || line.front() != Char('"')) return line;
    if (line.size() < 2) return {};
    return line.substr(1, line.size() - 2);
}
