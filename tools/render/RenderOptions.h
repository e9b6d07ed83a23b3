#pragma once

#include "base/Result.h"
#include "graph/CompoundGraph.h"
#include "settings/SettingsOptions.h"
#include "settings/ViewSettings.h"
#include "settings/ViewState.h"

#include <cstdint>
#include <string>
#include <vector>

// What hebview-render draws: the graph file, the output file, and every
// setting of the panel, with the panel's defaults.
struct RenderOptions {
    std::string graphPath = "data/Graphs/jhotdraw-mini.rsf";
    // Whether the command line named the graph; the default one is looked
    // for where the data files are.
    bool graphGiven = false;
    // A .png or a .svg file, chosen by the extension.
    std::string outputPath = "hebview.png";
    // The picture's width and height in pixels (the SVG's in user units).
    int32_t size = 2048;
    // Behind the picture: black, white or transparent (alpha 0).
    Colour background{0.0f, 0.0f, 0.0f, 1.0f};
    // Splits names into the hierarchy where a file has only names.
    std::string separator;
    ViewSettings settings = ViewSettings::windowless();
    bool helpWanted = false;
    // How long each stage took, on standard error.
    bool timings = false;
    // The view drawn: the highlight, the search, the zoom and centre.
    ViewOptions view;
};

// Whether the output is an SVG document (else a PNG image).
bool writesSvg(const RenderOptions& options);

// The options of the command line, or an Error saying what it got wrong,
// also an output that is neither .png nor .svg.
Result<RenderOptions> parseRenderOptions(const std::vector<std::string>& arguments);

std::string renderOptionsHelp();

// The view the options ask for on this graph, cut at that depth, where zoom
// 1 shows the square of this half side, or an Error naming a node that is
// not there.
Result<ViewState> viewStateOf(const RenderOptions& options, const CompoundGraph& graph,
                              float wholeExtent, int32_t depth = 0);
