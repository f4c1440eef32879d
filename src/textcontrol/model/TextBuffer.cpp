// The document's bytes in chunks (see TextBuffer.h).
#include "textcontrol/model/TextBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kvte::textcontrol {

TextBuffer::TextBuffer() : chunks_(1), chunkStart_(1, 0) {}

void TextBuffer::Swap(TextBuffer& other) noexcept
{
    chunks_.swap(other.chunks_);
    chunkStart_.swap(other.chunkStart_);
    std::swap(length_, other.length_);
    std::swap(lastChunk_, other.lastChunk_);
    joined_.swap(other.joined_);
}

size_t TextBuffer::ChunkOf(size_t index) const
{
    size_t c = lastChunk_;
    if (c < chunks_.size() && index >= chunkStart_[c] && index < chunkStart_[c] + chunks_[c].size()) return c;
    c = static_cast<size_t>(std::upper_bound(chunkStart_.begin(), chunkStart_.end(), index) - chunkStart_.begin()) - 1;
    // Empty chunks cannot hold a byte: only the single chunk of an empty text is empty.
    while (c + 1 < chunks_.size() && index >= chunkStart_[c] + chunks_[c].size()) ++c;
    lastChunk_ = c;
    return c;
}

char TextBuffer::At(size_t index) const
{
    if (index >= length_) return '\0';
    size_t c = ChunkOf(index);
    return chunks_[c][index - chunkStart_[c]];
}

bool TextBuffer::Append(const char* bytes, size_t count)
{
    try {
        while (count > 0) {
            std::vector<char>& last = chunks_.back();
            if (last.size() >= kChunkTarget) {
                chunks_.emplace_back();
                chunkStart_.push_back(length_);
                continue;
            }
            if (last.capacity() < kChunkTarget) last.reserve(kChunkTarget);
            size_t take = std::min(count, kChunkTarget - last.size());
            last.insert(last.end(), bytes, bytes + take);
            bytes += take;
            count -= take;
            length_ += take;
        }
        return true;
    } catch (const std::bad_alloc&) {
        // Keep the buffer consistent; the caller discards a partial load.
        if (chunks_.size() > 1 && chunks_.back().empty()) {
            chunks_.pop_back();
            chunkStart_.pop_back();
        }
        return false;
    }
}

void TextBuffer::ShiftStarts(size_t fromChunk, long delta)
{
    for (size_t c = fromChunk; c < chunkStart_.size(); ++c) chunkStart_[c] += static_cast<size_t>(delta);
}

void TextBuffer::SplitChunk(size_t c)
{
    std::vector<char>& chunk = chunks_[c];
    if (chunk.size() <= kChunkLimit) return;
    // Split after a line break near the middle when there is one, so lines stay in one chunk.
    size_t middle = chunk.size() / 2;
    size_t cut = middle;
    for (size_t d = 0; d < middle / 2; ++d) {
        if (chunk[middle + d] == '\n') {
            cut = middle + d + 1;
            break;
        }
        if (chunk[middle - d - 1] == '\n') {
            cut = middle - d;
            break;
        }
    }
    std::vector<char> tail(chunk.begin() + static_cast<long>(cut), chunk.end());
    chunk.resize(cut);
    chunk.shrink_to_fit();
    size_t tailStart = chunkStart_[c] + cut;
    chunks_.insert(chunks_.begin() + static_cast<long>(c) + 1, std::move(tail));
    chunkStart_.insert(chunkStart_.begin() + static_cast<long>(c) + 1, tailStart);
}

bool TextBuffer::Insert(size_t index, const char* bytes, size_t count)
{
    if (count == 0) return true;
    index = std::min(index, length_);
    // Large insertions (a paste of megabytes) become chunks of their own.
    try {
        if (count > kChunkLimit) {
            size_t c = index == length_ ? chunks_.size() - 1 : ChunkOf(index);
            size_t offset = index - chunkStart_[c];
            bool splits = offset > 0 && offset < chunks_[c].size();
            // Everything that allocates happens before the first change.
            std::vector<std::vector<char>> fresh;
            for (size_t done = 0; done < count; done += kChunkTarget)
                fresh.emplace_back(bytes + done, bytes + std::min(count, done + kChunkTarget));
            if (splits) fresh.emplace_back(chunks_[c].begin() + static_cast<long>(offset), chunks_[c].end());
            chunks_.reserve(chunks_.size() + fresh.size());
            chunkStart_.reserve(chunks_.size() + fresh.size());
            size_t at = offset == 0 ? c : c + 1;
            if (splits) chunks_[c].resize(offset);
            chunks_.insert(chunks_.begin() + static_cast<long>(at), std::make_move_iterator(fresh.begin()),
                           std::make_move_iterator(fresh.end()));
            chunks_.erase(
                std::remove_if(chunks_.begin(), chunks_.end(), [](const std::vector<char>& v) { return v.empty(); }),
                chunks_.end());
            length_ += count;
            chunkStart_.resize(chunks_.size());
            chunkStart_[0] = 0;
            for (size_t k = 1; k < chunks_.size(); ++k) chunkStart_[k] = chunkStart_[k - 1] + chunks_[k - 1].size();
            lastChunk_ = 0;
            return true;
        }
        // Insert at the end of the chunk before when index is a chunk boundary: appending is cheaper.
        size_t c = index == length_ ? chunks_.size() - 1 : ChunkOf(index);
        if (c > 0 && index == chunkStart_[c]) --c;
        std::vector<char>& chunk = chunks_[c];
        size_t offset = index - chunkStart_[c];
        chunk.insert(chunk.begin() + static_cast<long>(offset), bytes, bytes + count);
        length_ += count;
        ShiftStarts(c + 1, static_cast<long>(count));
        SplitChunk(c);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void TextBuffer::Erase(size_t index, size_t count)
{
    if (index >= length_ || count == 0) return;
    count = std::min(count, length_ - index);
    size_t first = ChunkOf(index);
    size_t c = first;
    size_t offset = index - chunkStart_[c];
    size_t left = count;
    while (left > 0) {
        std::vector<char>& chunk = chunks_[c];
        size_t take = std::min(left, chunk.size() - offset);
        chunk.erase(chunk.begin() + static_cast<long>(offset), chunk.begin() + static_cast<long>(offset + take));
        left -= take;
        offset = 0;
        ++c;
    }
    length_ -= count;
    // Drop emptied chunks (keeping one for an empty text) and merge a small one forward.
    size_t last = c;  // one past the last chunk touched
    size_t write = first;
    for (size_t k = first; k < chunks_.size(); ++k) {
        if (k < last && chunks_[k].empty() && chunks_.size() - (k - write) > 1) continue;
        if (write != k) chunks_[write] = std::move(chunks_[k]);
        ++write;
    }
    chunks_.resize(write);
    if (first < chunks_.size() && first + 1 < chunks_.size() &&
        chunks_[first].size() + chunks_[first + 1].size() <= kChunkTarget) {
        try {
            chunks_[first].insert(chunks_[first].end(), chunks_[first + 1].begin(), chunks_[first + 1].end());
            chunks_.erase(chunks_.begin() + static_cast<long>(first) + 1);
        } catch (const std::bad_alloc&) {
            // Merging is only housekeeping.
        }
    }
    chunkStart_.resize(chunks_.size());
    for (size_t k = std::max<size_t>(first, 1); k < chunks_.size(); ++k)
        chunkStart_[k] = chunkStart_[k - 1] + chunks_[k - 1].size();
    if (!chunkStart_.empty()) chunkStart_[0] = 0;
    lastChunk_ = 0;
}

void TextBuffer::CopyOut(size_t index, size_t count, char* out) const
{
    VisitSpans(index, count, [&](std::string_view piece) {
        std::memcpy(out, piece.data(), piece.size());
        out += piece.size();
    });
}

const char* TextBuffer::Contiguous(size_t index, size_t count)
{
    static const char empty[1] = {0};
    if (index >= length_ || count == 0) return empty;
    count = std::min(count, length_ - index);
    size_t c = ChunkOf(index);
    size_t offset = index - chunkStart_[c];
    if (offset + count <= chunks_[c].size()) return chunks_[c].data() + offset;
    try {
        joined_.resize(count);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    CopyOut(index, count, &joined_[0]);
    return joined_.data();
}

size_t TextBuffer::MemoryUse() const
{
    size_t total =
        chunks_.capacity() * sizeof(std::vector<char>) + chunkStart_.capacity() * sizeof(size_t) + joined_.capacity();
    for (const std::vector<char>& chunk : chunks_) total += chunk.capacity();
    return total;
}

bool TextBuffer::Verify() const
{
    if (chunks_.empty() || chunks_.size() != chunkStart_.size() || chunkStart_[0] != 0) return false;
    size_t at = 0;
    for (size_t c = 0; c < chunks_.size(); ++c) {
        if (chunkStart_[c] != at) return false;
        if (chunks_[c].empty() && chunks_.size() > 1) return false;
        at += chunks_[c].size();
    }
    return at == length_;
}

}  // namespace kvte::textcontrol
