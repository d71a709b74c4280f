#include "core/util/allocator_tuning.h"

#include <cstdlib>  // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <memory>
#include <new>
#endif

namespace zeph {

void KeepFreedMemoryForReloads() {
#if defined(__GLIBC__)
  // Setting the trim threshold turns off glibc's own adjustment of the mmap
  // threshold, so both are set: a whole store file read at once must come
  // from the heap too, or each reload maps and faults it in afresh.
  constexpr int kKeep = 64 * 1024 * 1024;
  mallopt(M_TRIM_THRESHOLD, kKeep);
  mallopt(M_MMAP_THRESHOLD, kKeep);
#endif
}

void PrepareHeapFor(size_t bytes) {
#if defined(__GLIBC__) && defined(MADV_POPULATE_WRITE)
  // Below the mmap threshold the block comes from the heap's top; freed, it
  // joins the top again and stays, mapped, for the allocations that follow.
  std::unique_ptr<char[]> room(new (std::nothrow) char[bytes]);
  if (!room) return;
  const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto begin = (reinterpret_cast<uintptr_t>(room.get()) + page - 1) & ~(page - 1);
  const auto end = (reinterpret_cast<uintptr_t>(room.get()) + bytes) & ~(page - 1);
  if (end > begin) {
    (void)madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);  // a hint
  }
#else
  (void)bytes;
#endif
}

}  // namespace zeph
