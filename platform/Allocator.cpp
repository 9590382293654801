#include "platform/Allocator.h"

#include <malloc.h>

void KeepFreedMemoryForReuse() {
  // Every block comes from the heap, which keeps up to 1 GiB of freed memory at its top.
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
}
