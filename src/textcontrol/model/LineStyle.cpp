#include "textcontrol/model/LineStyle.h"

#include <algorithm>
#include <string_view>

#include "textcontrol/model/TextModel.h"

namespace kvte::textcontrol {

void StyleLine(TextModel& model, int line, const LineColours& colours, LineStyleScratch* scratch,
               std::vector<StyleRun>* runs)
{
    LineStyleScratch& s = *scratch;
    model.LineColourRuns(line, &s.colours);
    s.links.clear();
    if (model.LinkKinds()) model.LineLinkRuns(line, &s.links);
    s.highlights.clear();
    if (!model.HighlightText().empty() || model.HasMarks()) model.LineHighlightRuns(line, &s.highlights);
    const int length = model.GetLineLength(line);

    ByteStyle plain;
    plain.text = colours.text;
    s.bytes.assign(static_cast<size_t>(length) + 1, plain);
    // Runs of the finders never reach the line end; one that claimed to is cut at it.
    auto apply = [&](int start, int count, auto change) {
        int from = std::clamp(start, 0, length);
        int to = std::clamp(start + count, from, length);
        for (int i = from; i < to; ++i) change(s.bytes[static_cast<size_t>(i)]);
    };
    for (const ColourRun& run : s.colours)
        apply(run.start, run.length, [&](ByteStyle& b) { b.text = run.colour & 0x00FFFFFF; });
    for (const LinkRun& run : s.links) {
        const bool mail = run.kind == kLinkMail;
        apply(run.start, run.length, [&](ByteStyle& b) {
            b.text = mail ? colours.mail : colours.url;
            b.underline = mail ? colours.mailUnderline : colours.urlUnderline;
        });
    }
    for (const HighlightRun& run : s.highlights)
        apply(run.start, run.length, [&](ByteStyle& b) {
            b.text = colours.findText;
            b.back = colours.findBack;
        });
    if (model.HasSelection()) {
        const TextPosition first = model.SelectionStart();
        const TextPosition last = model.SelectionEnd();
        if (line >= first.line && line <= last.line) {
            int from = line == first.line ? first.column - 1 : 0;
            // A selection that goes on below takes this line's end with it.
            int to = line == last.line ? last.column - 1 : length + 1;
            from = std::clamp(from, 0, length + 1);
            to = std::clamp(to, from, length + 1);
            for (int i = from; i < to; ++i) {
                ByteStyle& b = s.bytes[static_cast<size_t>(i)];
                b.text = colours.background;
                b.back = colours.text;
                b.underline = kNoColour;
            }
        }
    }

    runs->clear();
    for (int i = 0; i <= length; ++i) {
        const ByteStyle& b = s.bytes[static_cast<size_t>(i)];
        if (runs->empty() || runs->back().style != b)
            runs->push_back(StyleRun{i, 1, b});
        else
            ++runs->back().length;
    }
}

}  // namespace kvte::textcontrol
