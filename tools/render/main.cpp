#include "base/Console.h"
#include "base/ConsoleProgress.h"
#include "base/DataFiles.h"
#include "export/BackgroundMatte.h"
#include "export/SvgPicture.h"
#include "facade/Graph.h"
#include "io/FileText.h"
#include "platform/ExecutablePath.h"
#include "render/ColorRamps.h"
#include "render/FrameImage.h"
#include "render/HeadlessGlContext.h"
#include "render/PngWriter.h"
#include "scene/GraphLoading.h"
#include "tools/render/RenderOptions.h"

#include <GL/glew.h>

#include <chrono>
#include <iostream>
#include <optional>
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

// The picture over the background asked for: one frame over an opaque
// colour, or, for any other background, the frame drawn over black and over
// white and the coverage worked out from the two.
FrameImage drawnPicture(Graph& graph, const Colour& background) {
    const Colour black{0.0f, 0.0f, 0.0f, 1.0f};
    if (background == black) {
        graph.render();
        return readFrame(graph.targets);
    }
    graph.view.background = black;
    graph.render();
    FrameImage overBlack = readFrame(graph.targets);
    graph.view.background = {1.0f, 1.0f, 1.0f, 1.0f};
    graph.render();
    const FrameImage overWhite = readFrame(graph.targets);
    overBlack.rgba = transparentPicture(overBlack.rgba, overWhite.rgba);
    if (background.a > 0.0f) {
        overBlack.rgba = pictureOver(overBlack.rgba, background);
    }
    return overBlack;
}

std::string svgOf(Graph& graph) {
    const DrawDescription frame = graph.describe();
    const std::vector<Label> labels = graph.labelsShown();
    const std::vector<Colour> colours =
        rampColours(graph.targets.colorRampTextures, graph.settings.colorRamp);
    return svgPicture(
        {&frame, labels, graph.labelPixels(), labelColour, colours, graph.targets.frameWidth});
}

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
    // A picture that could not be written is found out before the work.
    if (const Status writable = checkWritable(options.outputPath); !writable) {
        std::cerr << "hebview-render: " << writable.error().describe() << '\n';
        return 1;
    }
    datafiles::setFolders(datafiles::foldersFor(executableFolder(), HEBVIEW_SOURCE_DIR));
    StageTimes times(options.timings);
    HeadlessGlContext context;
    if (!context.status()) {
        std::cerr << "hebview-render: no OpenGL context: " << context.status().error().describe()
                  << '\n';
        return 1;
    }
    if (const int32_t largest = largestFrameSize(); options.size > largest) {
        std::cerr << "hebview-render: --size " << options.size
                  << " is larger than this OpenGL can draw (" << largest << " pixels)\n";
        return 1;
    }
    times.stageDone("GL context");
    Graph& graph = Graph::instance();
    graph.settings = options.settings;
    // Widths are pixels of the 2048-pixel frame: other sizes keep the look.
    const float scale = static_cast<float>(options.size) / DrawDescription::framePixels;
    graph.settings.lineWidth *= scale;
    graph.settings.splineWidth *= scale;
    graph.nameSeparator = options.separator;
    if (const Status targets = graph.initRenderTargets(options.size); !targets) {
        console::line(targets.error().describe());
        return 1;
    }
    times.stageDone("render targets and colour ramps");
    // The stages as the viewer prints them, without its quarters.
    ConsoleProgress stages(ConsoleProgress::Quarters::hidden);
    Progress progress(&stages);
    if (!graph.load(options.graphGiven ? options.graphPath : datafiles::find(options.graphPath),
                    &progress)) {
        return 1;
    }
    times.stageDone("reading, layouts, routes, samples");
    if (const std::optional<std::string> hint = densityHint(graph.scene.graph(), graph.settings)) {
        console::line(*hint);
    }
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
    if (writesSvg(options)) {
        const std::string svg = svgOf(graph);
        times.stageDone("describing the picture as SVG");
        if (const Status written = writeFileText(options.outputPath, svg); !written) {
            std::cerr << "hebview-render: " << written.error().describe() << '\n';
            return 1;
        }
        times.stageDone("writing the SVG");
    } else {
        const FrameImage frame = drawnPicture(graph, options.background);
        glFinish();
        times.stageDone("drawing and reading the frame back");
        const bool transparent = options.background.a < 1.0f;
        if (const Status written = writePng(frame, options.outputPath, transparent); !written) {
            std::cerr << "hebview-render: " << written.error().describe() << '\n';
            return 1;
        }
        times.stageDone("writing the PNG");
    }
    console::line("Wrote " + options.outputPath);
    return 0;
}
