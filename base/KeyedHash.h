#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// SipHash-2-4: a hash keyed with 128 bits, so that text from a file cannot be
// chosen to collide unless the key is known.
uint64_t sipHash24(uint64_t key0, uint64_t key1, std::string_view data);

// A hash for tables keyed by text from files (names, ids): each hasher draws
// a fresh random key, so no file can aim its names at a few buckets.
class KeyedStringHash {
public:
    KeyedStringHash();

    std::size_t operator()(std::string_view text) const {
        return static_cast<std::size_t>(sipHash24(key0, key1, text));
    }

private:
    uint64_t key0;
    uint64_t key1;
};
