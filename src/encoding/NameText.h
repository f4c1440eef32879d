// Names and user-interface texts (paths, window, menu and dialog texts, message boxes,
// help topics, command lines) between InternalText and UTF-16, code for code. Unlike the
// file-content conversions of Conversion.h, nothing is widened or merged: half-width
// katakana stay half-width, a kana and a following sound mark stay two codes, so a name
// that crosses and comes back is the same name. Each double-byte code gives its published
// character (SjisCodeToUtf16): one unit, a surrogate pair, or a base character and a
// combining mark; both of the latter come back as their one code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Room for the UTF-16 form of one character unit (a surrogate pair, or two code points).
constexpr int kMaxNameUnitUtf16 = 4;

// The UTF-16 form of one character unit of 1 or 2 bytes (as the editing control and the
// name conversion split InternalText); returns the units written to out (1 to
// kMaxNameUnitUtf16; 0 only when length is 0). A byte without a character gives the
// private unit that NameFromUtf16 turns back into the same byte; a lone lead byte, and a
// pair without a character (never assigned: the file conversion writes U+3013 there),
// give U+FFFD.
int NameUnitToUtf16(const char* unit, std::size_t length, char16_t out[kMaxNameUnitUtf16]);

// InternalText to UTF-16, unit by unit as NameUnitToUtf16. Zero bytes are kept. False
// (utf16 empty) only when memory runs out.
bool NameToUtf16(std::string_view internal, std::u16string& utf16);

// UTF-16 to InternalText, code for code: a surrogate pair or a base character with the
// combining mark of one of the 25 sequences gives its one code; a unit without an internal
// code becomes "?" (a surrogate pair without one "??"). A leading U+FEFF is a character
// like any other. replaced, when given, receives how many characters became "?". False
// (internal empty) only when memory runs out.
bool NameFromUtf16(std::u16string_view utf16, std::string& internal, std::int64_t* replaced = nullptr);

// True when the name is held by InternalText: NameFromUtf16 followed by NameToUtf16 gives
// exactly utf16 back (a Korean name is not held; neither is "a¥b", which comes back as
// "a\b"). False as well when memory runs out.
bool IsNameHeld(std::u16string_view utf16);
