#pragma once

namespace zeph {

// The folders reload their whole store file at every refresh: the old
// records are freed and as many new ones allocated at once. By default glibc
// hands the freed memory back to the kernel each time, and every reload then
// pays a page fault per page again. The program keeps up to 64 MiB of freed
// memory for reuse instead, and serves blocks below 64 MiB from the heap. Does nothing on other C libraries.
void KeepFreedMemoryForReloads();

}  // namespace zeph
