#include "app/SettingsPanel.h"

#include "app/Application.h"
#include "graph/Graph.h"
#include "platform/Panel.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace {

using testing_support::CoutCapture;

struct Expected {
    PanelEntryKind kind;
    const char* name;
    const char* typeName;
    const void* field;
    bool readOnly;
    double min;
    double max;
    double step;
};

class SettingsPanel : public ::testing::Test {
protected:
    void SetUp() override {
        application.layoutType = 3;
        application.beta = 0.25f;
        CoutCapture output;
        createSettingsPanel(panel, application, graph);
        printed = output.text();
        ASSERT_EQ(panel.bars.size(), 1u);
        bar = &panel.bars[0];
    }

    const char* typeName(const PanelEntry& entry) {
        switch (entry.type) {
        case PanelType::BoolCpp:
            return "bool";
        case PanelType::Int32:
            return "int32";
        case PanelType::Float:
            return "float";
        default:
            return entry.enumeration == nullptr ? "" : entry.enumeration->name.c_str();
        }
    }

    Panel panel;
    Application application;
    Graph graph;
    PanelBar* bar = nullptr;
    std::string printed;
};

TEST_F(SettingsPanel, TheBarIsPlacedAndColouredAsDefined) {
    EXPECT_EQ(printed, "") << "every definition is well formed";
    EXPECT_EQ(application.settingsBar, bar);
    EXPECT_EQ(bar->name, "Settings");
    EXPECT_EQ(bar->position[0], 10);
    EXPECT_EQ(bar->position[1], 30);
    EXPECT_EQ(bar->size[0], 270);
    EXPECT_EQ(bar->size[1], 350);
    const uint8_t translucentDarkGrey[4] = {150, 50, 50, 50};
    EXPECT_TRUE(std::equal(bar->color, bar->color + 4, translucentDarkGrey));
    EXPECT_EQ(panel.fontSize, 3);
    EXPECT_EQ(application.layoutType, 0);
    EXPECT_EQ(application.beta, 1.0f);
}

TEST_F(SettingsPanel, EntriesComeInOrderWithTheirLabelsTypesAndFields) {
    using enum PanelEntryKind;
    const double anyInt = INT32_MAX;
    const Expected expected[] = {
        {Button, "Load File", "", nullptr, false, 0, 0, 1},
        {Variable, "# Tree Nodes", "int32", &graph.nodeCount, true, -anyInt - 1, anyInt, 1},
        {Variable, "# Splines", "int32", &graph.edgeCount, true, -anyInt - 1, anyInt, 1},
        {Separator, "", "", nullptr, false, 0, 0, 1},
        {Variable, "Tree Layout", "TreeLayoutType", &application.layoutType, false, 0, 0, 1},
        {Variable, "Show Tree", "bool", &graph.showTree, false, 0, 0, 1},
        {Variable, "Line Width", "float", &graph.lineWidth, false, 1, 20, 1},
        {Variable, "TreeMap Spacing", "float", &graph.treeMapSpacing, false, 0, 0.05, 0.0001},
        {Separator, "", "", nullptr, false, 0, 0, 1},
        {Variable, "Beta", "float", &application.beta, false, 0, 1, 0.01},
        {Variable, "Show Splines", "bool", &graph.showSplines, false, 0, 0, 1},
        {Variable, "Color Ramp", "int32", &graph.colorRamp, false, 1, 5, 1},
        {Variable, "Spline Width", "float", &graph.splineWidth, false, 1, 20, 1},
        {Separator, "", "", nullptr, false, 0, 0, 1},
        {Variable, "Blend Mode", "BlendModeType", &graph.blendMode, false, 0, 0, 1},
        {Variable, "Min Alpha", "float", &graph.minAlpha, false, 0, 1, 0.01},
        {Variable, "Alpha Exponent", "float", &graph.alphaExponent, false, 0.1, 10, 0.1},
        {Variable, "Flip Alpha", "bool", &graph.flipAlpha, false, 0, 0, 1},
    };
    ASSERT_EQ(bar->entries.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const PanelEntry& entry = bar->entries[i];
        const Expected& want = expected[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(entry.kind, want.kind);
        EXPECT_EQ(entry.name, want.name);
        EXPECT_EQ(entry.label, want.name);
        EXPECT_STREQ(typeName(entry), want.typeName);
        EXPECT_EQ(entry.variable, want.field);
        EXPECT_EQ(entry.readOnly, want.readOnly);
        EXPECT_EQ(entry.min, want.min);
        EXPECT_EQ(entry.max, want.max);
        EXPECT_EQ(entry.step, want.step);
        if (entry.type == PanelType::BoolCpp) {
            EXPECT_EQ(entry.trueText, "ON");
            EXPECT_EQ(entry.falseText, "OFF");
        }
    }
    EXPECT_EQ(bar->entries[0].callback, &onLoadFile);
    EXPECT_EQ(bar->entries[0].clientData, nullptr);
}

TEST_F(SettingsPanel, EnumerationsShowTheLayoutAndBlendModeLabels) {
    std::vector<std::string> layouts;
    for (const PanelEnum::Value& value : bar->entries[4].enumeration->values) {
        EXPECT_EQ(value.value, static_cast<int32_t>(layouts.size()));
        layouts.push_back(value.label);
    }
    EXPECT_EQ(layouts, (std::vector<std::string>{"Radial", "Classic", "TreeMap - Slice",
                                                 "TreeMap - Squared", "TreeMap - Strip"}));
    std::vector<std::string> modes;
    for (const PanelEnum::Value& value : bar->entries[14].enumeration->values) {
        EXPECT_EQ(value.value, static_cast<int32_t>(modes.size()));
        modes.push_back(value.label);
    }
    EXPECT_EQ(modes, (std::vector<std::string>{"None", "Alpha", "Max"}));
    EXPECT_EQ(bar->entries[4].valueText(), "Radial");
    EXPECT_EQ(bar->entries[14].valueText(), "None");
}

TEST_F(SettingsPanel, NoWritableEntryCanLeaveItsRange) {
    for (PanelEntry& entry : bar->entries) {
        if (!entry.isWritable() || !entry.isNumeric()) {
            continue;
        }
        SCOPED_TRACE(entry.name);
        entry.setValue(1e9);
        EXPECT_EQ(entry.value(), static_cast<float>(entry.max));
        entry.stepBy(-1000000);
        EXPECT_EQ(entry.value(), static_cast<float>(entry.min));
    }
    EXPECT_EQ(graph.colorRamp, 1);
    EXPECT_EQ(application.beta, 0.0f);
}

TEST_F(SettingsPanel, CountsFollowTheLoadedGraph) {
    EXPECT_EQ(bar->entries[1].valueText(), "0");
    CoutCapture quiet;
    ASSERT_TRUE(graph.load("data/Graphs/small.rsf"));
    EXPECT_EQ(bar->entries[1].valueText(), std::to_string(graph.nodeCount));
    EXPECT_EQ(bar->entries[2].valueText(), std::to_string(graph.edgeCount));
    EXPECT_NE(graph.nodeCount, 0);
}

TEST(LoadFileButton, OnlyPathsLongerThanThreeCharactersAreLoaded) {
    Graph graph;
    {
        CoutCapture output;
        loadChosenFile(graph, "");
        loadChosenFile(graph, "abc");
        EXPECT_EQ(output.text(), "");
    }
    {
        CoutCapture output;
        loadChosenFile(graph, "a.rs");
        EXPECT_EQ(output.text().rfind("Reading a.rs ... failed!", 0), 0u) << output.text();
    }
    CoutCapture quiet;
    loadChosenFile(graph, "data/Graphs/small.rsf");
    EXPECT_GT(graph.nodeCount, 0);
}

} // namespace
