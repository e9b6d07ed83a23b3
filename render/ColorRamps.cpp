#include "render/ColorRamps.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

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

Status loadColorRamps(uint32_t (&textures)[colorRampCount], RampColours* ramps) {
    RampColours read;
    const Status loaded =
        readColorRamps(read, [&textures](int index, const SharedValues<Colour>& ramp) {
            const std::string path = rampImagePath(index);
            std::optional<Error> fault;
            if (std::optional<std::string> tooWide = textureFault(ramp)) {
                fault = Error{*tooWide, path};
            } else if (const std::optional<GLenum> glError =
                           uploadRamp(ramp, textures[static_cast<std::size_t>(index)])) {
                fault = Error{"Image could not be made a texture (OpenGL error " +
                                  std::to_string(*glError) + ")!",
                              path};
            }
            return fault;
        });
    if (ramps != nullptr) {
        *ramps = std::move(read);
    }
    return loaded;
}
