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
    if (c < chunks_.size() && index >= chunkStart_[c] && index < chunkStart_[c] + chunks_[c].Size()) return c;
    c = static_cast<size_t>(std::upper_bound(chunkStart_.begin(), chunkStart_.end(), index) - chunkStart_.begin()) - 1;
    // Empty chunks cannot hold a byte: only the single chunk of an empty text is empty.
    while (c + 1 < chunks_.size() && index >= chunkStart_[c] + chunks_[c].Size()) ++c;
    lastChunk_ = c;
    return c;
}

char TextBuffer::At(size_t index) const
{
    if (index >= length_) return '\0';
    size_t c = ChunkOf(index);
    return chunks_[c].Data()[index - chunkStart_[c]];
}

void TextBuffer::Own(Chunk& chunk)
{
    if (!chunk.IsSlice()) return;
    std::vector<char> own;
    own.reserve(std::max(chunk.sliceSize, kChunkTarget));
    own.assign(chunk.slice, chunk.slice + chunk.sliceSize);
    chunk.own.swap(own);
    chunk.slice = nullptr;
    chunk.sliceSize = 0;
    chunk.text.reset();
}

TextBuffer::Chunk TextBuffer::Tail(const Chunk& chunk, size_t from)
{
    Chunk tail;
    if (chunk.IsSlice()) {
        tail.text = chunk.text;
        tail.slice = chunk.slice + from;
        tail.sliceSize = chunk.sliceSize - from;
    } else {
        tail.own.assign(chunk.own.begin() + static_cast<long>(from), chunk.own.end());
    }
    return tail;
}

void TextBuffer::Truncate(Chunk& chunk, size_t size)
{
    if (!chunk.IsSlice()) {
        chunk.own.resize(size);
    } else if (size > 0) {
        chunk.sliceSize = size;
    } else {
        chunk = Chunk();  // an empty slice lets its text go
    }
}

bool TextBuffer::Append(const char* bytes, size_t count)
{
    try {
        while (count > 0) {
            Chunk& last = chunks_.back();
            if (last.IsSlice() || last.own.size() >= kChunkTarget) {
                chunks_.emplace_back();
                chunkStart_.push_back(length_);
                continue;
            }
            if (last.own.capacity() < kChunkTarget) last.own.reserve(kChunkTarget);
            size_t take = std::min(count, kChunkTarget - last.own.size());
            last.own.insert(last.own.end(), bytes, bytes + take);
            bytes += take;
            count -= take;
            length_ += take;
        }
        return true;
    } catch (const std::bad_alloc&) {
        // Keep the buffer consistent; the caller discards a partial load.
        if (chunks_.size() > 1 && chunks_.back().Size() == 0) {
            chunks_.pop_back();
            chunkStart_.pop_back();
        }
        return false;
    }
}

bool TextBuffer::Adopt(std::string&& text)
{
    if (text.size() < kChunkTarget) {
        TextBuffer copy;
        if (!copy.Append(text.data(), text.size())) return false;
        Swap(copy);
        std::string().swap(text);
        return true;
    }
    try {
        // Everything that allocates happens before text is taken.
        const size_t count = (text.size() + kChunkTarget - 1) / kChunkTarget;
        std::vector<Chunk> chunks(count);
        std::vector<size_t> starts(count);
        auto held = std::make_shared<const std::string>(std::move(text));
        for (size_t c = 0; c < count; ++c) {
            starts[c] = c * kChunkTarget;
            chunks[c].text = held;
            chunks[c].slice = held->data() + starts[c];
            chunks[c].sliceSize = std::min(kChunkTarget, held->size() - starts[c]);
        }
        chunks_.swap(chunks);
        chunkStart_.swap(starts);
        length_ = held->size();
        lastChunk_ = 0;
        std::string().swap(joined_);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void TextBuffer::ShiftStarts(size_t fromChunk, long delta)
{
    for (size_t c = fromChunk; c < chunkStart_.size(); ++c) chunkStart_[c] += static_cast<size_t>(delta);
}

void TextBuffer::SplitChunk(size_t c)
{
    std::vector<char>& chunk = chunks_[c].own;
    if (chunks_[c].IsSlice() || chunk.size() <= kChunkLimit) return;
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
    Chunk tail;
    tail.own.assign(chunk.begin() + static_cast<long>(cut), chunk.end());
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
            bool splits = offset > 0 && offset < chunks_[c].Size();
            // Everything that allocates happens before the first change.
            std::vector<Chunk> fresh;
            for (size_t done = 0; done < count; done += kChunkTarget) {
                fresh.emplace_back();
                fresh.back().own.assign(bytes + done, bytes + std::min(count, done + kChunkTarget));
            }
            if (splits) fresh.push_back(Tail(chunks_[c], offset));
            chunks_.reserve(chunks_.size() + fresh.size());
            chunkStart_.reserve(chunks_.size() + fresh.size());
            size_t at = offset == 0 ? c : c + 1;
            if (splits) Truncate(chunks_[c], offset);
            chunks_.insert(chunks_.begin() + static_cast<long>(at), std::make_move_iterator(fresh.begin()),
                           std::make_move_iterator(fresh.end()));
            chunks_.erase(std::remove_if(chunks_.begin(), chunks_.end(), [](const Chunk& k) { return k.Size() == 0; }),
                          chunks_.end());
            length_ += count;
            chunkStart_.resize(chunks_.size());
            chunkStart_[0] = 0;
            for (size_t k = 1; k < chunks_.size(); ++k) chunkStart_[k] = chunkStart_[k - 1] + chunks_[k - 1].Size();
            lastChunk_ = 0;
            return true;
        }
        // Insert at the end of the chunk before when index is a chunk boundary: appending is
        // cheaper (unless that chunk is a slice and this one is not).
        size_t c = index == length_ ? chunks_.size() - 1 : ChunkOf(index);
        if (c > 0 && index == chunkStart_[c] && !(chunks_[c - 1].IsSlice() && !chunks_[c].IsSlice())) --c;
        Own(chunks_[c]);
        std::vector<char>& chunk = chunks_[c].own;
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

bool TextBuffer::PrepareErase(size_t index, size_t count)
{
    if (index >= length_ || count == 0) return true;
    count = std::min(count, length_ - index);
    size_t c = ChunkOf(index);
    size_t offset = index - chunkStart_[c];
    // Only a range strictly inside one slice would have to be copied out to be cut.
    if (!chunks_[c].IsSlice() || offset == 0 || offset + count >= chunks_[c].Size()) return true;
    try {
        Own(chunks_[c]);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool TextBuffer::Erase(size_t index, size_t count)
{
    if (index >= length_ || count == 0) return true;
    if (!PrepareErase(index, count)) return false;
    count = std::min(count, length_ - index);
    size_t first = ChunkOf(index);
    size_t c = first;
    size_t offset = index - chunkStart_[c];
    size_t left = count;
    while (left > 0) {
        Chunk& chunk = chunks_[c];
        size_t take = std::min(left, chunk.Size() - offset);
        if (!chunk.IsSlice()) {
            chunk.own.erase(chunk.own.begin() + static_cast<long>(offset),
                            chunk.own.begin() + static_cast<long>(offset + take));
        } else if (offset == 0) {  // a slice loses its start (or all of it)
            if (take == chunk.sliceSize) {
                Truncate(chunk, 0);
            } else {
                chunk.slice += take;
                chunk.sliceSize -= take;
            }
        } else {  // or its end: PrepareErase owned a slice cut inside
            Truncate(chunk, offset);
        }
        left -= take;
        offset = 0;
        ++c;
    }
    length_ -= count;
    // Drop emptied chunks (keeping one for an empty text) and merge a small one forward.
    size_t last = c;  // one past the last chunk touched
    size_t write = first;
    for (size_t k = first; k < chunks_.size(); ++k) {
        if (k < last && chunks_[k].Size() == 0 && chunks_.size() - (k - write) > 1) continue;
        if (write != k) chunks_[write] = std::move(chunks_[k]);
        ++write;
    }
    chunks_.resize(write);
    if (first < chunks_.size() && first + 1 < chunks_.size() &&
        chunks_[first].Size() + chunks_[first + 1].Size() <= kChunkTarget) {
        try {
            Own(chunks_[first]);
            const Chunk& next = chunks_[first + 1];
            chunks_[first].own.insert(chunks_[first].own.end(), next.Data(), next.Data() + next.Size());
            chunks_.erase(chunks_.begin() + static_cast<long>(first) + 1);
        } catch (const std::bad_alloc&) {
            // Merging is only housekeeping.
        }
    }
    chunkStart_.resize(chunks_.size());
    for (size_t k = std::max<size_t>(first, 1); k < chunks_.size(); ++k)
        chunkStart_[k] = chunkStart_[k - 1] + chunks_[k - 1].Size();
    if (!chunkStart_.empty()) chunkStart_[0] = 0;
    lastChunk_ = 0;
    return true;
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
    if (offset + count <= chunks_[c].Size()) return chunks_[c].Data() + offset;
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
    size_t total = chunks_.capacity() * sizeof(Chunk) + chunkStart_.capacity() * sizeof(size_t) + joined_.capacity();
    const std::string* counted = nullptr;  // the slices of one text count it once
    for (const Chunk& chunk : chunks_) {
        total += chunk.own.capacity();
        if (chunk.IsSlice() && chunk.text.get() != counted) {
            counted = chunk.text.get();
            total += counted->capacity();
        }
    }
    return total;
}

bool TextBuffer::Verify() const
{
    if (chunks_.empty() || chunks_.size() != chunkStart_.size() || chunkStart_[0] != 0) return false;
    size_t at = 0;
    for (size_t c = 0; c < chunks_.size(); ++c) {
        const Chunk& chunk = chunks_[c];
        if (chunkStart_[c] != at) return false;
        if (chunk.Size() == 0 && chunks_.size() > 1) return false;
        if (chunk.IsSlice() && (!chunk.text || chunk.slice < chunk.text->data() ||
                                chunk.slice + chunk.sliceSize > chunk.text->data() + chunk.text->size()))
            return false;
        at += chunk.Size();
    }
    return at == length_;
}

}  // namespace kvte::textcontrol
