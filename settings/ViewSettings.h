#pragma once

#include "layout/TreeLayoutType.h"
#include "settings/BlendModeType.h"
#include "settings/CurveColourTypes.h"
#include "settings/MatrixOrder.h"
#include "settings/ViewType.h"

#include <cstdint>

// The number of colour ramps; the "Color Ramp" setting picks one of them,
// 1 to colorRampCount.
inline constexpr int32_t colorRampCount = 5;

// The most bundles a picture shows at first: a graph of more relations opens
// at the deepest cut that keeps within them.
inline constexpr int64_t readableBundles = 5000;

// Every setting the user can change: the settings panel, the command line of
// both programs and the tools write it; the scene applies it. What each
// setting is, its range and its default (the panel's starting value) are
// in the settings table (settings/SettingsTable.h).
struct ViewSettings {
    // Every setting at its default.
    ViewSettings();
    // The same for pictures drawn without a window (hebview-render), which
    // starts the settings that only a window shows by default off.
    static ViewSettings windowless();

    // Any value outside the five layouts keeps the node positions as they
    // are.
    TreeLayoutType layoutType{};
    bool showTree{};
    // Nodes' names written over the picture.
    bool showLabels{};
    float lineWidth{};
    float treeMapSpacing{};
    // Bundling strength: 0 straight lines, 1 the full curves.
    float beta{};
    bool showSplines{};
    int32_t colorRamp{};
    float splineWidth{};
    // Any value outside the four modes leaves the blending as it is.
    BlendModeType blendMode{};
    float minAlpha{};
    float alphaExponent{};
    bool flipAlpha{};
    // Where the hierarchy is cut: every inner node at this depth collapsed
    // (root 0); at the tree's depth or deeper, the whole tree. 0 until a
    // depth is chosen for the graph shown.
    int32_t depth{};
    // Curves along the ramp, or in their source's or target's group colour;
    // a node's group is its ancestor at groupDepth (or itself, above it);
    // 0 for the shallowest depth that gives at least three groups.
    ColorBy colorBy{};
    int32_t groupDepth{};
    // Relations whose reverse exists too drawn opaque in a colour of their own.
    bool markBothWays{};
    // The cut's cycle groups in colours of their own, the relations to cut
    // in another, the rest faded.
    bool showCycles{};
    // A key to the picture's colours in a corner.
    bool showLegend{};
    DensityScaleType densityScale{};
    // While two versions are compared, whether the relations both have are
    // drawn (dimmed) beside those added and removed.
    bool showKept{};
    // The bundles, or the dependency matrix at the same cut, and the order
    // of the matrix's rows.
    ViewType view{};
    MatrixOrder matrixOrder{};

    bool operator==(const ViewSettings&) const = default;
};
