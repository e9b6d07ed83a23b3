#include "frame/FrameReuse.h"
#include "analysis/RuleFile.h"
#include "frame/FrameSession.h"
#include "model/GraphLoading.h"

#include "tests/support/CountingBackend.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using testing_support::graphOf;
using testing_support::randomParents;
using testing_support::sceneOf;

// Groups A(1) and B(2) under the root, each with that many leaves (A's
// from 3 on, then B's), every leaf of A related to every leaf of B, and
// back where asked.
CompoundGraph twoGroupsRelated(int perGroup, bool back) {
    std::vector<int> parents{-1, 0, 0};
    std::vector<std::pair<int, int>> relations;
    for (int leaf = 0; leaf < 2 * perGroup; ++leaf) {
        parents.push_back(leaf < perGroup ? 1 : 2);
    }
    for (int a = 3; a < 3 + perGroup; ++a) {
        for (int b = 3 + perGroup; b < 3 + 2 * perGroup; ++b) {
            relations.emplace_back(a, b);
            if (back) {
                relations.emplace_back(b, a);
            }
        }
    }
    return graphOf(parents, relations);
}

Scene randomScene() {
    std::vector<std::pair<int, int>> relations;
    for (int i = 0; i < 40; ++i) {
        relations.emplace_back((i * 7 + 1) % 30, (i * 11 + 4) % 30);
    }
    return sceneOf(graphOf(randomParents(30, 8), relations));
}

TEST(FrameReuse, AnUnchangedSceneNeedsNoNewFrameUntilTheFrameIsForgotten) {
    Scene scene = randomScene();
    const ViewSettings settings;
    FrameReuse reuse;
    const FrameKey key = frameKeyOf(scene, settings);
    EXPECT_TRUE(reuse.needsDrawing(key));
    reuse.markDrawn(key);
    scene.update(settings);
    EXPECT_FALSE(reuse.needsDrawing(frameKeyOf(scene, settings)));
    EXPECT_EQ(reuse.drawnCount(), 1);
    reuse.forget();
    EXPECT_TRUE(reuse.needsDrawing(key));
}

TEST(FrameReuse, EverySettingThatChangesThePictureChangesTheKey) {
    const std::vector<std::pair<const char*, std::function<void(ViewSettings&)>>> changes{
        {"layout", [](ViewSettings& s) { s.layoutType = TreeLayoutType::Classic; }},
        {"beta", [](ViewSettings& s) { s.beta = 0.2f; }},
        {"treemap layout", [](ViewSettings& s) { s.layoutType = TreeLayoutType::TreeMapSquared; }},
        {"treemap spacing", [](ViewSettings& s) { s.treeMapSpacing = 0.03f; }},
        {"blend mode", [](ViewSettings& s) { s.blendMode = BlendModeType::Max; }},
        {"colour ramp", [](ViewSettings& s) { s.colorRamp = 1; }},
        {"line width", [](ViewSettings& s) { s.lineWidth = 8.0f; }},
        {"spline width", [](ViewSettings& s) { s.splineWidth = 1.0f; }},
        {"show tree", [](ViewSettings& s) { s.showTree = false; }},
        {"min alpha", [](ViewSettings& s) { s.minAlpha = 0.8f; }},
        {"alpha exponent", [](ViewSettings& s) { s.alphaExponent = 4.0f; }},
        {"flip alpha", [](ViewSettings& s) { s.flipAlpha = true; }},
        {"show splines", [](ViewSettings& s) { s.showSplines = false; }},
    };
    Scene scene = randomScene();
    ViewSettings settings;
    FrameKey before = frameKeyOf(scene, settings);
    for (const auto& [name, change] : changes) {
        change(settings);
        scene.update(settings);
        const FrameKey after = frameKeyOf(scene, settings);
        EXPECT_FALSE(after == before) << name;
        before = after;
    }
    scene.setGraph(graphOf({-1, 0, 0}));
    scene.update(settings);
    EXPECT_FALSE(frameKeyOf(scene, settings) == before) << "another graph";
}

TEST(FrameReuse, ASpacingMoveWithinEpsilonKeepsTheFrame) {
    ViewSettings settings;
    settings.layoutType = TreeLayoutType::TreeMapSlice;
    Scene scene = sceneOf(graphOf(randomParents(30, 8)), settings);
    const FrameKey before = frameKeyOf(scene, settings);
    settings.treeMapSpacing += 1e-7f;
    scene.update(settings);
    EXPECT_TRUE(frameKeyOf(scene, settings) == before);
}

// Every character 7 pixels wide, lines 12 pixels high.
class FixedMeasure : public TextMeasure {
public:
    float width(std::string_view text) const override {
        return 7.0f * static_cast<float>(text.size());
    }
    float height() const override { return 12.0f; }
};

TEST(FrameSession, AFrameIsMadeOnlyForAChangeAndCarriesTheRampTheNamesAndTheSharedGraph) {
    Scene scene = randomScene();
    FrameSession session(scene, 1024);
    RampColours ramps;
    ramps[2] = SharedValues<Colour>::copyOf(
        std::vector<Colour>{{1.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f, 1.0f}});
    session.setRamps(ramps);
    session.setLabelMeasure(std::make_shared<const FixedMeasure>());
    ViewSettings settings;
    const std::optional<SessionFrame> first = session.frame(settings);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->description->curves.ramp.size(), 2u) << "ramp 3, the default";
    EXPECT_TRUE(first->description->labels.empty()) << "names are off";
    EXPECT_FALSE(session.frame(settings).has_value()) << "nothing changed";

    settings.showLabels = true;
    const std::optional<SessionFrame> named = session.frame(settings);
    ASSERT_TRUE(named.has_value());
    EXPECT_FALSE(named->description->labels.empty());
    EXPECT_EQ(named->description->labelPixels, 12.0f) << "24 pixels of a 2048 frame, at 1024";
    EXPECT_EQ(named->snapshot, first->snapshot) << "nothing moved";

    // A strength moves no node: the window's snapshot stays; a layout makes
    // a new one, which shares the graph rather than copying it.
    settings.beta = 0.5f;
    const std::optional<SessionFrame> mixed = session.frame(settings);
    ASSERT_TRUE(mixed.has_value());
    EXPECT_EQ(mixed->snapshot, first->snapshot);
    EXPECT_NE(mixed->description->curves.points.data(), first->description->curves.points.data())
        << "the first frame's points are not written over";
    settings.layoutType = TreeLayoutType::Classic;
    settings.colorRamp = 1;
    const std::optional<SessionFrame> classic = session.frame(settings);
    ASSERT_TRUE(classic.has_value());
    EXPECT_NE(classic->snapshot, first->snapshot);
    EXPECT_EQ(&classic->snapshot->graph(), &first->snapshot->graph());
    EXPECT_TRUE(classic->description->curves.ramp.empty()) << "ramp 1 was not loaded";
}

TEST(FrameSession, ItsFramesDrawTheirLayersInOneOrderThroughAnyBackend) {
    // root -> A(1) -> {a1(3), a2(4)}, root -> B(2) -> {b1(5)}; a1 -> b1 -> a2.
    Scene scene = sceneOf(graphOf({-1, 0, 0, 1, 1, 2}, {{3, 5}, {5, 4}}));
    FrameSession session(scene);
    ViewSettings settings;
    settings.showSplines = true;
    settings.showTree = true;
    ViewState view;
    view.marked = {5, 4};
    view.highlighted = 3;
    const auto callsOf = [&] {
        testing_support::CountingBackend backend;
        drawAllLayers(*session.frameAnyway(settings, view).description, backend);
        EXPECT_GE(backend.calls.size(), 2u);
        EXPECT_EQ(backend.calls[0], "clear");
        EXPECT_NE(backend.calls[1], "lines 0") << "the tree comes first";
        return std::vector<std::string>(backend.calls.begin() + 2, backend.calls.end());
    };
    // Over the tree: the two curves, the overlay's five links to parents,
    // the two search marks' rings, the highlighted node's ring last.
    EXPECT_EQ(callsOf(), (std::vector<std::string>{"begin 2", "curves 0+2", "finish", "lines 5",
                                                   "lines 2", "lines 1"}));
    settings.showSplines = false;
    settings.showTree = false;
    EXPECT_EQ(callsOf(), (std::vector<std::string>{"lines 2", "lines 1"}));
}

TEST(FrameSession, AHighlightOnABigPictureIsDrawnOverThePictureShown) {
    // A(1) with leaves a0..a99 (3..102), B(2) with b0..b99 (103..202), every
    // a related to every b: 10,000 curves, a0's own 100 of them.
    Scene scene = sceneOf(twoGroupsRelated(100, false));
    FrameSession session(scene);
    session.keepPictures(true);
    const ViewSettings settings;
    ViewState view;
    const std::shared_ptr<const DrawDescription> plain =
        session.frameAnyway(settings, view).description;
    view.highlighted = 3;
    const std::shared_ptr<const DrawDescription> over = session.frame(settings, view)->description;
    ASSERT_EQ(over->under, plain) << "the picture shown, not one made again";
    EXPECT_EQ(over->underKept, dimmedOpacity);
    testing_support::CountingBackend plainCalls;
    drawAllLayers(*plain, plainCalls);
    testing_support::CountingBackend overCalls;
    drawAllLayers(*over, overCalls);
    // The plain picture, dimmed, then only a0's curves (of the 10,000 set)
    // and its ring; no tree and no overlay again.
    std::vector<std::string> expected = plainCalls.calls;
    expected.insert(expected.end(),
                    {"dim", "lines 0", "begin 10000", "curves 0+100", "finish", "lines 1"});
    EXPECT_EQ(overCalls.calls, expected);
    // Letting go brings back the plain picture itself.
    view.highlighted = CompoundGraph::none;
    EXPECT_EQ(session.frame(settings, view)->description, plain);
    // Rules loaded, the picture under a highlight is made again with them.
    const Result<RuleSet> rules = rulefile::parse("forbid n1 -> n2\n", "arch.rules");
    ASSERT_TRUE(rules.ok());
    session.setRules(std::make_shared<const RuleSet>(rules.value()));
    view.highlighted = 3;
    const std::shared_ptr<const DrawDescription> ruled = session.frame(settings, view)->description;
    ASSERT_NE(ruled->under, nullptr);
    EXPECT_NE(ruled->under, plain);
    EXPECT_EQ(ruled->under->curves.fixedColours, std::vector<Colour>{errorRuleColours[0]});
    session.setRules(nullptr);

    // A picture of at most readableBundles curves is drawn whole, its
    // overlay dimmed under the highlight: at depth 1, A -> B is one bundle.
    ViewSettings cut;
    cut.depth = 1;
    view.highlighted = 1;
    const std::shared_ptr<const DrawDescription> whole = session.frame(cut, view)->description;
    EXPECT_EQ(whole->under, nullptr);
    EXPECT_EQ(whole->curves.placeCount(), 1);
    EXPECT_FLOAT_EQ(whole->overlay.colour.a, overlayBlue.a * dimmedOpacity);
}

TEST(FrameSession, ACutWhoseCurvesDoNotFitIsRefusedAndTheCutBeforeStays) {
    // Two groups of five leaves, each leaf related both ways to each of the
    // other group's: 50 relations, 2 bundles at depth 1.
    Scene scene = sceneOf(twoGroupsRelated(5, true));
    FrameSession session(scene);
    ViewSettings settings;
    settings.depth = 1;
    EXPECT_EQ(session.applyCut(settings, {}).bundles, 2);
    // The whole tree would need 50 curves where 2 are shown.
    const uint64_t forTwo = memoryNeeded(scene.graph(), scene.bundles());
    session.setMemoryAvailable(forTwo);
    settings.depth = 2;
    const CutSummary kept = session.applyCut(settings, {});
    EXPECT_EQ(kept.bundles, 2);
    EXPECT_EQ(kept.depth, 1);
    const std::optional<Error> why = session.takeRefusal();
    ASSERT_TRUE(why.has_value());
    EXPECT_NE(why->reason.find("showing 50 bundles needs about"), std::string::npos) << why->reason;
    EXPECT_FALSE(session.takeRefusal().has_value()) << "said once";
    session.setMemoryAvailable(std::nullopt);
    settings.depth = 0;
    EXPECT_EQ(session.applyCut(settings, {}).bundles, 50) << "with the memory, the whole tree";
}

// Where the estimate lets a cut through but making its curves runs out of
// memory (here an address-space cap just above what the process holds), the
// cut is refused with the amounts and the cut before stays shown.
TEST(FrameSession, ACutThatRunsOutOfMemoryIsRefusedAndTheCutBeforeStays) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer maps terabytes: a cap on the address space means "
                    "nothing under it";
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Scene scene;
    scene.setGraph(twoGroupsRelated(100, true));
    FrameSession session(scene);
    ViewSettings settings;
    settings.depth = 1;
    ASSERT_EQ(session.applyCut(settings, {}).bundles, 2);
    session.setMemoryAvailable(uint64_t{1} << 40);
    const auto underCap = [&] {
        std::ifstream statm("/proc/self/statm");
        uint64_t pages = 0;
        statm >> pages;
        const rlimit cap{pages * static_cast<uint64_t>(::sysconf(_SC_PAGESIZE)) + (2u << 20),
                         RLIM_INFINITY};
        ::setrlimit(RLIMIT_AS, &cap);
        settings.depth = 2;
        const CutSummary kept = session.applyCut(settings, {});
        const std::optional<Error> why = session.takeRefusal();
        const bool refused =
            why && why->reason.find("showing 20000 bundles needs more memory than the") !=
                       std::string::npos;
        std::_Exit(kept.bundles == 2 && scene.bundles().bundleCount() == 2 && refused ? 0 : 1);
    };
    EXPECT_EXIT(underCap(), testing::ExitedWithCode(0), "");
}

} // namespace
