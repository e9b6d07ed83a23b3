#pragma once

#include "facade/Graph.h"
#include "render/FrameImage.h"
#include "render/HeadlessGlContext.h"

#include "tests/support/GraphFixtures.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

namespace testing_support {

using Rgb = std::array<int, 3>;

// A headless GL context with the viewer's render targets and colour ramps
// (read from data/textures in the repository), and a graph to draw.
class RenderTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe();
        graph = std::make_unique<Graph>();
        ASSERT_TRUE(graph->initRenderTargets().ok());
    }

    // Loads file text into the test's graph, keeping its GL objects.
    void load(const std::string& text) {
        TempFile file(text);
        CoutCapture quiet;
        ASSERT_TRUE(graph->load(file.path()).ok()) << quiet.text();
    }

    FrameImage draw(TreeLayoutType layout = TreeLayoutType::Radial, float beta = 1.0f) {
        graph->setLayout(layout);
        graph->setBeta(beta);
        graph->render();
        return readFrame(graph->targets);
    }

    // The frame pixel that shows view coordinates (x, y).
    static std::pair<int, int> pixelOf(const FrameImage& image, float x, float y) {
        const float extent = DrawDescription::frameExtent;
        return {
            static_cast<int>((x + extent) / (2.0f * extent) * static_cast<float>(image.width)),
            static_cast<int>((extent - y) / (2.0f * extent) * static_cast<float>(image.height))};
    }

    static Rgb colourAt(const FrameImage& image, float x, float y) {
        const auto [px, py] = pixelOf(image, x, y);
        const uint8_t* p = image.pixel(px, py);
        return {p[0], p[1], p[2]};
    }

    // Texel of a ramp as the curves take it: nearest filtering at t.
    Rgb rampTexel(int ramp, float t) const {
        std::array<uint8_t, 4 * 4096> texels{};
        glBindTexture(GL_TEXTURE_1D, graph->targets.colorRampTextures[ramp - 1]);
        GLint width = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_1D, 0, GL_TEXTURE_WIDTH, &width);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_1D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        glBindTexture(GL_TEXTURE_1D, 0);
        const int index = std::min(width - 1, static_cast<int>(t * static_cast<float>(width)));
        return {texels[index * 3], texels[index * 3 + 1], texels[index * 3 + 2]};
    }

    HeadlessGlContext gl;
    std::unique_ptr<Graph> graph;
};

inline bool near(const Rgb& a, const Rgb& b, int tolerance) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(a[c] - b[c]) > tolerance) {
            return false;
        }
    }
    return true;
}

inline std::string describe(const Rgb& c) {
    return "(" + std::to_string(c[0]) + ", " + std::to_string(c[1]) + ", " + std::to_string(c[2]) +
           ")";
}

} // namespace testing_support
