// Visual rows of the lines of a TextModel when lines wrap at a width in columns. Rows are
// computed for a line only when asked for and kept until the line changes, so turning
// wrap on in a huge document costs nothing until lines are shown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "textcontrol/model/TextTypes.h"

namespace kvte::textcontrol {

class TextModel;

// Byte indices (from 0) at which the rows of a line begin; the first is 0. A row holds at
// most `width` display columns (a tab reaches the next multiple of tabWidth, a double-byte
// character takes two), but always at least one unit; a double-byte character is never
// split. width < 1 means no wrapping: one row.
void WrapLine(const char* bytes, size_t length, int width, int tabWidth, std::vector<int>* rowStarts);

// A visual row: line from 1, row within the line from 0.
struct VisualRow {
    int line = 1;
    int row = 0;
};

class WrapLayout : public TextObserver {
public:
    explicit WrapLayout(TextModel& model);  // observes the model until destroyed
    ~WrapLayout() override;
    WrapLayout(const WrapLayout&) = delete;
    WrapLayout& operator=(const WrapLayout&) = delete;

    // Width in display columns; 0 turns wrapping off (one row per line).
    void SetWidth(int columns);
    int Width() const { return width_; }

    // Row starts of a line (see WrapLine), cached.
    const std::vector<int>& RowStarts(int line);
    int RowCount(int line) { return static_cast<int>(RowStarts(line).size()); }
    // The row of a line that holds byte column `column` (from 1); the line end belongs to
    // the last row.
    int RowOfColumn(int line, int column);
    // Moves `rows` visual rows down (negative: up) from `from`, clamped to the text.
    VisualRow Advance(VisualRow from, int rows);
    // Rows of the whole text, estimated from line lengths without reading the text (exact
    // for lines without tabs and double-byte characters at row ends); for scroll bars.
    int64_t EstimatedRowCount();

    void OnLinesChanged(const LineChange& change) override;

private:
    TextModel& model_;
    int width_ = 0;
    std::unordered_map<int, std::vector<int>> rows_;  // by line
    std::vector<int> scratch_;
    int64_t estimatedRows_ = -1;  // -1: not yet computed
};

}  // namespace kvte::textcontrol
