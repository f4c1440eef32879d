// Where each line starts in the document bytes, with a few bytes of per-line data
// (bookmark flag, emphasis state) that move with their lines.
// Lines are kept in blocks of at most 2 * kBlockLines; each block holds its lines' starts
// relative to the block, and the block table holds every block's first line and first
// byte. An edit shifts the starts of the rest of its own block and of the block table
// (a few thousand entries for millions of lines), never of every line; line <-> byte
// lookups are two binary searches.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace kvte::textcontrol {

class LineIndex {
public:
    static constexpr size_t kBlockLines = 1024;
    static constexpr uint8_t kBookmark = 1;

    LineIndex();

    size_t LineCount() const { return lineCount_; }
    // Index of the first byte of line (0-based). LineStart(LineCount()) is not allowed.
    size_t LineStart(size_t line) const;
    // The line holding byte `index`; an index equal to a line's start belongs to that line.
    size_t LineOfIndex(size_t index) const;
    // With every line break counted as two bytes (CR LF): the line holding offset0 (from 0)
    // in that text. Line L starts there at LineStart(L) + L.
    size_t LineOfCrlfOffset(size_t offset0) const;

    // Rebuilds the index for text whose line breaks are the `breaks` byte indices (sorted).
    // False (index unchanged) when memory ran out.
    bool Assign(const std::vector<size_t>& breakIndices);
    // The same for breaks that nextBreak() gives one by one in increasing order, ending with
    // kNoMoreBreaks, so that they are never all held at once. May throw what nextBreak throws.
    static constexpr size_t kNoMoreBreaks = static_cast<size_t>(-1);
    template <typename NextBreak>
    bool AssignFrom(NextBreak nextBreak);
    // `count` bytes were inserted at `index`; their line breaks are at the given positions
    // relative to `index`. New lines get flags 0 and state 0; when the insertion is at the
    // start of a line the flags of that line follow its old content down.
    bool Insert(size_t index, size_t count, const std::vector<size_t>& relativeBreaks);
    // Bytes [start, end) were removed. The line that remains where several were joined
    // keeps the flags of the first line, or of the last when the removal began at column 1.
    void Erase(size_t start, size_t end);

    uint8_t Flags(size_t line) const;
    void SetFlags(size_t line, uint8_t flags);
    uint16_t State(size_t line) const;
    void SetState(size_t line, uint16_t state);

    // Calls visit(start) for the start of every line in order, cheaply (no lookups).
    template <typename Visit>
    void VisitLineStarts(Visit visit) const
    {
        for (size_t b = 0; b < blocks_.size(); ++b)
            for (uint32_t start : blocks_[b].starts) visit(blockFirstByte_[b] + start);
    }

    size_t MemoryUse() const;
    // Checks every invariant (for tests): starts strictly increasing, counts consistent.
    bool Verify(size_t textLength) const;

private:
    struct Block {
        std::vector<uint32_t> starts;  // relative to the block's first byte; starts[0] == 0
        std::vector<uint8_t> flags;
        std::vector<uint16_t> states;
    };
    struct Place {
        size_t block;
        size_t line;  // within the block
    };
    Place Locate(size_t line) const;
    size_t BlockOfIndex(size_t index) const;
    void ShiftFollowing(size_t block, long lineDelta, long byteDelta);
    void SplitIfLarge(size_t block);
    void RemoveEmptyBlock(size_t block);

    std::vector<Block> blocks_;
    std::vector<size_t> blockFirstLine_;
    std::vector<size_t> blockFirstByte_;
    size_t lineCount_ = 1;
};

template <typename NextBreak>
bool LineIndex::AssignFrom(NextBreak nextBreak)
{
    try {
        std::vector<Block> blocks;
        std::vector<size_t> firstLine, firstByte;
        size_t lines = 0, lineStart = 0;
        for (;;) {
            if (lines % kBlockLines == 0) {
                if (!blocks.empty()) {
                    blocks.back().flags.assign(kBlockLines, 0);
                    blocks.back().states.assign(kBlockLines, 0);
                }
                blocks.emplace_back();
                blocks.back().starts.reserve(kBlockLines);
                firstLine.push_back(lines);
                firstByte.push_back(lineStart);
            }
            blocks.back().starts.push_back(static_cast<uint32_t>(lineStart - firstByte.back()));
            ++lines;
            const size_t lineBreak = nextBreak();
            if (lineBreak == kNoMoreBreaks) break;
            lineStart = lineBreak + 1;
        }
        Block& last = blocks.back();
        last.flags.assign(last.starts.size(), 0);
        last.states.assign(last.starts.size(), 0);
        blocks_.swap(blocks);
        blockFirstLine_.swap(firstLine);
        blockFirstByte_.swap(firstByte);
        lineCount_ = lines;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace kvte::textcontrol
