#include "tests/memory/FailingAllocation.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

std::atomic<std::size_t> smallestFailing{std::numeric_limits<std::size_t>::max()};
std::atomic<std::size_t> failures{0};

void* TryAllocate(std::size_t size) noexcept {
  if (size < smallestFailing.load(std::memory_order_relaxed)) return std::malloc(size ? size : 1);
  failures.fetch_add(1, std::memory_order_relaxed);
  return nullptr;
}

void* Allocate(std::size_t size) {
  if (void* block = TryAllocate(size)) return block;
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
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
