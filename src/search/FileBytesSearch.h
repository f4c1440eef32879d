// Literal search in a file's own bytes: the pattern is written once in each form a file of
// a given code may hold it in, the bytes are searched for those forms, and only the lines
// that hold one are converted and searched again as the editor would search them. A file
// is searched so only where that finds exactly the lines that converting it whole would
// find; RawFormsFor says when.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "encoding/EncodingTypes.h"
#include "regex/KRegExp.h"

// The byte forms of one literal pattern (InternalText) for UTF-8 and EUC-JP files.
struct RawPatternForms {
    bool usable = false;       // a literal searched with letter case matched
    bool asciiOnly = false;    // every byte below 0x80
    std::vector<std::string> utf8;  // each Unicode form of the characters, without duplicates
    std::string euc;
};

RawPatternForms MakeRawPatternForms(std::string_view pattern, bool regularExpression, bool ignoreCase);

// The forms to search a file of code (bytes) for, or null when the file must be converted
// whole: a code that is not UTF-8 or EUC-JP, a file with bytes that are no whole character
// of its code, or in EUC-JP a pattern with other than ASCII characters.
const std::vector<std::string>* RawFormsFor(const RawPatternForms& forms, EncodingCode code, std::string_view bytes,
                                            std::vector<std::string>& eucOne);

// Calls onLine(line, column, text) for each line of bytes (a file of code) that holds a
// match of the pattern regex last read (the literal of forms), with the line number and
// the first match's column from 1 in the converted line; returns the number of matches.
std::size_t SearchFileBytes(CKRegExp& regex, std::string_view bytes, EncodingCode code,
                            const std::vector<std::string>& forms,
                            const std::function<void(long line, long column, std::string&& text)>& onLine);

// Converts one line of a file of code (no line break in it, nor the file's byte-order mark)
// to InternalText.
bool ConvertFileLine(std::string_view line, EncodingCode code, std::string& text);
