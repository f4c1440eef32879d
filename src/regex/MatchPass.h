// One pass over a text that visits every match from the top, as replace-all replaces them
// and kvtefind --all lists them: each search starts where the previous match ended, one
// character further after an empty match, and past the LF when a match ended between the
// CR and the LF of a line break (the editor treats CR LF as one character, so it replaces
// such a match together with the whole line break).
#pragma once

#include <cstddef>

#include "regex/KRegExp.h"
#include "regex/SjisChar.h"

// Whether position lies between the CR and the LF of a CR LF.
inline bool InsideCrLf(const char* text, std::size_t length, std::size_t position)
{
    return position > 0 && position < length && text[position - 1] == '\r' && text[position] == '\n';
}

struct MatchRange {
    std::size_t start = 0;
    std::size_t end = 0;
};

// The range to select or replace for a match: its ends moved off the middle of a CR LF.
// An empty match there stays empty, before the CR, so that nothing is taken out.
inline MatchRange WholeLineBreaks(const char* text, std::size_t length, MatchRange match)
{
    if (match.start == match.end) {
        if (InsideCrLf(text, length, match.start)) match.start = match.end = match.start - 1;
        return match;
    }
    if (InsideCrLf(text, length, match.start)) --match.start;
    if (InsideCrLf(text, length, match.end)) ++match.end;
    return match;
}

// Calls visit(start, length) for each match of the pattern last read by regex in
// text[0, length), in order; visit returns false to stop the pass. Returns the number of
// matches visited.
template <typename Visit>
std::size_t VisitAllMatches(CKRegExp& regex, const char* text, std::size_t length, Visit visit)
{
    std::size_t count = 0;
    std::size_t from = 0;
    while (from <= length) {
        int at = regex.Find(text, length, from, false);
        if (at < 0) break;
        std::size_t start = static_cast<std::size_t>(at);
        std::size_t hit = regex.GetHitLength();
        ++count;
        if (!visit(start, hit)) break;
        from = start + hit;
        if (hit == 0) {
            from = SjisNextCharOffset(text, length, from);
        }
        if (InsideCrLf(text, length, from)) ++from;
    }
    return count;
}
