#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace testing_support {

// FNV-1a over bytes: a fingerprint of large results (frames, sample arrays)
// recorded from the code before a change, so that a test can tell whether a
// single bit moved.
class Fnv {
public:
    void add(const void* data, std::size_t bytes) {
        const auto* byte = static_cast<const uint8_t*>(data);
        for (std::size_t i = 0; i < bytes; ++i) {
            hash ^= byte[i];
            hash *= 1099511628211ull;
        }
    }
    std::string hex() const {
        char text[17];
        std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
        return text;
    }

private:
    uint64_t hash = 14695981039346656037ull;
};

} // namespace testing_support
