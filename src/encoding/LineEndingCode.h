// The line ending, the one type for the whole program: the value of [main] retline, the
// line-end mode of the editing control's GetText and its GetLineEnding, and the line end
// a saved file is written with. The numbers are stored in files and passed between
// callers; they never change.
#pragma once

#include <cstdint>

enum class LineEndingCode : std::int32_t {
    Crlf = 1,
    Cr = 2,
    Lf = 3,
    Automatic = 4,  // as the document was read; for text conversion here: left unchanged
};
