#pragma once

#include <cstddef>

// While one lives, every allocation through operator new of `bytes` or more fails with
// std::bad_alloc, as large buffers do when memory runs out while small ones are still found.
// The test executable that links this replaces the global operator new.
class FailLargeAllocations {
 public:
  explicit FailLargeAllocations(std::size_t bytes);
  ~FailLargeAllocations();
  FailLargeAllocations(const FailLargeAllocations&) = delete;
  FailLargeAllocations& operator=(const FailLargeAllocations&) = delete;

  // How many allocations failed since this one began.
  std::size_t Failures() const;

 private:
  std::size_t failuresBefore_;
};
