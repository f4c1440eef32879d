// The replacement text of a regular-expression search, shared by replace, replace all and
// kvtefind: what a match is replaced with.
//
//   \0 $&      the whole match
//   \1-\9 $1-$9   group 1-9 of the match ("" when the group took no part in it)
//   \n         the text's line break (lineBreak)
//   \t         a tab
//   \\ $$      "\" and "$"
// Anything else stands as written, a "\" or "$" before any other character included. The
// replacement is read by characters (InternalText), so the trail byte 0x5C of a
// double-byte character such as "ソ" is never taken for a "\".
#pragma once

#include <string>
#include <string_view>

#include "regex/KRegExp.h"

// Appends the expansion of replacement for the match described by groups (offsets into
// text, as CKRegExp::GetGroups gives them) to out.
void AppendReplacement(std::string_view replacement, const char* text, const RegExpGroups& groups,
                       std::string_view lineBreak, std::string& out);

// Replace all in one pass over text[0, length) as it stands (regex/MatchPass.h): each match
// of the pattern last read by regex, widened over whole line breaks, gives way to
// replacement, expanded for it when expand is true, else as it stands. replaced receives
// the new text of [first, end), the part from the first match's start to the last one's
// end (text outside it is unchanged). Returns the number of matches. Throws
// std::bad_alloc when memory runs out.
std::size_t ReplaceAllMatches(CKRegExp& regex, const char* text, std::size_t length, std::string_view replacement,
                              bool expand, std::string_view lineBreak, std::string& replaced, std::size_t& first,
                              std::size_t& end);
