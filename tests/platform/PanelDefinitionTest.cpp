#include "platform/PanelDefinition.h"

#include <gtest/gtest.h>

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs pairsOf(const PanelDefinition& definition) {
    Pairs pairs;
    for (const PanelAssignment& assignment : definition.assignments) {
        pairs.emplace_back(assignment.key, assignment.value);
    }
    return pairs;
}

TEST(PanelDefinition, ReadsEntryDefinitionsWithTheirBlanksAndFloatSuffixes) {
    const PanelDefinition button = parsePanelDefinition(" label='Load File'");
    EXPECT_TRUE(button.words.empty());
    EXPECT_EQ(pairsOf(button), (Pairs{{"label", "Load File"}}));
    EXPECT_EQ(button.error, "");

    const PanelDefinition width =
        parsePanelDefinition("label='Line Width' min=1.00 max=20.0 step=1.0f");
    EXPECT_EQ(pairsOf(width),
              (Pairs{{"label", "Line Width"}, {"min", "1.00"}, {"max", "20.0"}, {"step", "1.0f"}}));
    EXPECT_EQ(width.error, "");

    const PanelDefinition toggle = parsePanelDefinition(" label='Show Tree' false='OFF' true='ON'");
    EXPECT_EQ(pairsOf(toggle), (Pairs{{"label", "Show Tree"}, {"false", "OFF"}, {"true", "ON"}}));
}

TEST(PanelDefinition, BarDefinitionsNameTheirTargetFirst) {
    const PanelDefinition bar =
        parsePanelDefinition(" Settings color='150 50 50 50' size='270 350' position='10 30' ");
    EXPECT_EQ(bar.words, std::vector<std::string>{"Settings"});
    EXPECT_EQ(pairsOf(bar),
              (Pairs{{"color", "150 50 50 50"}, {"size", "270 350"}, {"position", "10 30"}}));

    const PanelDefinition global = parsePanelDefinition(" GLOBAL fontSize=3 iconAlign=horizontal ");
    EXPECT_EQ(global.words, std::vector<std::string>{"GLOBAL"});
    EXPECT_EQ(pairsOf(global), (Pairs{{"fontSize", "3"}, {"iconAlign", "horizontal"}}));
    EXPECT_EQ(global.error, "");
}

TEST(PanelDefinition, AnyOfThreeQuotesHoldsBlanksAndTheOtherQuotes) {
    const PanelDefinition quoted = parsePanelDefinition("a=\"it's\" b=`say \"hi\"` c='' d=x'y");
    EXPECT_EQ(pairsOf(quoted),
              (Pairs{{"a", "it's"}, {"b", "say \"hi\""}, {"c", ""}, {"d", "x'y"}}));
    EXPECT_EQ(quoted.error, "");
    EXPECT_TRUE(parsePanelDefinition("").assignments.empty());
    EXPECT_TRUE(parsePanelDefinition("   ").words.empty());
}

TEST(PanelDefinition, MalformedTextsNameTheFaultAndKeepWhatCameBefore) {
    const PanelDefinition open = parsePanelDefinition("label='Beta min=0");
    EXPECT_NE(open.error, "");
    EXPECT_TRUE(open.assignments.empty());

    const PanelDefinition missing = parsePanelDefinition("label='Beta' min= max=1");
    EXPECT_EQ(pairsOf(missing), (Pairs{{"label", "Beta"}}));
    EXPECT_NE(missing.error, "");

    EXPECT_NE(parsePanelDefinition("label='Beta' stray").error, "");
    EXPECT_NE(parsePanelDefinition("=3").error, "");
    EXPECT_NE(parsePanelDefinition("min = 3").error, "");
    EXPECT_NE(parsePanelDefinition("min=").error, "");
}

TEST(PanelDefinition, NumbersMayCarryTheFloatSuffix) {
    double number = 0.0;
    EXPECT_TRUE(parsePanelNumber("1.0f", number));
    EXPECT_EQ(number, 1.0);
    EXPECT_TRUE(parsePanelNumber("0.0001f", number));
    EXPECT_EQ(number, 0.0001);
    EXPECT_TRUE(parsePanelNumber("-2.5", number));
    EXPECT_EQ(number, -2.5);
    EXPECT_TRUE(parsePanelNumber("5", number));
    EXPECT_EQ(number, 5.0);
    for (const char* bad : {"", "f", "1.0ff", "abc", "1,5", "1.0 ", "nan", "inf", "1e999"}) {
        EXPECT_FALSE(parsePanelNumber(bad, number)) << bad;
    }
}

TEST(PanelDefinition, NumberListsMustHaveTheirExactCount) {
    double numbers[4] = {};
    EXPECT_TRUE(parsePanelNumbers("150 50 50 50", numbers, 4));
    EXPECT_EQ(numbers[0], 150.0);
    EXPECT_EQ(numbers[3], 50.0);
    EXPECT_TRUE(parsePanelNumbers(" 270  350 ", numbers, 2));
    EXPECT_EQ(numbers[1], 350.0);
    EXPECT_FALSE(parsePanelNumbers("270 350 1", numbers, 2));
    EXPECT_FALSE(parsePanelNumbers("270", numbers, 2));
    EXPECT_FALSE(parsePanelNumbers("270 x", numbers, 2));
}

} // namespace
