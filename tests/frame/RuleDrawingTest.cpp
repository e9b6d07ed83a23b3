#include "frame/RuleDrawing.h"

#include "analysis/RuleCheck.h"
#include "frame/SceneDrawing.h"
#include "model/Cut.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::namedGraphOf;
using testing_support::sceneOf;

// root {A {a1, a2}, B {b1, b2}, C {c1}} cut at depth 1: a1 -> b1 and
// a1 -> b2 make the bundle A -> B, b2 -> a2 the bundle B -> A, a1 -> c1
// the bundle A -> C; a1 -> a2 lies inside A.
TEST(RuleDrawing, BrokenRulesTakeTheirColoursOverTheRestAndCountEveryRelation) {
    const std::vector<std::pair<int, std::string>> nodes{{-1, "root"}, {0, "A"},  {0, "B"},
                                                         {0, "C"},     {1, "a1"}, {1, "a2"},
                                                         {2, "b1"},    {2, "b2"}, {3, "c1"}};
    Scene scene = sceneOf(namedGraphOf(nodes, {{4, 6}, {4, 7}, {7, 5}, {4, 8}, {4, 5}}));
    const ViewSettings settings;
    scene.setCut(cutOf(scene.graph(), 1));
    scene.update(settings);
    const Result<RuleSet> read = rulefile::parse("forbid A.a1 -> B.b1\n"
                                                 "ignore A -> C\n"
                                                 "forbid B -> A warn\n"
                                                 "forbid A -> B\n"
                                                 "forbid A.a1 -> A.a2 warn\n",
                                                 "arch.rules");
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const auto rules = std::make_shared<const RuleSet>(read.value());
    const RuleFindings found = checkRules(*rules, scene.graph());
    const auto violations = std::make_shared<const std::vector<RuleOnBundles>>(
        violationsOnBundles(*rules, found, scene.graph(), scene.bundles(), scene.cut().shownAs));

    const Bundles& bundles = scene.bundles();
    ASSERT_EQ(bundles.bundleCount(), 3);
    // Bundles in the order of their first relation: A -> B, B -> A, A -> C.
    ASSERT_EQ(bundles.target[0], 2);
    ASSERT_EQ(bundles.target[1], 1);
    // The ignore line draws nothing; the relation inside A counts, in no bundle.
    ASSERT_EQ(violations->size(), 4u);
    const auto expect = [&](std::size_t at, int32_t rule, std::vector<int32_t> onBundles,
                            std::vector<uint32_t> relations, int64_t count) {
        SCOPED_TRACE(at);
        EXPECT_EQ((*violations)[at].rule, rule);
        EXPECT_EQ((*violations)[at].bundles, onBundles);
        EXPECT_EQ((*violations)[at].relations, relations);
        EXPECT_EQ((*violations)[at].violations, count);
    };
    expect(0, 0, {0}, {1}, 1);
    expect(1, 2, {1}, {1}, 1);
    expect(2, 3, {0}, {2}, 2);
    expect(3, 4, {}, {}, 1);

    const DrawDescription frame =
        describeScene(scene, settings, {}, {}, SceneFindings{nullptr, rules, violations});
    const CurveSet& curves = frame.curves;
    // A -> B breaks two error rules and takes the later one's colour, the
    // second warm one; B -> A the first cool one; A -> C fades under them.
    ASSERT_NE(curves.fixedColourOf(0), nullptr);
    ASSERT_NE(curves.fixedColourOf(1), nullptr);
    EXPECT_EQ(*curves.fixedColourOf(0), errorRuleColours[1]);
    EXPECT_EQ(*curves.fixedColourOf(1), warningRuleColours[0]);
    EXPECT_EQ(curves.fixedColourOf(2), nullptr);
    EXPECT_LT(curves.opacity[2], 1.0f);
    EXPECT_EQ(curves.curveAt(0), 2);
    EXPECT_EQ(curves.blendMode, BlendModeType::Alpha);
    const std::vector<std::string> keyTexts{
        "forbid A.a1 -> B.b1: 1 violation", "forbid B -> A warn: 1 violation",
        "forbid A -> B: 2 violations", "forbid A.a1 -> A.a2 warn: 1 violation"};
    ASSERT_GE(frame.legend.size(), keyTexts.size());
    for (std::size_t k = 0; k < keyTexts.size(); ++k) {
        const auto& entry =
            std::get<LegendSwatch>(frame.legend[frame.legend.size() - keyTexts.size() + k]);
        EXPECT_EQ(entry.text, keyTexts[k]);
    }

    // With the cycles shown too, B -> A, the relation to cut between A and
    // B, keeps its dashes in its rule's colour.
    ViewSettings cycles = settings;
    cycles.showCycles = true;
    const DrawDescription both =
        describeScene(scene, cycles, {}, {}, SceneFindings{nullptr, rules, violations});
    EXPECT_TRUE(both.curves.dashedCurve(1));
    EXPECT_EQ(*both.curves.fixedColourOf(1), warningRuleColours[0]);
    EXPECT_FALSE(both.curves.dashedCurve(0));
    EXPECT_EQ(*both.curves.fixedColourOf(0), errorRuleColours[1]);
}

} // namespace
