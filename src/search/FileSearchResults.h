// The lines of a find-in-files results tab. Each result reads "PATH(LINE,COLUMN): TEXT"
// (InternalText); a line of another shape (the header, the summary) names no place.
// A file name never holds ':' on Windows, so the first "(digits,digits): " ends the path,
// whatever the path holds besides (spaces, brackets, double-byte characters whose trail
// byte is '\' or '(').
#pragma once

#include <string>
#include <string_view>

struct ResultPlace {
    std::string path;
    long line = 0;
    long column = 0;
};

// One result line without a line break; zero bytes, CR and LF of text become spaces.
std::string FormatResultLine(std::string_view path, long line, long column, std::string_view text);

// The place a results line names; false for a line that is no result.
bool ParseResultLine(std::string_view text, ResultPlace& place);
