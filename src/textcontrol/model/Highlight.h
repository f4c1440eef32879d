// Finds the occurrences of the highlight text (the last search text) in one line.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "textcontrol/model/TextTypes.h"

namespace kvte::textcontrol {

// Appends to runs every occurrence of `needle` in the line (bytes without line end) that
// begins on a character boundary, left to right, not overlapping. Bytes are compared
// exactly. An empty needle, or one holding a line break, finds nothing.
void FindHighlights(const char* bytes, size_t length, std::string_view needle, std::vector<HighlightRun>* runs);

}  // namespace kvte::textcontrol
