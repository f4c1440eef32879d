// The bytes of the document in chunks of a few kilobytes, with a table of where each
// chunk starts. An edit moves at most one chunk's bytes and shifts the start of the
// chunks after it (a few thousand numbers for 100 MB), so typing anywhere in a huge
// document costs microseconds; a single gap buffer would move tens of megabytes for an
// edit far from the previous one, and a piece table would make every line read walk a
// tree. Lines are read in place when they lie in one chunk and copied out otherwise.
// invariants: every chunk but the only one is non-empty; chunkStart_[0] == 0 and
// chunkStart_[c + 1] == chunkStart_[c] + chunks_[c].size(); length_ is their sum.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvte::textcontrol {

class TextBuffer {
public:
    // Chunks are filled to kChunkTarget when loaded and split beyond kChunkLimit.
    static constexpr size_t kChunkTarget = 32 * 1024;
    static constexpr size_t kChunkLimit = 64 * 1024;

    TextBuffer();
    TextBuffer(const TextBuffer&) = delete;
    TextBuffer& operator=(const TextBuffer&) = delete;
    void Swap(TextBuffer& other) noexcept;

    size_t Length() const { return length_; }
    char At(size_t index) const;

    // Appends at the end while loading; false (content unchanged) when memory ran out.
    bool Append(const char* bytes, size_t count);
    // False (content unchanged) when memory ran out.
    bool Insert(size_t index, const char* bytes, size_t count);
    void Erase(size_t index, size_t count);
    // Copies bytes [index, index + count) out; the range is clamped to the text.
    void CopyOut(size_t index, size_t count, char* out) const;
    // Pointer to bytes [index, index + count): into the chunk that holds them, or into a
    // copy kept until the next call when they cross chunks. nullptr when memory ran out.
    const char* Contiguous(size_t index, size_t count);
    // Calls visit(std::string_view) for the pieces of bytes [index, index + count) in order.
    template <typename Visit>
    void VisitSpans(size_t index, size_t count, Visit visit) const
    {
        if (index >= length_ || count == 0) return;
        if (count > length_ - index) count = length_ - index;
        size_t c = ChunkOf(index);
        size_t offset = index - chunkStart_[c];
        while (count > 0) {
            const std::vector<char>& chunk = chunks_[c];
            size_t take = chunk.size() - offset < count ? chunk.size() - offset : count;
            visit(std::string_view(chunk.data() + offset, take));
            count -= take;
            offset = 0;
            ++c;
        }
    }
    size_t MemoryUse() const;
    // Checks the invariants (for tests).
    bool Verify() const;

private:
    size_t ChunkOf(size_t index) const;  // the chunk holding byte index (< length_)
    void SplitChunk(size_t c);
    void ShiftStarts(size_t fromChunk, long delta);

    std::vector<std::vector<char>> chunks_;
    std::vector<size_t> chunkStart_;
    size_t length_ = 0;
    mutable size_t lastChunk_ = 0;  // chunk of the last lookup: reads come in runs
    std::string joined_;            // a range copied out of several chunks
};

}  // namespace kvte::textcontrol
