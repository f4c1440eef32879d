// Visual rows of wrapped lines, computed on demand (see WrapLayout.h).
#include "textcontrol/model/WrapLayout.h"

#include <algorithm>

#include "textcontrol/model/SjisUnits.h"
#include "textcontrol/model/TextModel.h"

namespace kvte::textcontrol {

void WrapLine(const char* bytes, size_t length, int width, int tabWidth, std::vector<int>* rowStarts)
{
    if (!rowStarts) return;
    rowStarts->clear();
    rowStarts->push_back(0);
    if (width < 1 || !bytes) return;
    if (tabWidth < 1) tabWidth = 1;
    int column = 0;
    size_t i = 0;
    while (i < length) {
        size_t unit = SjisUnitLength(bytes, length, i);
        int cells = unit == 2 ? 2 : (bytes[i] == '\t' ? tabWidth - column % tabWidth : 1);
        if (column > 0 && column + cells > width) {
            rowStarts->push_back(static_cast<int>(i));
            column = 0;
            if (bytes[i] == '\t') cells = tabWidth;
        }
        column += cells;
        i += unit;
    }
}

WrapLayout::WrapLayout(TextModel& model) : model_(model) { model_.AddObserver(this); }

WrapLayout::~WrapLayout() { model_.RemoveObserver(this); }

void WrapLayout::SetWidth(int columns)
{
    columns = std::max(0, columns);
    if (columns == width_) return;
    width_ = columns;
    rows_.clear();
    estimatedRows_ = -1;
}

const std::vector<int>& WrapLayout::RowStarts(int line)
{
    static const std::vector<int> single(1, 0);
    if (width_ <= 0 || line < 1 || line > model_.GetLineCount()) return single;
    auto found = rows_.find(line);
    if (found != rows_.end()) return found->second;
    // Keep the cache to the neighbourhood of what is shown: it is rebuilt cheaply.
    if (rows_.size() > 4096) rows_.clear();
    std::string_view text = model_.LineText(line);
    WrapLine(text.data(), text.size(), width_, model_.TabWidth(), &scratch_);
    return rows_.emplace(line, scratch_).first->second;
}

int WrapLayout::RowOfColumn(int line, int column)
{
    const std::vector<int>& starts = RowStarts(line);
    int index = std::max(0, column - 1);
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), index) - starts.begin()) - 1;
}

VisualRow WrapLayout::Advance(VisualRow from, int rows)
{
    int lineCount = model_.GetLineCount();
    VisualRow at{std::clamp(from.line, 1, lineCount), 0};
    at.row = std::clamp(from.row, 0, RowCount(at.line) - 1);
    while (rows > 0) {
        int left = RowCount(at.line) - 1 - at.row;
        if (rows <= left) {
            at.row += rows;
            break;
        }
        if (at.line == lineCount) {
            at.row += left;
            break;
        }
        rows -= left + 1;
        ++at.line;
        at.row = 0;
    }
    while (rows < 0) {
        if (-rows <= at.row) {
            at.row += rows;
            break;
        }
        if (at.line == 1) {
            at.row = 0;
            break;
        }
        rows += at.row + 1;
        --at.line;
        at.row = RowCount(at.line) - 1;
    }
    return at;
}

int64_t WrapLayout::EstimatedRowCount()
{
    int lineCount = model_.GetLineCount();
    if (width_ <= 0) return lineCount;
    if (estimatedRows_ < 0) {
        // From the line starts alone: ceil(length / width) rows per line, at least one.
        int64_t total = 0;
        size_t previous = 0;
        bool first = true;
        model_.VisitLineStarts([&](size_t start) {
            if (!first) {
                size_t length = start - previous - 1;
                total += length == 0 ? 1 : static_cast<int64_t>((length + width_ - 1) / width_);
            }
            first = false;
            previous = start;
        });
        size_t length = model_.ByteLength() - previous;
        total += length == 0 ? 1 : static_cast<int64_t>((length + width_ - 1) / width_);
        estimatedRows_ = total;
    }
    return estimatedRows_;
}

void WrapLayout::OnLinesChanged(const LineChange& change)
{
    if (change.linesBefore == change.linesAfter) {
        for (int line = change.firstLine; line < change.firstLine + change.linesAfter; ++line) rows_.erase(line);
    } else {
        for (auto it = rows_.begin(); it != rows_.end();) {
            if (it->first >= change.firstLine)
                it = rows_.erase(it);
            else
                ++it;
        }
    }
    // The estimate follows the line count; a SetWidth recounts it exactly.
    if (estimatedRows_ >= 0)
        estimatedRows_ =
            std::max<int64_t>(model_.GetLineCount(), estimatedRows_ + change.linesAfter - change.linesBefore);
}

}  // namespace kvte::textcontrol
