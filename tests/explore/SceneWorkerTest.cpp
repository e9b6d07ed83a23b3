#include "explore/SceneWorker.h"

#include "base/ConsoleProgress.h"
#include "frame/SceneDrawing.h"
#include "io/GraphFileReader.h"
#include "model/GraphLoading.h"
#include "tests/support/GraphFixtures.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>
#include <vector>

namespace {

using testing_support::CoutCapture;
using testing_support::graphText;
using testing_support::randomParents;
using testing_support::TempFile;

ConsoleProgress printer(ConsoleProgress::Quarters::shown);

std::string randomGraphText(int nodes, int relations, unsigned seed) {
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < relations; ++i) {
        pairs.emplace_back((i * 7 + 1) % nodes, (i * 13 + seed) % nodes);
    }
    return graphText(randomParents(nodes, seed), pairs);
}

// The frame made for the last request; frames made on the way are let go.
SceneFrame nextFrame(SceneWorker& worker) {
    for (;;) {
        worker.waitForFrameOrIdle();
        std::optional<SceneFrame> frame = worker.takeFrame();
        if (!frame) {
            ADD_FAILURE() << "no frame";
            return {};
        }
        if (!worker.hasRequests()) {
            return std::move(*frame);
        }
    }
}

std::vector<float> pointsOf(const SceneFrame& frame) {
    return {frame.description->curves.points.begin(), frame.description->curves.points.end()};
}

TEST(SceneWorker, FramesAreThoseOfTheSceneComputedInPlace) {
    TempFile file(randomGraphText(120, 300, 4));
    CoutCapture output;
    SceneWorker worker(ThreadPool::shared(), {}, nullptr, &printer);
    ViewSettings settings;
    settings.layoutType = TreeLayoutType::TreeMapStrip;
    settings.beta = 0.6f;
    settings.minAlpha = 0.3f;
    worker.show(settings);
    worker.load(file.path());
    const SceneFrame frame = nextFrame(worker);
    EXPECT_EQ(frame.snapshot->graph().nodeCount(), 120);

    Scene scene;
    {
        CoutCapture quiet;
        ASSERT_TRUE(loadGraphFile(scene, file.path()).ok());
    }
    scene.update(settings);
    const DrawDescription expected = describeScene(scene, settings);
    EXPECT_EQ(frame.snapshot->graph().edgeCount(), scene.graph().edgeCount());
    EXPECT_EQ(pointsOf(frame),
              std::vector<float>(expected.curves.points.begin(), expected.curves.points.end()));
    EXPECT_EQ(frame.description->curves.opacity, expected.curves.opacity);
    EXPECT_EQ(frame.description->tree.rectangles, expected.tree.rectangles);
    EXPECT_EQ(output.text(), "Reading " + file.path() +
                                 " ... done!\nBuilding Tree Layouts ... done!\n"
                                 "Building Splines ... done!\n");
}

TEST(SceneWorker, AFramesPointsStayAsTheyWereWhileTheWorkerGoesOn) {
    TempFile file(randomGraphText(60, 100, 2));
    CoutCapture quiet;
    SceneWorker worker;
    worker.load(file.path());
    const SceneFrame first = nextFrame(worker);
    const std::vector<float> before = pointsOf(first);
    ViewSettings straight;
    straight.beta = 0.0f;
    worker.show(straight);
    const SceneFrame second = nextFrame(worker);
    EXPECT_NE(pointsOf(second), before);
    EXPECT_EQ(pointsOf(first), before) << "the frame kept shares points nobody writes";
    ViewSettings halfway;
    halfway.beta = 0.5f;
    worker.show(halfway);
    const SceneFrame third = nextFrame(worker);
    EXPECT_EQ(pointsOf(first), before);
    EXPECT_NE(pointsOf(third), pointsOf(second));
    worker.waitForFrameOrIdle();
    EXPECT_FALSE(worker.busy());
}

TEST(SceneWorker, AnUnchangedSceneMakesNoNewFrame) {
    TempFile file(randomGraphText(60, 100, 3));
    CoutCapture quiet;
    SceneWorker worker;
    worker.load(file.path());
    nextFrame(worker);
    ViewSettings same;
    same.treeMapSpacing = 0.02f; // no treemap shown: nothing changes
    worker.show(same);
    worker.waitForFrameOrIdle();
    EXPECT_FALSE(worker.takeFrame().has_value());
}

TEST(SceneWorker, ARejectedFileKeepsTheGraphAndALaterLoadWins) {
    TempFile good(randomGraphText(50, 80, 5));
    TempFile other(randomGraphText(70, 90, 6));
    TempFile bad("HierarchyElements 2\nRoot 0\nPCR 0 0\n");
    CoutCapture output;
    SceneWorker worker(ThreadPool::shared(), {}, nullptr, &printer);
    worker.load(good.path());
    EXPECT_EQ(nextFrame(worker).snapshot->graph().nodeCount(), 50);
    worker.load(bad.path());
    worker.waitForFrameOrIdle();
    EXPECT_FALSE(worker.takeFrame().has_value()) << "the graph on screen stays";
    EXPECT_NE(output.text().find(bad.path() + ":3: making node 0 a child of node 0 closes a cycle"),
              std::string::npos);
    // Busy until the window has taken why: it rests only once it has.
    EXPECT_TRUE(worker.busy());
    const std::optional<Error> why = worker.takeLoadError();
    ASSERT_TRUE(why.has_value()) << "the window shows why";
    EXPECT_EQ(why->describe(), bad.path() + ":3: making node 0 a child of node 0 closes a cycle");
    EXPECT_FALSE(worker.takeLoadError().has_value()) << "told once";
    EXPECT_FALSE(worker.busy());

    // A load asked for while another runs cancels it; the last one asked for
    // is the graph shown, whether or not the first got to the end.
    worker.load(good.path());
    worker.load(other.path());
    const SceneFrame last = nextFrame(worker);
    EXPECT_EQ(last.snapshot->graph().nodeCount(), 70);
    EXPECT_EQ(last.graphPath, other.path());
}

TEST(SceneWorker, AComparisonLoadsLikeAFileAndShowKeptBundlesItAnew) {
    const std::vector<int> parents{-1, 0, 0, 1, 1, 2, 2};
    TempFile older(graphText(parents, {{3, 5}, {6, 3}}));
    TempFile newer(graphText(parents, {{3, 5}, {4, 5}}));
    CoutCapture output;
    SceneWorker worker(ThreadPool::shared(), {}, nullptr, &printer);
    worker.compare(older.path(), newer.path());
    const SceneFrame compared = nextFrame(worker);
    ASSERT_TRUE(compared.snapshot->comparison);
    EXPECT_EQ(compared.graphPath, newer.path());
    EXPECT_NE(output.text().find("Building Splines ... done!\nCompared: 1 added, 1 removed, 1 kept "
                                 "relations; 0 added, 0 removed nodes\n"),
              std::string::npos)
        << output.text();
    EXPECT_EQ(compared.snapshot->bundles->bundleCount(), 3);

    // The window's snapshot follows the bundles, for the tooltip's counts.
    ViewSettings settings;
    settings.showKept = false;
    worker.show(settings);
    EXPECT_EQ(nextFrame(worker).snapshot->bundles->bundleCount(), 2);

    // A version that cannot be read keeps the comparison on screen.
    worker.compare("no/such/old.rsf", newer.path());
    worker.waitForFrameOrIdle();
    EXPECT_FALSE(worker.takeFrame().has_value());
    const std::optional<Error> why = worker.takeLoadError();
    ASSERT_TRUE(why.has_value());
    EXPECT_EQ(why->path, "no/such/old.rsf");
}

TEST(SceneWorker, AHighlightPickedInOneGraphIsNotCarriedIntoTheNext) {
    TempFile first(randomGraphText(50, 80, 5));
    TempFile second(randomGraphText(70, 90, 6));
    CoutCapture quiet;
    SceneWorker worker;
    worker.load(first.path());
    const SceneFrame plain = nextFrame(worker);
    ViewState view;
    view.graphNumber = plain.snapshot->graphNumber;
    view.highlighted = 7;
    view.marked = {3, 4};
    worker.show(ViewSettings(), view);
    const SceneFrame highlighted = nextFrame(worker);
    EXPECT_FALSE(highlighted.description->curves.colourIndex.empty());
    EXPECT_EQ(highlighted.description->marks.size(), 2u);
    worker.load(second.path());
    const SceneFrame next = nextFrame(worker);
    EXPECT_NE(next.snapshot->graphNumber, plain.snapshot->graphNumber);
    EXPECT_TRUE(next.description->curves.colourIndex.empty()) << "node 7 of the first graph";
    EXPECT_TRUE(next.description->marks.empty());
}

TEST(SceneWorker, ACollapseMovesTheNodesFrameByFrameIntoTheirParentWhenAllowed) {
    // root -> A(1) -> {a1(3), a2(4)}, root -> B(2) -> {b1(5)}.
    TempFile file(graphText({-1, 0, 0, 1, 1, 2}, {{3, 5}, {5, 4}}));
    CoutCapture quiet;
    SceneWorker worker;
    worker.load(file.path());
    const SceneFrame whole = nextFrame(worker);
    ViewState collapseA;
    collapseA.graphNumber = whole.snapshot->graphNumber;
    collapseA.toggled = {1};

    // Not allowed (as at first): the new cut at once, to be faded in.
    worker.show(ViewSettings(), collapseA);
    const SceneFrame jumped = nextFrame(worker);
    EXPECT_EQ(jumped.change, FrameChange::Jumped);
    EXPECT_EQ(jumped.cut.bundles, 2);

    worker.allowMotion(true);
    ViewState wholeView;
    wholeView.graphNumber = collapseA.graphNumber;
    // Every frame the worker offers until it rests.
    const auto allFrames = [&worker] {
        std::vector<SceneFrame> frames;
        for (;;) {
            worker.waitForFrameOrIdle();
            std::optional<SceneFrame> frame = worker.takeFrame();
            if (!frame) {
                return frames;
            }
            frames.push_back(std::move(*frame));
        }
    };
    worker.show(ViewSettings(), wholeView);
    // The expansion's motion runs to its end first, so that none of its
    // frames is taken for one of the collapse.
    const std::vector<SceneFrame> expanding = allFrames();
    ASSERT_FALSE(expanding.empty());
    EXPECT_EQ(expanding.front().change, FrameChange::Moved) << "expanding moves too";
    worker.show(ViewSettings(), collapseA);
    const std::vector<SceneFrame> steps = allFrames();
    ASSERT_GE(steps.size(), 2u) << "a first step, and the last once 300 ms have passed";
    for (const SceneFrame& step : steps) {
        EXPECT_EQ(step.change, FrameChange::Moved);
    }
    // On the way the curves are drawn moving towards A's place on the leaf
    // circle; at the end they are where a frame made at once draws them.
    const auto pointsOf = [](const SceneFrame& frame) {
        const SharedValues<float>& points = frame.description->curves.points;
        return std::vector<float>(points.data(), points.data() + points.size());
    };
    EXPECT_NE(pointsOf(steps.front()), pointsOf(jumped)) << "the first step is on the way";
    EXPECT_EQ(pointsOf(steps.back()), pointsOf(jumped));
    EXPECT_EQ(steps.back().cut, jumped.cut);
    // The pointer answers for where the nodes are going from the first step
    // on: a click on A's new place hits A while it moves.
    for (const SceneFrame& step : steps) {
        EXPECT_EQ(step.snapshot->cut.collapsed, std::vector<int32_t>{1});
        EXPECT_EQ(step.snapshot->positions, jumped.snapshot->positions);
    }
}

TEST(GraphLoading, ACancelledLoadLeavesTheSceneAndSaysSo) {
    TempFile first(randomGraphText(30, 40, 7));
    TempFile second(randomGraphText(40, 40, 8));
    Scene scene;
    {
        CoutCapture quiet;
        ASSERT_TRUE(loadGraphFile(scene, first.path()).ok());
    }
    Progress progress(&printer);
    progress.cancel();
    CoutCapture output;
    const Status loaded = loadGraphFile(scene, second.path(), &progress);
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.error().reason, "cancelled");
    EXPECT_EQ(scene.graph().nodeCount(), 30);
    EXPECT_EQ(output.text(), "Reading " + second.path() + " ... cancelled\n");
}

TEST(GraphLoading, AGraphTooLargeForTheMemoryLeftIsRefused) {
    std::mt19937 random(9);
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < 1000; ++i) {
        pairs.emplace_back(random() % 300, random() % 300);
    }
    TempFile file(graphText(randomParents(300, 9), pairs));
    const CompoundGraph graph = graphfile::read(file.path()).value();
    ASSERT_GT(graph.edgeCount(), 980);
    const uint64_t needed = memoryNeeded(graph);
    // And the routes.
    EXPECT_GT(needed, graph.edgeCount() * bytesPerRelation + 300 * bytesPerNode);
    Scene scene;
    CoutCapture output;
    EXPECT_TRUE(loadGraphFile(scene, file.path(), nullptr, needed).ok()) << "just enough";
    const Status loaded = loadGraphFile(scene, file.path(), nullptr, needed - 1);
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.error().describe(),
              file.path() + ": showing " + std::to_string(graph.edgeCount()) +
                  " relations needs about 3 MiB of memory; this machine has 3 MiB available");
    EXPECT_EQ(scene.graph().nodeCount(), 300) << "the graph shown stays";
}

} // namespace
