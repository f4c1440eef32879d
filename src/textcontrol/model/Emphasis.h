// Emphasis rules of one view and the tokenizer that turns a line into coloured runs.
// The only state carried from line to line is an open multi-line pair.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "textcontrol/model/TextTypes.h"

namespace kvte::textcontrol {

// The kind numbers passed to AddEmphasis.
enum EmphasisKind : int {
    kEmphasisWord = 1,          // a word, coloured where it stands as a whole word
    kEmphasisLineAfter = 2,     // a start text; the rest of the line from it is coloured
    kEmphasisLineBetween = 3,   // start and end texts within one line
    kEmphasisMultiBetween = 4,  // start and end texts, possibly across lines
};

// The second number of a rest-of-line rule that is to match only where its start text
// begins the line, after blanks and tabs (a label ":" of a batch file, a comment ";" of an
// ini file, a heading "# " of Markdown). Environment files before it wrote 0 there.
constexpr int kEmphasisAtLineStart = 1;

// How many rules one view accepts; the next AddEmphasis is refused. Generous: the
// largest shipped environment has a few hundred entries.
constexpr size_t kMaxEmphasisRules = 8192;

// State at a line boundary: 0 outside every multi-line pair, n inside the pair of rule n-1.
using EmphasisState = uint16_t;

struct EmphasisRule {
    std::string text;
    std::string endText;  // pairs only; empty: the pair ends at the end of its line
    int kind = kEmphasisWord;
    uint32_t colour = 0;   // COLORREF 0x00BBGGRR
    int number2 = 0;       // for kEmphasisLineAfter: kEmphasisAtLineStart or 0; otherwise kept as given
    int colourNumber = 0;  // likewise (1-6, the colour file's entry)
    int number4 = 0;       // likewise
};

// Result of EmphasisTable::Add, as AddEmphasis returns it.
constexpr int kEmphasisAccepted = -1;
constexpr int kEmphasisTableFull = 0;
constexpr int kEmphasisBadKind = 1;

class EmphasisTable {
public:
    EmphasisTable();

    // kEmphasisAccepted, or kEmphasisTableFull when kMaxEmphasisRules are held, or
    // kEmphasisBadKind for a kind outside 1-4. A rule with an empty text is accepted and
    // never matches. Words are matched case-sensitively; a word whose edge is a half-width
    // letter, digit or '_' must not continue into another such byte on that side.
    int Add(std::string_view text, std::string_view endText, int kind, uint32_t colour, int number2, int colourNumber,
            int number4);
    void Clear();
    size_t Size() const { return rules_.size(); }
    bool Empty() const { return rules_.empty(); }
    const EmphasisRule& Rule(size_t index) const { return rules_[index]; }

    // Colours one line (its bytes without the line end) that starts in state `state`:
    // appends its runs to `runs` in order (when runs is not null) and returns the state at
    // its end. At one place a pair or rest-of-line start text wins over a word, and the
    // longest start text wins among them.
    EmphasisState TokenizeLine(const char* bytes, size_t length, EmphasisState state,
                               std::vector<ColourRun>* runs) const;

private:
    // Indices of rules by their first byte, longest text first.
    std::vector<uint32_t> delimitersByByte_[256];
    std::vector<uint32_t> wordsByByte_[256];
    std::vector<EmphasisRule> rules_;
};

}  // namespace kvte::textcontrol
