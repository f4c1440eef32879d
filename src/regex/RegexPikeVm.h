// The Pike VM: runs a forward RegexProgram over the text in one pass, all threads in
// step, so its time is linear in the text for every pattern. It is the plainest statement
// of what a program matches (start and end of the leftmost match with Perl's preference):
// the tests hold the lazy DFA to it on texts too long for the reference matcher, and
// CKRegExp falls back on it should the DFA ever fail to pin down a match start.
#pragma once

#include <cstddef>

#include "regex/RegexProgram.h"

struct RegexMatch {
    std::size_t start = 0;
    std::size_t end = 0;
};

// Leftmost match of program (forward) in text[0, length) starting at or after the
// character boundary from. Uses program.literalPrefix to skip text where no match can be.
bool PikeVmSearch(const RegexProgram& program, const char* text, std::size_t length, std::size_t from,
                  RegexMatch& match);
