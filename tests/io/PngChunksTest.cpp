#include "io/PngChunks.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using testing_support::TempFile;

const std::string signature("\x89PNG\r\n\x1a\n", 8);

std::string chunk(const std::string& type, const std::string& data, uint32_t length) {
    std::string bytes;
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes += static_cast<char>((length >> shift) & 0xff);
    }
    return bytes + type + data + "CRC!";
}

std::string chunk(const std::string& type, const std::string& data) {
    return chunk(type, data, static_cast<uint32_t>(data.size()));
}

const std::string header = chunk("IHDR", std::string(13, '\x01'));
const std::string wholeFile = signature + header + chunk("IDAT", "pixels") + chunk("IEND", "");

TEST(PngChunks, WholeChunksUpToTheEndChunkAreIntact) {
    EXPECT_TRUE(pngChunksIntact(wholeFile));
    // What follows the end chunk is never read.
    EXPECT_TRUE(pngChunksIntact(wholeFile + "trailing"));
}

TEST(PngChunks, EveryCutOffFileIsBroken) {
    for (std::size_t size = 0; size < wholeFile.size(); ++size) {
        EXPECT_FALSE(pngChunksIntact(wholeFile.substr(0, size))) << size << " bytes";
    }
}

TEST(PngChunks, BrokenStructuresAreRefused) {
    EXPECT_FALSE(pngChunksIntact("GIF89a" + header + chunk("IEND", "")));
    EXPECT_FALSE(pngChunksIntact(signature + header + chunk("IDAT", "pixels")));
    EXPECT_FALSE(
        pngChunksIntact(signature + header + chunk("IDAT", "pixels", 7) + chunk("IEND", "")))
        << "a length past the end of the file";
    EXPECT_FALSE(pngChunksIntact(signature + chunk("IDAT", "", 0xffffffffu) + chunk("IEND", "")))
        << "the largest length";
    EXPECT_FALSE(pngChunksIntact(signature + header + chunk(std::string("ID\0T", 4), "") +
                                 chunk("IEND", "")))
        << "a type that is not four letters";
}

TEST(PngChunks, FilesAreCheckedLikeBytesAndUnreadableOnesAreBroken) {
    const TempFile whole(wholeFile, "whole.png");
    EXPECT_TRUE(pngFileIntact(whole.path()));
    const TempFile cutOff(wholeFile.substr(0, 60), "cut.png");
    EXPECT_FALSE(pngFileIntact(cutOff.path()));
    EXPECT_FALSE(pngFileIntact((cutOff.folderPath() / "missing.png").string()));
    EXPECT_FALSE(pngFileIntact(cutOff.folderPath().string()));
}

} // namespace
