#include "io/PngChunks.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace {

using testing_support::TempFile;

const std::string signature("\x89PNG\r\n\x1a\n", 8);

// CRC-32 as PNG defines it, bit by bit (the reader uses zlib's tables).
uint32_t crcOf(const std::string& bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1u) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
    }
    return crc ^ 0xFFFFFFFFu;
}

std::string bigEndian(uint32_t value) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes += static_cast<char>((value >> shift) & 0xff);
    }
    return bytes;
}

// A chunk with the length given and a correct CRC, or the CRC given.
std::string chunk(const std::string& type, const std::string& data, uint32_t length,
                  std::optional<uint32_t> crc = std::nullopt) {
    return bigEndian(length) + type + data + bigEndian(crc.value_or(crcOf(type + data)));
}

std::string chunk(const std::string& type, const std::string& data) {
    return chunk(type, data, static_cast<uint32_t>(data.size()));
}

const std::string header = chunk("IHDR", std::string(13, '\x01'));
const std::string wholeFile = signature + header + chunk("IDAT", "pixels") + chunk("IEND", "");

TEST(PngChunks, WholeChunksWithTheirCrcsUpToTheEndChunkAreIntact) {
    EXPECT_EQ(crcOf("IEND"), 0xAE426082u) << "the CRC every PNG's end chunk carries";
    EXPECT_EQ(pngFault(wholeFile), std::nullopt);
    // What follows the end chunk is never read.
    EXPECT_EQ(pngFault(wholeFile + "trailing"), std::nullopt);
}

TEST(PngChunks, EveryCutOffFileIsBroken) {
    for (std::size_t size = 0; size < wholeFile.size(); ++size) {
        EXPECT_NE(pngFault(wholeFile.substr(0, size)), std::nullopt) << size << " bytes";
    }
}

TEST(PngChunks, EachFaultIsNamed) {
    const std::string end = chunk("IEND", "");
    const std::string data = chunk("IDAT", "pixels");
    const std::pair<std::string, std::string> cases[] = {
        {"", "the file is empty"},
        {"GIF89a" + header + end, "not a PNG image (no PNG signature)"},
        {signature + header + data, "cut off (no IEND chunk at the end)"},
        {signature + header + chunk("IDAT", "pixels", 7) + end, "damaged (bad CRC in chunk IDAT)"},
        {signature + header + chunk("IDAT", "pixels", 30) + end,
         "cut off (chunk IDAT runs past the end of the file)"},
        {signature + chunk("IDAT", "", 0xffffffffu) + end,
         "cut off (chunk IDAT runs past the end of the file)"},
        {signature + header + chunk(std::string("ID\0T", 4), "") + end,
         "not a PNG image (a chunk has no valid type)"},
        {signature + header + chunk("IDAT", "pixels", 6, 12345u) + end,
         "damaged (bad CRC in chunk IDAT)"},
        {signature + header + end, "no image data (no IDAT chunk)"},
    };
    for (const auto& [bytes, reason] : cases) {
        EXPECT_EQ(pngFault(bytes), reason);
    }
}

TEST(PngChunks, FilesAreMissingBrokenWithTheReasonOrIntact) {
    const TempFile whole(wholeFile, "whole.png");
    EXPECT_EQ(checkPngFile(whole.path(), 1024).state, PngFileCheck::State::Intact);
    const TempFile cutOff(wholeFile.substr(0, 60), "cut.png");
    const PngFileCheck cut = checkPngFile(cutOff.path(), 1024);
    EXPECT_EQ(cut.state, PngFileCheck::State::Broken);
    EXPECT_EQ(cut.reason, "cut off (chunk IEND runs past the end of the file)");
    EXPECT_EQ(checkPngFile((cutOff.folderPath() / "missing.png").string(), 1024).state,
              PngFileCheck::State::Missing);
    EXPECT_EQ(checkPngFile(cutOff.folderPath().string(), 1024).state, PngFileCheck::State::Missing);
    // Larger than a ramp can be: refused by its size, unread.
    const PngFileCheck large = checkPngFile(whole.path(), 16);
    EXPECT_EQ(large.state, PngFileCheck::State::Broken);
    EXPECT_EQ(large.reason, "the file is larger than 16 bytes");
}

} // namespace
