// The text model: whole-text operations, line and position arithmetic, caret and
// selection, bookmarks, per-line runs and change notices. Edits live in
// TextModelEdits.cpp, keyboard movements in TextModelMoves.cpp.
#include "textcontrol/model/TextModel.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "textcontrol/model/Highlight.h"
#include "textcontrol/model/LineBreakScan.h"
#include "textcontrol/model/Links.h"
#include "textcontrol/model/SjisUnits.h"

namespace kvte::textcontrol {

TextModel::TextModel() = default;
TextModel::~TextModel() = default;

// ---- whole text ----------------------------------------------------------------------

bool TextModel::SetText(std::string_view text)
{
    std::string copy;
    try {
        copy.assign(text.data(), text.size());
    } catch (const std::bad_alloc&) {
        return false;
    }
    return SetTextOwned(std::move(copy));
}

bool TextModel::SetTextOwned(std::string&& text)
{
    try {
        return TakeText(text);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

namespace {

// Copies n bytes from `from` to `to`, which may overlap it only below (moving a run down):
// the short runs of a line without a library call, eight bytes at a time, each word read
// before anything is written over it.
void CopyForward(char* to, const char* from, size_t n)
{
    if (n > 256) {
        std::memmove(to, from, n);
        return;
    }
    for (; n >= 8; n -= 8, to += 8, from += 8) {
        std::uint64_t word;
        std::memcpy(&word, from, 8);
        std::memcpy(to, &word, 8);
    }
    for (; n > 0; --n) *to++ = *from++;
}

}  // namespace

bool TextModel::TakeText(std::string& text)
{
    // One pass finds the lines and makes each CR LF and each lone CR one LF where the text
    // lies: the bytes before `read` are done, their LF form ends at `write`.
    char* const begin = text.empty() ? nullptr : &text[0];
    const char* const end = begin + text.size();
    char* write = begin;
    const char* read = begin;
    int ending = 0;
    auto moveDone = [&](const char* upTo) {
        const size_t run = static_cast<size_t>(upTo - read);
        if (write != read) CopyForward(write, read, run);
        write += run;
        read = upTo;
    };
    LineIndex index;
    const bool indexed = index.AssignFrom([&]() -> size_t {
        const char* found = FindLineBreak(read, end);
        if (found == end) return LineIndex::kNoMoreBreaks;
        const bool cr = *found == '\r';
        moveDone(found);
        const size_t at = static_cast<size_t>(write - begin);
        *write++ = '\n';  // over found itself when nothing has moved yet
        ++read;
        if (cr) {
            const bool pair = read < end && *read == '\n';
            if (ending == 0) ending = pair ? kLineEndingCrLf : kLineEndingCr;
            if (pair) ++read;
        } else if (ending == 0) {
            ending = kLineEndingLf;
        }
        return at;
    });
    moveDone(end);  // also after a failure: the text keeps every character
    text.resize(static_cast<size_t>(write - begin));
    if (!indexed) return false;
    TextBuffer fresh;
    if (!fresh.Adopt(std::move(text))) return false;  // text keeps its bytes
    // Commit: nothing below can fail.
    size_t oldLines = lines_.LineCount();
    buffer_.Swap(fresh);
    lines_ = std::move(index);
    lineEnding_ = ending == 0 ? kLineEndingCrLf : ending;
    undo_.Clear();
    anchor_ = caret_ = 0;
    desiredColumn_ = -1;
    emphasisValid_ = emphasisStored_ = emphasisEditEnd_ = 0;
    NoteChangedLines(1, GetLineCount(), true);
    Notify({1, static_cast<int>(oldLines), GetLineCount()});
    return true;
}

size_t TextModel::GetTextLength() const { return buffer_.Length() + lines_.LineCount() - 1; }

size_t TextModel::GetText(char* buffer, size_t capacity, int mode) const
{
    if (capacity == 0 || !buffer) return 0;
    if (mode < kLineEndingCrLf || mode > kLineEndingLf) mode = lineEnding_;
    size_t room = capacity - 1;
    size_t written = 0;
    buffer_.VisitSpans(0, buffer_.Length(), [&](std::string_view part) {
        if (mode == kLineEndingLf) {
            size_t take = std::min(room - written, part.size());
            std::memcpy(buffer + written, part.data(), take);
            written += take;
            return;
        }
        const char* p = part.data();
        const char* end = p + part.size();
        while (p < end && written < room) {
            const char* nl = FindLineFeed(p, end);
            if (nl == end) nl = nullptr;
            size_t run = static_cast<size_t>((nl ? nl : end) - p);
            size_t take = std::min(room - written, run);
            CopyForward(buffer + written, p, take);
            written += take;
            if (!nl || take < run) break;
            p = nl + 1;
            if (written < room) buffer[written++] = '\r';
            if (mode == kLineEndingCrLf && written < room) buffer[written++] = '\n';
        }
    });
    buffer[written] = '\0';
    return written;
}

size_t TextModel::AppendTextPiece(size_t from, size_t count, int mode, std::string& out) const
{
    if (mode < kLineEndingCrLf || mode > kLineEndingLf) mode = lineEnding_;
    if (from >= buffer_.Length()) return buffer_.Length();
    count = std::min(count, buffer_.Length() - from);
    const size_t kept = out.size();
    // The piece's exact size first: one growth per piece instead of one per line, and none
    // beyond what a caller reserved for the whole text.
    size_t breaks = 0;
    if (mode == kLineEndingCrLf) {
        buffer_.VisitSpans(from, count, [&](std::string_view part) {
            breaks += static_cast<size_t>(std::count(part.begin(), part.end(), '\n'));
        });
    }
    try {
        out.resize(kept + count + breaks);
    } catch (const std::bad_alloc&) {
        out.resize(kept);
        return from;
    }
    char* write = &out[kept];
    buffer_.VisitSpans(from, count, [&](std::string_view part) {
        if (mode == kLineEndingLf) {
            std::memcpy(write, part.data(), part.size());
            write += part.size();
            return;
        }
        const char* p = part.data();
        const char* end = p + part.size();
        while (p < end) {
            const char* nl = FindLineFeed(p, end);
            CopyForward(write, p, static_cast<size_t>(nl - p));
            write += nl - p;
            if (nl == end) break;
            *write++ = '\r';
            if (mode == kLineEndingCrLf) *write++ = '\n';
            p = nl + 1;
        }
    });
    out.resize(static_cast<size_t>(write - out.data()));
    return from + count;
}

std::string TextModel::GetText(int mode) const
{
    std::string text;
    try {
        text.resize(GetTextLength() + 1);
    } catch (const std::bad_alloc&) {
        return std::string();
    }
    text.resize(GetText(&text[0], text.size(), mode));
    return text;
}

// ---- lines and positions -------------------------------------------------------------

std::string_view TextModel::LineText(int line)
{
    if (line < 1 || line > GetLineCount()) return std::string_view();
    size_t line0 = static_cast<size_t>(line - 1);
    size_t start = lines_.LineStart(line0);
    size_t length = LineEndIndex(line0) - start;
    const char* bytes = buffer_.Contiguous(start, length);
    return bytes ? std::string_view(bytes, length) : std::string_view();
}

int TextModel::GetLineLength(int line) const
{
    if (line < 1 || line > GetLineCount()) return 0;
    size_t line0 = static_cast<size_t>(line - 1);
    return static_cast<int>(LineEndIndex(line0) - lines_.LineStart(line0));
}

size_t TextModel::LineEndIndex(size_t line0) const
{
    return line0 + 1 < lines_.LineCount() ? lines_.LineStart(line0 + 1) - 1 : buffer_.Length();
}

size_t TextModel::SnapToUnit(size_t index) const
{
    size_t length = buffer_.Length();
    if (index >= length) return length;
    if (index == 0) return 0;
    // After a line break or a byte that can only end a unit, index is a boundary.
    unsigned char before = static_cast<unsigned char>(buffer_.At(index - 1));
    if (before < 0x40 || before == 0x7F || before >= 0xFD) return index;
    size_t lineStart = lines_.LineStart(lines_.LineOfIndex(index));
    // Walk back to a byte that can only end a unit, then forward over whole units.
    size_t sync = index;
    while (sync > lineStart) {
        unsigned char b = static_cast<unsigned char>(buffer_.At(sync - 1));
        if (b < 0x40 || b == 0x7F || b >= 0xFD) break;
        --sync;
    }
    size_t lineEnd = LineEndIndex(lines_.LineOfIndex(index));
    size_t at = sync;
    while (at < index) {
        size_t step = 1;
        if (at + 1 < lineEnd && IsLeadByte(static_cast<unsigned char>(buffer_.At(at))) &&
            IsTrailByte(static_cast<unsigned char>(buffer_.At(at + 1))))
            step = 2;
        if (at + step > index) return at;
        at += step;
    }
    return at;
}

size_t TextModel::SnapUpToUnit(size_t index) const
{
    size_t start = SnapToUnit(index);
    return start == index ? index : NextUnit(start);
}

size_t TextModel::NextUnit(size_t index) const
{
    size_t length = buffer_.Length();
    if (index >= length) return length;
    if (buffer_.At(index) == '\n') return index + 1;
    if (index + 1 < length && IsLeadByte(static_cast<unsigned char>(buffer_.At(index))) &&
        IsTrailByte(static_cast<unsigned char>(buffer_.At(index + 1))) && buffer_.At(index + 1) != '\n')
        return index + 2;
    return index + 1;
}

size_t TextModel::PreviousUnit(size_t index) const
{
    if (index == 0) return 0;
    if (buffer_.At(index - 1) == '\n') return index - 1;
    return SnapToUnit(index - 1);
}

size_t TextModel::IndexOfPosition(TextPosition position) const
{
    int count = GetLineCount();
    int line = std::clamp(position.line, 1, count);
    size_t line0 = static_cast<size_t>(line - 1);
    size_t start = lines_.LineStart(line0);
    size_t length = LineEndIndex(line0) - start;
    long column = std::clamp<long>(position.column, 1, static_cast<long>(length) + 1);
    return SnapToUnit(start + static_cast<size_t>(column - 1));
}

TextPosition TextModel::PositionOfIndex(size_t index) const
{
    index = std::min(index, buffer_.Length());
    size_t line0 = lines_.LineOfIndex(index);
    return {static_cast<int>(line0 + 1), static_cast<int>(index - lines_.LineStart(line0) + 1)};
}

TextPosition TextModel::ClampPosition(TextPosition position) const
{
    return PositionOfIndex(IndexOfPosition(position));
}

size_t TextModel::IndexOfOffset(int offset) const
{
    long x = std::clamp<long>(static_cast<long>(offset) - 1, 0, static_cast<long>(GetTextLength()));
    size_t line0 = lines_.LineOfCrlfOffset(static_cast<size_t>(x));
    size_t start = lines_.LineStart(line0);
    size_t column0 = static_cast<size_t>(x) - (start + line0);
    size_t length = LineEndIndex(line0) - start;
    // An offset on the CR or LF of a line break means the end of that line.
    return SnapToUnit(start + std::min(column0, length));
}

int TextModel::OffsetOfIndex(size_t index) const
{
    index = std::min(index, buffer_.Length());
    return static_cast<int>(index + lines_.LineOfIndex(index) + 1);
}

int TextModel::OffsetOfPosition(TextPosition position) const { return OffsetOfIndex(IndexOfPosition(position)); }

TextPosition TextModel::PositionOfOffset(int offset) const { return PositionOfIndex(IndexOfOffset(offset)); }

// ---- caret and selection -------------------------------------------------------------

void TextModel::SetSelectionIndices(size_t anchor, size_t caret)
{
    anchor_ = SnapToUnit(anchor);
    caret_ = SnapToUnit(caret);
    desiredColumn_ = -1;
    undo_.Seal();
}

void TextModel::SetSelection(int line1, int column1, int line2, int column2)
{
    SetSelectionIndices(IndexOfPosition({line1, column1}), IndexOfPosition({line2, column2}));
}

void TextModel::SelectRange(int startOffset, int endOffset)
{
    SetSelectionIndices(IndexOfOffset(startOffset), IndexOfOffset(endOffset));
}

void TextModel::SelectAll() { SetSelectionIndices(0, buffer_.Length()); }

TextPosition TextModel::SelectionStart() const { return PositionOfIndex(std::min(anchor_, caret_)); }
TextPosition TextModel::SelectionEnd() const { return PositionOfIndex(std::max(anchor_, caret_)); }
int TextModel::SelectionStartOffset() const { return OffsetOfIndex(std::min(anchor_, caret_)); }
int TextModel::SelectionEndOffset() const { return OffsetOfIndex(std::max(anchor_, caret_)); }
TextPosition TextModel::Caret() const { return PositionOfIndex(caret_); }
TextPosition TextModel::Anchor() const { return PositionOfIndex(anchor_); }
int TextModel::GetCaretOffset() const { return OffsetOfIndex(caret_); }

int TextModel::GetCaretColumn() const
{
    size_t start = lines_.LineStart(lines_.LineOfIndex(caret_));
    int column = 0;
    for (size_t i = start; i < caret_; ++i) {
        if (buffer_.At(i) == '\t')
            column += tabWidth_ - column % tabWidth_;
        else
            ++column;
    }
    return column;
}

void TextModel::SetCaretLine(int line) { SetSelection(line, 1, line, 1); }

void TextModel::MoveCaretToTop() { SetSelectionIndices(0, 0); }

void TextModel::SetTabWidth(int columns)
{
    if (columns >= 1 && columns <= 16) tabWidth_ = columns;
}

// ---- bookmarks -----------------------------------------------------------------------

void TextModel::SetBookmark(int line, bool on)
{
    if (line < 1 || line > GetLineCount()) return;
    size_t line0 = static_cast<size_t>(line - 1);
    uint8_t flags = lines_.Flags(line0);
    lines_.SetFlags(line0, on ? (flags | LineIndex::kBookmark) : (flags & ~LineIndex::kBookmark));
}

bool TextModel::IsBookmarked(int line) const
{
    if (line < 1 || line > GetLineCount()) return false;
    return (lines_.Flags(static_cast<size_t>(line - 1)) & LineIndex::kBookmark) != 0;
}

// ---- emphasis, links, highlight ------------------------------------------------------

int TextModel::AddEmphasis(std::string_view text, std::string_view endText, int kind, uint32_t colour, int number2,
                           int colourNumber, int number4)
{
    int result = emphasis_.Add(text, endText, kind, colour, number2, colourNumber, number4);
    if (result == kEmphasisAccepted) emphasisValid_ = emphasisStored_ = emphasisEditEnd_ = 0;
    return result;
}

void TextModel::ClearEmphasis()
{
    emphasis_.Clear();
    emphasisValid_ = emphasisStored_ = emphasisEditEnd_ = 0;
}

void TextModel::InvalidateEmphasisFrom(size_t line0, long lineDelta, size_t lastEditedLine0)
{
    // Lines below the edit keep the states they had: if the state entering them comes out
    // the same as before, colouring below the edit need not be recomputed.
    size_t oldLastEdited = static_cast<size_t>(static_cast<long>(lastEditedLine0) - lineDelta);
    if (emphasisStored_ > oldLastEdited)
        emphasisStored_ = static_cast<size_t>(static_cast<long>(emphasisStored_) + lineDelta);
    else
        emphasisStored_ = std::min(emphasisStored_, line0);
    if (emphasisEditEnd_ > oldLastEdited)
        emphasisEditEnd_ = static_cast<size_t>(static_cast<long>(emphasisEditEnd_) + lineDelta);
    emphasisEditEnd_ = std::max(emphasisEditEnd_, lastEditedLine0);
    emphasisValid_ = std::min(emphasisValid_, line0);
    emphasisStored_ = std::max(emphasisStored_, emphasisValid_);
}

EmphasisState TextModel::LineStartState(int line)
{
    if (line <= 1 || emphasis_.Empty()) return 0;
    size_t target = std::min(static_cast<size_t>(line - 1), lines_.LineCount() - 1);
    while (emphasisValid_ < target) {
        std::string_view text = LineText(static_cast<int>(emphasisValid_ + 1));
        EmphasisState end = emphasis_.TokenizeLine(text.data(), text.size(), lines_.State(emphasisValid_), nullptr);
        size_t next = emphasisValid_ + 1;
        if (next <= emphasisStored_ && next > emphasisEditEnd_ && lines_.State(next) == end) {
            emphasisValid_ = emphasisStored_;  // the old states below hold again
            emphasisEditEnd_ = 0;
            continue;
        }
        lines_.SetState(next, end);
        emphasisValid_ = next;
        emphasisStored_ = std::max(emphasisStored_, next);
    }
    if (emphasisValid_ >= emphasisEditEnd_) emphasisEditEnd_ = 0;
    return lines_.State(target);
}

void TextModel::LineColourRuns(int line, std::vector<ColourRun>* runs)
{
    if (!runs) return;
    runs->clear();
    if (emphasis_.Empty() || line < 1 || line > GetLineCount()) return;
    EmphasisState state = LineStartState(line);
    std::string_view text = LineText(line);
    emphasis_.TokenizeLine(text.data(), text.size(), state, runs);
}

void TextModel::LineLinkRuns(int line, std::vector<LinkRun>* runs)
{
    if (!runs) return;
    runs->clear();
    if (linkKinds_ == 0) return;
    std::string_view text = LineText(line);
    FindLinks(text.data(), text.size(), linkKinds_, runs);
}

void TextModel::SetMarkedRanges(const std::vector<std::pair<int, int>>& ranges)
{
    highlight_.clear();
    marks_.clear();
    for (const auto& [start, end] : ranges) {
        size_t from = IndexOfOffset(start), to = IndexOfOffset(end);
        if (to > from && (marks_.empty() || from >= marks_.back().second)) marks_.emplace_back(from, to);
    }
}

void TextModel::LineHighlightRuns(int line, std::vector<HighlightRun>* runs)
{
    if (!runs) return;
    runs->clear();
    std::string_view text = LineText(line);
    if (!highlight_.empty()) FindHighlights(text.data(), text.size(), highlight_, runs);
    if (marks_.empty()) return;
    const size_t lineStart = IndexOfPosition(TextPosition{line, 1});
    const size_t lineEnd = lineStart + text.size();
    auto mark = std::upper_bound(marks_.begin(), marks_.end(), lineStart,
                                 [](size_t at, const std::pair<size_t, size_t>& m) { return at < m.second; });
    for (; mark != marks_.end() && mark->first < lineEnd; ++mark) {
        size_t from = std::max(mark->first, lineStart), to = std::min(mark->second, lineEnd);
        if (to > from) runs->push_back(HighlightRun{static_cast<int>(from - lineStart), static_cast<int>(to - from)});
    }
}

// ---- change notices ------------------------------------------------------------------

void TextModel::AddObserver(TextObserver* observer)
{
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void TextModel::RemoveObserver(TextObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void TextModel::Notify(const LineChange& change)
{
    ++changeCounter_;
    marks_.clear();
    for (TextObserver* observer : observers_) observer->OnLinesChanged(change);
}

void TextModel::NoteChangedLines(int first, int last, bool lineCountChanged)
{
    if (changed_.first > changed_.last) {
        changed_ = {first, last, lineCountChanged};
    } else {
        changed_.first = std::min(changed_.first, first);
        changed_.last = std::max(changed_.last, last);
        changed_.lineCountChanged = changed_.lineCountChanged || lineCountChanged;
    }
    if (changed_.lineCountChanged) changed_.last = GetLineCount();
}

TextModel::ChangedLines TextModel::TakeChangedLines()
{
    ChangedLines taken = changed_;
    changed_ = ChangedLines();
    return taken;
}

size_t TextModel::MemoryUse() const
{
    return sizeof(*this) + buffer_.MemoryUse() + lines_.MemoryUse() + undo_.MemoryUse();
}

}  // namespace kvte::textcontrol
