#include <sys/mman.h>

#include <cstdint>

#include "kernels/page_buffer.h"

namespace {

// The large page size of x86-64 and of most 64-bit ARM systems.
constexpr size_t kLargePage = size_t{2} << 20;

size_t roundUp(size_t size, size_t unit) {
    return (size + unit - 1) / unit * unit;
}

}  // namespace

uint8_t* allocatePages(size_t size, size_t& capacity) {
    if (size == 0 || size > SIZE_MAX - 2 * kLargePage) return nullptr;
    if (size < kLargePage) {
        capacity = size;
        void* small =
            ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        return small == MAP_FAILED ? nullptr : static_cast<uint8_t*>(small);
    }
    // Large pages need an aligned range: map one large page more and trim both ends.
    capacity = roundUp(size, kLargePage);
    const size_t mapped = capacity + kLargePage;
    void* view =
        ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (view == MAP_FAILED) return nullptr;
    auto* start = static_cast<uint8_t*>(view);
    const size_t head = roundUp(reinterpret_cast<uintptr_t>(start), kLargePage) -
                        reinterpret_cast<uintptr_t>(start);
    if (head != 0) ::munmap(start, head);
    if (kLargePage - head != 0) ::munmap(start + head + capacity, kLargePage - head);
#ifdef MADV_HUGEPAGE
    ::madvise(start + head, capacity, MADV_HUGEPAGE);  // a hint: without it, plain pages
#endif
    return start + head;
}

void releasePages(uint8_t* data, size_t capacity) {
    ::munmap(data, capacity);
}
