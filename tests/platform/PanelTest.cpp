#include "platform/Panel.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using testing_support::CoutCapture;

TEST(Panel, BarsHaveNamesOfTheirOwn) {
    Panel panel;
    PanelBar* bar = panel.newBar("Settings");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(panel.findBar("Settings"), bar);
    EXPECT_EQ(panel.newBar("Settings"), nullptr);
    EXPECT_EQ(panel.newBar(""), nullptr);
    EXPECT_NE(panel.lastError, "");
    // Bars keep their places while more are made.
    for (int i = 0; i < 100; ++i) {
        panel.newBar("bar" + std::to_string(i));
    }
    EXPECT_EQ(panel.findBar("Settings"), bar);
}

TEST(Panel, BarDefinitionsPlaceAndColourTheNamedBar) {
    Panel panel;
    PanelBar* bar = panel.newBar("Settings");
    CoutCapture output;
    EXPECT_TRUE(panel.define(" Settings color='150 50 50 50' size='270 350' position='10 30' "));
    EXPECT_EQ(bar->color[0], 150);
    EXPECT_EQ(bar->color[1], 50);
    EXPECT_EQ(bar->color[3], 50);
    EXPECT_EQ(bar->size[0], 270);
    EXPECT_EQ(bar->size[1], 350);
    EXPECT_EQ(bar->position[0], 10);
    EXPECT_EQ(bar->position[1], 30);
    EXPECT_TRUE(bar->placementChanged);

    EXPECT_TRUE(panel.define(" Settings color='10 20 30' "));
    EXPECT_EQ(bar->color[0], 255);
    EXPECT_EQ(bar->color[1], 10);
    EXPECT_TRUE(panel.define(" GLOBAL fontSize=3 iconAlign=horizontal "));
    EXPECT_EQ(panel.fontSize, 3);
    // What this panel cannot show is accepted quietly.
    EXPECT_TRUE(panel.define(" Settings help='hint' iconified=false "));
    EXPECT_TRUE(panel.define(" GLOBAL contained=true "));
    EXPECT_EQ(output.text(), "");
}

TEST(Panel, AFaultyDefinitionIsReportedOnceAndChangesNothingFaulty) {
    Panel panel;
    PanelBar* bar = panel.newBar("Settings");
    CoutCapture output;
    const char* faulty = " Settings size='270' position='5 6' ";
    EXPECT_FALSE(panel.define(faulty));
    EXPECT_FALSE(panel.define(faulty));
    EXPECT_EQ(bar->size[0], 200);
    EXPECT_EQ(bar->position[0], 5);
    EXPECT_EQ(output.text(), "Panel definition \" Settings size='270' position='5 6' \": 'size' "
                             "cannot be read: '270'\n");
    EXPECT_NE(panel.lastError, "");

    for (const char* bad :
         {" Nowhere size='1 2' ", " GLOBAL fontSize=7 ", " fontSize=2 ",
          " GLOBAL iconAlign=diagonal ", " Settings color='1 2' ", " Settings size='1 2"}) {
        EXPECT_FALSE(panel.define(bad)) << bad;
    }
    EXPECT_EQ(panel.fontSize, 2);
    int32_t value = 0;
    panel.addVarRW(bar, "value", PanelType::Int32, &value, "min=x");
    panel.addVarRW(bar, "other", PanelType::Int32, &value, "min=x");
    const std::string text = output.text();
    size_t lines = 0;
    for (char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    // One line for each distinct faulty text.
    EXPECT_EQ(lines, 8u) << text;
}

TEST(Panel, EnumerationsAreTypesOfTheirOwnWithCopiedLabels) {
    Panel panel;
    std::string label = "Radial";
    const PanelEnumValue layouts[] = {{0, label.c_str()}, {1, "Classic"}};
    const PanelType layoutType = panel.defineEnum("TreeLayoutType", layouts, 2);
    const PanelEnumValue modes[] = {{0, "None"}, {1, "Alpha"}, {2, "Max"}};
    const PanelType modeType = panel.defineEnum("BlendModeType", modes, 3);
    EXPECT_NE(layoutType, modeType);
    label = "changed";
    ASSERT_NE(panel.enumOf(layoutType), nullptr);
    EXPECT_EQ(panel.enumOf(layoutType)->values[0].label, "Radial");
    EXPECT_EQ(panel.enumOf(modeType)->values[2].label, "Max");
    EXPECT_EQ(panel.enumOf(PanelType::Int32), nullptr);
    // Defining a name again replaces its values under the same type.
    EXPECT_EQ(panel.defineEnum("BlendModeType", modes, 1), modeType);
    EXPECT_EQ(panel.enumOf(modeType)->values.size(), 1u);
}

TEST(Panel, EntriesNeedABarAKnownTypeAFieldAndANameOfTheirOwn) {
    Panel panel;
    PanelBar* bar = panel.newBar("Settings");
    int32_t value = 0;
    EXPECT_TRUE(panel.addVarRW(bar, "value", PanelType::Int32, &value, nullptr));
    EXPECT_FALSE(panel.addVarRW(bar, "value", PanelType::Int32, &value, nullptr));
    EXPECT_FALSE(panel.addVarRO(nullptr, "other", PanelType::Int32, &value, nullptr));
    EXPECT_FALSE(panel.addVarRW(bar, "other", PanelType::Undefined, &value, nullptr));
    EXPECT_FALSE(panel.addVarRW(bar, "other", PanelType::FirstEnum, &value, nullptr));
    EXPECT_FALSE(panel.addVarRW(bar, "other", PanelType::Float, nullptr, nullptr));
    EXPECT_TRUE(panel.addSeparator(bar, nullptr, nullptr));
    EXPECT_TRUE(panel.addSeparator(bar, "", nullptr));
    EXPECT_TRUE(panel.addButton(bar, "go", nullptr, nullptr, " label='Go'"));
    ASSERT_EQ(bar->entries.size(), 4u);
    EXPECT_EQ(bar->entries[3].label, "Go");
}

class PanelRouting : public ::testing::Test {
protected:
    void SetUp() override {
        bar = panel.newBar("Settings");
        panel.addVarRW(bar, "Beta", PanelType::Float, &beta, "min=0 max=1 step=0.01");
        panel.addVarRO(bar, "Nodes", PanelType::Int32, &nodes, nullptr);
        bar->shown = {10.0f, 30.0f, 270.0f, 350.0f};
    }

    Panel panel;
    PanelBar* bar = nullptr;
    float beta = 0.5f;
    int32_t nodes = 13;
};

TEST_F(PanelRouting, MouseButtonsOverTheBarOrWhileAWidgetIsHeldAreTaken) {
    EXPECT_TRUE(panel.takesMouseButton(10.0f, 30.0f));
    EXPECT_TRUE(panel.takesMouseButton(279.0f, 379.0f));
    EXPECT_FALSE(panel.takesMouseButton(280.0f, 100.0f));
    EXPECT_FALSE(panel.takesMouseButton(100.0f, 380.0f));
    EXPECT_FALSE(panel.takesMouseButton(9.0f, 100.0f));
    // A drag that began on the panel keeps its release.
    panel.frame.widgetActive = true;
    EXPECT_TRUE(panel.takesMouseButton(500.0f, 500.0f));
    panel.frame.widgetActive = false;
    // An open list may hang out of the bar.
    panel.frame.popups.push_back({200.0f, 100.0f, 150.0f, 80.0f});
    EXPECT_TRUE(panel.takesMouseButton(340.0f, 150.0f));
    EXPECT_FALSE(panel.takesMouseButton(360.0f, 150.0f));
}

TEST_F(PanelRouting, KeysAreTakenOnlyWhileATextFieldHasTheFocus) {
    EXPECT_FALSE(panel.takesKey());
    panel.frame.textInputFocused = true;
    EXPECT_TRUE(panel.takesKey());
}

TEST_F(PanelRouting, ArrowsStepTheWritableEntryUnderThePointer) {
    EXPECT_FALSE(panel.stepHoveredEntry(1));
    panel.frame.hovered = &bar->entries[0];
    EXPECT_FALSE(panel.stepHoveredEntry(0));
    EXPECT_TRUE(panel.stepHoveredEntry(1));
    EXPECT_FLOAT_EQ(beta, 0.51f);
    EXPECT_TRUE(panel.stepHoveredEntry(-100));
    EXPECT_EQ(beta, 0.0f);
    panel.frame.hovered = &bar->entries[1];
    EXPECT_FALSE(panel.stepHoveredEntry(1));
    EXPECT_EQ(nodes, 13);
}

} // namespace
