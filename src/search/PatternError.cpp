#include "search/PatternError.h"

#include <cstring>

#include "regex/KRegExp.h"
#include "regex/SjisChar.h"

int PatternErrorMessage(int error)
{
    if (error >= REGEXP_TRAILING_BACKSLASH && error <= REGEXP_TOO_LARGE)
        return kFirstPatternErrorMessage + error - REGEXP_TRAILING_BACKSLASH;
    return kUnknownPatternErrorMessage;
}

int PatternErrorPosition(const char* pattern, std::size_t byteOffset)
{
    if (!pattern) return 1;
    std::size_t const length = std::strlen(pattern);
    int position = 1;
    for (std::size_t at = 0; at < byteOffset && at < length; at += SjisCharLength(pattern, length, at)) ++position;
    return position;
}
