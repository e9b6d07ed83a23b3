#pragma once

#include <cstddef>
#include <memory>
#include <span>

// An owned array whose elements start unset: large buffers that are written
// in full before they are read cost no pass that zeroes them first.
template <typename T> class UninitializedArray {
public:
    UninitializedArray() = default;
    explicit UninitializedArray(std::size_t count)
        : values(std::make_unique_for_overwrite<T[]>(count)), count(count) {}

    std::size_t size() const { return count; }
    T* data() { return values.get(); }
    const T* data() const { return values.get(); }
    T& operator[](std::size_t i) { return values[i]; }
    const T& operator[](std::size_t i) const { return values[i]; }
    std::span<const T> span() const { return {values.get(), count}; }

private:
    std::unique_ptr<T[]> values;
    std::size_t count = 0;
};
