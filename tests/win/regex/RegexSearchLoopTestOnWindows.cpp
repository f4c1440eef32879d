// The portable RegexSearchLoop tests of the search engine, run again in the 32-bit Windows build
// (32-bit sizes, no SSE2 in the byte search).
#include "../../unit/regex/RegexSearchLoopTest.cpp"
