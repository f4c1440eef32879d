// How each byte of a line looks on screen: the emphasis colours, the links, the matches
// of the search text and the selection laid over each other in that order, as runs of
// bytes that share one look. The view draws these runs and decides nothing about colour.
#pragma once

#include <cstdint>
#include <vector>

#include "textcontrol/model/TextTypes.h"

namespace kvte::textcontrol {

class TextModel;

// "No colour": the view's background behind the text, or no underline. The same value as
// the system's invalid colour, which no colour setting can take.
constexpr uint32_t kNoColour = 0xFFFFFFFF;

// The view's colours (0x00BBGGRR) that the text of a line can take.
struct LineColours {
    uint32_t text = 0;
    uint32_t background = 0;
    uint32_t url = 0;
    uint32_t urlUnderline = 0;
    uint32_t mail = 0;
    uint32_t mailUnderline = 0;
    uint32_t findText = 0;
    uint32_t findBack = 0;
};

struct ByteStyle {
    uint32_t text = 0;
    uint32_t back = kNoColour;
    uint32_t underline = kNoColour;
    bool operator==(const ByteStyle& o) const { return text == o.text && back == o.back && underline == o.underline; }
    bool operator!=(const ByteStyle& o) const { return !(*this == o); }
};

// Bytes [start, start + length) of a line, from 0, drawn in one style.
struct StyleRun {
    int start = 0;
    int length = 0;
    ByteStyle style;
};

// What styling a line needs besides its result; kept by a painter from line to line so
// that a paint allocates nothing after its first lines.
struct LineStyleScratch {
    std::vector<ColourRun> colours;
    std::vector<LinkRun> links;
    std::vector<HighlightRun> highlights;
    std::vector<ByteStyle> bytes;
};

// Styles `line` of the model into runs: in byte order, covering bytes 0 to the line's
// length inclusive, where the last byte stands for the line end (which only a selection
// that goes on below colours); two neighbouring runs never share a style. Emphasis sets
// the text colour; a link sets its kind's text colour and underline; a search match sets
// the find colours over both; the selection draws background on text colour and takes
// any underline away.
void StyleLine(TextModel& model, int line, const LineColours& colours, LineStyleScratch* scratch,
               std::vector<StyleRun>* runs);

}  // namespace kvte::textcontrol
