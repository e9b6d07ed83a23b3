#include "render/FrameImage.h"

#include <GL/glew.h>

#include <algorithm>

FrameImage readFrame(const RenderTargets& targets) {
    return readFrameTexture(targets, targets.frameTexture);
}

FrameImage readFrameTexture(const RenderTargets& targets, uint32_t texture) {
    FrameImage image;
    image.width = targets.frameWidth;
    image.height = targets.frameHeight;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    image.rgba.resize(rowBytes * static_cast<std::size_t>(image.height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.rgba.data());
    // GL stores the bottom row first; images list the top row first.
    for (int top = 0, bottom = image.height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(image.rgba.begin() +
                             static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(top)),
                         image.rgba.begin() + static_cast<std::ptrdiff_t>(
                                                  rowBytes * static_cast<std::size_t>(top + 1)),
                         image.rgba.begin() + static_cast<std::ptrdiff_t>(
                                                  rowBytes * static_cast<std::size_t>(bottom)));
    }
    return image;
}
