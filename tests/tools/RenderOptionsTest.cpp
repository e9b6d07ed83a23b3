#include "tools/render/RenderOptions.h"

#include "graph/Graph.h"

#include <gtest/gtest.h>

namespace {

RenderOptionsResult parse(std::vector<std::string> words, Graph& graph) {
    return parseRenderOptions(words, graph);
}

RenderOptionsResult parse(std::vector<std::string> words) {
    Graph graph;
    return parseRenderOptions(words, graph);
}

TEST(RenderOptions, DefaultsAreThePanelsAndTheDefaultGraph) {
    Graph o;
    const RenderOptionsResult result = parse({}, o);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.options.graphPath, "data/Graphs/jhotdraw-mini.rsf");
    EXPECT_EQ(result.options.layoutType, 0);
    EXPECT_EQ(result.options.beta, 1.0f);
    EXPECT_EQ(o.colorRamp, 3);
    EXPECT_EQ(o.blendMode, 0);
    EXPECT_EQ(o.minAlpha, 0.1f);
    EXPECT_EQ(o.alphaExponent, 1.0f);
    EXPECT_FALSE(o.flipAlpha);
    EXPECT_EQ(o.lineWidth, 3.0f);
    EXPECT_EQ(o.splineWidth, 5.0f);
    EXPECT_TRUE(o.showTree);
    EXPECT_TRUE(o.showSplines);
    EXPECT_EQ(o.treeMapSpacing, 0.01f);
}

TEST(RenderOptions, EverySettingIsReadByNameOrNumber) {
    Graph o;
    const RenderOptionsResult result =
        parse({"--layout", "squared", "--beta", "0.25", "--ramp", "5", "--blend", "max", "--min-alpha", "0.5",
               "--alpha-exponent", "2", "--flip-alpha", "on", "--line-width", "1", "--spline-width", "20",
               "--tree", "off", "--splines", "0", "--spacing", "0.05", "-o", "out.png", "graph.rsf"},
              o);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.options.layoutType, 3);
    EXPECT_EQ(result.options.beta, 0.25f);
    EXPECT_EQ(o.colorRamp, 5);
    EXPECT_EQ(o.blendMode, 2);
    EXPECT_EQ(o.minAlpha, 0.5f);
    EXPECT_EQ(o.alphaExponent, 2.0f);
    EXPECT_TRUE(o.flipAlpha);
    EXPECT_EQ(o.lineWidth, 1.0f);
    EXPECT_EQ(o.splineWidth, 20.0f);
    EXPECT_FALSE(o.showTree);
    EXPECT_FALSE(o.showSplines);
    EXPECT_EQ(o.treeMapSpacing, 0.05f);
    EXPECT_EQ(result.options.outputPath, "out.png");
    EXPECT_EQ(result.options.graphPath, "graph.rsf");
    EXPECT_EQ(parse({"--layout", "4", "--blend", "1"}).options.layoutType, 4);
}

TEST(RenderOptions, BadCommandLinesAreRefusedWithTheReason) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"--beta", "1.5"}, "bad value '1.5' for --beta (0-1)"},
        {{"--beta", "0.5x"}, "bad value '0.5x' for --beta (0-1)"},
        {{"--ramp", "0"}, "bad value '0' for --ramp (1-5)"},
        {{"--layout", "spiral"}, "bad value 'spiral' for --layout (NAME|0-4)"},
        {{"--layout", "5"}, "bad value '5' for --layout (NAME|0-4)"},
        {{"--tree", "maybe"}, "bad value 'maybe' for --tree (on|off)"},
        {{"--spacing", "nan"}, "bad value 'nan' for --spacing (0-0.05)"},
        {{"--colour"}, "unknown option --colour"},
        {{"-o"}, "-o needs a value (FILE)"},
        {{"a.rsf", "b.rsf"}, "more than one graph file: a.rsf and b.rsf"},
    };
    for (const auto& [words, message] : cases) {
        EXPECT_EQ(parse(words).error, message);
    }
}

TEST(RenderOptions, HelpListsEveryOptionWithItsDefault) {
    EXPECT_TRUE(parse({"--help"}).options.helpWanted);
    const std::string help = renderOptionsHelp();
    for (const char* option : {"-o FILE", "--layout", "--beta", "--ramp", "--blend", "--min-alpha", "--alpha-exponent",
                               "--flip-alpha", "--line-width", "--spline-width", "--tree", "--splines", "--spacing"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_NE(help.find("(default 0.01)"), std::string::npos);
}

} // namespace
