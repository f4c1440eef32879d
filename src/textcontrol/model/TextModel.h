// The text model of one editing view: the document bytes, its lines, caret and selection,
// edits with undo and redo, bookmarks, emphasis colouring, links and highlights. No
// drawing and no Win32: the view (src/textcontrol/win32) paints and routes input to it.
//
// Positions in the public operations:
//   - lines count from 1; columns are byte positions in the line from 1 (a double-byte
//     character takes two), column LineLength(line) + 1 is the end of the line;
//   - offsets count bytes from 1 in the text as GetText(kLineEndingCrLf) gives it, so
//     every line break counts two bytes;
//   - GetCaretColumn counts display columns from 0, a tab reaching the next multiple
//     of the tab width.
// Every operation accepts any integer: out-of-range lines, columns and offsets are
// clamped into the text, and a position inside a double-byte character is moved to the
// character's start. After an edit the caret goes after the inserted text, or after the
// character it would split (a lone lead byte typed before a trail byte pairs with it).
// The caret and both selection ends therefore always stand on a character boundary. No operation throws; a failed
// allocation leaves the text unchanged and the edit reports false.
//
// Internally the text is held with a single '\n' for every line break whatever it was
// read with; the line ending recognised by SetText is remembered for GetText.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "textcontrol/model/Emphasis.h"
#include "textcontrol/model/LineIndex.h"
#include "textcontrol/model/SjisUnits.h"
#include "textcontrol/model/TextBuffer.h"
#include "textcontrol/model/TextTypes.h"
#include "textcontrol/model/UndoHistory.h"

namespace kvte::textcontrol {

// Keyboard movements of the caret. Page moves go by the number of lines the caller gives.
enum class CaretMove {
    CharLeft,
    CharRight,  // one character; across a line break too
    WordLeft,
    WordRight,  // to the previous / next start of a word (see SelectWordAt)
    LineUp,
    LineDown,  // keep the display column of the first of a run of such moves
    PageUp,
    PageDown,
    LineStart,
    LineEnd,
    DocumentStart,
    DocumentEnd,
};

class TextModel {
public:
    TextModel();
    ~TextModel();
    TextModel(const TextModel&) = delete;
    TextModel& operator=(const TextModel&) = delete;

    // ---- whole text --------------------------------------------------------------------
    // Replaces the whole text. Line breaks may be CR LF, CR or LF, mixed; the first one
    // found is the recognised line ending (none found: CR LF). Clears the undo history and
    // the bookmarks, puts the caret at the start. False (text unchanged) when memory ran out.
    bool SetText(std::string_view text);
    // The same taking the text, without a copy: its line breaks are made LF where it lies
    // and the model keeps it as it is. On failure (memory ran out) the model is unchanged
    // and text keeps its characters, its line breaks possibly made LF already.
    bool SetTextOwned(std::string&& text);
    // Bytes needed for GetText in any mode, without the terminating zero (the CR LF length).
    size_t GetTextLength() const;
    // Writes the text with every line break as `mode` asks (LineEndingCode; 4 or any other value
    // uses the recognised ending) and a terminating zero. `buffer` holds capacity bytes; at
    // most capacity - 1 text bytes are written. Returns the bytes written without the zero.
    size_t GetText(char* buffer, size_t capacity, int mode) const;
    std::string GetText(int mode) const;
    // 1 CR LF, 2 CR, 3 LF: the line ending recognised by the last SetText, CR LF before.
    int GetLineEnding() const { return lineEnding_; }
    // The text was written with ending (1 CR LF, 2 CR, 3 LF; others are ignored): from now
    // on it is the text's own.
    void SetLineEnding(int ending)
    {
        if (ending >= kLineEndingCrLf && ending <= kLineEndingLf) lineEnding_ = ending;
    }
    // Length of the text held, with one byte per line break.
    size_t ByteLength() const { return buffer_.Length(); }
    // Appends held bytes [from, from + count) (positions as ByteLength counts them) to out
    // with every line break as GetText's mode asks, so a large text can be copied out in
    // pieces between edits. Returns the position after the piece; when memory runs out, out
    // is left as it was and from is returned.
    size_t AppendTextPiece(size_t from, size_t count, int mode, std::string& out) const;

    // ---- lines -------------------------------------------------------------------------
    int GetLineCount() const { return static_cast<int>(lines_.LineCount()); }
    // Bytes of a line without its line end. Valid until the next call of any non-const
    // operation of the model (a line that crosses chunks is copied into one place).
    std::string_view LineText(int line);
    int GetLineLength(int line) const;
    // Offset (from 1, CR LF text) of a position, and back.
    int OffsetOfPosition(TextPosition position) const;
    TextPosition PositionOfOffset(int offset) const;
    // The same position clamped into the text and moved to a character boundary.
    TextPosition ClampPosition(TextPosition position) const;

    // ---- caret and selection -----------------------------------------------------------
    // Selects from (line1, col1) to (line2, col2); the caret goes to the second position.
    // Equal positions place the caret with nothing selected.
    void SetSelection(int line1, int column1, int line2, int column2);
    // Selects by offsets; end is one past the last byte; the caret goes to end.
    void SelectRange(int startOffset, int endOffset);
    void SelectAll();
    bool HasSelection() const { return anchor_ != caret_; }
    // First position of the selection, or the caret when nothing is selected.
    TextPosition SelectionStart() const;
    TextPosition SelectionEnd() const;
    // Offsets (from 1) of the first byte and one past the last byte of the selection, or
    // the caret offset twice.
    int SelectionStartOffset() const;
    int SelectionEndOffset() const;
    TextPosition Caret() const;
    TextPosition Anchor() const;
    int GetCaretLine() const { return Caret().line; }
    int GetCaretPosition() const { return Caret().column; }  // bytes before caret + 1
    int GetCaretOffset() const;
    int GetCaretColumn() const;  // display column from 0, tabs expanded
    // Caret to column 1 of `line`, nothing selected.
    void SetCaretLine(int line);
    void MoveCaretToTop();
    void MoveCaret(CaretMove move, bool extendSelection, int pageLines = 1);
    // Selects the word under a position, as a double click does. A word is a run of one
    // class: half-width letters and digits (together, or apart when the option is off),
    // half-width katakana, hiragana, katakana with the long vowel mark, kanji, full-width
    // letters and digits, other double-byte symbols, blanks and tabs, other ASCII marks.
    // A position at the end of a line selects nothing.
    void SelectWordAt(TextPosition position);
    void SetDigitsWithLetters(bool together) { digitsWithLetters_ = together; }  // option 18
    bool DigitsWithLetters() const { return digitsWithLetters_; }

    // ---- edits (each false, text unchanged, when not editable or out of memory) -------
    // Replaces the selection (or inserts at the caret) with text; CR LF, CR and LF each make
    // one line break. The caret ends after the inserted text.
    bool InsertText(std::string_view text);
    // Backspace and Delete: the selection, else the character (or line break) before or
    // after the caret.
    bool DeleteBackward();
    bool DeleteForward();
    // Adds a tab at the start of every line touched by the selection (the caret line when
    // nothing is selected; a selection ending at column 1 does not touch that last line).
    bool Indent();
    // Removes one tab, or up to tab-width blanks, from the start of those lines.
    bool Unindent();
    void SetEditable(bool editable) { editable_ = editable; }
    bool IsEditable() const { return editable_; }
    void SetTabWidth(int columns);  // option 0; 1..16, others ignored
    int TabWidth() const { return tabWidth_; }

    // ---- undo and redo -----------------------------------------------------------------
    bool Undo();
    bool Redo();
    bool CanUndo() const { return undo_.CanUndo(); }
    bool CanRedo() const { return undo_.CanRedo(); }
    // Option 16: -1 unlimited, any positive n keeps the last n steps (256 by default).
    void SetUndoLimit(int steps) { undo_.SetLimit(steps); }
    // Ends the current typing step: the next typed character starts a new one.
    void SealUndoStep() { undo_.Seal(); }
    // The text now equals the file (just saved); undoing or redoing back here later reads
    // as unmodified again. A new text (SetText) starts at its save point.
    void MarkSavePoint() { undo_.MarkSavePoint(); }
    void ForgetSavePoint() { undo_.ForgetSavePoint(); }
    bool AtSavePoint() const { return undo_.AtSavePoint(); }

    // ---- bookmarks ---------------------------------------------------------------------
    void SetBookmark(int line, bool on);
    bool IsBookmarked(int line) const;

    // ---- emphasis, links, highlight ----------------------------------------------------
    // AddEmphasis: kEmphasisAccepted (-1) or another value when refused (EmphasisTable).
    int AddEmphasis(std::string_view text, std::string_view endText, int kind, uint32_t colour, int number2,
                    int colourNumber, int number4);
    void ClearEmphasis();
    const EmphasisTable& Emphasis() const { return emphasis_; }
    // Coloured runs of a line, in order. Carries the multi-line state from the lines above,
    // recomputing only the lines whose state an edit may have changed.
    void LineColourRuns(int line, std::vector<ColourRun>* runs);
    // State at the start of a line (0: outside every multi-line pair).
    EmphasisState LineStartState(int line);

    void SetLinkKinds(int kinds) { linkKinds_ = kinds & kLinkAllKinds; }  // option 7 bits
    int LinkKinds() const { return linkKinds_; }
    void LineLinkRuns(int line, std::vector<LinkRun>* runs);

    // A new highlight text also clears the marked ranges.
    void SetHighlightText(std::string_view text)
    {
        highlight_.assign(text.data(), text.size());
        marks_.clear();
    }
    const std::string& HighlightText() const { return highlight_; }
    // Marks ranges given as pairs of offsets (from 1, end one past the last byte, in
    // order, not overlapping) in the highlight colours, in place of any earlier ones and of
    // the highlight text. They are cleared by the next highlight text and by any change of the text, whose edits
    // would leave them on other characters.
    void SetMarkedRanges(const std::vector<std::pair<int, int>>& ranges);
    bool HasMarks() const { return !marks_.empty(); }
    // The occurrences of the highlight text, or the marked parts, in one line, in order.
    void LineHighlightRuns(int line, std::vector<HighlightRun>* runs);

    // ---- change notices ----------------------------------------------------------------
    // Observers are told of every change of the text after it is made; not owned.
    void AddObserver(TextObserver* observer);
    void RemoveObserver(TextObserver* observer);
    // Lines changed since the last call (first and last, in today's numbering; lines below
    // may have moved when lineCountChanged). Empty (first > last) when nothing changed.
    struct ChangedLines {
        int first = 1;
        int last = 0;
        bool lineCountChanged = false;
    };
    ChangedLines TakeChangedLines();
    // Incremented by every change of the text (and by SetText): a cheap "modified" check.
    uint64_t ChangeCounter() const { return changeCounter_; }

    // ---- internal positions (byte index from 0 in the '\n' text) -----------------------
    size_t CaretIndex() const { return caret_; }
    size_t AnchorIndex() const { return anchor_; }
    size_t IndexOfPosition(TextPosition position) const;
    TextPosition PositionOfIndex(size_t index) const;
    size_t IndexOfOffset(int offset) const;
    int OffsetOfIndex(size_t index) const;
    // Sets anchor and caret by internal index (moved to character boundaries).
    void SetSelectionIndices(size_t anchor, size_t caret);
    // Bytes of memory held by the model (buffer, line index, undo), for measurements.
    size_t MemoryUse() const;
    // Calls visit(index) with the first byte index of every line in order.
    template <typename Visit>
    void VisitLineStarts(Visit visit) const
    {
        lines_.VisitLineStarts(visit);
    }

private:
    friend struct TextModelAccess;     // tests of invariants
    bool TakeText(std::string& text);  // SetTextOwned; may throw std::bad_alloc
    size_t SnapToUnit(size_t index) const;
    size_t SnapUpToUnit(size_t index) const;
    size_t LineStartIndex(size_t line0) const { return lines_.LineStart(line0); }
    size_t LineEndIndex(size_t line0) const;
    size_t NextUnit(size_t index) const;
    size_t PreviousUnit(size_t index) const;
    bool ReplaceRange(size_t start, size_t end, std::string_view normalizedText, bool recordUndo, UndoMerge merge);
    void ApplyStep(const UndoStep& step, bool forward);
    void Notify(const LineChange& change);
    void NoteChangedLines(int first, int last, bool lineCountChanged);
    void InvalidateEmphasisFrom(size_t line0, long lineDelta, size_t lastEditedLine0);
    void SetCaretKeepingColumn(size_t index, bool extend);
    size_t WordStartBefore(size_t index);
    size_t WordStartAfter(size_t index);
    size_t IndexAtDisplayColumn(size_t line0, int column);
    bool ChangeIndentation(bool add);

    TextBuffer buffer_;
    LineIndex lines_;
    UndoHistory undo_;
    EmphasisTable emphasis_;
    size_t anchor_ = 0;
    size_t caret_ = 0;
    int desiredColumn_ = -1;  // display column kept across vertical moves, -1 none
    int lineEnding_ = kLineEndingCrLf;
    int tabWidth_ = 4;
    int linkKinds_ = kLinkAllKinds;
    bool editable_ = true;
    bool digitsWithLetters_ = true;
    std::string highlight_;
    std::vector<std::pair<size_t, size_t>> marks_;  // internal [start, end), in order
    std::string scratch_;  // line copy for callers that need it contiguous
    std::vector<TextObserver*> observers_;
    ChangedLines changed_;
    uint64_t changeCounter_ = 0;
    // Emphasis state cache: start states of lines 0..emphasisValid_ (0-based) are right;
    // stored states of lines up to emphasisStored_ may be stale below emphasisEditEnd_.
    size_t emphasisValid_ = 0;
    size_t emphasisStored_ = 0;
    size_t emphasisEditEnd_ = 0;
};

}  // namespace kvte::textcontrol
