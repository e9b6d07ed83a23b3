#pragma once

#include "analysis/DependencyMatrix.h"
#include "base/SharedValues.h"
#include "frame/DrawDescription.h"
#include "frame/Labels.h"
#include "frame/MatrixBrackets.h"
#include "frame/MatrixLayout.h"
#include "frame/SceneFindings.h"
#include "graph/CompoundGraph.h"
#include "model/Scene.h"
#include "settings/ViewSettings.h"
#include "settings/ViewState.h"

#include <cstdint>
#include <span>
#include <vector>

// What the matrix's names measure, where they are written at all: their
// height and the frame's pixels across.
struct MatrixText {
    const TextMeasure* measure = nullptr;
    float pixels = 0.0f;
    int framePixels = DrawDescription::framePixels;
};

// Where the matrix goes, room made for the rows' names at the scale of the
// whole picture.
MatrixLayout layOutMatrix(const CompoundGraph& graph, std::span<const int32_t> shownAs,
                          const DependencyMatrix& matrix, const MatrixText& text);

// The rows' and columns' names, where the rows are at least nearly as
// tall as the text; the brackets' names along them, where the text fits
// their band and their length; and the counts of the cells in the visible
// part (scene units) that hold them with some room, at this scale: for the
// frame, and for the window, which writes them at its own scale.
struct MatrixTexts {
    std::vector<Label> names;
    std::vector<Label> counts;
};
MatrixTexts matrixTexts(const CompoundGraph& graph, const DependencyMatrix& matrix,
                        std::span<const MatrixBracket> brackets, const MatrixLayout& layout,
                        const TextMeasure& measure, double pixelsPerUnit, const Rect& visible);

// The frame of the matrix view: each cell that holds relations filled with
// the ramp's colour for its count on the density scale (a comparison's
// added and removed ones in their colours), the brackets and names of the
// rows and columns, and the counts written in cells that hold them. A
// highlighted node's rows' cells take the leaving colour and its columns'
// the arriving one, the other cells dimmed; the search's nodes are marked
// on their rows' and columns' names; with Show Cycles the blocks of rows
// that reach one another are outlined, and the cells of relations to cut;
// with rules, the cells whose relations break one outlined in its colour
// (the last such rule's), as the curves take it. The key shows the ramp
// from the fewest relations in a cell to the most, the kinds' and the
// highlight's colours where they are drawn, and the rules with their
// counts. The cycles are the findings' where given.
DrawDescription describeMatrixFrame(const Scene& scene, const DependencyMatrix& matrix,
                                    const ViewSettings& settings, const ViewState& view,
                                    SharedValues<Colour> ramp, const MatrixText& text,
                                    const SceneFindings& findings = {});
