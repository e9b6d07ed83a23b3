#include "base/UninitializedArray.h"

#include <cstdint>
#include <sys/mman.h>

namespace {

constexpr std::size_t hugePage = std::size_t{2} << 20;

std::size_t mappedBytes(std::size_t bytes) {
    return (bytes + hugePage - 1) / hugePage * hugePage;
}

} // namespace

void* allocateLarge(std::size_t bytes) {
    if (bytes < hugePage) {
        void* memory = std::malloc(bytes == 0 ? 1 : bytes);
        if (memory == nullptr) {
            throw std::bad_alloc();
        }
        return memory;
    }
    // A mapping of its own, returned to the system when freed, and aligned
    // so that huge pages can back all of it.
    const std::size_t size = mappedBytes(bytes);
    void* mapping =
        mmap(nullptr, size + hugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapping);
    const std::uintptr_t aligned = (start + hugePage - 1) / hugePage * hugePage;
    if (aligned > start) {
        munmap(mapping, aligned - start);
    }
    const std::size_t tail = start + size + hugePage - (aligned + size);
    if (tail > 0) {
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    }
    // Only advice: without transparent huge pages it changes nothing.
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

void freeLarge(void* memory, std::size_t bytes) {
    if (memory == nullptr) {
        return;
    }
    if (bytes < hugePage) {
        std::free(memory);
    } else {
        munmap(memory, mappedBytes(bytes));
    }
}
