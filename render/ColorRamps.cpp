#include "render/ColorRamps.h"

#include "base/DataFiles.h"
#include "io/PngChunks.h"

#include <GL/glew.h>
#include <IL/il.h>

#include <algorithm>
#include <cmath>
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

// The ramp as a 1D texture with nearest filtering; the GL error when the
// upload failed.
std::optional<GLenum> uploadRamp(const SharedValues<Colour>& ramp, uint32_t& texture) {
    // The colours are the image's bytes over 255: they round back exactly.
    std::vector<uint8_t> bytes;
    bytes.reserve(ramp.size() * 3);
    for (const Colour& texel : ramp) {
        for (const float channel : {texel.r, texel.g, texel.b}) {
            bytes.push_back(static_cast<uint8_t>(std::lround(channel * 255.0f)));
        }
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_1D, texture);
    // Rows of three-byte texels are tightly packed.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, static_cast<GLsizei>(ramp.size()), 0, GL_RGB,
                 GL_UNSIGNED_BYTE, bytes.data());
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

// Why the ramp cannot be a texture here, or nothing.
std::optional<std::string> textureFault(const SharedValues<Colour>& ramp) {
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    const auto width = static_cast<int64_t>(ramp.size());
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

namespace {

// The colours of the bound image, which makes a valid ramp.
SharedValues<Colour> boundImageColours() {
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const ILubyte* bytes = ilGetData();
    std::vector<Colour> colours;
    colours.reserve(static_cast<std::size_t>(width));
    for (int i = 0; i < width; ++i) {
        const ILubyte* texel = bytes + 3 * static_cast<std::size_t>(i);
        colours.push_back({texel[0] / 255.0f, texel[1] / 255.0f, texel[2] / 255.0f, 1.0f});
    }
    return SharedValues<Colour>::copyOf(colours);
}

// Where ramp `index`'s image is found.
std::string rampPath(int index) {
    char name[64];
    std::snprintf(name, sizeof name, rampPathFormat, index);
    return datafiles::find(name);
}

// Ramp `index`'s image: its colours, or why it is no ramp.
Result<SharedValues<Colour>> readRamp(int index) {
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const std::string found = rampPath(index);
    const char* path = found.c_str();
    // A file cut short can stall the PNG reader for good, so it is checked
    // before the image library sees it.
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
    }
    Result<SharedValues<Colour>> read =
        fault ? Result<SharedValues<Colour>>(*fault) : boundImageColours();
    ilDeleteImages(1, &image);
    return read;
}

// Every ramp read, and, with textures, made one; the first fault is the
// answer, so that a viewer that goes on without a ramp still has the others.
Status readRamps(RampColours& ramps, uint32_t (*textures)[colorRampCount]) {
    ilInit();
    Status loaded;
    for (int i = 0; i < colorRampCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        Result<SharedValues<Colour>> ramp = readRamp(i);
        std::optional<Error> fault;
        if (!ramp) {
            fault = ramp.error();
        } else if (textures != nullptr) {
            const std::string path = rampPath(i);
            if (std::optional<std::string> tooWide = textureFault(ramp.value())) {
                fault = Error{*tooWide, path};
            } else if (const std::optional<GLenum> glError =
                           uploadRamp(ramp.value(), (*textures)[at])) {
                fault = Error{"Image could not be made a texture (OpenGL error " +
                                  std::to_string(*glError) + ")!",
                              path};
            }
        }
        ramps[at] = fault ? SharedValues<Colour>() : std::move(ramp).value();
        if (fault && loaded) {
            loaded = *fault;
        }
    }
    return loaded;
}

} // namespace

Status readColorRamps(RampColours& ramps) {
    return readRamps(ramps, nullptr);
}

Status loadColorRamps(uint32_t (&textures)[colorRampCount], RampColours* ramps) {
    RampColours read;
    const Status loaded = readRamps(read, &textures);
    if (ramps != nullptr) {
        *ramps = std::move(read);
    }
    return loaded;
}
