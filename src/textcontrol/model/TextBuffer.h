// The bytes of the document in chunks of a few kilobytes, with a table of where each
// chunk starts. An edit moves at most one chunk's bytes and shifts the start of the
// chunks after it (a few thousand numbers for 100 MB), so typing anywhere in a huge
// document costs microseconds; a single gap buffer would move tens of megabytes for an
// edit far from the previous one, and a piece table would make every line read walk a
// tree. Lines are read in place when they lie in one chunk and copied out otherwise.
// A whole text can be taken without a copy (Adopt): its chunks are then slices of it, and
// a slice becomes a chunk of its own only when an edit changes it (cutting a slice shorter
// needs no copy); the text is freed with its last slice.
// invariants: every chunk but the only one is non-empty; chunkStart_[0] == 0 and
// chunkStart_[c + 1] == chunkStart_[c] + chunks_[c].Size(); length_ is their sum.
#pragma once

#include <cstddef>
#include <memory>
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
    // Replaces the whole content by text, taken without a copy. False when memory ran out:
    // the content is then unchanged and text keeps its bytes.
    bool Adopt(std::string&& text);
    // False (content unchanged) when memory ran out.
    bool Insert(size_t index, const char* bytes, size_t count);
    // Erases bytes [index, index + count). Needs memory only for a range strictly inside a
    // slice, which is then copied out first: false (content unchanged) when that fails.
    // After PrepareErase for the same range it needs none and cannot fail.
    bool Erase(size_t index, size_t count);
    bool PrepareErase(size_t index, size_t count);
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
            const Chunk& chunk = chunks_[c];
            size_t take = chunk.Size() - offset < count ? chunk.Size() - offset : count;
            visit(std::string_view(chunk.Data() + offset, take));
            count -= take;
            offset = 0;
            ++c;
        }
    }
    size_t MemoryUse() const;
    // Checks the invariants (for tests).
    bool Verify() const;

private:
    // A chunk's bytes: its own, or a slice of an adopted text (which the slice keeps alive).
    struct Chunk {
        std::vector<char> own;
        std::shared_ptr<const std::string> text;  // the adopted text, when a slice
        const char* slice = nullptr;
        size_t sliceSize = 0;

        bool IsSlice() const { return slice != nullptr; }
        const char* Data() const { return slice ? slice : own.data(); }
        size_t Size() const { return slice ? sliceSize : own.size(); }
    };

    size_t ChunkOf(size_t index) const;  // the chunk holding byte index (< length_)
    void SplitChunk(size_t c);
    void ShiftStarts(size_t fromChunk, long delta);
    // Gives a slice bytes of its own before an edit changes it. May throw std::bad_alloc
    // (the chunk is then unchanged).
    void Own(Chunk& chunk);
    // Bytes [from, end) of a chunk as a new chunk: a slice of the same text, or a copy.
    static Chunk Tail(const Chunk& chunk, size_t from);
    // Keeps the first `size` bytes of a chunk.
    static void Truncate(Chunk& chunk, size_t size);

    std::vector<Chunk> chunks_;
    std::vector<size_t> chunkStart_;
    size_t length_ = 0;
    mutable size_t lastChunk_ = 0;  // chunk of the last lookup: reads come in runs
    std::string joined_;            // a range copied out of several chunks
};

}  // namespace kvte::textcontrol
