#include "analysis/CycleGroups.h"
#include "analysis/RuleFile.h"
#include "base/Console.h"
#include "base/ConsoleProgress.h"
#include "base/DataFiles.h"
#include "export/BackgroundMatte.h"
#include "export/SvgPicture.h"
#include "frame/FrameSession.h"
#include "io/FileText.h"
#include "io/GraphLimits.h"
#include "model/GraphLoading.h"
#include "platform/ExecutablePath.h"
#include "render/ColorRamps.h"
#include "render/FrameImage.h"
#include "render/FrameRenderer.h"
#include "render/HeadlessGlContext.h"
#include "render/LabelFont.h"
#include "render/PngWriter.h"
#include "render/RenderTargets.h"
#include "render/TextAtlas.h"
#include "tools/render/RenderOptions.h"

#include <GL/glew.h>

#include <chrono>
#include <iostream>
#include <memory>
#include <new>
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

// The error that ends a run, and the status it ends with: 1 for a failure,
// 2 for options that name what is not there. A ramp's or a shader's error
// goes to the console as the viewer prints it, the others to standard error.
struct Failure {
    std::string message;
    int status = 1;
    bool onConsole = false;
};

// The drawing's means: the ramps' colours, and for a PNG a GL context with
// its targets and ramp textures at the picture's size.
std::optional<Failure> prepareDrawing(const RenderOptions& options, std::unique_ptr<GlDrawing>& gl,
                                      RampColours& ramps, StageTimes& times) {
    // An SVG is written from the description alone: no GL context is made.
    if (writesSvg(options)) {
        if (const Status read = readColorRamps(ramps); !read) {
            return Failure{read.error().describe(), 1, true};
        }
        return std::nullopt;
    }
    gl = std::make_unique<GlDrawing>();
    if (!gl->context.status()) {
        return Failure{"hebview-render: no OpenGL context: " +
                       gl->context.status().error().describe()};
    }
    if (const int32_t largest = largestFrameSize(); options.size > largest) {
        return Failure{"hebview-render: --size " + std::to_string(options.size) +
                       " is larger than this OpenGL can draw (" + std::to_string(largest) +
                       " pixels)"};
    }
    times.stageDone("GL context");
    gl->targets.create(options.size);
    Status ready = gl->renderer.prepare();
    if (ready) {
        ready = loadColorRamps(gl->targets.colorRampTextures, &ramps);
    }
    if (!ready) {
        return Failure{ready.error().describe(), 1, true};
    }
    return std::nullopt;
}

// The graph (or the two versions compared) read into a scene, with the
// stages and the advice on the console; the reader has printed why not.
std::optional<Scene> loadScene(const RenderOptions& options, const ViewSettings& settings) {
    // The stages as the viewer prints them, without its quarters.
    ConsoleProgress stages(ConsoleProgress::Quarters::hidden);
    Progress progress(&stages);
    LoadOptions load = loadOptionsFor(settings);
    load.separator = options.separator;
    load.dotNames = options.view.dotNames;
    load.depth = settings.depth;
    load.progress = &progress;
    const std::string graphPath =
        options.graphGiven ? options.graphPath : datafiles::find(options.graphPath);
    const std::string& olderPath = options.view.olderVersion;
    Result<Scene> loaded = olderPath.empty()
                               ? readScene(graphPath, ThreadPool::shared(), load)
                               : readComparison(olderPath, graphPath, ThreadPool::shared(), load);
    if (!loaded) {
        return std::nullopt;
    }
    Scene scene = std::move(loaded).value();
    if (scene.comparison()) {
        console::line(scene.comparison()->summary.line());
    }
    if (const std::optional<std::string> hint =
            densityHint(scene.bundles().bundleCount(), settings)) {
        console::line(*hint);
    }
    return scene;
}

// The view the options ask for, cut as they ask (the line saying how on the
// console), the whole picture leaving room for the key.
Result<ViewState> viewFor(const RenderOptions& options, ViewSettings& settings,
                          FrameSession& session, const Scene& scene) {
    // Without --depth, the depth the graph opened at.
    if (settings.depth <= 0) {
        settings.depth = scene.cut().depth;
    }
    Result<ViewState> view =
        viewStateOf(options, scene.graph(), session.labelledExtent(settings), settings.depth);
    if (!view) {
        return view;
    }
    console::line(session.applyCut(settings, view.value()).line());
    if (settings.showCycles) {
        console::line(session.findingsFor(settings).cycles->line());
    }
    if (settings.showLegend && options.view.zoom == 1.0 && options.view.centreX == 0.0f &&
        options.view.centreY == 0.0f) {
        FrameRegion& region = view.value().region;
        region.halfExtent = session.legendExtent(settings, view.value(), region.halfExtent);
    }
    return view;
}

// The picture written as SVG or, drawn with GL, as PNG.
Status writePicture(const RenderOptions& options, GlDrawing* gl, FrameSession& session,
                    const ViewSettings& settings, const ViewState& view, const LabelFont* font,
                    StageTimes& times) {
    if (gl == nullptr) {
        const std::shared_ptr<const DrawDescription> picture =
            session.frameAnyway(settings, view).description;
        times.stageDone("describing the picture");
        if (Status written = writeSvgPicture(options.outputPath, *picture, options.size, font);
            !written) {
            return written;
        }
        times.stageDone("writing the SVG");
        return {};
    }
    const FrameImage frame = drawnPicture(*gl, session, settings, view, options.background);
    glFinish();
    times.stageDone("drawing and reading the frame back");
    const bool transparent = options.background.a < 1.0f;
    if (Status written = writePng(frame, options.outputPath, transparent); !written) {
        return written;
    }
    times.stageDone("writing the PNG");
    return {};
}

std::optional<Failure> render(const RenderOptions& options) {
    // A picture that could not be written is found out before the work.
    if (const Status writable = checkWritable(options.outputPath); !writable) {
        return Failure{"hebview-render: " + writable.error().describe()};
    }
    datafiles::setFolders(datafiles::foldersFor(executableFolder(), HEBVIEW_SOURCE_DIR));
    StageTimes times(options.timings);
    std::unique_ptr<GlDrawing> gl;
    RampColours ramps;
    if (std::optional<Failure> failed = prepareDrawing(options, gl, ramps, times)) {
        return failed;
    }
    times.stageDone("render targets and colour ramps");
    Result<std::shared_ptr<const RuleSet>> rules = rulefile::readShared(options.view.rulesPath);
    if (!rules) {
        return Failure{"hebview-render: " + rules.error().describe(), 2};
    }
    ViewSettings settings = options.settings;
    std::optional<Scene> scene = loadScene(options, settings);
    if (!scene) {
        return Failure{};
    }
    times.stageDone("reading, layouts, routes, samples");
    FrameSession session(*scene, options.size);
    session.setRamps(std::move(ramps));
    session.setRules(std::move(rules).value());
    // The key's text, and the matrix's names and counts, are the labels' size.
    std::shared_ptr<const LabelFont> font;
    if (settings.showLabels || settings.showLegend || settings.view == ViewType::Matrix) {
        font = std::make_shared<const LabelFont>(session.labelPixels());
        session.setLabelMeasure(font);
        if (gl) {
            gl->labelText = std::make_unique<TextAtlas>(font);
        }
    }
    const Result<ViewState> view = viewFor(options, settings, session, *scene);
    if (!view) {
        return Failure{"hebview-render: " + view.error().describe(), 2};
    }
    times.stageDone("layout and bundling strength of the settings");
    Status written;
    try {
        written =
            writePicture(options, gl.get(), session, settings, view.value(), font.get(), times);
    } catch (const std::bad_alloc&) {
        // Past the estimate: refused with what is left, never an abort.
        written = graphlimits::outOfMemory();
    }
    if (!written) {
        return Failure{"hebview-render: " + written.error().describe()};
    }
    return std::nullopt;
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
    if (const std::optional<Failure> failed = render(options)) {
        if (failed->onConsole) {
            console::line(failed->message);
        } else if (!failed->message.empty()) {
            std::cerr << failed->message << '\n';
        }
        return failed->status;
    }
    console::line("Wrote " + printable(options.outputPath));
    return 0;
}
