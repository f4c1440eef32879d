// What a save writes: the encoding, its mark and the line ending, from the document's own
// choices and the [main] settings; and the Save As dialog's encoding list, mark box and
// line-ending list (dialog 165), whose choice the document takes.
#pragma once

#include <string_view>

#include "documents/Document.h"

// The [main] settings a save reads: kanji, retline, utf16_bom and utf8_bom.
struct SaveSettings {
    int kanji = 0;
    int retline = 0;
    bool utf16Bom = false;
    bool utf8Bom = false;
};

// The encoding a save of document writes: its own choice (made in Save As, by reopening
// or when opening) when it has one, otherwise [main] kanji as ChooseSaveEncoding says.
EncodingCode SaveEncodingOf(const Document& document, const SaveSettings& settings);
// The line ending a save writes: its own choice from Save As when it has one, otherwise
// [main] retline (CR LF, CR or LF); Automatic: the view's own (retline 4 or another value).
LineEndingCode SaveLineEndingOf(const Document& document, const SaveSettings& settings);

// "CRLF", "CR" or "LF"; empty for Automatic.
std::string_view LineEndingName(LineEndingCode lineEnding);

// The line-ending list after its first entry ("そのまま"), in order.
constexpr int kLineEndingRowCount = 3;
constexpr LineEndingCode kLineEndingRows[kLineEndingRowCount] = {LineEndingCode::Crlf, LineEndingCode::Lf,
                                                                 LineEndingCode::Cr};

// The Save As dialog for one document: what its first entries stand for, and the choice.
// Row 0 of either list is "そのまま" (what the save would write without a choice); encoding
// row 1 + i is kEncodingChoices[i], line-ending row 1 + i kLineEndingRows[i].
struct SaveOffer {
    EncodingCode written = EncodingCode::ShiftJis;             // encoding row 0
    EncodingCode own = EncodingCode::ShiftJis;                 // the document's (as read or last written)
    LineEndingCode writtenEnding = LineEndingCode::Automatic;  // line-ending row 0 (Automatic: the view's own)
    // [main] utf8_bom and utf16_bom: the box when another UTF encoding is picked.
    bool utf8Bom = false;
    bool utf16Bom = false;
    // The rows and the box: as the dialog opens (row 0, the box as written) and as the user
    // leaves them.
    int encodingRow = 0;
    bool mark = false;
    int lineEndingRow = 0;
};

// The dialog as it opens for document.
SaveOffer OfferSave(const Document& document, const SaveSettings& settings);
// The encoding an encoding row stands for, without the box (row 0: written; an unknown row
// reads as 0).
EncodingCode RowEncoding(const SaveOffer& offer, int row);
// Whether the box can be ticked with row picked (a UTF encoding), and how it is set when
// the user picks row: as written for the encoding written now, as the file has it for the
// document's own, otherwise as [main] utf8_bom / utf16_bom say.
bool RowTakesMark(const SaveOffer& offer, int row);
bool RowMark(const SaveOffer& offer, int row);

// The document takes what the user left in the dialog: a picked encoding row, or a box
// changed on row 0, becomes its own encoding (with the box's mark); a picked line-ending
// row its own line ending. Row 0 with the box as it was leaves the choice as it was.
void TakeSaveChoice(Document& document, const SaveOffer& offer);
