#pragma once

#include <cstdint>
#include <string>
#include <vector>

class Graph;

// What hebview-render draws: the graph file, the output file, and the
// panel's layout and bundling strength with their defaults. The drawing
// settings go straight into the Graph, whose own defaults are the panel's.
struct RenderOptions {
    std::string graphPath = "data/Graphs/jhotdraw-mini.rsf";
    std::string outputPath = "hebview.png";
    int32_t layoutType = 0;
    float beta = 1.0f;
    bool helpWanted = false;
};

struct RenderOptionsResult {
    RenderOptions options;
    // Empty when the command line was understood.
    std::string error;
};

// Reads the command line; drawing settings are written into graph.
RenderOptionsResult parseRenderOptions(const std::vector<std::string>& arguments, Graph& graph);

std::string renderOptionsHelp();
