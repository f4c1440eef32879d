// The document's byte array with a gap (see GapBuffer.h).
#include "textcontrol/model/GapBuffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace kvte::textcontrol {

namespace {
// Room left after a fill or a growth: enough for a burst of typing without reallocating,
// small next to a large document.
size_t GapFor(size_t length) { return std::max<size_t>(4096, length / 16); }
}  // namespace

char* GapBuffer::PrepareFill(size_t length) {
  size_t capacity = length + GapFor(length);
  std::unique_ptr<char[]> fresh(new (std::nothrow) char[capacity]);
  if (!fresh) return nullptr;
  data_ = std::move(fresh);
  capacity_ = capacity;
  gapStart_ = length;
  gapEnd_ = capacity;
  return data_.get();
}

void GapBuffer::MoveGapTo(size_t index) {
  if (index == gapStart_) return;
  size_t gap = gapEnd_ - gapStart_;
  if (index < gapStart_) {
    std::memmove(data_.get() + index + gap, data_.get() + index, gapStart_ - index);
  } else {
    std::memmove(data_.get() + gapStart_, data_.get() + gapEnd_, index - gapStart_);
  }
  gapStart_ = index;
  gapEnd_ = index + gap;
}

bool GapBuffer::Grow(size_t extra) {
  size_t length = Length();
  size_t capacity = length + extra + GapFor(length + extra);
  std::unique_ptr<char[]> fresh(new (std::nothrow) char[capacity]);
  if (!fresh) return false;
  if (data_) {
    std::memcpy(fresh.get(), data_.get(), gapStart_);
    std::memcpy(fresh.get() + capacity - (capacity_ - gapEnd_), data_.get() + gapEnd_, capacity_ - gapEnd_);
  }
  gapEnd_ = capacity - (capacity_ - gapEnd_);
  capacity_ = capacity;
  data_ = std::move(fresh);
  return true;
}

bool GapBuffer::Insert(size_t index, const char* bytes, size_t count) {
  if (count == 0) return true;
  if (index > Length()) index = Length();
  if (gapEnd_ - gapStart_ < count && !Grow(count)) return false;
  MoveGapTo(index);
  std::memcpy(data_.get() + gapStart_, bytes, count);
  gapStart_ += count;
  return true;
}

void GapBuffer::Erase(size_t index, size_t count) {
  size_t length = Length();
  if (index >= length || count == 0) return;
  count = std::min(count, length - index);
  MoveGapTo(index);
  gapEnd_ += count;
}

void GapBuffer::CopyOut(size_t index, size_t count, char* out) const {
  Spans spans = Range(index, count);
  if (spans.first.empty()) return;
  std::memcpy(out, spans.first.data(), spans.first.size());
  if (!spans.second.empty()) std::memcpy(out + spans.first.size(), spans.second.data(), spans.second.size());
}

GapBuffer::Spans GapBuffer::Range(size_t index, size_t count) const {
  Spans spans;
  size_t length = Length();
  if (index > length) index = length;
  count = std::min(count, length - index);
  if (count == 0 || !data_) return spans;
  size_t gap = gapEnd_ - gapStart_;
  if (index + count <= gapStart_) {
    spans.first = std::string_view(data_.get() + index, count);
  } else if (index >= gapStart_) {
    spans.first = std::string_view(data_.get() + index + gap, count);
  } else {
    spans.first = std::string_view(data_.get() + index, gapStart_ - index);
    spans.second = std::string_view(data_.get() + gapEnd_, count - (gapStart_ - index));
  }
  return spans;
}

const char* GapBuffer::Contiguous(size_t index, size_t count) {
  static const char empty[1] = {0};
  size_t length = Length();
  if (index > length) index = length;
  count = std::min(count, length - index);
  if (!data_) return empty;
  if (index < gapStart_ && index + count > gapStart_) {
    // Move the gap to whichever end of the range is nearer: fewer bytes to shift.
    if (gapStart_ - index < index + count - gapStart_) MoveGapTo(index);
    else MoveGapTo(index + count);
  }
  return index >= gapStart_ ? data_.get() + index + (gapEnd_ - gapStart_) : data_.get() + index;
}

}  // namespace kvte::textcontrol

namespace kvte::textcontrol {

void GapBuffer::Swap(GapBuffer& other) noexcept {
  std::swap(data_, other.data_);
  std::swap(capacity_, other.capacity_);
  std::swap(gapStart_, other.gapStart_);
  std::swap(gapEnd_, other.gapEnd_);
}

}  // namespace kvte::textcontrol
