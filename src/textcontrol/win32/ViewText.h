// Conversions between the document's InternalText bytes and the UTF-16 that Windows
// draws, puts on the clipboard and types. Half-width katakana stay half-width in both
// directions, so that a copy and paste gives back the same bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvte::textcontrol {

// Room for the UTF-16 form of one character unit (a pair of surrogates, or two code
// points of a combined character).
constexpr int kMaxUnitUtf16 = 4;

// The UTF-16 form of one character unit of 1 or 2 bytes; returns the number of units
// written to out (at least 1: a byte without a character gives a replacement).
int UnitToUtf16(const char* unit, size_t length, wchar_t out[kMaxUnitUtf16]);

// A whole InternalText to UTF-16, keeping half-width katakana; '\n' and "\r\n" stay as they are.
std::wstring InternalToWide(std::string_view text);
// UTF-16 (up to the first 0 unit or `length` units) to InternalText; units without an
// internal character become '?'.
std::string WideToInternal(const wchar_t* text, size_t length);

}  // namespace kvte::textcontrol
