#include "io/PngChunks.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

constexpr std::string_view signature("\x89PNG\r\n\x1a\n", 8);
constexpr std::string_view endChunkType = "IEND";
// Length, type, then the data, then the CRC.
constexpr std::size_t chunkHeaderBytes = 8;
constexpr std::size_t crcBytes = 4;

uint32_t bigEndian32(std::string_view bytes) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    }
    return value;
}

bool isChunkType(std::string_view type) {
    for (const char c : type) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) {
            return false;
        }
    }
    return true;
}

} // namespace

bool pngChunksIntact(std::string_view bytes) {
    if (!bytes.starts_with(signature)) {
        return false;
    }
    std::string_view rest = bytes.substr(signature.size());
    while (rest.size() >= chunkHeaderBytes) {
        const uint32_t length = bigEndian32(rest);
        const std::string_view type = rest.substr(4, 4);
        if (!isChunkType(type)) {
            return false;
        }
        const std::size_t chunkBytes = chunkHeaderBytes + length + crcBytes;
        if (chunkBytes > rest.size()) {
            return false;
        }
        if (type == endChunkType) {
            return true;
        }
        rest.remove_prefix(chunkBytes);
    }
    return false;
}

bool pngFileIntact(const std::string& path) {
    // A folder opens as a stream but throws on the first read.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    // A read error stops the copy early, and the cut-off bytes then fail the check.
    bytes << in.rdbuf();
    return pngChunksIntact(bytes.view());
}
