// Keyboard movements of the caret and word selection for the text model.
#include <algorithm>

#include "textcontrol/model/CharClass.h"
#include "textcontrol/model/TextModel.h"

namespace kvte::textcontrol {

size_t TextModel::IndexAtDisplayColumn(size_t line0, int column)
{
    size_t start = lines_.LineStart(line0);
    std::string_view text = LineText(static_cast<int>(line0 + 1));
    int at = 0;
    size_t i = 0;
    while (i < text.size()) {
        int width = text[i] == '\t' ? tabWidth_ - at % tabWidth_ : 1;
        size_t unit = SjisUnitLength(text.data(), text.size(), i);
        if (unit == 2) width = 2;
        if (at + width > column) break;
        at += width;
        i += unit;
    }
    return start + i;
}

size_t TextModel::WordStartAfter(size_t index)
{
    size_t length = buffer_.Length();
    if (index >= length) return length;
    size_t line0 = lines_.LineOfIndex(index);
    size_t start = lines_.LineStart(line0);
    std::string_view text = LineText(static_cast<int>(line0 + 1));
    size_t i = index - start;
    if (i >= text.size()) return index + 1;  // over the line break
    CharClass cls = ClassifyUnit(text.data(), text.size(), i, digitsWithLetters_);
    if (cls == CharClass::Stray) {
        i += 1;
    } else {
        while (i < text.size() && ClassifyUnit(text.data(), text.size(), i, digitsWithLetters_) == cls)
            i += SjisUnitLength(text.data(), text.size(), i);
    }
    while (i < text.size() && ClassifyUnit(text.data(), text.size(), i, digitsWithLetters_) == CharClass::Blank) ++i;
    return start + i;
}

size_t TextModel::WordStartBefore(size_t index)
{
    if (index == 0) return 0;
    size_t line0 = lines_.LineOfIndex(index);
    size_t start = lines_.LineStart(line0);
    if (index == start) return index - 1;  // back over the line break
    std::string_view text = LineText(static_cast<int>(line0 + 1));
    size_t i = index - start;
    auto previous = [&](size_t at) { return SjisPreviousUnit(text.data(), text.size(), at); };
    while (i > 0 && ClassifyUnit(text.data(), text.size(), previous(i), digitsWithLetters_) == CharClass::Blank)
        i = previous(i);
    if (i == 0) return start;
    CharClass cls = ClassifyUnit(text.data(), text.size(), previous(i), digitsWithLetters_);
    if (cls == CharClass::Stray) return start + previous(i);
    while (i > 0 && ClassifyUnit(text.data(), text.size(), previous(i), digitsWithLetters_) == cls) i = previous(i);
    return start + i;
}

void TextModel::SetCaretKeepingColumn(size_t index, bool extend)
{
    caret_ = SnapToUnit(index);
    if (!extend) anchor_ = caret_;
    undo_.Seal();
}

void TextModel::MoveCaret(CaretMove move, bool extendSelection, int pageLines)
{
    size_t selStart = std::min(anchor_, caret_), selEnd = std::max(anchor_, caret_);
    bool collapse = !extendSelection && selStart != selEnd;
    size_t target = caret_;
    bool vertical = false;
    int lines = 0;
    switch (move) {
    case CaretMove::CharLeft:
        target = collapse ? selStart : PreviousUnit(caret_);
        break;
    case CaretMove::CharRight:
        target = collapse ? selEnd : NextUnit(caret_);
        break;
    case CaretMove::WordLeft:
        target = WordStartBefore(caret_);
        break;
    case CaretMove::WordRight:
        target = WordStartAfter(caret_);
        break;
    case CaretMove::LineUp:
        lines = -1;
        vertical = true;
        break;
    case CaretMove::LineDown:
        lines = 1;
        vertical = true;
        break;
    case CaretMove::PageUp:
        lines = -std::max(1, pageLines);
        vertical = true;
        break;
    case CaretMove::PageDown:
        lines = std::max(1, pageLines);
        vertical = true;
        break;
    case CaretMove::LineStart:
        target = lines_.LineStart(lines_.LineOfIndex(caret_));
        break;
    case CaretMove::LineEnd:
        target = LineEndIndex(lines_.LineOfIndex(caret_));
        break;
    case CaretMove::DocumentStart:
        target = 0;
        break;
    case CaretMove::DocumentEnd:
        target = buffer_.Length();
        break;
    }
    if (vertical) {
        if (desiredColumn_ < 0) desiredColumn_ = GetCaretColumn();
        long line = static_cast<long>(lines_.LineOfIndex(caret_)) + lines;
        line = std::clamp<long>(line, 0, static_cast<long>(lines_.LineCount()) - 1);
        int keep = desiredColumn_;
        SetCaretKeepingColumn(IndexAtDisplayColumn(static_cast<size_t>(line), keep), extendSelection);
        desiredColumn_ = keep;
        return;
    }
    desiredColumn_ = -1;
    SetCaretKeepingColumn(target, extendSelection);
}

void TextModel::SelectWordAt(TextPosition position)
{
    size_t index = IndexOfPosition(position);
    size_t line0 = lines_.LineOfIndex(index);
    size_t start = lines_.LineStart(line0);
    std::string_view text = LineText(static_cast<int>(line0 + 1));
    size_t i = index - start;
    if (i >= text.size()) {
        SetSelectionIndices(index, index);
        return;
    }
    CharClass cls = ClassifyUnit(text.data(), text.size(), i, digitsWithLetters_);
    size_t from = i, to = i + SjisUnitLength(text.data(), text.size(), i);
    if (cls != CharClass::Stray) {
        while (to < text.size() && ClassifyUnit(text.data(), text.size(), to, digitsWithLetters_) == cls)
            to += SjisUnitLength(text.data(), text.size(), to);
        while (from > 0) {
            size_t before = SjisPreviousUnit(text.data(), text.size(), from);
            if (ClassifyUnit(text.data(), text.size(), before, digitsWithLetters_) != cls) break;
            from = before;
        }
    }
    SetSelectionIndices(start + from, start + to);
}

}  // namespace kvte::textcontrol
