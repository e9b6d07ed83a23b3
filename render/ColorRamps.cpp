#include "render/ColorRamps.h"

#include "io/PngChunks.h"

#include <GL/glew.h>
#include <IL/il.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr const char* rampPathFormat = "data/textures/pal_%d.png";

std::string formatted(const char* format, const char* argument) {
    char text[256];
    std::snprintf(text, sizeof text, format, argument);
    return text;
}

// The first rule the bound image breaks, in the order they are checked;
// nullptr when it makes a valid ramp.
const char* rampImageFault() {
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    const int bitsPerPixel = ilGetInteger(IL_IMAGE_BITS_PER_PIXEL);
    const int bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    const int mipmaps = ilGetInteger(IL_NUM_MIPMAPS);
    if (bytesPerPixel != 3 || bitsPerPixel != 24) {
        return "Image must be RGB (24 bits per pixel)!";
    }
    if (mipmaps != 0) {
        return "Image must not have MipMaps!";
    }
    if (height != 1) {
        return "Image must have a height of 1!";
    }
    if (!isPowerOfTwo(width)) {
        return "Image width must be power of two!";
    }
    return nullptr;
}

// The bound image as a 1D texture with nearest filtering.
void uploadRamp(uint32_t& texture) {
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_1D, texture);
    // Rows of three-byte texels are tightly packed.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, ilGetInteger(IL_IMAGE_WIDTH), 0, GL_RGB,
                 GL_UNSIGNED_BYTE, ilGetData());
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glBindTexture(GL_TEXTURE_1D, 0);
}

} // namespace

bool isPowerOfTwo(int n) {
    if (n <= 0) {
        return false;
    }
    int halvings = 0;
    for (int rest = n - 1; rest > 0; rest >>= 1) {
        ++halvings;
    }
    return static_cast<int64_t>(n) == (int64_t{1} << halvings);
}

Status loadColorRamps(uint32_t (&textures)[colorRampCount]) {
    ilInit();
    // Every good ramp is loaded, so that a viewer that goes on without the
    // others still has them; the first fault is the answer.
    Status loaded;
    for (int i = 0; i < colorRampCount; ++i) {
        ILuint image = 0;
        ilGenImages(1, &image);
        ilBindImage(image);
        char path[64];
        std::snprintf(path, sizeof path, rampPathFormat, i);
        // A file cut short can stall the PNG reader for good, so it counts as
        // missing before the image library sees it.
        const char* fault = nullptr;
        std::string missing;
        if (!pngFileIntact(path) || !ilLoadImage(path)) {
            missing = formatted("Image not found (%s)!", path);
        } else {
            fault = rampImageFault();
        }
        if (missing.empty() && fault == nullptr) {
            uploadRamp(textures[i]);
        } else if (loaded) {
            loaded = Error{missing.empty() ? std::string(fault) : missing};
        }
        ilDeleteImages(1, &image);
    }
    return loaded;
}

std::vector<Colour> rampColours(uint32_t texture) {
    if (texture == 0) {
        return {};
    }
    glBindTexture(GL_TEXTURE_1D, texture);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_1D, 0, GL_TEXTURE_WIDTH, &width);
    std::vector<Colour> texels(static_cast<std::size_t>(std::max(width, 0)));
    glGetTexImage(GL_TEXTURE_1D, 0, GL_RGBA, GL_FLOAT, texels.data());
    glBindTexture(GL_TEXTURE_1D, 0);
    return texels;
}
