#include "analysis/RuleCheck.h"

#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

namespace {

using testing_support::namedGraphOf;

// R {app 1 {A1 2, A2 3}, gui 4 {G 5}, draw 6 {D1 7, D2 8, tools 9 {T 10}},
//    base 11 {B 12}, util.io 13 {U 14}}
CompoundGraph tree() {
    return namedGraphOf({{-1, "R"},
                         {0, "app"},
                         {1, "A1"},
                         {1, "A2"},
                         {0, "gui"},
                         {4, "G"},
                         {0, "draw"},
                         {6, "D1"},
                         {6, "D2"},
                         {6, "tools"},
                         {9, "T"},
                         {0, "base"},
                         {11, "B"},
                         {0, "util.io"},
                         {13, "U"}},
                        {{2, 7},     // 0 app -> draw
                         {7, 3},     // 1 draw -> app
                         {5, 12},    // 2 gui (in app) -> base
                         {8, 12},    // 3 draw -> base
                         {12, 8},    // 4 base -> draw, ignored
                         {10, 7},    // 5 tools -> draw
                         {7, 10},    // 6 draw -> tools
                         {2, 14},    // 7 app -> util.io
                         {14, 12}}); // 8 util.io -> base
}

const char* const rulesText = "layer app app gui\n"
                              "layer gui2 gui                 # app, the first, keeps gui\n"
                              "layer draw draw\n"
                              "layer base base\n"
                              "layer tools draw.tools         # nearer to T than draw\n"
                              "layers app > draw > base\n"
                              "layers app > draw > base strict\n"
                              "forbid app -> util\\.io warn \"through base\"\n"
                              "forbid draw -> tools\n"
                              "independent * warn\n"
                              "acyclic *\n"
                              "ignore base -> draw.D2\n"
                              "forbid draw -> nothing.here\n";

TEST(RuleCheck, EachKindOfRuleCountsTheRelationsWorkedByHand) {
    const Result<RuleSet> rules = rulefile::parse(rulesText, "arch.rules");
    ASSERT_TRUE(rules.ok()) << rules.error().describe();
    const RuleFindings found = checkRules(rules.value(), tree());
    using Relations = std::vector<int32_t>;
    ASSERT_EQ(found.relations.size(), 8u);
    // base -> draw (4) is ignored, so only draw -> app breaks the order.
    EXPECT_EQ(found.relations[0], (Relations{1}));
    // Strict: gui, in app, may not skip draw to reach base.
    EXPECT_EQ(found.relations[1], (Relations{1, 2}));
    EXPECT_EQ(found.relations[2], (Relations{7}));
    // T is in the layer tools, D1 in draw: only draw -> tools.
    EXPECT_EQ(found.relations[3], (Relations{6}));
    // '*' matches no name with a dot: util.io stands for nothing, and
    // tools -> draw lies within draw.
    EXPECT_EQ(found.relations[4], (Relations{0, 1, 2, 3}));
    // app and draw form a cycle; gui -> base and draw -> base do not.
    EXPECT_EQ(found.relations[5], (Relations{0, 1}));
    EXPECT_EQ(found.relations[6], (Relations{4}));
    EXPECT_EQ(found.relations[7], (Relations{}));
    EXPECT_EQ(found.violations(rules.value(), Severity::Error), 1 + 2 + 1 + 2);
    EXPECT_EQ(found.violations(rules.value(), Severity::Warning), 1 + 4);

    ASSERT_EQ(found.warnings.size(), 2u);
    EXPECT_EQ(found.warnings[0].describe(),
              "arch.rules:2: layer 'gui2' holds no node: earlier layer lines take all it names");
    EXPECT_EQ(found.warnings[1].describe(),
              "arch.rules:13:16: pattern 'nothing.here' matches no node");
}

TEST(RuleCheck, WithoutTheIgnoreLineItsRelationCounts) {
    std::string text = rulesText;
    text.replace(text.find("ignore"), std::string_view("ignore").size(), "# ignore");
    const Result<RuleSet> rules = rulefile::parse(text, "arch.rules");
    ASSERT_TRUE(rules.ok()) << rules.error().describe();
    const RuleFindings found = checkRules(rules.value(), tree());
    EXPECT_EQ(found.relations[0], (std::vector<int32_t>{1, 4}));
    // draw and base now form a cycle too.
    EXPECT_EQ(found.relations[5], (std::vector<int32_t>{0, 1, 3, 4}));
}

} // namespace
