#pragma once

#include <cstddef>

namespace zeph {

// The folders reload their whole store file at every refresh: the old
// records are freed and as many new ones allocated at once. By default glibc
// hands the freed memory back to the kernel each time, and every reload then
// pays a page fault per page again. The program keeps up to 64 MiB of freed
// memory for reuse instead, and serves blocks below 64 MiB from the heap. Does nothing on other C
// libraries.
void KeepFreedMemoryForReloads();

// Makes room for about `bytes` of allocations to come (a whole store being
// loaded) and has the kernel map it in one go, where faulting it in a page at
// a time would cost many times more. Only useful after
// KeepFreedMemoryForReloads, which keeps the room once it is freed; does
// nothing where the kernel or the C library cannot do it.
void PrepareHeapFor(size_t bytes);

}  // namespace zeph
