#include "model/GraphLoading.h"

#include "base/ConsoleProgress.h"
#include "io/GraphFileReader.h"
#include "io/GraphFileWriter.h"
#include "io/GraphReading.h"
#include "tests/support/GraphFixtures.h"
#include "tests/support/GraphText.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>
#include <vector>

namespace {

using testing_support::CoutCapture;
using testing_support::TempFile;

const char* const smallGraph = "HierarchyElements 5\nRoot 0\nH 0 top\nH 1 left\nH 2 right\n"
                               "H 3 a\nH 4 b\nPCR 0 1\nPCR 0 2\nPCR 1 3\nPCR 2 4\nR 3 4\nR 4 3\n";
const char* const otherGraph = "HierarchyElements 3\nRoot 0\nH 0 r\nH 1 x\nH 2 y\n"
                               "PCR 0 1\nPCR 0 2\nR 1 2\n";

// What the programs print of a load.
class PrintedLoad {
public:
    Progress* progress() { return &reported; }
    std::string text() const { return output.text(); }

private:
    CoutCapture output;
    ConsoleProgress printer{ConsoleProgress::Quarters::shown};
    Progress reported{&printer};
};

TEST(GraphLoading, PrintsTheThreeProgressLinesAndEndsRadialAndSampled) {
    TempFile file(smallGraph);
    Scene scene;
    ViewSettings classic;
    classic.layoutType = TreeLayoutType::Classic;
    PrintedLoad output;
    ASSERT_TRUE(loadGraphFile(scene, file.path(), output.progress()).ok());
    EXPECT_EQ(output.text(), "Reading " + file.path() +
                                 " ... done!\nBuilding Tree Layouts ... done!\n"
                                 "Building Splines ... done!\n");
    EXPECT_EQ(scene.graph().nodeCount(), 5);
    EXPECT_EQ(scene.graph().edgeCount(), 2);
    EXPECT_EQ(scene.appliedLayout(), TreeLayoutType::Radial);
    // Radial: leaf a (the first of two) at angle 90 degrees on the circle of 0.8.
    EXPECT_NEAR(scene.positions()[3].x, 0.8f, 1e-6);
    EXPECT_NEAR(scene.positions()[3].y, 0.0f, 1e-6);
    EXPECT_EQ(scene.samples().edgeCount(), 2);
    EXPECT_FALSE(scene.curvesCurrent()) << "no strength was ever applied";
}

TEST(GraphLoading, ASecondLoadReplacesTheFirstAndMixesWithTheStrengthAppliedBefore) {
    TempFile first(smallGraph);
    TempFile second(otherGraph);
    Scene scene;
    CoutCapture quiet;
    ASSERT_TRUE(loadGraphFile(scene, first.path()).ok());
    ViewSettings settings;
    settings.layoutType = TreeLayoutType::TreeMapStrip;
    settings.beta = 0.0f;
    scene.update(settings);
    ASSERT_TRUE(loadGraphFile(scene, second.path()).ok());
    EXPECT_EQ(scene.graph().nodeCount(), 3);
    EXPECT_EQ(scene.graph().name(1), "x");
    EXPECT_EQ(scene.appliedLayout(), TreeLayoutType::Radial);
    ASSERT_TRUE(scene.curvesCurrent());
    EXPECT_EQ(scene.appliedStrength(), 0.0f);
    // Strength 0: the one curve is the straight line between x and y, two
    // leaves on the circle of 0.8 at 90 and 270 degrees.
    EXPECT_NEAR(scene.curves().arcLength[0], 1.6f, 1e-5);
}

TEST(GraphLoading, TheDepthAGraphOpensAtStaysItsOpeningDepthWhateverTheCutAfter) {
    // root -> A -> a1 -> a1x, root -> B: depth 3.
    TempFile file(testing_support::graphText({-1, 0, 1, 2, 0}, {{3, 4}}));
    LoadOptions options;
    options.depth = 1;
    CoutCapture quiet;
    Result<Scene> loaded = readScene(file.path(), ThreadPool::shared(), options);
    ASSERT_TRUE(loaded.ok());
    Scene& scene = loaded.value();
    EXPECT_EQ(scene.cut().collapsed, std::vector<int32_t>{1});
    EXPECT_EQ(scene.openedDepth(), 1);
    scene.setCut(cutOf(scene.graph(), 2));
    EXPECT_EQ(scene.openedDepth(), 1);
    scene.setGraph(CompoundGraph{});
    EXPECT_EQ(scene.openedDepth(), 0) << "another graph opens afresh";
}

TEST(GraphLoading, ARejectedFileKeepsTheGraphOnScreen) {
    TempFile good(smallGraph);
    TempFile bad("HierarchyElements 5\nRoot 0\nH 0 changed\nPCR 0 1\nPCR 2 1\n");
    Scene scene;
    {
        CoutCapture quiet;
        ASSERT_TRUE(loadGraphFile(scene, good.path()).ok());
    }
    ViewSettings classic;
    classic.layoutType = TreeLayoutType::Classic;
    scene.update(classic);
    const std::vector<Point> before(scene.positions().begin(), scene.positions().end());
    const uint64_t revision = scene.revision();

    PrintedLoad output;
    const Status loaded = loadGraphFile(scene, bad.path(), output.progress());
    ASSERT_FALSE(loaded.ok());
    EXPECT_EQ(loaded.error().describe(), bad.path() + ":5: node 1 already has parent 0");
    EXPECT_EQ(output.text(), "Reading " + bad.path() + " ... failed!\n" + bad.path() +
                                 ":5: node 1 already has parent 0\n");
    EXPECT_EQ(scene.graph().nodeCount(), 5);
    EXPECT_EQ(scene.graph().name(0), "top");
    EXPECT_EQ(scene.appliedLayout(), TreeLayoutType::Classic);
    EXPECT_EQ(std::vector<Point>(scene.positions().begin(), scene.positions().end()), before);
    EXPECT_EQ(scene.revision(), revision);
}

TEST(GraphLoading, ARejectedFileOfAnyFormatKeepsTheGraph) {
    TempFile good(smallGraph);
    Scene scene;
    CoutCapture quiet;
    ASSERT_TRUE(loadGraphFile(scene, good.path()).ok());
    struct Case {
        const char* text;
        const char* name;
        const char* where;
    };
    const Case cases[] = {
        {"[{\"name\": \"a\"},\n {\"name\": [1]}]", "bad.json", ":2:"},
        {"a,b\nc,\n", "bad.csv", ":2:"},
        {"<graphml><graph>\n<node id=\"a\"/><node id=\"a\"/></graph></graphml>", "bad.graphml",
         ":2:"},
    };
    for (const Case& c : cases) {
        TempFile bad(c.text, c.name);
        const Status loaded = loadGraphFile(scene, bad.path());
        ASSERT_FALSE(loaded.ok()) << c.name;
        EXPECT_EQ(loaded.error().describe().find(bad.path() + c.where), 0u)
            << loaded.error().describe();
        EXPECT_EQ(scene.graph().nodeCount(), 5);
        EXPECT_EQ(scene.graph().name(0), "top");
    }
}

TEST(GraphLoading, TheSeparatorGivenSplitsTheNames) {
    TempFile list("a-b c-d\n", "pairs.txt");
    Scene scene;
    CoutCapture quiet;
    ASSERT_TRUE(loadGraphFile(scene, list.path(), nullptr, std::nullopt, "-").ok());
    // pairs above a and c, each with one child.
    EXPECT_EQ(scene.graph().nodeCount(), 5);
    EXPECT_EQ(scene.graph().name(scene.graph().root), "pairs");
}

TEST(GraphLoading, DotNodesAreNamedAsAskedAndAWarningFollowsTheReading) {
    TempFile dot("digraph { subgraph cluster_a { x [label=\"X\"] } subgraph cluster_b { x } }",
                 "two.dot");
    LoadOptions options;
    options.dotNames = DotNames::Label;
    PrintedLoad output;
    options.progress = output.progress();
    Result<Scene> loaded = readScene(dot.path(), ThreadPool::shared(), options);
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(testing_support::outline(loaded.value().graph()), "two(a(X) b)");
    EXPECT_EQ(output.text(), "Reading " + dot.path() +
                                 " ... done!\nWarning: 1 node appears in two clusters, neither "
                                 "inside the other; each is kept in the first.\nBuilding Tree "
                                 "Layouts ... done!\nBuilding Splines ... done!\n");
}

TEST(GraphLoading, AJsonFileAndItsConversionGiveTheSameLayoutsAndCurves) {
    const std::string json = "data/examples/imports.json";
    const TempFile converted("", "unused");
    const std::string rsf = (converted.folderPath() / "imports.rsf").string();
    ASSERT_TRUE(graphfile::write(readGraph(json).value(), rsf));
    ThreadPool pool(2);
    CoutCapture quiet;
    Scene fromJson = readScene(json, pool, {1.0f, nullptr, std::nullopt, {}}).value();
    Scene fromLines = readScene(rsf, pool, {1.0f, nullptr, std::nullopt, {}}).value();
    for (int32_t layout = 0; layout < 5; ++layout) {
        ViewSettings settings;
        settings.layoutType = static_cast<TreeLayoutType>(layout);
        fromJson.update(settings);
        fromLines.update(settings);
        ASSERT_EQ(std::vector<Point>(fromJson.positions().begin(), fromJson.positions().end()),
                  std::vector<Point>(fromLines.positions().begin(), fromLines.positions().end()))
            << "layout " << layout;
        const std::span<const float> a = fromJson.curves().points.span();
        const std::span<const float> b = fromLines.curves().points.span();
        ASSERT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end())) << "layout " << layout;
    }
    EXPECT_EQ(fromJson.graph().edgeCount(), 36);
}

// Two chains of depth nodes each under node 0, and a relation between their
// ends.
std::string twoDeepChains(int depth) {
    std::string text = "HierarchyElements " + std::to_string(2 * depth + 1) + "\nRoot 0\n";
    for (int chain = 0; chain < 2; ++chain) {
        for (int level = 1; level <= depth; ++level) {
            const int node = chain * depth + level;
            text += "PCR " + std::to_string(level == 1 ? 0 : node - 1) + " " +
                    std::to_string(node) + "\n";
        }
    }
    return text + "R " + std::to_string(depth) + " " + std::to_string(2 * depth) + "\n";
}

TEST(GraphLoading, TheMemoryNeededCountsTheRoutesAlongTheHierarchy) {
    TempFile file(twoDeepChains(2000));
    // The route: each end three times and the 1,999 ancestors of each below
    // the root, 4,004 entries.
    const uint64_t needed = bytesPerRelation + 4001 * bytesPerNode + 4004 * bytesPerRouteEntry;
    EXPECT_EQ(memoryNeeded(graphfile::read(file.path()).value()), needed);
    Scene scene;
    CoutCapture output;
    EXPECT_FALSE(loadGraphFile(scene, file.path(), nullptr, needed - 1).ok());
    EXPECT_EQ(scene.graph().nodeCount(), 0);
    EXPECT_TRUE(loadGraphFile(scene, file.path(), nullptr, needed).ok()) << "just enough";
}

TEST(GraphLoading, ManyCurvesDrawnOpaqueGetTheAdviceThatApplies) {
    ViewSettings settings;
    EXPECT_EQ(densityHint(5000, settings), std::nullopt) << "5,000 curves stay readable";
    EXPECT_EQ(densityHint(5001, settings),
              "Hint: 5001 curves hide one another; Blend Mode \"Density\" (--blend density) "
              "shows where they bundle, and \"Show Tree\" off (--tree off) takes the overlay off "
              "them.");
    settings.showTree = false;
    EXPECT_EQ(densityHint(245210, settings),
              "Hint: 245210 curves hide one another; Blend Mode \"Density\" (--blend density) "
              "shows where they bundle.")
        << "the tree is off already";
    settings.blendMode = BlendModeType::Density;
    EXPECT_EQ(densityHint(245210, settings), std::nullopt) << "density shows them";
}

TEST(GraphLoading, AMissingFileIsReportedWithItsPath) {
    Scene scene;
    PrintedLoad output;
    EXPECT_FALSE(loadGraphFile(scene, "no/such/graph.rsf", output.progress()).ok());
    EXPECT_EQ(output.text(),
              "Reading no/such/graph.rsf ... failed!\n"
              "no/such/graph.rsf: cannot open the file (No such file or directory)\n");
    EXPECT_EQ(scene.graph().nodeCount(), 0);

    // A path's control characters and bidi overrides are shown escaped.
    PrintedLoad hostile;
    EXPECT_FALSE(loadGraphFile(scene, "no/\x1b[2J\xe2\x80\xaegraph.rsf", hostile.progress()).ok());
    EXPECT_TRUE(hostile.text().starts_with("Reading no/\\x1B[2J\\u202Egraph.rsf ... failed!\n"))
        << hostile.text();
}

// Last year's JSON export against this year's line-format file, whose
// node "a.b" is the JSON's b under a.
TEST(GraphLoading, TwoVersionsOfAnyFormatsAreReadAndComparedByPath) {
    TempFile older("[{\"name\": \"a.b.X\", \"imports\": [\"c.Y\"]},\n"
                   " {\"name\": \"c.Y\", \"imports\": [\"a.b.X\"]}]\n",
                   "deps-1.2.json");
    TempFile newer("HierarchyElements 6\nRoot 0\nH 0 sys\nH 1 a.b\nH 2 X\nH 3 Z\nH 4 c\nH 5 Y\n"
                   "PCR 0 1\nPCR 1 2\nPCR 1 3\nPCR 0 4\nPCR 4 5\nR 2 5\nR 3 5\n",
                   "deps-1.3.rsf");
    PrintedLoad output;
    LoadOptions options;
    options.progress = output.progress();
    Result<Scene> loaded =
        readComparison(older.path(), newer.path(), ThreadPool::shared(), options);
    ASSERT_TRUE(loaded.ok()) << output.text();
    EXPECT_EQ(output.text(), "Reading " + older.path() + " ... done!\nReading " + newer.path() +
                                 " ... done!\nBuilding Tree Layouts ... done!\n"
                                 "Building Splines ... done!\n");
    const Scene& scene = loaded.value();
    EXPECT_EQ(testing_support::outline(scene.graph(), scene.graph().root), "sys(a(b(X Z)) c(Y))");
    ASSERT_TRUE(scene.comparison());
    EXPECT_EQ(scene.comparison()->summary.line(),
              "Compared: 1 added, 1 removed, 1 kept relations; 1 added, 1 removed nodes");
    // X -> Y kept, Z -> Y added, Y -> X removed, by the ends' ids.
    EXPECT_EQ(scene.graph().source, (std::vector<int32_t>{3, 4, 6}));
    using enum RelationKind;
    EXPECT_EQ(scene.comparison()->kinds, (std::vector<RelationKind>{Kept, Added, Removed}));
    EXPECT_EQ(scene.bundles().kind, scene.comparison()->kinds) << "a bundle per relation";
}

TEST(GraphLoading, AFileComparedWithItselfKeepsEveryRelation) {
    CoutCapture quiet;
    const std::string file = "data/Graphs/jhotdraw-mini.rsf";
    Result<Scene> loaded = readComparison(file, file, ThreadPool::shared(), {});
    ASSERT_TRUE(loaded.ok());
    EXPECT_EQ(loaded.value().comparison()->summary.line(),
              "Compared: 0 added, 0 removed, 1641 kept relations; 0 added, 0 removed nodes");
    EXPECT_EQ(loaded.value().graph().nodeCount(), 343);
}

TEST(GraphLoading, ARefusedVersionIsNamedAndEndsTheComparison) {
    TempFile good(smallGraph);
    for (const bool olderMissing : {true, false}) {
        const std::string older = olderMissing ? "no/such/old.rsf" : good.path();
        const std::string newer = olderMissing ? good.path() : "no/such/new.rsf";
        PrintedLoad output;
        LoadOptions options;
        options.progress = output.progress();
        const Result<Scene> loaded = readComparison(older, newer, ThreadPool::shared(), options);
        ASSERT_FALSE(loaded.ok());
        const std::string missing = olderMissing ? older : newer;
        EXPECT_EQ(loaded.error().describe(),
                  missing + ": cannot open the file (No such file or directory)");
        EXPECT_EQ(output.text(), (olderMissing ? "" : "Reading " + older + " ... done!\n") +
                                     "Reading " + missing + " ... failed!\n" +
                                     loaded.error().describe() + "\n");
    }
}

} // namespace
