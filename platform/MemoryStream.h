#pragma once

#include <string>

#include "platform/Stream.h"

// A stream over bytes held in memory, with one position shared by reading and writing.
// Writing overwrites from the position on and grows the bytes as needed.
class MemoryStream : public Stream {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;

  const std::string& Bytes() const { return bytes_; }
  std::size_t Position() const { return position_; }
  void Seek(std::size_t position) {
    position_ = position < bytes_.size() ? position : bytes_.size();
  }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
};
