#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

ViewerCommandLine accepted(const std::vector<std::string>& words) {
    Result<ViewerCommandLine> line = parseViewerCommandLine("hebview", words);
    EXPECT_TRUE(line.ok()) << (line ? "" : line.error().describe());
    return line ? std::move(line).value() : ViewerCommandLine{};
}

std::string refusal(const std::vector<std::string>& words) {
    Result<ViewerCommandLine> line = parseViewerCommandLine("hebview", words);
    EXPECT_FALSE(line.ok());
    return line ? "" : line.error().describe();
}

TEST(ViewerCommandLine, DrawingAndViewOptionsAreTheStartingSettingsAndView) {
    const ViewerCommandLine line =
        accepted({"--layout", "squared", "--beta", "0.5", "--blend", "density", "--labels", "on",
                  "--spacing", "0.02", "--highlight", "n0.n1", "--search", "N2", "--zoom", "4",
                  "--center", "-0.5,0.25", "deps.json"});
    EXPECT_EQ(line.settings.layoutType, TreeLayoutType::TreeMapSquared);
    EXPECT_EQ(line.settings.beta, 0.5f);
    EXPECT_EQ(line.settings.blendMode, BlendModeType::Density);
    EXPECT_TRUE(line.settings.showLabels);
    EXPECT_EQ(line.settings.treeMapSpacing, 0.02f);
    EXPECT_EQ(line.view.highlight, "n0.n1");
    EXPECT_EQ(line.view.search, "N2");
    EXPECT_EQ(line.view.zoom, 4.0);
    EXPECT_EQ(line.view.centreX, -0.5f);
    EXPECT_EQ(line.view.centreY, 0.25f);
    EXPECT_EQ(line.graphPath, "deps.json");
    EXPECT_EQ(line.windowArguments, std::vector<std::string>{"hebview"});
    // Nothing given: the panel's defaults and the default graph.
    const ViewerCommandLine plain = accepted({});
    EXPECT_EQ(plain.settings, ViewSettings{});
    EXPECT_EQ(plain.graphPath, "");
}

TEST(ViewerCommandLine, TheWindowLibrarysOptionsGoOnToIt) {
    const ViewerCommandLine line =
        accepted({"-display", ":3", "graph.rsf", "-sync", "-geometry", "800x600+0+0"});
    EXPECT_EQ(line.windowArguments, (std::vector<std::string>{"hebview", "-display", ":3", "-sync",
                                                              "-geometry", "800x600+0+0"}));
    EXPECT_EQ(line.graphPath, "graph.rsf");
}

TEST(ViewerCommandLine, HelpVersionAndRefusals) {
    EXPECT_TRUE(accepted({"--help"}).helpWanted);
    EXPECT_TRUE(accepted({"-h"}).helpWanted);
    EXPECT_TRUE(accepted({"--version"}).versionWanted);
    EXPECT_EQ(refusal({"--colour", "red"}), "unknown option --colour");
    EXPECT_EQ(refusal({"--beta", "2"}), "bad value '2' for --beta (0-1)");
    EXPECT_EQ(refusal({"--layout"}), "--layout needs a value (NAME|0-4)");
    EXPECT_EQ(refusal({"--center", "1"}), "bad value '1' for --center (X,Y)");
    EXPECT_EQ(refusal({"-display"}), "-display needs a value");
    EXPECT_EQ(refusal({"a.rsf", "b.rsf"}), "more than one graph file: a.rsf and b.rsf");
    const std::string usage = viewerUsage();
    for (const char* option : {"--layout NAME|0-4", "--labels on|off", "--help", "--version"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(viewerVersion().rfind("hebview ", 0), 0u);
}

} // namespace
