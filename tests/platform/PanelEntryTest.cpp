#include "platform/PanelEntry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

PanelEntry variable(PanelType type, void* field, const char* definition,
                    const PanelEnum* values = nullptr, bool readOnly = false) {
    PanelEntry entry(PanelEntryKind::Variable, "name");
    entry.bind(type, field, readOnly, values);
    EXPECT_EQ(entry.applyDefinition(parsePanelDefinition(definition)), "") << definition;
    return entry;
}

TEST(PanelEntry, FloatsStayInTheirRangeAndMoveByTheirStep) {
    float spacing = 0.01f;
    PanelEntry entry = variable(PanelType::Float, &spacing,
                                "label='TreeMap Spacing' min=0.0 max=0.05 step=0.0001f");
    EXPECT_EQ(entry.label, "TreeMap Spacing");
    EXPECT_EQ(entry.step, 0.0001);
    EXPECT_EQ(entry.decimals(), 4);
    EXPECT_EQ(entry.valueText(), "0.0100");

    entry.stepBy(1);
    EXPECT_FLOAT_EQ(spacing, 0.0101f);
    entry.stepBy(-3);
    EXPECT_FLOAT_EQ(spacing, 0.0098f);
    entry.stepBy(1000);
    EXPECT_EQ(spacing, 0.05f);
    entry.setValue(-1.0);
    EXPECT_EQ(spacing, 0.0f);
    entry.setValue(1e30);
    EXPECT_EQ(spacing, 0.05f);
    entry.setValue(std::nan(""));
    EXPECT_EQ(spacing, 0.05f);
}

TEST(PanelEntry, DecimalsFollowTheStep) {
    float value = 0.0f;
    EXPECT_EQ(variable(PanelType::Float, &value, "step=1.0f").decimals(), 0);
    EXPECT_EQ(variable(PanelType::Float, &value, "step=0.1f").decimals(), 1);
    EXPECT_EQ(variable(PanelType::Float, &value, "step=0.01f").decimals(), 2);
    EXPECT_EQ(variable(PanelType::Float, &value, "step=0.25").decimals(), 2);
    EXPECT_EQ(variable(PanelType::Float, &value, "min=0 max=20 step=1.0f").valueText(), "0");
}

TEST(PanelEntry, IntegersRoundAndClamp) {
    int32_t ramp = 3;
    PanelEntry entry = variable(PanelType::Int32, &ramp, "label='Color Ramp' min=1 max=5 step=1");
    entry.setValue(2.6);
    EXPECT_EQ(ramp, 3);
    entry.setValue(9);
    EXPECT_EQ(ramp, 5);
    entry.stepBy(-10);
    EXPECT_EQ(ramp, 1);
    entry.stepBy(2);
    EXPECT_EQ(ramp, 3);
    EXPECT_EQ(entry.valueText(), "3");
    // Without a range the whole 32-bit range holds, and no more.
    int32_t count = 0;
    PanelEntry wide = variable(PanelType::Int32, &count, "");
    wide.setValue(1e12);
    EXPECT_EQ(count, INT32_MAX);
    PanelEntry huge = variable(PanelType::Int32, &count, "min=-1e20 max=1e20");
    EXPECT_EQ(huge.min, INT32_MIN);
    EXPECT_EQ(huge.max, INT32_MAX);
}

TEST(PanelEntry, SwitchesShowTheirTextsAndToggle) {
    bool show = true;
    PanelEntry entry =
        variable(PanelType::BoolCpp, &show, " label='Show Tree' false='OFF' true='ON'");
    EXPECT_EQ(entry.valueText(), "ON");
    entry.stepBy(1);
    EXPECT_FALSE(show);
    EXPECT_EQ(entry.valueText(), "OFF");
    entry.stepBy(-1);
    EXPECT_TRUE(show);
    entry.setValue(0.0);
    EXPECT_FALSE(show);
}

TEST(PanelEntry, EnumerationsTakeOnlyTheirOwnValues) {
    const PanelEnum modes{"Modes", {{0, "None"}, {1, "Alpha"}, {7, "Max"}}};
    int32_t mode = 1;
    PanelEntry entry = variable(PanelType::FirstEnum, &mode, " label='Blend Mode'", &modes);
    EXPECT_EQ(entry.valueText(), "Alpha");
    entry.setValue(2.0);
    EXPECT_EQ(mode, 1);
    entry.setValue(0.5);
    EXPECT_EQ(mode, 1);
    entry.stepBy(1);
    EXPECT_EQ(mode, 7);
    EXPECT_EQ(entry.valueText(), "Max");
    entry.stepBy(1);
    EXPECT_EQ(mode, 7);
    entry.stepBy(-5);
    EXPECT_EQ(mode, 0);
    // A value the program stored that is not in the list shows as a number,
    // and a step brings it back to the list.
    mode = 42;
    EXPECT_EQ(entry.valueText(), "42");
    entry.stepBy(1);
    EXPECT_EQ(mode, 0);
}

TEST(PanelEntry, ReadOnlyEntriesAreNeverWritten) {
    int32_t nodes = 13;
    PanelEntry entry = variable(PanelType::Int32, &nodes, "label='# Tree Nodes'", nullptr, true);
    entry.setValue(4);
    entry.stepBy(1);
    EXPECT_EQ(nodes, 13);
    EXPECT_EQ(entry.valueText(), "13");
}

TEST(PanelEntry, FaultyDefinitionsKeepSaneRangesAndStillApplyTheRest) {
    float width = 3.0f;
    PanelEntry entry(PanelEntryKind::Variable, "Line Width");
    entry.bind(PanelType::Float, &width, false, nullptr);
    EXPECT_NE(entry.applyDefinition(parsePanelDefinition("label='Width' min=one max=20")), "");
    EXPECT_EQ(entry.label, "Width");
    EXPECT_EQ(entry.max, 20.0);
    EXPECT_LT(entry.min, -1e30);

    EXPECT_NE(entry.applyDefinition(parsePanelDefinition("min=5 max=1 step=0")), "");
    EXPECT_EQ(entry.max, 20.0);
    EXPECT_GT(entry.step, 0.0);
    entry.setValue(50.0);
    EXPECT_EQ(width, 20.0f);

    EXPECT_NE(entry.applyDefinition(parsePanelDefinition("label='Half")), "");
    EXPECT_EQ(entry.label, "Width");
    EXPECT_NE(entry.applyDefinition(parsePanelDefinition("stray label='x'")), "");
    // Words meant for other entry kinds are no fault.
    EXPECT_EQ(entry.applyDefinition(parsePanelDefinition("help='a hint' keyIncr=w")), "");
}

} // namespace
