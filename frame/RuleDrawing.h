#pragma once

#include "analysis/BundleViolations.h"
#include "analysis/RuleFile.h"
#include "frame/DrawDescription.h"

#include <span>
#include <vector>

// Per rule, the colour it is drawn in where it is broken: the next of its
// severity's colours after the rules of that severity before it in the
// file (ignore lines, which cannot be broken, take none of them).
std::vector<Colour> ruleColours(const RuleSet& rules);

// The rules' violations in the picture: the bundles that break a rule
// opaque in its colour (the last such rule's in file order) and drawn over
// every other curve, which fades unless shown (per curve, by another mark,
// such as a cycle group's; empty: none); a dashed curve (a relation to cut)
// stays dashed in the rule's colour; alpha blending, as a highlight does.
// Nothing changes where no drawn bundle breaks a rule.
void markViolations(CurveSet& curves, const RuleSet& rules,
                    std::span<const RuleOnBundles> violations, std::span<const char> shown = {});

// The key's entries: each rule that can be broken, in its colour, with its
// line and count, "layers app > draw: 3 violations".
std::vector<LegendEntry> ruleLegend(const RuleSet& rules,
                                    std::span<const RuleOnBundles> violations);
