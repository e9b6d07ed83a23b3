#pragma once

#include "analysis/BundleViolations.h"
#include "analysis/CycleGroups.h"
#include "analysis/RuleFile.h"

#include <memory>
#include <vector>

// What the analysis found at the scene's cut, for the picture and the
// pointer: the cycle groups where cycles are shown, and the rules loaded
// with the bundles that break them. Shared, never changed: a frame session
// finds them once per cut and rules file.
struct SceneFindings {
    std::shared_ptr<const CycleGroups> cycles;
    std::shared_ptr<const RuleSet> rules;
    std::shared_ptr<const std::vector<RuleOnBundles>> violations;
};
