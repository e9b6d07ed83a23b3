#include "graph/Graph.h"
#include "platform/HeadlessGlContext.h"
#include "render/FrameImage.h"
#include "tools/render/PngWriter.h"
#include "tools/render/RenderOptions.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv) {
    Graph& graph = Graph::instance();
    const RenderOptionsResult parsed = parseRenderOptions({argv + 1, argv + argc}, graph);
    if (!parsed.error.empty()) {
        std::cerr << "hebview-render: " << parsed.error << "\n(see hebview-render --help)\n";
        return 2;
    }
    const RenderOptions& options = parsed.options;
    if (options.helpWanted) {
        std::cout << renderOptionsHelp();
        return 0;
    }
    HeadlessGlContext context;
    if (!context.valid()) {
        std::cerr << "hebview-render: no OpenGL context: " << context.error() << '\n';
        return 1;
    }
    graph.initRenderTargets();
    if (!graph.load(options.graphPath)) {
        return 1;
    }
    graph.setLayout(static_cast<TreeLayoutType>(options.layoutType));
    graph.setBeta(options.beta);
    graph.render();
    const std::string error = writePng(readFrame(graph), options.outputPath);
    if (!error.empty()) {
        std::cerr << "hebview-render: " << error << '\n';
        return 1;
    }
    std::cout << "Wrote " << options.outputPath << '\n';
    return 0;
}
