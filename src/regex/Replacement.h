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
