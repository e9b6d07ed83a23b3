#include "ui/SettingsPanel.h"

#include "settings/BlendModeType.h"
#include "tests/support/TestFiles.h"
#include "ui/LoadFileButton.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using testing_support::CoutCapture;

class SettingsPanelTest : public ::testing::Test {
protected:
    const PanelRow& row(const char* label) {
        for (const PanelRow& candidate : SettingsPanel::rows()) {
            if (std::string(candidate.label) == label) {
                return candidate;
            }
        }
        ADD_FAILURE() << "no row " << label;
        return SettingsPanel::rows().front();
    }

    ViewSettings settings;
    PanelCounts counts;
    int loadFilePresses = 0;
    int savePresses = 0;
    SettingsPanel panel{settings, counts, [this] { ++loadFilePresses; }, [this] { ++savePresses; }};
};

struct ExpectedRow {
    PanelRowKind kind;
    const char* label;
    double min;
    double max;
    double step;
};

TEST_F(SettingsPanelTest, RowsComeInOrderWithTheirLabelsRangesAndSteps) {
    using enum PanelRowKind;
    const ExpectedRow expected[] = {
        {Button, "Load File", 0, 0, 1},
        {NodeCount, "# Tree Nodes", 0, 0, 1},
        {RelationCount, "# Splines", 0, 0, 1},
        {Separator, "", 0, 0, 1},
        {Choice, "Tree Layout", 0, 4, 1},
        {Switch, "Show Tree", 0, 1, 1},
        {Number, "Line Width", 1, 20, 1},
        {Number, "TreeMap Spacing", 0, 0.05, 0.0001},
        {Separator, "", 0, 0, 1},
        {Number, "Beta", 0, 1, 0.01},
        {Switch, "Show Splines", 0, 1, 1},
        {Number, "Color Ramp", 1, 5, 1},
        {Number, "Spline Width", 1, 20, 1},
        {Separator, "", 0, 0, 1},
        {Choice, "Blend Mode", 0, 3, 1},
        {Number, "Min Alpha", 0, 1, 0.01},
        {Number, "Alpha Exponent", 0.1, 10, 0.1},
        {Switch, "Flip Alpha", 0, 1, 1},
        {Separator, "", 0, 0, 1},
        {Switch, "Show Labels", 0, 1, 1},
        {Search, "Search", 0, 0, 1},
        {Button, "Save Picture", 0, 0, 1},
        {Separator, "", 0, 0, 1},
        {Number, "Depth", 1, 1e6, 1},
        {CutLine, "", 0, 0, 1},
        {Button, "Expand All", 0, 0, 1},
        // Below every row the panel had before, so that none of those moves.
        {Separator, "", 0, 0, 1},
        {Choice, "Color By", 0, 2, 1},
        {Number, "Group Depth", 0, 64, 1},
        {Switch, "Mark Both-Way", 0, 1, 1},
        {Switch, "Show Cycles", 0, 1, 1},
        {Choice, "Density Scale", 0, 1, 1},
        {Switch, "Show Legend", 0, 1, 1},
        {Separator, "", 0, 0, 1},
        {Button, "Compare With...", 0, 0, 1},
        {Button, "Stop Comparing", 0, 0, 1},
        {Switch, "Show Kept", 0, 1, 1},
        {Separator, "", 0, 0, 1},
        {Button, "Load Rules...", 0, 0, 1},
        {Button, "Clear Rules", 0, 0, 1},
        // The views last, below the comparison's rows.
        {Separator, "", 0, 0, 1},
        {Choice, "View", 0, 1, 1},
        {Choice, "Matrix Order", 0, 1, 1},
        {Button, "Save Matrix...", 0, 0, 1},
    };
    const std::span<const PanelRow> rows = SettingsPanel::rows();
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(expected[i].label);
        EXPECT_EQ(rows[i].kind, expected[i].kind);
        EXPECT_STREQ(rows[i].label, expected[i].label);
        if (rows[i].isSetting()) {
            EXPECT_EQ(rows[i].setting->min, expected[i].min);
            EXPECT_EQ(rows[i].setting->max, expected[i].max);
            EXPECT_EQ(rows[i].setting->step, expected[i].step);
        }
    }
    EXPECT_EQ(row("Color Ramp").setting->kind, SettingKind::Integer);
    EXPECT_EQ(row("Beta").setting->kind, SettingKind::Real);
    // Each row reads and writes its own field.
    settings.beta = 0.25f;
    settings.flipAlpha = true;
    settings.layoutType = TreeLayoutType::Classic;
    settings.colorRamp = 4;
    EXPECT_EQ(panel.value(row("Beta")), 0.25);
    EXPECT_EQ(panel.value(row("Flip Alpha")), 1.0);
    EXPECT_EQ(panel.value(row("Tree Layout")), 1.0);
    EXPECT_EQ(panel.value(row("Color Ramp")), 4.0);
    EXPECT_EQ(panel.value(row("Show Labels")), 0.0) << "labels start off";
    EXPECT_EQ(panel.value(row("Show Legend")), 1.0) << "the legend starts on";
    EXPECT_EQ(panel.valueText(row("Color By")), "Ramp");
}

TEST_F(SettingsPanelTest, ValuesShowAsThePanelShowsThem) {
    EXPECT_EQ(panel.valueText(row("Tree Layout")), "Radial");
    EXPECT_EQ(panel.valueText(row("Blend Mode")), "None");
    EXPECT_EQ(panel.valueText(row("Show Tree")), "ON");
    EXPECT_EQ(panel.valueText(row("Flip Alpha")), "OFF");
    EXPECT_EQ(panel.valueText(row("Line Width")), "3");
    EXPECT_EQ(panel.valueText(row("TreeMap Spacing")), "0.0100");
    EXPECT_EQ(panel.valueText(row("Beta")), "1.00");
    EXPECT_EQ(panel.valueText(row("Alpha Exponent")), "1.0");
    EXPECT_EQ(panel.valueText(row("Color Ramp")), "3");
    EXPECT_EQ(panel.valueText(row("# Tree Nodes")), "0");
    settings.layoutType = TreeLayoutType::TreeMapStrip;
    EXPECT_EQ(panel.valueText(row("Tree Layout")), "TreeMap - Strip");
    settings.layoutType = static_cast<TreeLayoutType>(12);
    EXPECT_EQ(panel.valueText(row("Tree Layout")), "12") << "a value no label names";
}

TEST_F(SettingsPanelTest, NumbersStayInTheirRangeAndMoveByTheirStep) {
    const PanelRow& spacing = row("TreeMap Spacing");
    panel.step(spacing, 1);
    EXPECT_FLOAT_EQ(settings.treeMapSpacing, 0.0101f);
    panel.step(spacing, -3);
    EXPECT_FLOAT_EQ(settings.treeMapSpacing, 0.0098f);
    panel.step(spacing, 1000);
    EXPECT_EQ(settings.treeMapSpacing, 0.05f);
    panel.setValue(spacing, -1.0);
    EXPECT_EQ(settings.treeMapSpacing, 0.0f);
    panel.setValue(spacing, std::nan(""));
    EXPECT_EQ(settings.treeMapSpacing, 0.0f);

    const PanelRow& ramp = row("Color Ramp");
    panel.setValue(ramp, 2.6);
    EXPECT_EQ(settings.colorRamp, 3) << "rounded";
    panel.setValue(ramp, 9);
    EXPECT_EQ(settings.colorRamp, 5);
    panel.step(ramp, -10);
    EXPECT_EQ(settings.colorRamp, 1);

    counts.treeDepth = 4;
    for (const PanelRow& number : SettingsPanel::rows()) {
        if (number.kind != PanelRowKind::Number) {
            continue;
        }
        SCOPED_TRACE(number.label);
        panel.setValue(number, 1e9);
        EXPECT_EQ(panel.value(number), static_cast<float>(panel.highest(number)));
        panel.step(number, -1000000);
        EXPECT_EQ(panel.value(number), static_cast<float>(panel.lowest(number)));
    }

    // A depth runs from 1 to the graph's; not chosen yet, it shows the
    // whole tree.
    const PanelRow& depth = row("Depth");
    settings.depth = 0;
    EXPECT_EQ(panel.valueText(depth), "4");
    panel.setValue(depth, 9);
    EXPECT_EQ(settings.depth, 4);
    panel.step(depth, -10);
    EXPECT_EQ(settings.depth, 1);
}

TEST_F(SettingsPanelTest, DecimalsFollowTheStep) {
    EXPECT_EQ(SettingsPanel::decimals(row("Line Width")), 0);
    EXPECT_EQ(SettingsPanel::decimals(row("Alpha Exponent")), 1);
    EXPECT_EQ(SettingsPanel::decimals(row("Min Alpha")), 2);
    EXPECT_EQ(SettingsPanel::decimals(row("TreeMap Spacing")), 4);
    EXPECT_EQ(SettingsPanel::decimals(row("Color Ramp")), 0);
}

TEST_F(SettingsPanelTest, SwitchesToggleAndChoicesTakeOnlyTheirOwnValues) {
    panel.step(row("Show Tree"), 1);
    EXPECT_FALSE(settings.showTree);
    panel.step(row("Show Tree"), -1);
    EXPECT_TRUE(settings.showTree);

    const PanelRow& blend = row("Blend Mode");
    EXPECT_EQ(blend.setting->choiceLabels.size(), 4u) << "None, Alpha, Max, Density";
    panel.setValue(blend, 2);
    EXPECT_EQ(settings.blendMode, BlendModeType::Max);
    panel.setValue(blend, 4);
    panel.setValue(blend, 1.5);
    panel.setValue(blend, -1);
    EXPECT_EQ(settings.blendMode, BlendModeType::Max);
    panel.step(blend, 5);
    EXPECT_EQ(settings.blendMode, BlendModeType::Density) << "the last value";
    EXPECT_EQ(panel.valueText(blend), "Density");
    panel.step(blend, -2);
    EXPECT_EQ(settings.blendMode, BlendModeType::Alpha);
    settings.layoutType = static_cast<TreeLayoutType>(9);
    panel.step(row("Tree Layout"), 1);
    EXPECT_EQ(settings.layoutType, TreeLayoutType::Radial) << "an unknown value steps to the first";
}

TEST_F(SettingsPanelTest, CountsAndButtonsAreNeverWritten) {
    for (const PanelRow& shown : {row("# Tree Nodes"), row("# Splines"), row("Load File"),
                                  row("Search"), SettingsPanel::rows()[3]}) {
        panel.setValue(shown, 7);
        panel.step(shown, 1);
    }
    EXPECT_EQ(settings, ViewSettings{});
    EXPECT_EQ(loadFilePresses, 0);
    panel.press(row("Load File"));
    EXPECT_EQ(loadFilePresses, 1);
    panel.press(row("Save Picture"));
    EXPECT_EQ(savePresses, 1);
    EXPECT_EQ(loadFilePresses, 1);
    int comparePresses = 0;
    int stopPresses = 0;
    panel.comparing.compareWith = [&comparePresses] { ++comparePresses; };
    panel.comparing.stop = [&stopPresses] { ++stopPresses; };
    panel.press(row("Compare With..."));
    panel.press(row("Stop Comparing"));
    panel.press(row("Stop Comparing"));
    EXPECT_EQ(comparePresses, 1);
    EXPECT_EQ(stopPresses, 2);
    int rulePresses = 0;
    int clearPresses = 0;
    panel.rules.load = [&rulePresses] { ++rulePresses; };
    panel.rules.clear = [&clearPresses] { ++clearPresses; };
    panel.press(row("Load Rules..."));
    panel.press(row("Clear Rules"));
    EXPECT_EQ(rulePresses, 1);
    EXPECT_EQ(clearPresses, 1);
    int matrixPresses = 0;
    panel.saveMatrix = [&matrixPresses] { ++matrixPresses; };
    panel.press(row("Save Matrix..."));
    EXPECT_EQ(matrixPresses, 1);
    EXPECT_EQ(loadFilePresses, 1);
}

TEST_F(SettingsPanelTest, CountsFollowTheGraphOnScreen) {
    counts = {4, 1};
    EXPECT_EQ(panel.valueText(row("# Tree Nodes")), "4");
    EXPECT_EQ(panel.valueText(row("# Splines")), "1");
}

TEST_F(SettingsPanelTest, MouseButtonsOverTheBarOrAListOrWhileAWidgetIsHeldAreTaken) {
    panel.frame.shown = {10, 30, 270, 350};
    EXPECT_TRUE(panel.takesMouseButton(10, 30));
    EXPECT_TRUE(panel.takesMouseButton(279, 379));
    EXPECT_FALSE(panel.takesMouseButton(280, 100));
    EXPECT_FALSE(panel.takesMouseButton(100, 380));
    panel.frame.popups.push_back({150, 200, 100, 300});
    EXPECT_TRUE(panel.takesMouseButton(200, 450));
    panel.frame.widgetActive = true;
    EXPECT_TRUE(panel.takesMouseButton(600, 600));
    // A field being typed in holds nothing: the picture answers the pointer.
    panel.frame.textInputFocused = true;
    EXPECT_FALSE(panel.takesMouseButton(600, 600));
    panel.frame.textInputFocused = false;

    // The picture starts right of the bar and its gap; hidden, the bar
    // takes neither clicks nor room.
    panel.frame.widgetActive = false;
    EXPECT_EQ(panel.pictureLeft(1024), 290);
    panel.visible = false;
    EXPECT_FALSE(panel.takesMouseButton(100, 100));
    EXPECT_EQ(panel.pictureLeft(1024), 0);
    panel.visible = true;
    panel.frame.shown.x = 600;
    EXPECT_EQ(panel.pictureLeft(1024), 0) << "a bar moved to the right half";
}

TEST_F(SettingsPanelTest, KeysAreTakenOnlyWhileAFieldIsTypedIn) {
    EXPECT_FALSE(panel.takesKey());
    panel.frame.textInputFocused = true;
    EXPECT_TRUE(panel.takesKey());
    // From "/" on, before the search field has the focus.
    panel.frame.textInputFocused = false;
    panel.focusSearch();
    EXPECT_TRUE(panel.takesKey());
    EXPECT_TRUE(panel.takeSearchFocus());
    EXPECT_FALSE(panel.takesKey());
}

TEST_F(SettingsPanelTest, ArrowsStepTheSettingUnderThePointer) {
    EXPECT_FALSE(panel.stepHoveredRow(1)) << "nothing under the pointer";
    panel.frame.hovered = &row("Line Width");
    EXPECT_TRUE(panel.stepHoveredRow(2));
    EXPECT_EQ(settings.lineWidth, 5.0f);
    EXPECT_FALSE(panel.stepHoveredRow(0));
    panel.frame.hovered = &row("# Splines");
    EXPECT_FALSE(panel.stepHoveredRow(1)) << "a count is not a setting";

    // The alpha settings count only while the curves are alpha blended.
    for (const char* label : {"Min Alpha", "Alpha Exponent", "Flip Alpha"}) {
        for (const auto& [mode, applies] : {std::pair{BlendModeType::None, false},
                                            {BlendModeType::Alpha, true},
                                            {BlendModeType::Max, false},
                                            {BlendModeType::Density, false}}) {
            settings.blendMode = mode;
            EXPECT_EQ(panel.applies(row(label)), applies) << label;
        }
    }
    // The density scale only in the density view, the curves' colours only
    // outside it.
    for (const auto& [mode, applies] :
         {std::pair{BlendModeType::Alpha, false}, {BlendModeType::Density, true}}) {
        settings.blendMode = mode;
        EXPECT_EQ(panel.applies(row("Density Scale")), applies);
        for (const char* label : {"Color By", "Group Depth", "Mark Both-Way"}) {
            EXPECT_EQ(panel.applies(row(label)), !applies) << label;
        }
    }
    EXPECT_TRUE(panel.applies(row("Spline Width")));
    // "Show Kept" and "Stop Comparing" count only while two versions are
    // compared.
    EXPECT_FALSE(panel.applies(row("Show Kept")));
    EXPECT_FALSE(panel.applies(row("Stop Comparing")));
    EXPECT_TRUE(panel.applies(row("Compare With...")));
    panel.comparing.summary =
        "Compared: 1 added, 0 removed, 0 kept relations; 0 added, 0 removed nodes";
    EXPECT_TRUE(panel.applies(row("Show Kept")));
    EXPECT_TRUE(panel.applies(row("Stop Comparing")));
    // "Clear Rules" counts only while rules are loaded.
    EXPECT_FALSE(panel.applies(row("Clear Rules")));
    EXPECT_TRUE(panel.applies(row("Load Rules...")));
    panel.rules.loaded = true;
    EXPECT_TRUE(panel.applies(row("Clear Rules")));
    settings.blendMode = BlendModeType::Max;
    panel.frame.hovered = &row("Min Alpha");
    EXPECT_FALSE(panel.stepHoveredRow(1)) << "a disabled setting";
}

TEST_F(SettingsPanelTest, LongMessagesAreCutBetweenCharacters) {
    EXPECT_EQ(SettingsPanel::shownText("a \u2026 b"), "a ... b");
    // A 16,500-character token of two-byte characters, as a refused file's
    // message may quote it: cut on a character's first byte.
    std::string token;
    for (int i = 0; i < 16500; ++i) {
        token += "\u00e9";
    }
    const std::string shown = SettingsPanel::shownText("x" + token);
    EXPECT_EQ(shown.size(), SettingsPanel::shownTextLimit + 1 + 3);
    EXPECT_EQ(shown.substr(shown.size() - 5), "\u00e9...");
}

TEST_F(SettingsPanelTest, TheSearchTellsItsTextAndStepsAndSumsUpWhatItFound) {
    std::vector<std::string> texts;
    std::vector<int> steps;
    panel.search.changed = [&texts](const std::string& text) { texts.push_back(text); };
    panel.search.step = [&steps](int step) { steps.push_back(step); };
    EXPECT_EQ(panel.searchSummary(), "") << "nothing typed";
    panel.typeSearch("fig");
    panel.typeSearch("fig");
    panel.typeSearch("figu");
    EXPECT_EQ(texts, (std::vector<std::string>{"fig", "figu"})) << "only changes are told";
    EXPECT_EQ(panel.searchSummary(), "No matches");
    panel.search.matches = 1;
    EXPECT_EQ(panel.searchSummary(), "1 match");
    panel.search.matches = 12;
    EXPECT_EQ(panel.searchSummary(), "12 matches");
    panel.search.current = 2;
    EXPECT_EQ(panel.searchSummary(), "3 of 12");
    panel.stepSearch(0);
    panel.stepSearch(-1);
    EXPECT_EQ(steps, (std::vector<int>{0, -1}));
    EXPECT_FALSE(panel.takeSearchFocus());
    panel.focusSearch();
    EXPECT_TRUE(panel.takeSearchFocus());
    EXPECT_FALSE(panel.takeSearchFocus()) << "asked for once";
}

TEST(LoadFileButton, OnlyPathsLongerThanThreeCharactersAreLoaded) {
    std::vector<std::string> loaded;
    const LoadGraph load = [&loaded](const std::string& path) { loaded.push_back(path); };
    loadChosenFile("", load);
    loadChosenFile("abc", load);
    EXPECT_TRUE(loaded.empty());
    loadChosenFile("a.rs", load);
    loadChosenFile("data/Graphs/small.rsf", load);
    EXPECT_EQ(loaded, (std::vector<std::string>{"a.rs", "data/Graphs/small.rsf"}));
}

} // namespace
