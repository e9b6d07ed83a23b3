#include "io/PngChunks.h"

#include "io/FileText.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

namespace {

constexpr std::string_view signature("\x89PNG\r\n\x1a\n", 8);
constexpr std::string_view endChunkType = "IEND";
constexpr std::string_view dataChunkType = "IDAT";
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

// The CRC of a chunk covers its type and its data.
uint32_t chunkCrc(std::string_view typeAndData) {
    uLong crc = crc32(0L, Z_NULL, 0);
    while (!typeAndData.empty()) {
        const auto piece = static_cast<uInt>(std::min<std::size_t>(typeAndData.size(), 1u << 30));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(typeAndData.data()), piece);
        typeAndData.remove_prefix(piece);
    }
    return static_cast<uint32_t>(crc);
}

} // namespace

std::optional<std::string> pngFault(std::string_view bytes) {
    if (bytes.empty()) {
        return "the file is empty";
    }
    if (!bytes.starts_with(signature)) {
        return "not a PNG image (no PNG signature)";
    }
    std::string_view rest = bytes.substr(signature.size());
    bool hasData = false;
    while (rest.size() >= chunkHeaderBytes) {
        const uint32_t length = bigEndian32(rest);
        const std::string_view type = rest.substr(4, 4);
        if (!isChunkType(type)) {
            return "not a PNG image (a chunk has no valid type)";
        }
        const std::string name(type);
        if (uint64_t{chunkHeaderBytes} + length + crcBytes > rest.size()) {
            return "cut off (chunk " + name + " runs past the end of the file)";
        }
        if (bigEndian32(rest.substr(chunkHeaderBytes + length)) !=
            chunkCrc(rest.substr(4, 4 + length))) {
            return "damaged (bad CRC in chunk " + name + ")";
        }
        if (type == endChunkType) {
            if (!hasData) {
                return "no image data (no IDAT chunk)";
            }
            return std::nullopt;
        }
        hasData = hasData || type == dataChunkType;
        rest.remove_prefix(chunkHeaderBytes + length + crcBytes);
    }
    return "cut off (no IEND chunk at the end)";
}

PngFileCheck checkPngFile(const std::string& path, std::size_t maxBytes) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) || std::filesystem::is_directory(path, error)) {
        return {PngFileCheck::State::Missing, {}};
    }
    const Result<FileText> text = readFileText(path, maxBytes);
    if (!text) {
        return {PngFileCheck::State::Broken, text.error().reason};
    }
    if (std::optional<std::string> fault = pngFault(text.value().view())) {
        return {PngFileCheck::State::Broken, *fault};
    }
    return {};
}
