// The user's report of a pattern that does not compile: the string-table number of the
// text for each error of CKRegExp, and the character position of the fault.
#pragma once

#include <cstddef>

// Messages 35-45: one per RegExpError (1-10), then one for an error of no known kind.
constexpr int kFirstPatternErrorMessage = 35;
constexpr int kUnknownPatternErrorMessage = 45;

int PatternErrorMessage(int error);

// The 1-based number of the character of pattern that holds byteOffset (a character past
// the last for an offset at the end).
int PatternErrorPosition(const char* pattern, std::size_t byteOffset);
