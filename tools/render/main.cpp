#include "base/Console.h"
#include "facade/Graph.h"
#include "render/FrameImage.h"
#include "render/HeadlessGlContext.h"
#include "tools/render/PngWriter.h"
#include "tools/render/RenderOptions.h"

#include <iostream>

int main(int argc, char** argv) {
    const Result<RenderOptions> parsed = parseRenderOptions({argv + 1, argv + argc});
    if (!parsed) {
        std::cerr << "hebview-render: " << parsed.error().describe()
                  << "\n(see hebview-render --help)\n";
        return 2;
    }
    const RenderOptions& options = parsed.value();
    if (options.helpWanted) {
        std::cout << renderOptionsHelp();
        return 0;
    }
    HeadlessGlContext context;
    if (!context.status()) {
        std::cerr << "hebview-render: no OpenGL context: " << context.status().error().describe()
                  << '\n';
        return 1;
    }
    Graph& graph = Graph::instance();
    graph.settings = options.settings;
    if (const Status targets = graph.initRenderTargets(); !targets) {
        console::line(targets.error().describe());
        return 1;
    }
    if (!graph.load(options.graphPath)) {
        return 1;
    }
    graph.render();
    if (const Status written = writePng(readFrame(graph.targets), options.outputPath); !written) {
        std::cerr << "hebview-render: " << written.error().describe() << '\n';
        return 1;
    }
    console::line("Wrote " + options.outputPath);
    return 0;
}
