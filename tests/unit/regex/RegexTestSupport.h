// Helpers shared by the regex tests: patterns and texts are written in UTF-8 and turned
// into InternalText, and searches return readable "offset:hit" strings.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "encoding/FileText.h"
#include "regex/KRegExp.h"

namespace regextest {

inline std::string S(std::string_view utf8) { return Utf8ToInternalText(utf8); }
inline std::string U(std::string_view internal) { return InternalTextToUtf8(internal); }

// "offset:hit" of Find with pattern and text given in UTF-8, or "-1".
inline std::string FindResult(std::string_view pattern, std::string_view text, int position = 0, bool backward = false,
                              bool regular = true)
{
    CKRegExp regex;
    regex.Read(S(pattern).c_str(), regular);
    const int offset = regex.Find(S(text).c_str(), position, backward);
    return offset < 0 ? "-1" : std::to_string(offset) + ":" + U(regex.GetHitText());
}

}  // namespace regextest
