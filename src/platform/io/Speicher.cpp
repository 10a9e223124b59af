#include "Speicher.h"

#include <cstdlib> // names the C library
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

void großePufferEinzelnAbbilden()
{
#if defined(__GLIBC__)
    // A fixed threshold: glibc otherwise raises it to the size of each mapped block that is freed (a
    // printout's, say), and from then on serves buffers up to that size from the heap.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif
}

} // namespace platform
