#include "tests/memory/FailingAllocation.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

std::atomic<std::size_t> smallestFailing{std::numeric_limits<std::size_t>::max()};
std::atomic<std::size_t> failures{0};

void* Allocate(std::size_t size) {
  if (size >= smallestFailing.load(std::memory_order_relaxed)) {
    failures.fetch_add(1, std::memory_order_relaxed);
    throw std::bad_alloc();
  }
  if (void* block = std::malloc(size ? size : 1)) return block;
  throw std::bad_alloc();
}

}  // namespace

FailLargeAllocations::FailLargeAllocations(std::size_t bytes) : failuresBefore_(failures) {
  smallestFailing = bytes;
}

FailLargeAllocations::~FailLargeAllocations() {
  smallestFailing = std::numeric_limits<std::size_t>::max();
}

std::size_t FailLargeAllocations::Failures() const { return failures - failuresBefore_; }

// Every form of the plain operators goes through malloc and free, so that blocks from one
// form are never released by another's allocator.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
