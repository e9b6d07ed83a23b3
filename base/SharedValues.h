#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

// Values that whoever holds them may read for as long as it holds them: a
// view of the values and a share in whatever owns their memory, which
// nobody writes while it is shared. Copies are cheap and share the values.
template <typename T> class SharedValues {
public:
    SharedValues() = default;
    SharedValues(std::shared_ptr<const void> owner, std::span<const T> values)
        : owner(std::move(owner)), values(values) {}

    // A copy of the values, owned by the result.
    static SharedValues copyOf(std::span<const T> values) {
        auto copy = std::make_shared<const std::vector<T>>(values.begin(), values.end());
        return {copy, std::span<const T>(*copy)};
    }

    std::span<const T> span() const { return values; }
    const T* data() const { return values.data(); }
    std::size_t size() const { return values.size(); }
    bool empty() const { return values.empty(); }
    const T& operator[](std::size_t i) const { return values[i]; }
    auto begin() const { return values.begin(); }
    auto end() const { return values.end(); }

private:
    std::shared_ptr<const void> owner;
    std::span<const T> values;
};
