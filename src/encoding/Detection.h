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

// DetectEncodingByRules and then what its rules do not tell: FE FF gives Utf16BeBom;
// where the rules found ZeroBytes, zeros at most odd places of 16-bit text give Utf16Le
// and at most even places Utf16Be; and where they found Undetermined or NoEvidence, or
// ShiftJis, EucJp or Utf8 for bytes that are not valid text in it, ChooseByJapaneseText
// picks among the three (when it finds one valid). A code the rules decide on valid text
// always stands. The one the program opens files, searches files and converts with.
EncodingCode DetectEncoding(const char* bytes, std::size_t length);

// What decided DetectEncoding's code: a byte-order mark, the rules, the zeros of 16-bit
// text, or the second stage (how Japanese text is made).
enum class DetectionStage { Mark, Rules, Zeros, Text };
struct Detection {
    EncodingCode code;
    DetectionStage stage;
};
Detection DetectEncodingAndStage(const char* bytes, std::size_t length);
// "mark", "rules", "zeros", "text": kvteconv detect prints them.
const char* DetectionStageName(DetectionStage stage);

// The second stage reads at most this much from the start of a file, so that it costs the
// same on any file: the first block tells the encoding of text as well as the whole does.
constexpr std::size_t kTextStageBytes = 16 * 1024;

// Whether the first kTextStageBytes of the bytes are valid text in code (ShiftJis, EucJp,
// Utf8; a character cut by the end of the block counts as valid, one cut by the end of the
// bytes does not). True for every other code.
bool IsValidTextStart(EncodingCode code, const char* bytes, std::size_t length);
// The same for all the bytes: every one is part of a whole character of code (UTF-8
// without overlong forms, surrogates or stray continuation bytes; no pair that no
// character has).
bool IsValidText(EncodingCode code, const char* bytes, std::size_t length);

// The second stage alone: reads the first kTextStageBytes as Shift_JIS, EUC-JP and UTF-8
// and returns the one of them whose reading is valid and looks most like Japanese text
// (the kinds of its characters weighed: hiragana, kanji of the first level and the common
// punctuation most, half-width katakana and characters only JIS X 0213 has least).
// Undetermined when the block holds no byte above 0x7F or is valid in none of them.
EncodingCode ChooseByJapaneseText(const char* bytes, std::size_t length);

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
