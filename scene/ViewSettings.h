#pragma once

#include "layout/TreeLayoutType.h"
#include "scene/BlendModeType.h"

#include <cstdint>

// The number of colour ramps; the "Color Ramp" setting picks one of them,
// 1 to colorRampCount.
inline constexpr int32_t colorRampCount = 5;

// Every setting the user can change: the settings panel, the command line of
// hebview-render and the tools write it; the scene applies it. Defaults are
// the panel's starting values.
struct ViewSettings {
    // A TreeLayoutType; any other value keeps the node positions as they are.
    int32_t layoutType = static_cast<int32_t>(TreeLayoutType::Radial);
    bool showTree = true;
    // Nodes' names written over the picture.
    bool showLabels = false;
    float lineWidth = 3.0f;
    float treeMapSpacing = 0.01f;
    // Bundling strength: 0 straight lines, 1 the full curves.
    float beta = 1.0f;
    bool showSplines = true;
    int32_t colorRamp = 3;
    float splineWidth = 5.0f;
    // A BlendModeType; any other value leaves the blending as it is.
    int32_t blendMode = static_cast<int32_t>(BlendModeType::None);
    float minAlpha = 0.1f;
    float alphaExponent = 1.0f;
    bool flipAlpha = false;

    bool operator==(const ViewSettings&) const = default;
};
