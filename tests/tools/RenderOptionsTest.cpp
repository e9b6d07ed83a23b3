#include "tools/render/RenderOptions.h"

#include "graph/CompoundGraphBuilder.h"

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
    EXPECT_EQ(o.layoutType, TreeLayoutType::Radial);
    EXPECT_EQ(o.beta, 1.0f);
    EXPECT_EQ(o.colorRamp, 3);
    EXPECT_EQ(o.blendMode, BlendModeType::None);
    EXPECT_EQ(o.minAlpha, 0.1f);
    EXPECT_EQ(o.alphaExponent, 1.0f);
    EXPECT_FALSE(o.flipAlpha);
    EXPECT_EQ(o.lineWidth, 3.0f);
    EXPECT_EQ(o.splineWidth, 5.0f);
    EXPECT_TRUE(o.showTree);
    EXPECT_TRUE(o.showSplines);
    EXPECT_EQ(o.treeMapSpacing, 0.01f);
    EXPECT_FALSE(o.showLabels);
    // The new switches keep today's pictures; the legend, on in the viewer,
    // is off here.
    EXPECT_EQ(o.colorBy, ColorBy::Ramp);
    EXPECT_EQ(o.groupDepth, 0) << "the shallowest depth with three groups";
    EXPECT_FALSE(o.markBothWays);
    EXPECT_EQ(o.densityScale, DensityScaleType::Log);
    EXPECT_FALSE(o.showLegend);
    EXPECT_TRUE(ViewSettings().showLegend);
    EXPECT_EQ(options.view.zoom, 1.0);
    EXPECT_EQ(options.view.centreX, 0.0f);
    EXPECT_TRUE(options.view.highlight.empty());
}

TEST(RenderOptions, EverySettingIsReadByNameOrNumber) {
    const RenderOptions options =
        accepted({"--layout",     "squared", "--beta",       "0.25", "--ramp",           "5",
                  "--blend",      "max",     "--min-alpha",  "0.5",  "--alpha-exponent", "2",
                  "--flip-alpha", "on",      "--line-width", "1",    "--spline-width",   "20",
                  "--tree",       "off",     "--splines",    "0",    "--spacing",        "0.05",
                  "-o",           "out.png", "graph.rsf"});
    const ViewSettings& o = options.settings;
    EXPECT_EQ(o.layoutType, TreeLayoutType::TreeMapSquared);
    EXPECT_EQ(o.beta, 0.25f);
    EXPECT_EQ(o.colorRamp, 5);
    EXPECT_EQ(o.blendMode, BlendModeType::Max);
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
    EXPECT_FALSE(writesSvg(options));
    const RenderOptions picture =
        accepted({"-o", "Figure.SVG", "--size", "8192", "--background", "transparent",
                  "--separator", "::", "--dot-names", "label"});
    EXPECT_TRUE(writesSvg(picture));
    EXPECT_EQ(picture.view.dotNames, DotNames::Label);
    EXPECT_EQ(options.view.dotNames, DotNames::Id);
    EXPECT_EQ(picture.size, 8192);
    EXPECT_EQ(picture.background, (Colour{0.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(picture.separator, "::");
    EXPECT_EQ(accepted({"--background", "white"}).background, (Colour{1.0f, 1.0f, 1.0f, 1.0f}));
    const RenderOptions numbered = accepted({"--layout", "4", "--blend", "density"});
    EXPECT_EQ(numbered.settings.layoutType, TreeLayoutType::TreeMapStrip);
    EXPECT_EQ(numbered.settings.blendMode, BlendModeType::Density);
    const ViewSettings colours =
        accepted({"--color-by", "target", "--group-depth", "2", "--both-way", "on",
                  "--density-scale", "eq-hist", "--legend", "on"})
            .settings;
    EXPECT_EQ(colours.colorBy, ColorBy::TargetGroup);
    EXPECT_EQ(colours.groupDepth, 2);
    EXPECT_TRUE(colours.markBothWays);
    EXPECT_EQ(colours.densityScale, DensityScaleType::EqHist);
    EXPECT_TRUE(colours.showLegend);
}

TEST(RenderOptions, TheViewIsReadAndNamesTheNodesOfTheGraph) {
    const RenderOptions options = accepted({"--labels", "on", "--highlight", "n0.n1", "--search",
                                            "N2", "--zoom", "4", "--center", "-0.5,0.25"});
    EXPECT_TRUE(options.settings.showLabels);
    EXPECT_EQ(options.view.highlight, "n0.n1");
    EXPECT_EQ(options.view.search, "N2");
    EXPECT_EQ(options.view.zoom, 4.0);
    EXPECT_EQ(options.view.centreX, -0.5f);
    EXPECT_EQ(options.view.centreY, 0.25f);

    // n0 -> {n1, n2}, n1 -> n3, n2 -> n4.
    CompoundGraphBuilder builder;
    builder.addNodes(5);
    builder.setRoot(0);
    for (int32_t node = 0; node < 5; ++node) {
        builder.setName(node, "n" + std::to_string(node));
    }
    builder.link(0, 1);
    builder.link(0, 2);
    builder.link(1, 3);
    builder.link(2, 4);
    const CompoundGraph graph = builder.finish();
    const ViewState view = viewStateOf(options, graph, 1.01f).value();
    EXPECT_EQ(view.highlighted, 1);
    EXPECT_EQ(view.marked, (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(view.region, (FrameRegion{-0.5f, 0.25f, 1.01f / 4.0f}));

    EXPECT_EQ(viewStateOf(accepted({}), graph, 1.01f).value(), ViewState())
        << "no view options: the whole scene, nothing highlighted";
    const Result<ViewState> unknown =
        viewStateOf(accepted({"--highlight", "n9", "g.rsf"}), graph, 1.01f);
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error().describe(), "no node named 'n9' in g.rsf");
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
        {{"--zoom", "0"}, "bad value '0' for --zoom (0.5-4096)"},
        {{"--center", "1"}, "bad value '1' for --center (X,Y)"},
        {{"--center", "1,y"}, "bad value '1,y' for --center (X,Y)"},
        {{"--dot-names", "name"}, "bad value 'name' for --dot-names (label|id)"},
        {{"--highlight", ""}, "bad value '' for --highlight (NODE)"},
        {{"--colour"}, "unknown option --colour"},
        {{"-o"}, "-o needs a value (FILE)"},
        {{"a.rsf", "b.rsf"}, "more than one graph file: a.rsf and b.rsf"},
        {{"-o", "figure.jpg"}, "the output must be a .png or an .svg file: figure.jpg"},
        {{"-o", "png"}, "the output must be a .png or an .svg file: png"},
        {{"--size", "8193"}, "bad value '8193' for --size (64-8192)"},
        {{"--background", "grey"}, "bad value 'grey' for --background (NAME)"},
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
          "--flip-alpha", "--line-width", "--spline-width", "--tree", "--splines", "--spacing",
          "--labels", "--highlight NODE", "--search TEXT", "--zoom", "--center X,Y"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
    EXPECT_NE(help.find("(default 0.0100)"), std::string::npos);
    EXPECT_NE(help.find("--legend on|off         a key to the colours in the picture's corner "
                        "(default on in the viewer, off in hebview-render)"),
              std::string::npos);
}

} // namespace
