#pragma once

#include <cstdint>

class Graph;

// Everything the off-screen scene depends on. The scene is drawn again only
// when this differs from the frame drawn last; the revision stands for the
// graph, the node positions and the spline points.
struct FrameSettings {
    uint64_t sceneRevision = 0;
    int32_t layoutType = 0;
    int32_t blendMode = 0;
    int32_t colorRamp = 0;
    float minAlpha = 0.0f;
    float alphaExponent = 0.0f;
    float lineWidth = 0.0f;
    float splineWidth = 0.0f;
    bool flipAlpha = false;
    bool showTree = false;
    bool showSplines = false;

    bool operator==(const FrameSettings&) const = default;
};

FrameSettings frameSettingsOf(const Graph& graph);
