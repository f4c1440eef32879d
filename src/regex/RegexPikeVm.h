// The Pike VM: runs a forward RegexProgram over the text in one pass, all threads in
// step, so its time is linear in the text for every pattern. It finds the exact start
// and end of the leftmost match with Perl's preference; the DFA only finds where to look.
#pragma once

#include <cstddef>

#include "regex/RegexProgram.h"

struct RegexMatch {
  std::size_t start = 0;
  std::size_t end = 0;
};

// Leftmost match of program (forward) in text[0, length) starting at or after the
// character boundary from. Uses program.literalPrefix to skip text where no match can be.
bool PikeVmSearch(RegexProgram const& program, char const* text, std::size_t length, std::size_t from,
                  RegexMatch& match);
