#include "tests/render/RenderFixture.h"

#include "settings/BlendModeType.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using testing_support::graphText;
using testing_support::RenderTest;

class FrameReuse : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        const std::vector<int> parents = testing_support::randomParents(30, 8);
        std::vector<std::pair<int, int>> relations;
        for (int i = 0; i < 40; ++i) {
            relations.emplace_back((i * 7 + 1) % 30, (i * 11 + 4) % 30);
        }
        load(graphText(parents, relations));
        graph->settings.blendMode = BlendModeType::Alpha;
        graph->settings.minAlpha = 0.2f;
        graph->setLayout(TreeLayoutType::Radial);
        graph->setBeta(0.8f);
    }

    FrameImage frame() {
        graph->render();
        return readFrame(graph->targets);
    }
};

TEST_F(FrameReuse, UnchangedSceneIsNotDrawnAgainAndLooksTheSame) {
    const FrameImage first = frame();
    const int64_t drawn = graph->session.framesMade();
    const FrameImage again = frame();
    EXPECT_EQ(graph->session.framesMade(), drawn);
    EXPECT_EQ(again.rgba, first.rgba);
    // The same settings drawn anew give the same picture.
    graph->session.forget();
    EXPECT_EQ(frame().rgba, first.rgba);
    EXPECT_EQ(graph->session.framesMade(), drawn + 1);
}

TEST_F(FrameReuse, EverySettingThatChangesThePictureRedrawsIt) {
    const std::vector<std::pair<const char*, std::function<void(Graph&)>>> changes{
        {"layout", [](Graph& g) { g.setLayout(TreeLayoutType::Classic); }},
        {"beta", [](Graph& g) { g.setBeta(0.2f); }},
        {"treemap layout", [](Graph& g) { g.setLayout(TreeLayoutType::TreeMapSquared); }},
        {"treemap spacing", [](Graph& g) { g.settings.treeMapSpacing = 0.03f; }},
        {"blend mode", [](Graph& g) { g.settings.blendMode = BlendModeType::Max; }},
        {"colour ramp", [](Graph& g) { g.settings.colorRamp = 1; }},
        {"line width", [](Graph& g) { g.settings.lineWidth = 8.0f; }},
        {"spline width", [](Graph& g) { g.settings.splineWidth = 1.0f; }},
        {"show tree", [](Graph& g) { g.settings.showTree = false; }},
        {"blend mode back", [](Graph& g) { g.settings.blendMode = BlendModeType::Alpha; }},
        {"min alpha", [](Graph& g) { g.settings.minAlpha = 0.8f; }},
        {"alpha exponent", [](Graph& g) { g.settings.alphaExponent = 4.0f; }},
        {"flip alpha", [](Graph& g) { g.settings.flipAlpha = true; }},
        {"show splines", [](Graph& g) { g.settings.showSplines = false; }},
    };
    FrameImage before = frame();
    for (const auto& [name, change] : changes) {
        const int64_t drawn = graph->session.framesMade();
        change(*graph);
        FrameImage after = frame();
        EXPECT_EQ(graph->session.framesMade(), drawn + 1) << name;
        EXPECT_NE(after.rgba, before.rgba) << name;
        before = std::move(after);
    }
    const int64_t drawn = graph->session.framesMade();
    load(graphText({-1, 0, 0}));
    frame();
    EXPECT_EQ(graph->session.framesMade(), drawn + 1) << "another graph";
}

} // namespace
