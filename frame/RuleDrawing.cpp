#include "frame/RuleDrawing.h"

#include "base/Counted.h"
#include "frame/SceneDrawing.h"

#include <iterator>

std::vector<Colour> ruleColours(const RuleSet& rules) {
    std::vector<Colour> colours;
    std::size_t errors = 0;
    std::size_t warnings = 0;
    for (const Rule& rule : rules.rules) {
        const bool ignored = rule.kind == Rule::Kind::Ignore;
        colours.push_back(rule.severity == Severity::Error
                              ? errorRuleColours[errors % std::size(errorRuleColours)]
                              : warningRuleColours[warnings % std::size(warningRuleColours)]);
        errors += !ignored && rule.severity == Severity::Error ? 1 : 0;
        warnings += !ignored && rule.severity == Severity::Warning ? 1 : 0;
    }
    return colours;
}

void markViolations(CurveSet& curves, const RuleSet& rules,
                    std::span<const RuleOnBundles> violations, std::span<const char> shown) {
    std::vector<int32_t> ruleOf(static_cast<std::size_t>(curves.curveCount()), -1);
    bool any = false;
    for (const RuleOnBundles& rule : violations) {
        for (const int32_t bundle : rule.bundles) {
            if (bundle < curves.curveCount()) {
                ruleOf[static_cast<std::size_t>(bundle)] = rule.rule;
                any = true;
            }
        }
    }
    if (!any) {
        return;
    }
    // Each colour is added once, however many rules share it, and once
    // more dashed for the curves that were dashed (the relations to cut).
    struct Added {
        Colour colour;
        bool dashed = false;
        uint8_t index = 0;
    };
    std::vector<Added> added;
    const std::vector<Colour> colours = ruleColours(rules);
    const auto indexOf = [&](int32_t rule, bool dashed) {
        const Colour colour = colours[static_cast<std::size_t>(rule)];
        for (const Added& known : added) {
            if (known.colour == colour && known.dashed == dashed) {
                return known.index;
            }
        }
        const uint8_t index = curves.addFixedColour(colour);
        if (dashed) {
            curves.dashColour(index);
        }
        added.push_back({colour, dashed, index});
        return index;
    };
    curves.colourIndex.resize(ruleOf.size(), 0);
    for (std::size_t e = 0; e < ruleOf.size(); ++e) {
        if (ruleOf[e] < 0) {
            curves.opacity[e] *= e < shown.size() && shown[e] != 0 ? 1.0f : dimmedOpacity;
            continue;
        }
        curves.opacity[e] = 1.0f;
        curves.colourIndex[e] = indexOf(ruleOf[e], curves.dashedCurve(static_cast<int32_t>(e)));
    }
    drawLast(curves, [&ruleOf](std::size_t e) { return ruleOf[e] >= 0; });
    if (curves.blendMode != BlendModeType::Density) {
        curves.blendMode = BlendModeType::Alpha;
    }
}

std::vector<LegendEntry> ruleLegend(const RuleSet& rules,
                                    std::span<const RuleOnBundles> violations) {
    std::vector<LegendEntry> entries;
    const std::vector<Colour> colours = ruleColours(rules);
    for (const RuleOnBundles& rule : violations) {
        entries.emplace_back(LegendSwatch{colours[static_cast<std::size_t>(rule.rule)],
                                          rules.rules[static_cast<std::size_t>(rule.rule)].text +
                                              ": " +
                                              counted(rule.violations, "violation", "violations")});
    }
    return entries;
}
