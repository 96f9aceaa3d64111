#include "largebuffer.h"

#include <sys/mman.h>

namespace LargeBuffer {

void adviseHugePages(char *data, qsizetype size)
{
#ifdef MADV_HUGEPAGE
    constexpr quintptr kHuge = 2 * 1024 * 1024;
    if (size < qsizetype(2 * kHuge))
        return;
    const quintptr begin = (quintptr(data) + kHuge - 1) & ~(kHuge - 1);
    const quintptr end = (quintptr(data) + quintptr(size)) & ~(kHuge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
}

} // namespace LargeBuffer
