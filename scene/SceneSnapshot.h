#pragma once

#include "graph/CompoundGraph.h"
#include "layout/Point.h"
#include "layout/Rect.h"
#include "scene/Labels.h"
#include "scene/Scene.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// What the window needs of a scene between frames, to answer the pointer
// and to write names: the graph, where its nodes are, and where their
// labels could go. A copy, so that the worker may go on changing its scene.
struct SceneSnapshot {
    // Another graph (a later load) has another number.
    uint64_t graphNumber = 0;
    CompoundGraph graph;
    TreeLayoutType layoutType = TreeLayoutType::Radial;
    std::vector<Point> positions;
    // By node id, in treemap layouts; empty otherwise.
    std::vector<Rect> rectangles;
    std::vector<Label> labels;
};

std::shared_ptr<const SceneSnapshot> snapshotOf(const Scene& scene, uint64_t graphNumber);

// The labels to write over the visible part of the scene (in scene units)
// at this scale, the highlighted node's among them whatever it overlaps.
std::vector<Label> labelsToShow(const SceneSnapshot& snapshot, const TextMeasure& measure,
                                double pixelsPerUnit, const Rect& visible, int32_t highlighted);
