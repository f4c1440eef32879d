// The compiled form of a regular expression: one program of instructions over symbols,
// run by the Pike VM and the lazy DFA.
//
// Symbols. The text is read as characters; a single-byte character is one symbol of kind
// Single, a double-byte character is two symbols, Lead then Trail (Trail then Lead in a
// program compiled for reading backwards). A Byte instruction tests one symbol of one kind
// against a set of byte values, so no instruction can ever begin or end inside a character.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

#include "regex/RegexSyntax.h"

enum class SymbolKind : unsigned char { Single = 0, Lead = 1, Trail = 2 };

enum class RegexOp : unsigned char {
    Byte,    // symbol of kind `kind` in sets[set]: go to next
    Split,   // go to next (preferred) and to alt
    Jump,    // go to next
    Assert,  // go to next when `assertion` holds here
    Match,
    Save,    // records the position in capture slot `slot`: go to next
};

struct RegexInst {
    RegexOp op = RegexOp::Match;
    SymbolKind kind = SymbolKind::Single;
    RegexAssertion assertion = RegexAssertion::BeginLine;
    int next = -1;
    int alt = -1;
    int set = -1;
    int slot = -1;  // Save: 2n for the start of group n, 2n + 1 for its end
};

struct RegexProgram {
    std::vector<RegexInst> insts;
    std::vector<std::bitset<256>> sets;
    int start = 0;
    bool reversed = false;          // reads the text from its end towards its start
    bool usesWordBoundary = false;  // has \b or \B
    std::string literalPrefix;      // bytes every match begins with (forward programs only)
    bool wholeLiteral = false;      // literalPrefix is all the pattern matches
};

constexpr std::size_t kMaxProgramSize = 100000;

// Compiles node; false when the program would exceed kMaxProgramSize instructions.
// captures: forward only, Save instructions around groups 1-9 (only the matcher that
// reports groups reads them; the search programs are built without, and stay smaller).
bool CompileRegex(const RegexNode& node, bool reversed, RegexProgram& program, bool captures = false);
