// The paths on the program's command line. The one path of a line that names an existing
// file as a whole: when the line starts with a double quote, the
// path is everything after it with the line's last character removed (a lone quote gives
// an empty path; a quoted path followed by more text loses only the last character);
// otherwise it is the whole line, blanks included.
#pragma once

#include <string>
#include <string_view>
#include <vector>

template <typename Char>
std::basic_string_view<Char> PathFromCommandLine(std::basic_string_view<Char> line)
{
    if (line.empty() || line.front() != Char('"')) return line;
    if (line.size() < 2) return {};
    return line.substr(1, line.size() - 2);
}

// The paths of a command line that does not name one existing file as a whole: separated
// by blanks (spaces and tabs) outside double quotes; the quotes themselves are dropped, so
// "b c.txt" is one path and a"b c"d is "ab cd". Empty paths are left out.
template <typename Char>
std::vector<std::basic_string<Char>> SplitCommandLine(std::basic_string_view<Char> line)
{
    std::vector<std::basic_string<Char>> paths;
    std::basic_string<Char> current;
    bool quoted = false;
    for (Char c : line) {
        if (c == Char('"')) {
            quoted = !quoted;
        } else if (!quoted && (c == Char(' ') || c == Char('\t'))) {
            if (!current.empty()) paths.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) paths.push_back(std::move(current));
    return paths;
}

// Every path the command line names: the one path of PathFromCommandLine when exists says
// it names a file (a name with blanks needs no quotes), else the split line.
template <typename Char, typename Exists>
std::vector<std::basic_string<Char>> PathsFromCommandLine(std::basic_string_view<Char> line, Exists exists)
{
    const std::basic_string_view<Char> whole = PathFromCommandLine(line);
    if (!whole.empty() && exists(whole)) return {std::basic_string<Char>(whole)};
    return SplitCommandLine(line);
}
