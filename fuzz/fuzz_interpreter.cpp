// The interpreter on arbitrary bytes: it must return a tree whose texts hold no framing
// bytes and whose nesting the file reader accepts, and its export must parse again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/MemoryStream.h"
#include "text/Interpret.h"

namespace {

// Checks every text below first; returns the deepest nesting of blocks found.
int32_t CheckSequence(const TElement* first, int32_t level) {
  int32_t deepest = level;
  for (const TElement* e = first; e; e = e->Next) {
    if (e->Text.find('\0') != std::string::npos || e->Text.find('\x01') != std::string::npos)
      __builtin_trap();
    if (const auto* block = dynamic_cast<const TBlock*>(e)) {
      if (block->Body) deepest = std::max(deepest, CheckSequence(block->Body, level + 1));
    } else if (const auto* structure = dynamic_cast<const TBedingung*>(e)) {
      for (int32_t i = 0; i < structure->BranchCount; ++i) {
        const TBlock* branch = structure->Branches[i];
        if (!branch || branch->Next) __builtin_trap();
        if (branch->Body) deepest = std::max(deepest, CheckSequence(branch->Body, level + 1));
      }
    }
  }
  return deepest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  BlockPtr root = ParseProgram(text);
  if (!root || !root->Text.empty() || root->Next) __builtin_trap();
  if (CheckSequence(root->Body, 0) > MaxNestingDepth) __builtin_trap();

  // Installed as the main window installs a pasted design.
  root->Movable = 0;
  root->Braced = 0;
  std::string exported;
  root->ExportText(exported, "  ");
  BlockPtr again = ParseProgram(exported);
  if (CheckSequence(again->Body, 0) > MaxNestingDepth) __builtin_trap();

  // The design can be saved and loaded.
  MemoryStream stream;
  SaveRootBlock(*root, stream);
  stream.Seek(0);
  LoadRootBlock(stream);
  return 0;
}
