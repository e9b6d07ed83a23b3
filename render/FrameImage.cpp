#include "render/FrameImage.h"

#include <GL/glew.h>

#include <algorithm>

FrameImage readFrame(const RenderTargets& targets) {
    FrameImage image;
    image.width = targets.frameWidth;
    image.height = targets.frameHeight;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    std::vector<uint8_t> bottomUp(rowBytes * static_cast<std::size_t>(image.height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, targets.frameTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    // GL stores the bottom row first; images list the top row first.
    image.rgba.resize(bottomUp.size());
    for (int y = 0; y < image.height; ++y) {
        const auto source =
            bottomUp.begin() +
            static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(image.height - 1 - y));
        std::copy(source, source + static_cast<std::ptrdiff_t>(rowBytes),
                  image.rgba.begin() +
                      static_cast<std::ptrdiff_t>(rowBytes * static_cast<std::size_t>(y)));
    }
    return image;
}
