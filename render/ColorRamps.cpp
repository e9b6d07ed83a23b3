#include "render/ColorRamps.h"

#include "base/DataFiles.h"
#include "io/PngChunks.h"

#include <GL/glew.h>
#include <IL/il.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>

namespace {

constexpr const char* rampPathFormat = "data/textures/pal_%d.png";
// A ramp is a row of at most a few thousand texels: any file larger than
// this is no ramp, and is not read whole to find out.
constexpr std::size_t maxRampFileBytes = std::size_t{1} << 20;

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

// The bound image as a 1D texture with nearest filtering; the GL error
// when the upload failed.
std::optional<GLenum> uploadRamp(uint32_t& texture) {
    while (glGetError() != GL_NO_ERROR) {
    }
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
    if (const GLenum error = glGetError(); error != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        texture = 0;
        return error;
    }
    return std::nullopt;
}

// Why the bound image cannot be a ramp texture here, or nothing.
std::optional<std::string> textureFault() {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    if (width > largest) {
        return "Image width " + std::to_string(width) +
               " is more than this OpenGL's largest texture (" + std::to_string(largest) + ")!";
    }
    return std::nullopt;
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
        char name[64];
        std::snprintf(name, sizeof name, rampPathFormat, i);
        const std::string found = datafiles::find(name);
        const char* path = found.c_str();
        // A file cut short can stall the PNG reader for good, so it is
        // checked before the image library sees it.
        const PngFileCheck check = checkPngFile(path, maxRampFileBytes);
        std::optional<Error> fault;
        if (check.state == PngFileCheck::State::Missing) {
            fault = Error{formatted("Image not found (%s)!", path)};
        } else if (check.state == PngFileCheck::State::Broken) {
            fault = Error{"Broken image: " + check.reason, path};
        } else if (!ilLoadImage(path)) {
            fault = Error{"Image could not be decoded!", path};
        } else if (const char* rule = rampImageFault()) {
            fault = Error{rule, path};
        } else if (std::optional<std::string> tooWide = textureFault()) {
            fault = Error{*tooWide, path};
        } else if (const std::optional<GLenum> glError = uploadRamp(textures[i])) {
            fault = Error{"Image could not be made a texture (OpenGL error " +
                              std::to_string(*glError) + ")!",
                          path};
        }
        if (fault && loaded) {
            loaded = *fault;
        }
        ilDeleteImages(1, &image);
    }
    return loaded;
}

std::vector<Colour> rampColours(const uint32_t (&textures)[colorRampCount], int32_t ramp) {
    const uint32_t texture =
        ramp >= 1 && ramp <= colorRampCount ? textures[static_cast<std::size_t>(ramp - 1)] : 0;
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
