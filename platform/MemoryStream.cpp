#include "platform/MemoryStream.h"

#include <algorithm>
#include <cstring>

std::size_t MemoryStream::Read(void* buffer, std::size_t count) {
  std::size_t n = std::min(count, bytes_.size() - position_);
  if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n);
  position_ += n;
  return n;
}

std::size_t MemoryStream::Write(const void* buffer, std::size_t count) {
  if (position_ + count > bytes_.size()) bytes_.resize(position_ + count);
  if (count > 0) std::memcpy(bytes_.data() + position_, buffer, count);
  position_ += count;
  return count;
}
