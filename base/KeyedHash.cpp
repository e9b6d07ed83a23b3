#include "base/KeyedHash.h"

#include <random>

namespace {

constexpr uint64_t rotateLeft(uint64_t value, int bits) {
    return (value << bits) | (value >> (64 - bits));
}

struct SipState {
    uint64_t v0;
    uint64_t v1;
    uint64_t v2;
    uint64_t v3;

    void round() {
        v0 += v1;
        v1 = rotateLeft(v1, 13);
        v1 ^= v0;
        v0 = rotateLeft(v0, 32);
        v2 += v3;
        v3 = rotateLeft(v3, 16);
        v3 ^= v2;
        v0 += v3;
        v3 = rotateLeft(v3, 21);
        v3 ^= v0;
        v2 += v1;
        v1 = rotateLeft(v1, 17);
        v1 ^= v2;
        v2 = rotateLeft(v2, 32);
    }

    void absorb(uint64_t word) {
        v3 ^= word;
        round();
        round();
        v0 ^= word;
    }
};

uint64_t littleEndianWord(const unsigned char* bytes, std::size_t count) {
    uint64_t word = 0;
    for (std::size_t i = 0; i < count; ++i) {
        word |= uint64_t{bytes[i]} << (8 * i);
    }
    return word;
}

} // namespace

uint64_t sipHash24(uint64_t key0, uint64_t key1, std::string_view data) {
    SipState state{key0 ^ 0x736f6d6570736575ull, key1 ^ 0x646f72616e646f6dull,
                   key0 ^ 0x6c7967656e657261ull, key1 ^ 0x7465646279746573ull};
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    const std::size_t whole = data.size() / 8 * 8;
    for (std::size_t at = 0; at < whole; at += 8) {
        state.absorb(littleEndianWord(bytes + at, 8));
    }
    state.absorb(littleEndianWord(bytes + whole, data.size() - whole) |
                 (static_cast<uint64_t>(data.size()) << 56));
    state.v2 ^= 0xff;
    for (int i = 0; i < 4; ++i) {
        state.round();
    }
    return state.v0 ^ state.v1 ^ state.v2 ^ state.v3;
}

KeyedStringHash::KeyedStringHash() {
    std::random_device device;
    key0 = static_cast<uint64_t>(device()) << 32 | device();
    key1 = static_cast<uint64_t>(device()) << 32 | device();
}
