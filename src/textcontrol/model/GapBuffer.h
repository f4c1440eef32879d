// The bytes of the document in one array with a gap at the last edit, so typing and
// deleting near the previous edit move only the bytes between the two places.
// A gap buffer rather than a piece table: the control edits at one caret at a time, reads
// lines far more often than it edits, and a contiguous array lets a line be handed out as
// one pointer after moving the gap out of it (at most that line's length).
// invariant: gapStart_ <= gapEnd_ <= capacity_; length = capacity_ - (gapEnd_ - gapStart_).
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace kvte::textcontrol {

class GapBuffer {
 public:
  GapBuffer() = default;
  GapBuffer(const GapBuffer&) = delete;
  GapBuffer& operator=(const GapBuffer&) = delete;
  void Swap(GapBuffer& other) noexcept;

  size_t Length() const { return capacity_ - (gapEnd_ - gapStart_); }
  size_t Capacity() const { return capacity_; }
  char At(size_t index) const { return index < gapStart_ ? data_[index] : data_[index + gapEnd_ - gapStart_]; }

  // Discards the content and returns room for `length` bytes that the caller fills,
  // followed by a gap; nullptr (content kept) when memory ran out.
  char* PrepareFill(size_t length);
  // False (content unchanged) when memory ran out.
  bool Insert(size_t index, const char* bytes, size_t count);
  void Erase(size_t index, size_t count);
  // Copies bytes [index, index + count) out; the range must lie within Length().
  void CopyOut(size_t index, size_t count, char* out) const;
  // Pointer to bytes [index, index + count), moving the gap out of the range if needed.
  const char* Contiguous(size_t index, size_t count);
  // The two stretches of bytes [index, index + count) on either side of the gap, without
  // moving anything; second is empty when the range does not cross the gap.
  struct Spans {
    std::string_view first;
    std::string_view second;
  };
  Spans Range(size_t index, size_t count) const;

 private:
  void MoveGapTo(size_t index);
  bool Grow(size_t extra);

  std::unique_ptr<char[]> data_;
  size_t capacity_ = 0;
  size_t gapStart_ = 0;
  size_t gapEnd_ = 0;
};

}  // namespace kvte::textcontrol
