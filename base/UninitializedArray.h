#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>
#include <span>
#include <type_traits>

// Allocates bytes for a large array: from 2 MiB on a mapping of its own,
// aligned to huge pages and marked for them, since touching fresh memory
// page by page is much of what sampling a large graph costs. Freed with the
// same byte count.
void* allocateLarge(std::size_t bytes);
void freeLarge(void* memory, std::size_t bytes);

// An owned array whose elements start unset: large buffers that are written
// in full before they are read cost no pass that zeroes them first.
template <typename T> class UninitializedArray {
    static_assert(std::is_trivially_destructible_v<T> &&
                  std::is_trivially_default_constructible_v<T>);

public:
    UninitializedArray() = default;
    explicit UninitializedArray(std::size_t count)
        : values(static_cast<T*>(allocateLarge(count * sizeof(T))), Free{count}), count(count) {}

    std::size_t size() const { return count; }
    T* data() { return values.get(); }
    const T* data() const { return values.get(); }
    T& operator[](std::size_t i) { return values.get()[i]; }
    const T& operator[](std::size_t i) const { return values.get()[i]; }
    std::span<const T> span() const { return {values.get(), count}; }

private:
    struct Free {
        std::size_t count = 0;
        void operator()(T* pointer) const { freeLarge(pointer, count * sizeof(T)); }
    };
    std::unique_ptr<T, Free> values;
    std::size_t count = 0;
};
