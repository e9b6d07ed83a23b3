#pragma once

#include "graph/CompoundGraph.h"
#include "settings/Colour.h"
#include "settings/FrameRegion.h"

#include <cstdint>
#include <vector>

// What the user explores beyond the settings: the part of the scene shown,
// the node highlighted (hovered or pinned), the nodes a search found, and
// the background.
// The default shows the whole scene with nothing highlighted or marked.
struct ViewState {
    FrameRegion region;
    // The graph the node ids belong to (see SceneSnapshot::graphNumber).
    uint64_t graphNumber = 0;
    int32_t highlighted = CompoundGraph::none;
    std::vector<int32_t> marked;
    // The nodes collapsed or expanded from the cut of the settings' depth.
    std::vector<int32_t> toggled;
    // Behind everything; the viewer's is always black.
    Colour background{0.0f, 0.0f, 0.0f, 1.0f};

    bool operator==(const ViewState&) const = default;
};

// The camera's magnification keeps within these.
inline constexpr double minimumZoom = 0.5;
inline constexpr double maximumZoom = 4096.0;
// Label text in the 2048-pixel frame, and in the window.
inline constexpr float framedLabelPixels = 24.0f;
inline constexpr float windowLabelPixels = 14.0f;
// What is left of a curve's opacity while another node is highlighted.
inline constexpr float dimmedOpacity = 0.15f;
