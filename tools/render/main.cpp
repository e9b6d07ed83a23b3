#include "base/Console.h"
#include "base/ConsoleProgress.h"
#include "base/DataFiles.h"
#include "export/BackgroundMatte.h"
#include "export/SvgPicture.h"
#include "io/FileText.h"
#include "platform/ExecutablePath.h"
#include "render/ColorRamps.h"
#include "render/FrameImage.h"
#include "render/FrameRenderer.h"
#include "render/HeadlessGlContext.h"
#include "render/LabelFont.h"
#include "render/PngWriter.h"
#include "render/RenderTargets.h"
#include "render/TextAtlas.h"
#include "scene/FrameSession.h"
#include "scene/GraphLoading.h"
#include "tools/render/RenderOptions.h"

#include <GL/glew.h>

#include <chrono>
#include <iostream>
#include <memory>
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

// What GL needs to draw a PNG; an SVG needs none of it.
struct GlDrawing {
    HeadlessGlContext context;
    RenderTargets targets;
    FrameRenderer renderer{targets};
    std::unique_ptr<TextAtlas> labelText;

    // The frame, its names written in, as drawn pixels.
    FrameImage draw(const DrawDescription& frame) {
        renderer.drawFrame(frame);
        if (labelText) {
            renderer.writeLabels(targets.frameTexture, frame, *labelText);
            renderer.writeLegend(targets.frameTexture, frame, *labelText);
        }
        return readFrame(targets);
    }
};

// The picture over the background asked for: one frame over an opaque
// colour, or, for any other background, the frame drawn over black and over
// white and the coverage worked out from the two.
FrameImage drawnPicture(GlDrawing& gl, FrameSession& session, const ViewSettings& settings,
                        ViewState view, const Colour& background) {
    const Colour black{0.0f, 0.0f, 0.0f, 1.0f};
    view.background = black;
    FrameImage overBlack = gl.draw(*session.frameAnyway(settings, view).description);
    if (background == black) {
        return overBlack;
    }
    view.background = {1.0f, 1.0f, 1.0f, 1.0f};
    const FrameImage overWhite = gl.draw(*session.frameAnyway(settings, view).description);
    overBlack.rgba = transparentPicture(overBlack.rgba, overWhite.rgba);
    if (background.a > 0.0f) {
        overBlack.rgba = pictureOver(overBlack.rgba, background);
    }
    return overBlack;
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
    // An SVG is written from the description alone: no GL context is made.
    const bool svg = writesSvg(options);
    std::unique_ptr<GlDrawing> gl;
    RampColours ramps;
    if (svg) {
        if (const Status read = readColorRamps(ramps); !read) {
            console::line(read.error().describe());
            return 1;
        }
    } else {
        gl = std::make_unique<GlDrawing>();
        if (!gl->context.status()) {
            std::cerr << "hebview-render: no OpenGL context: "
                      << gl->context.status().error().describe() << '\n';
            return 1;
        }
        if (const int32_t largest = largestFrameSize(); options.size > largest) {
            std::cerr << "hebview-render: --size " << options.size
                      << " is larger than this OpenGL can draw (" << largest << " pixels)\n";
            return 1;
        }
        times.stageDone("GL context");
        gl->targets.create(options.size);
        Status ready = gl->renderer.prepare();
        if (ready) {
            ready = loadColorRamps(gl->targets.colorRampTextures, &ramps);
        }
        if (!ready) {
            console::line(ready.error().describe());
            return 1;
        }
    }
    times.stageDone("render targets and colour ramps");
    ViewSettings settings = options.settings;
    // Widths are pixels of the 2048-pixel frame: other sizes keep the look.
    const float scale = static_cast<float>(options.size) / DrawDescription::framePixels;
    settings.lineWidth *= scale;
    settings.splineWidth *= scale;
    // The stages as the viewer prints them, without its quarters.
    ConsoleProgress stages(ConsoleProgress::Quarters::hidden);
    Progress progress(&stages);
    LoadOptions load = loadOptionsFor(settings);
    load.separator = options.separator;
    load.depth = settings.depth;
    load.progress = &progress;
    const std::string graphPath =
        options.graphGiven ? options.graphPath : datafiles::find(options.graphPath);
    const std::string& olderPath = options.view.olderVersion;
    Result<Scene> loaded = olderPath.empty()
                               ? readScene(graphPath, ThreadPool::shared(), load)
                               : readComparison(olderPath, graphPath, ThreadPool::shared(), load);
    if (!loaded) {
        return 1;
    }
    Scene scene = std::move(loaded).value();
    times.stageDone("reading, layouts, routes, samples");
    if (scene.comparison()) {
        console::line(scene.comparison()->summary.line());
    }
    if (const std::optional<std::string> hint = densityHint(scene.graph(), settings)) {
        console::line(*hint);
    }
    FrameSession session(scene, options.size);
    session.setRamps(std::move(ramps));
    // The key's text is the labels' size.
    std::shared_ptr<const LabelFont> font;
    if (settings.showLabels || settings.showLegend) {
        font = std::make_shared<const LabelFont>(session.labelPixels());
        session.setLabelMeasure(font);
        if (gl) {
            gl->labelText = std::make_unique<TextAtlas>(font);
        }
    }
    // Without --depth, the depth the graph opened at.
    if (settings.depth <= 0) {
        settings.depth = scene.cut().depth;
    }
    Result<ViewState> view =
        viewStateOf(options, scene.graph(), session.labelledExtent(settings), settings.depth);
    if (!view) {
        std::cerr << "hebview-render: " << view.error().describe() << '\n';
        return 2;
    }
    console::line(session.applyCut(settings, view.value()).line());
    // The whole picture leaves room for the key.
    if (settings.showLegend && options.view.zoom == 1.0 && options.view.centreX == 0.0f &&
        options.view.centreY == 0.0f) {
        FrameRegion& region = view.value().region;
        region.halfExtent = session.legendExtent(settings, view.value(), region.halfExtent);
    }
    times.stageDone("layout and bundling strength of the settings");
    if (svg) {
        const std::string picture = svgPicture(
            *session.frameAnyway(settings, view.value()).description, options.size, font.get());
        times.stageDone("describing the picture as SVG");
        if (const Status written = writeFileText(options.outputPath, picture); !written) {
            std::cerr << "hebview-render: " << written.error().describe() << '\n';
            return 1;
        }
        times.stageDone("writing the SVG");
    } else {
        const FrameImage frame =
            drawnPicture(*gl, session, settings, view.value(), options.background);
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
