// The parsed form of a regular expression: a tree of nodes, produced by ParseRegex and
// consumed by the compiler (and by the reference matcher of the tests).
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "regex/RegexCharSet.h"

// Zero-width conditions. Lines end at CR LF, lone CR and lone LF.
enum class RegexAssertion : unsigned char {
    BeginLine,        // ^
    EndLine,          // $
    BeginText,        // \A
    EndText,          // \z
    WordBoundary,     // \b
    NotWordBoundary,  // \B
};

enum class RegexNodeType : unsigned char {
    Empty,      // matches the empty text
    Chars,      // one character out of chars
    Concat,     // children one after the other
    Alternate,  // one of the children, the first preferred
    Repeat,     // children[0] between min and max times (max -1: no limit)
    Assert,     // assertion holds here
    Capture,    // children[0], whose span is group number `group` of the match
};

struct RegexNode {
    RegexNodeType type = RegexNodeType::Empty;
    CharSet chars;                                     // Chars (normalized)
    std::vector<std::unique_ptr<RegexNode>> children;  // Concat, Alternate, Repeat
    int min = 0;
    int max = -1;
    bool greedy = true;
    RegexAssertion assertion = RegexAssertion::BeginLine;
    int group = 0;  // Capture: 1 for the first "(" of the pattern, and so on
};

struct RegexParseResult {
    std::unique_ptr<RegexNode> root;  // null on error
    int error = 0;                    // a RegExpError value (KRegExp.h)
    int errorOffset = 0;              // byte offset in the pattern
    int groupCount = 0;               // capturing groups in the pattern
};

// Parses pattern (InternalText) in the syntax documented in KRegExp.h; ignoreCase starts
// it as if it began with (?i).
RegexParseResult ParseRegex(std::string_view pattern, bool ignoreCase = false);

// A node matching the bytes of text as they stand (literal search), character by
// character; with ignoreCase, each letter in either case.
std::unique_ptr<RegexNode> MakeLiteralNode(std::string_view text, bool ignoreCase = false);

// Limits that keep compiled programs and recursion small.
constexpr int kMaxRepeatCount = 1000;
constexpr int kMaxNestingDepth = 200;
// Groups beyond this number group without being reported.
constexpr int kMaxReportedGroup = 9;
