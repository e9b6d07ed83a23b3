#include "render/ColorRamps.h"

#include "render/HeadlessGlContext.h"
#include "tests/support/TestFiles.h"

#include <GL/glew.h>
#include <IL/il.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using testing_support::CoutCapture;
using testing_support::TempFile;
using testing_support::WorkingDirectory;

using Pixels = std::vector<uint8_t>;

TEST(IsPowerOfTwo, TrueExactlyForPowersOfTwo) {
    for (const int n : {1, 2, 4, 256, 1 << 30}) {
        EXPECT_TRUE(isPowerOfTwo(n)) << n;
    }
    for (const int n : {0, -1, -2, -256, INT_MIN, 3, 6, 255, 257, (1 << 30) + 1, INT_MAX}) {
        EXPECT_FALSE(isPowerOfTwo(n)) << n;
    }
}

// A working directory of its own with data/textures/ for the ramp images.
class ColorRampFiles : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe();
        std::filesystem::create_directories(folder.folderPath() / "data" / "textures");
        ilInit();
        ilEnable(IL_FILE_OVERWRITE);
    }

    std::string fullPath(int index) const {
        return (folder.folderPath() / "data" / "textures" /
                ("pal_" + std::to_string(index) + ".png"))
            .string();
    }

    // Writes an 8-bit PNG with three or four channels and returns its pixels.
    Pixels writeImage(int index, int width, int height, int channels) const {
        Pixels pixels(static_cast<std::size_t>(width * height * channels));
        for (std::size_t k = 0; k < pixels.size(); ++k) {
            pixels[k] = static_cast<uint8_t>(k * 37 + index * 11);
        }
        const ILuint image = ilGenImage();
        ilBindImage(image);
        EXPECT_TRUE(ilTexImage(width, height, 1, static_cast<ILubyte>(channels),
                               channels == 4 ? IL_RGBA : IL_RGB, IL_UNSIGNED_BYTE, pixels.data()));
        EXPECT_TRUE(ilSaveImage(fullPath(index).c_str()));
        ilDeleteImage(image);
        return pixels;
    }

    void writeRamps(int count) const {
        for (int i = 0; i < count; ++i) {
            writeImage(i, 256, 1, 3);
        }
    }

    // Loading says nothing on the console; what goes wrong comes back.
    Status load() {
        WorkingDirectory inFolder(folder.folderPath());
        CoutCapture output;
        Status loaded = loadColorRamps(textures);
        EXPECT_EQ(output.text(), "");
        return loaded;
    }

    void expectRefusal(const std::string& message) {
        const Status loaded = load();
        ASSERT_FALSE(loaded.ok());
        EXPECT_EQ(loaded.error().describe(), message);
    }

    HeadlessGlContext gl;
    TempFile folder{"", "unused"};
    uint32_t textures[colorRampCount] = {};
};

Pixels textureTexels(uint32_t texture) {
    glBindTexture(GL_TEXTURE_1D, texture);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_1D, 0, GL_TEXTURE_WIDTH, &width);
    Pixels texels(static_cast<std::size_t>(width) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_1D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

GLint rampParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_1D, name, &value);
    return value;
}

TEST_F(ColorRampFiles, PowerOfTwoWidthsLoadSilentlyIntoNearestFilteredTextures) {
    const int widths[] = {256, 1, 2, 128, 256};
    std::vector<Pixels> images;
    for (int i = 0; i < 5; ++i) {
        images.push_back(writeImage(i, widths[i], 1, 3));
    }
    EXPECT_TRUE(load().ok());
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_1D, &bound);
    EXPECT_EQ(bound, 0) << "left bound";
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE("ramp " + std::to_string(i));
        EXPECT_EQ(textureTexels(textures[i]), images[i]);
        EXPECT_EQ(rampParameter(GL_TEXTURE_MAG_FILTER), GL_NEAREST);
        EXPECT_EQ(rampParameter(GL_TEXTURE_MIN_FILTER), GL_NEAREST);
        EXPECT_EQ(rampParameter(GL_TEXTURE_WRAP_S), GL_CLAMP);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ColorRampFiles, FirstBrokenRuleIsReported) {
    writeImage(0, 256, 2, 4);
    expectRefusal("data/textures/pal_0.png: Image must be RGB (24 bits per pixel)!");

    writeImage(0, 256, 2, 3);
    expectRefusal("data/textures/pal_0.png: Image must have a height of 1!");

    writeRamps(4);
    writeImage(4, 3, 1, 3);
    expectRefusal("data/textures/pal_4.png: Image width must be power of two!");
}

TEST_F(ColorRampFiles, ARampWiderThanTheLargestTextureIsRefused) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    writeRamps(5);
    writeImage(2, largest * 2, 1, 3);
    expectRefusal("data/textures/pal_2.png: Image width " + std::to_string(largest * 2) +
                  " is more than this OpenGL's largest texture (" + std::to_string(largest) + ")!");
    EXPECT_EQ(textures[2], 0u) << "no texture that would draw white curves";
    EXPECT_NE(textures[3], 0u);
}

TEST_F(ColorRampFiles, MissingImageIsNamedAfterTheOnesBeforeItLoaded) {
    writeRamps(3);
    expectRefusal("Image not found (data/textures/pal_3.png)!");
}

TEST_F(ColorRampFiles, TheRampsAroundAMissingOneStillLoad) {
    std::vector<Pixels> images;
    for (int i = 0; i < 5; ++i) {
        images.push_back(writeImage(i, 256, 1, 3));
    }
    std::filesystem::remove(fullPath(1));
    std::filesystem::remove(fullPath(3));
    expectRefusal("Image not found (data/textures/pal_1.png)!");
    for (const int i : {0, 2, 4}) {
        SCOPED_TRACE("ramp " + std::to_string(i));
        EXPECT_EQ(textureTexels(textures[i]), images[static_cast<std::size_t>(i)]);
    }
}

// libpng would wait forever for the missing bytes; the cut file must count as
// missing before it gets there.
TEST_F(ColorRampFiles, ABrokenImageIsNamedWithWhatIsWrong) {
    writeRamps(1);
    std::ifstream in(fullPath(0), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    in.close();
    // The signature and the start of the header chunk.
    std::ofstream(fullPath(0), std::ios::binary | std::ios::trunc) << bytes.substr(0, 20);
    expectRefusal("data/textures/pal_0.png: Broken image: cut off (chunk IHDR runs past the end of "
                  "the file)");
    std::ofstream(fullPath(0), std::ios::binary | std::ios::trunc);
    expectRefusal("data/textures/pal_0.png: Broken image: the file is empty");
    std::ofstream(fullPath(0), std::ios::binary | std::ios::trunc) << "not an image at all";
    expectRefusal("data/textures/pal_0.png: Broken image: not a PNG image (no PNG signature)");
}

// A curve's direction must show at a glance with the default ramp: its source
// end blue, its target end orange.
TEST(ShippedColorRamps, DefaultRunsFromBlueToOrange) {
    HeadlessGlContext gl;
    ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe();
    uint32_t textures[colorRampCount] = {};
    ASSERT_TRUE(loadColorRamps(textures).ok());
    const Pixels texels = textureTexels(textures[ViewSettings{}.colorRamp - 1]);
    ASSERT_EQ(texels.size(), 256u * 3);
    const uint8_t* source = &texels[0];
    const uint8_t* target = &texels[255 * 3];
    EXPECT_GT(source[2], 200);
    EXPECT_LT(source[0], 100);
    EXPECT_GT(target[0], 200);
    EXPECT_GT(target[1], target[2]);
    EXPECT_LT(target[2], 100);
}

} // namespace
