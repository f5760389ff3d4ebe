#include "app/heap_tuning.h"

#include <malloc.h>

namespace orvanix {

void keepPageMemory() {
    // Pages are cut at 64 MiB, so a search never keeps more than a few of them.
    mallopt(M_TRIM_THRESHOLD, 128 << 20);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
}

}  // namespace orvanix
