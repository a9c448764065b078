#include "bench/support/HeapInUse.hpp"

#include <malloc.h>

namespace bench {

std::size_t heapBytesInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

} // namespace bench
