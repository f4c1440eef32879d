// The paths on the program's command line. The one path of a line that names an existing
// file as a whole: when the line starts with a double quote, the
// path is everything after it with the line's last character removed (a lone quote gives
// an empty path; a quoted path followed by more text loses only the last character);
// otherwise it is the whole line, blanks included.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "encoding/EncodingTypes.h"

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

// The paths among the words of PathsFromCommandLine, each with the encoding that the last
// `-code=NAME` before it chose (a name of EncodingForName; none: recognised). The option
// is no path; one with an unknown name is dropped and leaves the choice as it was.
template <typename Char>
struct CommandLineFile {
    std::basic_string<Char> path;
    std::optional<EncodingCode> code;
};
template <typename Char>
std::vector<CommandLineFile<Char>> FilesOfCommandLine(std::vector<std::basic_string<Char>> words)
{
    static constexpr char kOption[] = "-code=";
    constexpr std::size_t kOptionLength = sizeof kOption - 1;
    std::vector<CommandLineFile<Char>> files;
    std::optional<EncodingCode> code;
    for (std::basic_string<Char>& word : words) {
        bool option = word.size() >= kOptionLength;
        for (std::size_t i = 0; option && i < kOptionLength; ++i) option = word[i] == Char(kOption[i]);
        if (!option) {
            files.push_back({std::move(word), code});
            continue;
        }
        std::string name;
        for (std::size_t i = kOptionLength; i < word.size(); ++i) {
            const auto unit = static_cast<std::make_unsigned_t<Char>>(word[i]);
            name += unit < 0x80 ? static_cast<char>(unit) : '?';
        }
        EncodingCode named;
        if (EncodingForName(name, false, named)) code = named;
    }
    return files;
}
