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
EncodingCode DetectEncodingByRules(const char* bytes, std::size_t length);

// DetectEncodingByRules and then what its rules do not tell: FE FF gives Utf16BeBom, and
// where the rules found ZeroBytes, zeros at most odd places of 16-bit text give Utf16Le
// and at most even places Utf16Be. The one the program opens files with.
EncodingCode DetectEncoding(const char* bytes, std::size_t length);

// The evidence the rules decide on, as the scoring pass leaves it.
struct DetectionEvidence {
    long long sjis = 0, euc = 0, utf8 = 0, jis = 0, lineBreaksEven = 0;
    bool hasZero = false, oddHigh = false, utf7Ok = true;
    bool zeroPair = false;  // stopped at two zero bytes at an even position (ZeroBytes)
};

// Tests only: the scoring pass over length >= 2 bytes (byte-order marks are not looked
// at), with the vector blocks where the build and the processor have them, or without
// (what processors without SSE2 run).
DetectionEvidence DetectionEvidenceForTesting(const char* bytes, std::size_t length, bool vectorBlocks);
