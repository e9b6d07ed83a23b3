#include "base/Console.h"
#include "facade/Graph.h"
#include "render/FrameImage.h"
#include "render/HeadlessGlContext.h"
#include "scene/GraphLoading.h"
#include "tools/render/PngWriter.h"
#include "tools/render/RenderOptions.h"

#include <GL/glew.h>

#include <chrono>
#include <iostream>
#include <string>

namespace {

// With --timings on, how long each stage took, on standard error.
class StageTimes {
public:
    explicit StageTimes(bool shown) : shown(shown) {}

    void stageDone(const char* stage) {
        const auto now = std::chrono::steady_clock::now();
        if (shown) {
            std::cerr << "hebview-render: " << stage << " "
                      << std::chrono::duration<double, std::milli>(now - last).count() << " ms\n";
        }
        last = now;
    }

private:
    bool shown;
    std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
};

} // namespace

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
    StageTimes times(options.timings);
    HeadlessGlContext context;
    if (!context.status()) {
        std::cerr << "hebview-render: no OpenGL context: " << context.status().error().describe()
                  << '\n';
        return 1;
    }
    times.stageDone("GL context");
    Graph& graph = Graph::instance();
    graph.settings = options.settings;
    if (const Status targets = graph.initRenderTargets(); !targets) {
        console::line(targets.error().describe());
        return 1;
    }
    times.stageDone("render targets and colour ramps");
    if (!graph.load(options.graphPath)) {
        return 1;
    }
    times.stageDone("reading, layouts, routes, samples");
    hintAtDensity(graph.scene.graph(), graph.settings);
    graph.scene.update(graph.settings);
    const float wholeExtent =
        graph.settings.showLabels ? graph.labelledExtent() : DrawDescription::frameExtent;
    const Result<ViewState> view = viewStateOf(options, graph.scene.graph(), wholeExtent);
    if (!view) {
        std::cerr << "hebview-render: " << view.error().describe() << '\n';
        return 2;
    }
    graph.view = view.value();
    times.stageDone("layout and bundling strength of the settings");
    graph.render();
    glFinish();
    times.stageDone("drawing");
    const FrameImage frame = readFrame(graph.targets);
    times.stageDone("reading the frame back");
    if (const Status written = writePng(frame, options.outputPath); !written) {
        std::cerr << "hebview-render: " << written.error().describe() << '\n';
        return 1;
    }
    times.stageDone("writing the PNG");
    console::line("Wrote " + options.outputPath);
    return 0;
}
