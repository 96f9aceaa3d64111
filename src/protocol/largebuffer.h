#pragma once

#include <QtGlobal>

namespace LargeBuffer {

// Asks the kernel to back the whole 2 MiB pages inside [data, data + size) with huge pages.
// Filling a fresh 50 MiB frame otherwise costs one page fault per 4 KiB, which costs more
// than encoding the data. No effect on small buffers or where unsupported.
void adviseHugePages(char *data, qsizetype size);

} // namespace LargeBuffer
