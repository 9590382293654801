// Memory that runs out while the undo history records or restores a state: the design and the
// history stay as they were, and nothing half done is ever restored.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "shell/UndoHistory.h"
#include "tests/support/TreeText.h"

namespace {

// Allocations through operator new of this size or more fail, as large buffers do when memory
// runs out while small ones are still found.
std::atomic<std::size_t> smallestFailing{SIZE_MAX};

void* TryAllocate(std::size_t size) noexcept {
  return size < smallestFailing ? std::malloc(size ? size : 1) : nullptr;
}

void* Allocate(std::size_t size) {
  if (void* block = TryAllocate(size)) return block;
  throw std::bad_alloc();
}

// Larger than any small allocation, smaller than the buffers of a state of the designs below.
constexpr std::size_t Limit = 128 * 1024;

// Ten thousand statements and a text of Limit bytes.
BlockPtr LargeDesign() {
  std::string design;
  for (int i = 0; i < 10000; ++i) design += "A(Anweisung " + std::to_string(i) + ") ";
  return BuildBlock(design + "A(" + std::string(Limit, 'x') + ")", "gross");
}

// Recording the design runs out of memory, or stepping back to it, kept flat or whole.
TEST(OutOfMemoryHistoryTest, AStepThatRunsOutOfMemoryLeavesTheHistoryAsItWas) {
  for (const std::string step : {"record", "undo flat", "undo whole"}) {
    SCOPED_TRACE(step);
    UndoHistory history;
    history.SaveUndoState(*BuildBlock("A(alt)", "k"));
    BlockPtr large = LargeDesign();
    const std::string design = RenderBody(*large);
    const TBlock* tree = large.get();
    if (step == "undo flat") history.SaveUndoState(*large);
    if (step == "undo whole") history.RecordReplaced(large);
    smallestFailing = Limit;
    EXPECT_THROW(step == "record" ? history.SaveUndoState(*large) : (void)history.Undo(),
                 std::bad_alloc);
    smallestFailing = SIZE_MAX;
    EXPECT_EQ(history.UndoPosition(), 0);
    ASSERT_EQ(history.Count(), step == "record" ? 1 : 2) << "nothing half done enters it";
    if (step == "record") history.SaveUndoState(*large);  // once memory is found
    const BlockPtr back = history.Undo();
    // Designs this large are compared without printing them.
    EXPECT_TRUE(RenderBody(*back) == design);
    EXPECT_TRUE(step != "undo whole" || back.get() == tree);
    EXPECT_TRUE(RenderBody(*history.StateCopy(1)) == design) << "the state still holds it";
    EXPECT_EQ(RenderBody(*history.Undo()), "A(alt)");
  }
}

}  // namespace

// Every form of the plain operators goes through malloc and free, so that blocks from one
// form are never released by another's allocator (the sanitizers' build checks that).
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
