#include "core/util/allocator_tuning.h"

#include <cstdlib>  // defines __GLIBC__ on glibc

#if defined(__GLIBC__)
#include <malloc.h>
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

}  // namespace zeph
