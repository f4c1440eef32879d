// Recognises the encoding of a file's bytes in one pass, without allocating.
#pragma once

#include <cstddef>

#include "encoding/EncodingTypes.h"

// Returns the EncodingCode of the length bytes at bytes: byte-order marks first, otherwise
// the scores for Shift_JIS, EUC-JP and UTF-8 evidence, JIS escape sequences, zero bytes and
// UTF-16 line breaks, decided by a fixed order of rules. Never fails.
// Reads exactly bytes[0 .. length-1]; bytes after the end count as 0 without being read,
// so the buffer needs no padding (the two zero bytes the opening routine appends are
// harmless). bytes may be null when length is 0.
EncodingCode DetectEncoding(const char* bytes, std::size_t length);
