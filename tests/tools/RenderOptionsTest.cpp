#include "tools/render/RenderOptions.h"

#include <gtest/gtest.h>

namespace {

RenderOptions accepted(std::vector<std::string> words) {
    Result<RenderOptions> parsed = parseRenderOptions(words);
    EXPECT_TRUE(parsed.ok()) << (parsed ? "" : parsed.error().describe());
    return parsed ? parsed.value() : RenderOptions{};
}

std::string refusal(std::vector<std::string> words) {
    const Result<RenderOptions> parsed = parseRenderOptions(words);
    return parsed ? "accepted" : parsed.error().describe();
}

TEST(RenderOptions, DefaultsAreThePanelsAndTheDefaultGraph) {
    const RenderOptions options = accepted({});
    const ViewSettings& o = options.settings;
    EXPECT_EQ(options.graphPath, "data/Graphs/jhotdraw-mini.rsf");
    EXPECT_EQ(options.outputPath, "hebview.png");
    EXPECT_EQ(o.layoutType, 0);
    EXPECT_EQ(o.beta, 1.0f);
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
    const RenderOptions options =
        accepted({"--layout",     "squared", "--beta",       "0.25", "--ramp",           "5",
                  "--blend",      "max",     "--min-alpha",  "0.5",  "--alpha-exponent", "2",
                  "--flip-alpha", "on",      "--line-width", "1",    "--spline-width",   "20",
                  "--tree",       "off",     "--splines",    "0",    "--spacing",        "0.05",
                  "-o",           "out.png", "graph.rsf"});
    const ViewSettings& o = options.settings;
    EXPECT_EQ(o.layoutType, 3);
    EXPECT_EQ(o.beta, 0.25f);
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
    EXPECT_EQ(options.outputPath, "out.png");
    EXPECT_EQ(options.graphPath, "graph.rsf");
    const RenderOptions numbered = accepted({"--layout", "4", "--blend", "density"});
    EXPECT_EQ(numbered.settings.layoutType, 4);
    EXPECT_EQ(numbered.settings.blendMode, 3);
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
        EXPECT_EQ(refusal(words), message);
    }
}

TEST(RenderOptions, HelpListsEveryOptionWithItsDefault) {
    EXPECT_TRUE(accepted({"--help"}).helpWanted);
    const std::string help = renderOptionsHelp();
    for (const char* option :
         {"-o FILE", "--layout", "--beta", "--ramp", "--blend", "--min-alpha", "--alpha-exponent",
          "--flip-alpha", "--line-width", "--spline-width", "--tree", "--splines", "--spacing"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_NE(help.find("(default 0.01)"), std::string::npos);
}

} // namespace
