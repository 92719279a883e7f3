#include "process_memory.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

void PrepareProcessMemory() {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  // Every block up to 64 MiB comes from the one heap (the threads of a batch or of a
  // scene's decoding share it), which grows by 64 MiB at a time and is never trimmed
  // during the run.
  mallopt(M_ARENA_MAX, 1);
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  mallopt(M_TOP_PAD, 64 << 20);
  const auto start = reinterpret_cast<std::uintptr_t>(sbrk(0));
  void* volatile grown = std::malloc(1 << 16);  // the heap grows now (volatile: kept)
  std::free(grown);
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1), last = end & ~(kHugePage - 1);
  // Where the system gives huge pages on request, the new part of the heap asks for them.
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#endif
}
