// Small shared records of the editing control's model: positions, line-end codes, runs
// of a line (colour, link, highlight) and the notice of changed lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "encoding/LineEndingCode.h"

namespace kvte::textcontrol {

// A place in the text. line counts from 1; column is the byte position in the line from
// 1 (a double-byte character counts two). Column lineLength + 1 is the line end.
struct TextPosition {
    int line = 1;
    int column = 1;
};
inline bool operator==(TextPosition a, TextPosition b) { return a.line == b.line && a.column == b.column; }
inline bool operator!=(TextPosition a, TextPosition b) { return !(a == b); }

// Line endings are the program's LineEndingCode; the control's operations pass them as
// int (GetLineEnding, GetText mode), and these are its values as such.
constexpr int kLineEndingCrLf = static_cast<int>(LineEndingCode::Crlf);
constexpr int kLineEndingCr = static_cast<int>(LineEndingCode::Cr);
constexpr int kLineEndingLf = static_cast<int>(LineEndingCode::Lf);
constexpr int kLineEndingAutomatic =
    static_cast<int>(LineEndingCode::Automatic);  // GetText mode only: as SetText found

// One coloured stretch of a line. start is the byte index in the line from 0.
struct ColourRun {
    int start = 0;
    int length = 0;
    uint32_t colour = 0;  // COLORREF, 0x00BBGGRR
    int kind = 0;         // the EmphasisKind of the rule that coloured it
};

// Kinds of clickable text; the values are the bits of the clickable option (option 7).
enum LinkKind : int {
    kLinkMail = 1,   // bit 0: name@host.domain
    kLinkHttp = 2,   // bit 1: text beginning "http:"
    kLinkHttps = 4,  // bit 2: text beginning "https://"
    kLinkFtp = 8,    // bit 3: text beginning "ftp://"
    kLinkAllKinds = 15,
};

// One clickable stretch of a line. start is the byte index in the line from 0.
struct LinkRun {
    int start = 0;
    int length = 0;
    LinkKind kind = kLinkHttp;
};

// One occurrence of the highlight text in a line. start is the byte index from 0.
struct HighlightRun {
    int start = 0;
    int length = 0;
};

// What one edit did to the lines, in the numbering after the edit: lines firstLine ..
// firstLine + linesAfter - 1 now stand where firstLine .. firstLine + linesBefore - 1
// stood; every line below moved by linesAfter - linesBefore. A full replacement (SetText)
// reports firstLine 1 and all lines.
struct LineChange {
    int firstLine = 1;
    int linesBefore = 1;
    int linesAfter = 1;
};

// Receives every change of the text (edits, undo, redo, SetText), after it is made.
class TextObserver {
public:
    virtual ~TextObserver() = default;
    virtual void OnLinesChanged(const LineChange& change) = 0;
};

}  // namespace kvte::textcontrol
