// Line starts in blocks, with per-line flags and emphasis states (see LineIndex.h).
// invariants: every block holds at least one line; blocks_[b].starts[0] == 0;
// blockFirstByte_[b] is the index of the first byte of block b's first line;
// blockFirstLine_[b] the number of lines in blocks before b.
#include "textcontrol/model/LineIndex.h"

#include <algorithm>
#include <new>

namespace kvte::textcontrol {

LineIndex::LineIndex()
{
    blocks_.resize(1);
    blocks_[0].starts.push_back(0);
    blocks_[0].flags.push_back(0);
    blocks_[0].states.push_back(0);
    blockFirstLine_.push_back(0);
    blockFirstByte_.push_back(0);
}

LineIndex::Place LineIndex::Locate(size_t line) const
{
    if (line >= lineCount_) line = lineCount_ - 1;
    size_t b = static_cast<size_t>(std::upper_bound(blockFirstLine_.begin(), blockFirstLine_.end(), line) -
                                   blockFirstLine_.begin()) -
               1;
    return {b, line - blockFirstLine_[b]};
}

size_t LineIndex::LineStart(size_t line) const
{
    Place p = Locate(line);
    return blockFirstByte_[p.block] + blocks_[p.block].starts[p.line];
}

size_t LineIndex::BlockOfIndex(size_t index) const
{
    return static_cast<size_t>(std::upper_bound(blockFirstByte_.begin(), blockFirstByte_.end(), index) -
                               blockFirstByte_.begin()) -
           1;
}

size_t LineIndex::LineOfIndex(size_t index) const
{
    size_t b = BlockOfIndex(index);
    const std::vector<uint32_t>& starts = blocks_[b].starts;
    size_t local = static_cast<size_t>(std::upper_bound(starts.begin(), starts.end(),
                                                        static_cast<uint32_t>(index - blockFirstByte_[b])) -
                                       starts.begin()) -
                   1;
    return blockFirstLine_[b] + local;
}

size_t LineIndex::LineOfCrlfOffset(size_t offset0) const
{
    // Line L starts at LineStart(L) + L in the CR LF text; both terms only grow with L.
    size_t lo = 0, hi = blocks_.size();
    while (hi - lo > 1) {
        size_t mid = (lo + hi) / 2;
        if (blockFirstByte_[mid] + blockFirstLine_[mid] <= offset0)
            lo = mid;
        else
            hi = mid;
    }
    const std::vector<uint32_t>& starts = blocks_[lo].starts;
    size_t base = blockFirstByte_[lo] + blockFirstLine_[lo];
    size_t a = 0, z = starts.size();
    while (z - a > 1) {
        size_t mid = (a + z) / 2;
        if (base + starts[mid] + mid <= offset0)
            a = mid;
        else
            z = mid;
    }
    return blockFirstLine_[lo] + a;
}

bool LineIndex::Assign(const std::vector<size_t>& breakIndices)
{
    try {
        size_t lines = breakIndices.size() + 1;
        std::vector<Block> blocks((lines + kBlockLines - 1) / kBlockLines);
        std::vector<size_t> firstLine(blocks.size()), firstByte(blocks.size());
        for (size_t b = 0; b < blocks.size(); ++b) {
            size_t begin = b * kBlockLines;
            size_t end = std::min(lines, begin + kBlockLines);
            size_t base = begin == 0 ? 0 : breakIndices[begin - 1] + 1;
            firstLine[b] = begin;
            firstByte[b] = base;
            Block& block = blocks[b];
            block.starts.resize(end - begin);
            for (size_t l = begin; l < end; ++l)
                block.starts[l - begin] = static_cast<uint32_t>((l == 0 ? 0 : breakIndices[l - 1] + 1) - base);
            block.flags.assign(end - begin, 0);
            block.states.assign(end - begin, 0);
        }
        blocks_.swap(blocks);
        blockFirstLine_.swap(firstLine);
        blockFirstByte_.swap(firstByte);
        lineCount_ = lines;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void LineIndex::ShiftFollowing(size_t block, long lineDelta, long byteDelta)
{
    for (size_t b = block + 1; b < blocks_.size(); ++b) {
        blockFirstLine_[b] += static_cast<size_t>(lineDelta);
        blockFirstByte_[b] += static_cast<size_t>(byteDelta);
    }
}

void LineIndex::SplitIfLarge(size_t b)
{
    if (blocks_[b].starts.size() <= 2 * kBlockLines) return;
    Block whole = std::move(blocks_[b]);
    size_t lines = whole.starts.size();
    size_t pieces = (lines + kBlockLines - 1) / kBlockLines;
    std::vector<Block> parts(pieces);
    std::vector<size_t> firstLine(pieces), firstByte(pieces);
    for (size_t p = 0; p < pieces; ++p) {
        size_t begin = p * kBlockLines, end = std::min(lines, begin + kBlockLines);
        uint32_t base = whole.starts[begin];
        parts[p].starts.reserve(end - begin);
        for (size_t l = begin; l < end; ++l) parts[p].starts.push_back(whole.starts[l] - base);
        parts[p].flags.assign(whole.flags.begin() + begin, whole.flags.begin() + end);
        parts[p].states.assign(whole.states.begin() + begin, whole.states.begin() + end);
        firstLine[p] = blockFirstLine_[b] + begin;
        firstByte[p] = blockFirstByte_[b] + base;
    }
    blocks_[b] = std::move(parts[0]);
    blocks_.insert(blocks_.begin() + b + 1, std::make_move_iterator(parts.begin() + 1),
                   std::make_move_iterator(parts.end()));
    blockFirstLine_.insert(blockFirstLine_.begin() + b + 1, firstLine.begin() + 1, firstLine.end());
    blockFirstByte_.insert(blockFirstByte_.begin() + b + 1, firstByte.begin() + 1, firstByte.end());
}

bool LineIndex::Insert(size_t index, size_t count, const std::vector<size_t>& relativeBreaks)
{
    if (count == 0) return true;
    size_t line = LineOfIndex(index);
    Place p = Locate(line);
    Block& block = blocks_[p.block];
    bool atLineStart = blockFirstByte_[p.block] + block.starts[p.line] == index;
    size_t k = relativeBreaks.size();
    try {
        block.starts.reserve(block.starts.size() + k);
        block.flags.reserve(block.flags.size() + k);
        block.states.reserve(block.states.size() + k);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (size_t j = p.line + 1; j < block.starts.size(); ++j) block.starts[j] += static_cast<uint32_t>(count);
    if (k > 0) {
        std::vector<uint32_t> fresh(k);
        size_t base = blockFirstByte_[p.block];
        for (size_t i = 0; i < k; ++i) fresh[i] = static_cast<uint32_t>(index + relativeBreaks[i] + 1 - base);
        block.starts.insert(block.starts.begin() + p.line + 1, fresh.begin(), fresh.end());
        block.flags.insert(block.flags.begin() + p.line + 1, k, 0);
        block.states.insert(block.states.begin() + p.line + 1, k, 0);
        // Text inserted at column 1 pushes the old line down: its bookmark goes with it.
        if (atLineStart) std::swap(block.flags[p.line], block.flags[p.line + k]);
    }
    lineCount_ += k;
    ShiftFollowing(p.block, static_cast<long>(k), static_cast<long>(count));
    SplitIfLarge(p.block);
    return true;
}

void LineIndex::Erase(size_t start, size_t end)
{
    if (end <= start) return;
    size_t firstLine = LineOfIndex(start);
    size_t lastLine = LineOfIndex(end);  // lines firstLine+1 .. lastLine lose their start
    size_t delta = end - start;
    if (lastLine > firstLine && LineStart(firstLine) == start) SetFlags(firstLine, Flags(lastLine));

    Place first = Locate(firstLine);
    Place last = Locate(lastLine);
    Block& lastBlock = blocks_[last.block];
    if (first.block == last.block) {
        // The starts after the removal stay at or after `start`, inside this block.
        for (size_t j = last.line + 1; j < lastBlock.starts.size(); ++j)
            lastBlock.starts[j] -= static_cast<uint32_t>(delta);
    } else if (last.line + 1 < lastBlock.starts.size()) {
        // The block loses its first lines: rebase it on the first line it keeps. (Subtracting
        // delta from its relative starts could go below zero.)
        uint32_t kept = lastBlock.starts[last.line + 1];
        for (size_t j = last.line + 1; j < lastBlock.starts.size(); ++j) lastBlock.starts[j] -= kept;
        blockFirstByte_[last.block] = blockFirstByte_[last.block] + kept - delta;
    }
    for (size_t b = last.block + 1; b < blocks_.size(); ++b) blockFirstByte_[b] -= delta;
    if (lastLine == firstLine) return;

    size_t removeFrom = firstLine + 1;
    size_t remaining = lastLine - firstLine;
    Place from = Locate(removeFrom);
    size_t b = from.block, local = from.line;
    size_t touchedFirst = b, touchedLast = b;
    while (remaining > 0) {
        Block& block = blocks_[b];
        size_t take = std::min(remaining, block.starts.size() - local);
        block.starts.erase(block.starts.begin() + local, block.starts.begin() + local + take);
        block.flags.erase(block.flags.begin() + local, block.flags.begin() + local + take);
        block.states.erase(block.states.begin() + local, block.states.begin() + local + take);
        remaining -= take;
        touchedLast = b;
        ++b;
        local = 0;
    }
    lineCount_ -= lastLine - firstLine;
    // Drop emptied blocks, then renumber the first lines of every block after them.
    size_t write = touchedFirst;
    for (size_t t = touchedFirst; t < blocks_.size(); ++t) {
        if (t <= touchedLast && blocks_[t].starts.empty()) continue;
        if (write != t) {
            blocks_[write] = std::move(blocks_[t]);
            blockFirstByte_[write] = blockFirstByte_[t];
        }
        ++write;
    }
    blocks_.resize(write);
    blockFirstByte_.resize(write);
    blockFirstLine_.resize(write);
    size_t lineNumber =
        touchedFirst == 0 ? 0 : blockFirstLine_[touchedFirst - 1] + blocks_[touchedFirst - 1].starts.size();
    for (size_t t = touchedFirst; t < blocks_.size(); ++t) {
        blockFirstLine_[t] = lineNumber;
        lineNumber += blocks_[t].starts.size();
    }
    // Keep blocks from shrinking to a few lines each after many deletions.
    size_t small = std::min(touchedFirst, blocks_.size() - 1);
    if (small + 1 < blocks_.size() && blocks_[small].starts.size() + blocks_[small + 1].starts.size() <= kBlockLines) {
        Block& into = blocks_[small];
        Block& next = blocks_[small + 1];
        uint32_t base = static_cast<uint32_t>(blockFirstByte_[small + 1] - blockFirstByte_[small]);
        for (uint32_t s : next.starts) into.starts.push_back(s + base);
        into.flags.insert(into.flags.end(), next.flags.begin(), next.flags.end());
        into.states.insert(into.states.end(), next.states.begin(), next.states.end());
        blocks_.erase(blocks_.begin() + small + 1);
        blockFirstByte_.erase(blockFirstByte_.begin() + small + 1);
        blockFirstLine_.erase(blockFirstLine_.begin() + small + 1);
    }
}

uint8_t LineIndex::Flags(size_t line) const
{
    if (line >= lineCount_) return 0;
    Place p = Locate(line);
    return blocks_[p.block].flags[p.line];
}

void LineIndex::SetFlags(size_t line, uint8_t flags)
{
    if (line >= lineCount_) return;
    Place p = Locate(line);
    blocks_[p.block].flags[p.line] = flags;
}

uint16_t LineIndex::State(size_t line) const
{
    if (line >= lineCount_) return 0;
    Place p = Locate(line);
    return blocks_[p.block].states[p.line];
}

void LineIndex::SetState(size_t line, uint16_t state)
{
    if (line >= lineCount_) return;
    Place p = Locate(line);
    blocks_[p.block].states[p.line] = state;
}

size_t LineIndex::MemoryUse() const
{
    size_t total =
        blocks_.capacity() * sizeof(Block) + (blockFirstLine_.capacity() + blockFirstByte_.capacity()) * sizeof(size_t);
    for (const Block& block : blocks_)
        total += block.starts.capacity() * sizeof(uint32_t) + block.flags.capacity() +
                 block.states.capacity() * sizeof(uint16_t);
    return total;
}

bool LineIndex::Verify(size_t textLength) const
{
    if (blocks_.empty() || blocks_.size() != blockFirstLine_.size() || blocks_.size() != blockFirstByte_.size())
        return false;
    size_t line = 0;
    size_t previous = 0;
    for (size_t b = 0; b < blocks_.size(); ++b) {
        const Block& block = blocks_[b];
        if (block.starts.empty() || block.starts[0] != 0) return false;
        if (block.flags.size() != block.starts.size() || block.states.size() != block.starts.size()) return false;
        if (blockFirstLine_[b] != line) return false;
        for (size_t j = 0; j < block.starts.size(); ++j) {
            size_t start = blockFirstByte_[b] + block.starts[j];
            if (line > 0 && start <= previous) return false;
            if (start > textLength) return false;
            previous = start;
            ++line;
        }
    }
    return line == lineCount_ && blockFirstByte_[0] == 0;
}

}  // namespace kvte::textcontrol
