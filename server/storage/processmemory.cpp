#include "processmemory.h"

#include <cstdlib>  // defines __GLIBC__ where it applies

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepFreedMemoryForAnswers()
{
#if defined(__GLIBC__)
    // Blocks up to 32 MiB come from the heap, and up to 256 MiB of free heap stays mapped.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}
