#pragma once

#include "base/Result.h"
#include "scene/ViewSettings.h"

#include <cstdint>
#include <string>
#include <vector>

// What hebview-render draws: the graph file, the output file, and every
// setting of the panel, with the panel's defaults.
struct RenderOptions {
    std::string graphPath = "data/Graphs/jhotdraw-mini.rsf";
    std::string outputPath = "hebview.png";
    ViewSettings settings;
    bool helpWanted = false;
    // How long each stage took, on standard error.
    bool timings = false;
};

// The options of the command line, or an Error saying what it got wrong.
Result<RenderOptions> parseRenderOptions(const std::vector<std::string>& arguments);

std::string renderOptionsHelp();
