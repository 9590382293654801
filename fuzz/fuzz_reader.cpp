// The file reader on arbitrary bytes: it either refuses them with a StreamError or yields a
// tree that saves, loads again and saves to the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/Struktteile.h"
#include "platform/MemoryStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MemoryStream input(std::string(reinterpret_cast<const char*>(data), size));
  BlockPtr root;
  try {
    root = LoadRootBlock(input);
  } catch (const StreamError&) {
    return 0;
  }
  MemoryStream saved;
  SaveRootBlock(*root, saved);
  saved.Seek(0);
  BlockPtr reloaded = LoadRootBlock(saved);  // what was saved must load without error
  MemoryStream resaved;
  SaveRootBlock(*reloaded, resaved);
  if (saved.Bytes() != resaved.Bytes()) __builtin_trap();
  return 0;
}
