// The groups of a match already found: a Pike VM whose threads carry capture slots, run
// only over the match's span, so finding matches never pays for groups.
#pragma once

#include <array>
#include <cstddef>

#include "regex/RegexProgram.h"

constexpr std::size_t kNoCapture = static_cast<std::size_t>(-1);
// Slot 2n holds the start of group n, 2n + 1 its end; kNoCapture where it took no part.
using CaptureSlots = std::array<std::size_t, 2 * (kMaxReportedGroup + 1)>;

// The slots of the match [start, end) of program (forward, compiled with captures): among
// the ways the program matches from start, the one of highest priority, which must end at
// end (the text beyond end is read only for assertions). Slots 0 and 1 are start and end.
// False when no way ends at end (the span is not the match of this program at start).
bool PikeVmCaptures(const RegexProgram& program, const char* text, std::size_t length, std::size_t start,
                    std::size_t end, CaptureSlots& slots);
