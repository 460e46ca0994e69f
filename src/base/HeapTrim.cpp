#include "HeapTrim.h"

#include <malloc.h>

namespace HeapTrim {

void giveBackFreePages()
{
    // glibc's: every whole free page of every arena, not only the top of the heap.
    malloc_trim(0);
}

} // namespace HeapTrim
