#include "report/sheet/HeapRetention.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace zeb {

namespace {

#ifdef __GLIBC__
// The C library's own defaults.
constexpr int defaultLimit = 128 * 1024;
// Above the engine's buffers; the largest block the heap may serve.
constexpr int keptBlock = 32 * 1024 * 1024;
constexpr int keptTop = 64 * 1024 * 1024;
#endif

} // namespace

HeapRetention::HeapRetention()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, keptBlock);
    mallopt(M_TRIM_THRESHOLD, 4 * keptTop);
    mallopt(M_TOP_PAD, keptTop);
#endif
}

HeapRetention::~HeapRetention()
{
#ifdef __GLIBC__
    mallopt(M_TOP_PAD, defaultLimit);
    mallopt(M_TRIM_THRESHOLD, defaultLimit);
    mallopt(M_MMAP_THRESHOLD, defaultLimit);
    malloc_trim(0);
#endif
}

} // namespace zeb
