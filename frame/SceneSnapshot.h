#pragma once

#include "analysis/DependencyMatrix.h"
#include "base/SharedValues.h"
#include "frame/Labels.h"
#include "frame/MatrixLayout.h"
#include "frame/SceneFindings.h"
#include "graph/CompoundGraph.h"
#include "layout/Point.h"
#include "layout/Rect.h"
#include "model/CutView.h"
#include "model/Scene.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

// What the window needs of a scene between frames, to answer the pointer
// and to write names: the graph, where its nodes are, and where their
// labels could go. The graph is shared, the rest copied, so that the scene
// may go on changing.
struct SceneSnapshot {
    // Another graph (a later load) has another number.
    uint64_t graphNumber = 0;
    std::shared_ptr<const CompoundGraph> sharedGraph = std::make_shared<const CompoundGraph>();
    // Which nodes are shown, and the bundles between them.
    Cut cut;
    std::shared_ptr<const Bundles> bundles = std::make_shared<const Bundles>();
    // The bundles' curves, as CurveSet::points holds them, where rules are
    // loaded (the pointer finds the bundles that break them); else empty.
    SharedValues<float> curvePoints;
    // The cycle groups and the broken rules the frames show.
    SceneFindings findings;
    // What the nodes and relations come from, when the graph is the union
    // of two versions; null otherwise.
    std::shared_ptr<const Comparison> comparison;
    // The depth the graph opened at; 0 for the whole tree.
    int32_t openedDepth = 0;
    TreeLayoutType layoutType = TreeLayoutType::Radial;
    std::vector<Point> positions;
    // By node id, in treemap layouts; empty otherwise.
    std::vector<Rect> rectangles;
    std::vector<Label> labels;
    // The widest texts any cut's labels can have (see widestLabelTexts).
    std::shared_ptr<const std::vector<std::string>> widestLabels =
        std::make_shared<const std::vector<std::string>>();
    // In the matrix view, the matrix shown and where it lies; null in the
    // bundles' view.
    std::shared_ptr<const DependencyMatrix> matrix;
    MatrixLayout matrixLayout;

    const CompoundGraph& graph() const { return *sharedGraph; }
    // Which nodes are drawn, and as what.
    CutView cutView() const { return CutView(graph(), cut.shownAs); }
};

// The scene's snapshot, with the graph's widest label texts where they are
// known already (they are found anew otherwise: a pass over every node).
std::shared_ptr<const SceneSnapshot>
snapshotOf(const Scene& scene, std::shared_ptr<const std::vector<std::string>> widestLabels = {});

// The labels to write over the visible part of the scene (in scene units)
// at this scale, the highlighted node's among them whatever it overlaps;
// none that reaches left of clearOfLeft (in scene units), where the window's
// panel lies.
std::vector<Label> labelsToShow(const SceneSnapshot& snapshot, const TextMeasure& measure,
                                double pixelsPerUnit, const Rect& visible, int32_t highlighted,
                                float clearOfLeft = -std::numeric_limits<float>::infinity());
