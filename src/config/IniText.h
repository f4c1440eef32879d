// IniText: reads and edits the bytes of an ini-format file in memory. Every line that an
// edit does not touch is kept byte for byte (comments, blank lines, line ends, Shift-JIS
// values); lines written anew end with CR LF.
//
// Syntax: "[name]" opens a section; "key=value" is a key of the section above it; a line
// whose first non-blank byte is ';' is a comment. Names are compared without regard to the
// letter case of single-byte characters (double-byte characters compare exactly); blanks
// and tabs around names and values are ignored. Lines end with CR LF, LF or CR. When a
// section or key appears twice, the first one counts.
#pragma once

#include <string>
#include <string_view>

#include "encoding/SjisBytes.h"

namespace ini {

// Values are read and written as the system's profile functions do, so that a value keeps
// its blanks: reading removes one enclosing pair of double or single quotes, and writing
// wraps a value that has a blank or a quote at either end in double quotes.
std::string_view Unquoted(std::string_view value);
std::string Quoted(std::string_view value);

// The text with every key value that begins and ends with the same quote wrapped in one
// more pair of double quotes: the value that files written before values were unquoted
// meant, quotes included (a tool line "C:\Program Files\t.exe").
std::string WithQuotedValues(std::string_view text);

// The value of key in section (unquoted), or false when the section or the key is missing.
bool FindValue(std::string_view text, std::string_view section, std::string_view key, std::string_view& value);

// The text with key of section set to value (quoted when it needs it): an existing key keeps its place and its
// spelling, a new key goes after the last non-blank line of its section, a missing
// section is added at the end of the text (after a blank line when the text has content).
std::string WithValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

// Whether one line (without its line end) is a header of section, as the readers see it.
bool IsHeaderOf(std::string_view line, std::string_view section);

// Whether the text holds a header of section.
bool HasSection(std::string_view text, std::string_view section);

// The text without section: its header and every line up to the next section header.
// found tells whether the section was there.
std::string WithoutSection(std::string_view text, std::string_view section, bool& found);

// Signed decimal integer at the start of a value, as the settings readers expect:
// "-1" is -1, "12abc" is 12, text without digits is 0; clamped to the 32-bit range.
int ParseInt(std::string_view value);

// Whether b starts a double-byte character of Shift_JIS-2004 text.
using sjis::IsLeadByte;

// Whether a name, written into a header or a key line, reads back as itself. Refused: the
// empty name, "]" and "=" outside double-byte characters, CR, LF, a blank or tab at either
// end, a lead byte without its trail byte at the end, and (keys only) a first character
// that would make the line a comment (";") or a header ("[").
bool IsSectionName(std::string_view name);
bool IsKeyName(std::string_view name);

// Whether a value stays on its own line: no CR and no LF.
bool IsValue(std::string_view value);

// Whether a and b are equal names (single-byte letters compared without case).
bool NamesEqual(std::string_view a, std::string_view b);

}  // namespace ini
