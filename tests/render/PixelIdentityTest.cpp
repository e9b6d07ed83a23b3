#include "facade/Graph.h"

#include "render/FrameImage.h"
#include "render/HeadlessGlContext.h"
#include "tests/support/Fnv.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::CoutCapture;
using testing_support::Fnv;

// Fingerprints of whole frames (every byte of the 2048 by 2048 RGBA frame,
// top row first), recorded from the viewer before its drawing was split into
// the scene's description and the GL renderer: the shipped graphs in every
// layout, and settings that reach every drawing path. Pixel-identical, not
// close: one differing byte fails.
struct FramePrint {
    const char* name;
    const char* graph;
    int32_t layout;
    float beta;
    // Settings before the load, and a change after the first frame that
    // the next frame must pick up.
    void (*before)(ViewSettings&);
    void (*after)(ViewSettings&);
    const char* frame;
};

const FramePrint framePrints[] = {
    {"small layout 0", "small", 0, 1.0f, nullptr, nullptr, "ca5fb502deaa1462"},
    {"small layout 1", "small", 1, 1.0f, nullptr, nullptr, "307d8ec6328fccde"},
    {"small layout 2", "small", 2, 1.0f, nullptr, nullptr, "76b5b1fe5ce55140"},
    {"small layout 3", "small", 3, 1.0f, nullptr, nullptr, "c4761407b258b134"},
    {"small layout 4", "small", 4, 1.0f, nullptr, nullptr, "32a369e4c5dfed9d"},
    {"jhotdraw-mini layout 0", "jhotdraw-mini", 0, 1.0f, nullptr, nullptr, "33aac0d9ffa8c142"},
    {"jhotdraw-mini layout 1", "jhotdraw-mini", 1, 1.0f, nullptr, nullptr, "47b6cf1400473559"},
    {"jhotdraw-mini layout 2", "jhotdraw-mini", 2, 1.0f, nullptr, nullptr, "b0925d34fcf2dc04"},
    {"jhotdraw-mini layout 3", "jhotdraw-mini", 3, 1.0f, nullptr, nullptr, "b1a477245d530ca1"},
    {"jhotdraw-mini layout 4", "jhotdraw-mini", 4, 1.0f, nullptr, nullptr, "9fa35ad84a537fb8"},
    {"jhotdraw layout 0", "jhotdraw", 0, 1.0f, nullptr, nullptr, "5e3bcbfc42ec79bf"},
    {"jhotdraw layout 1", "jhotdraw", 1, 1.0f, nullptr, nullptr, "5063673ecfac4402"},
    {"jhotdraw layout 2", "jhotdraw", 2, 1.0f, nullptr, nullptr, "3a638f2524b627b1"},
    {"jhotdraw layout 3", "jhotdraw", 3, 1.0f, nullptr, nullptr, "a7e92bbc1bb3d28a"},
    {"jhotdraw layout 4", "jhotdraw", 4, 1.0f, nullptr, nullptr, "3c8557094843fda4"},
    {"alpha blend, min alpha 0.2, beta 0.8", "jhotdraw-mini", 0, 0.8f,
     [](ViewSettings& s) {
         s.blendMode = BlendModeType::Alpha;
         s.minAlpha = 0.2f;
     },
     nullptr, "049b6675e6cb8e74"},
    {"max blend classic", "jhotdraw-mini", 1, 1.0f,
     [](ViewSettings& s) { s.blendMode = BlendModeType::Max; }, nullptr, "1b194e9be0b9ddaf"},
    {"flipped opacity exponent 3 squared", "jhotdraw-mini", 3, 0.9f,
     [](ViewSettings& s) {
         s.blendMode = BlendModeType::Alpha;
         s.flipAlpha = true;
         s.alphaExponent = 3.0f;
     },
     nullptr, "c736d78e28698d22"},
    {"ramp 1 widths 2 and 6 strip", "jhotdraw-mini", 4, 1.0f,
     [](ViewSettings& s) {
         s.colorRamp = 1;
         s.splineWidth = 2.0f;
         s.lineWidth = 6.0f;
     },
     nullptr, "32a001b7906fd89a"},
    {"ramp 5 beta 0.5 tree off slice", "jhotdraw-mini", 2, 0.5f,
     [](ViewSettings& s) {
         s.colorRamp = 5;
         s.showTree = false;
     },
     nullptr, "71a99e47964e7596"},
    {"spacing 0.03 squared", "jhotdraw-mini", 3, 1.0f,
     [](ViewSettings& s) { s.treeMapSpacing = 0.03f; }, nullptr, "59a2840ac93a4f3c"},
    {"spacing moved to 0.002 after strip", "jhotdraw-mini", 4, 0.7f, nullptr,
     [](ViewSettings& s) { s.treeMapSpacing = 0.002f; }, "48e23632ca5bbe16"},
    {"splines off classic", "jhotdraw-mini", 1, 1.0f,
     [](ViewSettings& s) { s.showSplines = false; }, nullptr, "4e7017a7827c18ae"},
    {"ramp 2 alpha blend beta 0 radial", "jhotdraw", 0, 0.0f,
     [](ViewSettings& s) {
         s.colorRamp = 2;
         s.blendMode = BlendModeType::Alpha;
     },
     nullptr, "3a6bc0033e871141"},
};

TEST(PixelIdentity, FramesMatchTheRecordedOnes) {
    HeadlessGlContext gl;
    ASSERT_TRUE(gl.status().ok()) << gl.status().error().describe();
    for (const FramePrint& print : framePrints) {
        SCOPED_TRACE(print.name);
        Graph graph;
        ASSERT_TRUE(graph.initRenderTargets().ok());
        if (print.before != nullptr) {
            print.before(graph.settings);
        }
        {
            CoutCapture quiet;
            ASSERT_TRUE(graph.load("data/Graphs/" + std::string(print.graph) + ".rsf").ok());
        }
        graph.setLayout(static_cast<TreeLayoutType>(print.layout));
        graph.setBeta(print.beta);
        graph.render();
        if (print.after != nullptr) {
            print.after(graph.settings);
            graph.render();
        }
        const FrameImage image = readFrame(graph.targets);
        Fnv fingerprint;
        fingerprint.add(image.rgba.data(), image.rgba.size());
        EXPECT_EQ(fingerprint.hex(), print.frame);
    }
}

} // namespace
