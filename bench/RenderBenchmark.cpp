#include "bench/BenchData.h"
#include "facade/Graph.h"
#include "frame/FrameSession.h"
#include "model/GraphLoading.h"
#include "render/ColorRamps.h"
#include "render/HeadlessGlContext.h"
#include "render/LabelFont.h"
#include "render/ProgressiveRenderer.h"
#include "render/TextAtlas.h"

#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Run from the repository root: the colour ramps are read from data/textures.
// One GL context and one set of render targets for the whole run, as in the
// viewer; each benchmark loads its graph into it.
Graph& renderGraph() {
    static HeadlessGlContext context;
    static Graph* graph = [] {
        if (!context.status()) {
            throw std::runtime_error(context.status().error().describe());
        }
        auto* created = new Graph();
        if (const Status made = created->initRenderTargets(); !made) {
            throw std::runtime_error(made.error().describe());
        }
        return created;
    }();
    return *graph;
}

// Stands in for the window: a 1024 by 1024 target that the frame quad is
// drawn into, since a headless context has no window surface.
struct WindowStandIn {
    GLuint framebuffer = 0;
    GLuint texture = 0;
    WindowStandIn() {
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1024, 1024, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glGenFramebuffersEXT(1, &framebuffer);
    }
    void draw(Graph& graph) const {
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer);
        glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                                  texture, 0);
        glViewport(0, 0, 1024, 1024);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1.05, 1.05, -1.05, 1.05, 1.0, -1.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClear(GL_COLOR_BUFFER_BIT);
        graph.render();
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    }
};

void loadForDrawing(Graph& graph, const std::string& path) {
    std::streambuf* console = std::cout.rdbuf(nullptr);
    const Status loaded = graph.load(path);
    std::cout.rdbuf(console);
    if (!loaded) {
        throw std::runtime_error(loaded.error().describe());
    }
    graph.setLayout(TreeLayoutType::Radial);
    graph.setBeta(1.0f);
    // Once in full, so that the curve buffers hold this graph's points.
    graph.render();
}

// The off-screen frame as the drawing target, with render's projection.
void bindFrameForDrawing(Graph& graph) {
    const RenderTargets& targets = graph.targets;
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, targets.frameBuffer);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D,
                              targets.frameTexture, 0);
    glViewport(0, 0, targets.frameWidth, targets.frameHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const auto extent = static_cast<double>(DrawDescription::frameExtent);
    glOrtho(-extent, extent, -extent, extent, 1.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_TEXTURE_2D);
}

double secondsSince(Clock::time_point start) {
    glFinish();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The scene drawn anew, phase by phase with a finish after each, as render
// draws it: tree, splines, overlay, mipmaps, then the quad in the window.
void changedFrame(benchmark::State& state, const std::string& path) {
    Graph& graph = renderGraph();
    loadForDrawing(graph, path);
    const WindowStandIn window;
    // The phases below draw the scene themselves; the window then only shows it.
    graph.render();
    double tree = 0.0, splines = 0.0, overlay = 0.0, mipmaps = 0.0, present = 0.0;
    for (auto _ : state) {
        bindFrameForDrawing(graph);
        glClear(GL_COLOR_BUFFER_BIT);
        glFinish();
        const Clock::time_point start = Clock::now();
        auto phase = Clock::now();
        graph.drawRadialTree();
        tree += secondsSince(phase);
        phase = Clock::now();
        graph.drawSplines();
        splines += secondsSince(phase);
        phase = Clock::now();
        graph.drawTreeOverlay();
        overlay += secondsSince(phase);
        phase = Clock::now();
        glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
        glBindTexture(GL_TEXTURE_2D, graph.targets.frameTexture);
        glGenerateMipmapEXT(GL_TEXTURE_2D);
        mipmaps += secondsSince(phase);
        phase = Clock::now();
        window.draw(graph);
        present += secondsSince(phase);
        state.SetIterationTime(secondsSince(start));
    }
    const double n = static_cast<double>(state.iterations()) / 1000.0;
    state.counters["tree_ms"] = tree / n;
    state.counters["splines_ms"] = splines / n;
    state.counters["overlay_ms"] = overlay / n;
    state.counters["mipmaps_ms"] = mipmaps / n;
    state.counters["present_ms"] = present / n;
    state.counters["edges"] = static_cast<double>(graph.edgeCount());
}

// A frame with nothing changed: the frame from before is shown again.
void unchangedFrame(benchmark::State& state, const std::string& path) {
    Graph& graph = renderGraph();
    loadForDrawing(graph, path);
    const WindowStandIn window;
    window.draw(graph);
    // Settle first: the scene drawn just now and llvmpipe's threads waking
    // up would otherwise land in the first timed frames.
    for (int frame = 0; frame < 20; ++frame) {
        window.draw(graph);
    }
    glFinish();
    const int64_t drawn = graph.session.framesMade();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        window.draw(graph);
        state.SetIterationTime(secondsSince(start));
    }
    if (graph.session.framesMade() != drawn) {
        state.SkipWithError("the scene was drawn again");
    }
    state.counters["edges"] = static_cast<double>(graph.edgeCount());
}

const std::string& hundredThousandRelations() {
    static const std::string path = syntheticGraphFile(millionRelationsNodesWith(100000));
    return path;
}

// A renderer of its own, with its targets and the colour ramps, as the
// viewer draws frames.
struct FrameDrawing {
    RenderTargets targets;
    FrameRenderer renderer{targets};
    RampColours ramps;
    bool prepared = false;

    FrameDrawing() {
        renderGraph();
        targets.create();
        prepared = renderer.prepare() && loadColorRamps(targets.colorRampTextures, &ramps);
    }
    ~FrameDrawing() {
        targets.release();
        renderer.release();
    }
    FrameDrawing(const FrameDrawing&) = delete;
    FrameDrawing& operator=(const FrameDrawing&) = delete;

    bool ready(benchmark::State& state) const {
        if (!prepared) {
            state.SkipWithError("no GL drawing");
        }
        return prepared;
    }
};

// The synthetic graph's scene, nothing collapsed; none when it is refused.
std::optional<Scene> wholeScene(benchmark::State& state,
                                const SyntheticGraphParameters& parameters) {
    LoadOptions whole;
    whole.depth = 64;
    Result<Scene> loaded = readScene(syntheticGraphFile(parameters), ThreadPool::shared(), whole);
    if (!loaded) {
        state.SkipWithError(loaded.error().describe().c_str());
        return std::nullopt;
    }
    return std::move(loaded).value();
}

// Hovering a node of a picture of every one of 245,210 curves, as the
// viewer does it: from the worker's frame to the highlighted picture
// complete in the window's frame texture, drawn a part at a time in 16 ms
// budgets. The picture without the highlight is drawn (and kept) first.
void highlightOnABigPicture(benchmark::State& state) {
    FrameDrawing gl;
    std::optional<Scene> scene = wholeScene(state, debianSized());
    if (!gl.ready(state) || !scene) {
        return;
    }
    FrameSession session(*scene);
    session.setRamps(gl.ramps);
    session.keepPictures(true);
    FrameRenderer& renderer = gl.renderer;
    RenderTargets& targets = gl.targets;
    ProgressiveRenderer progressive(targets, renderer);
    const auto drawn = [&](const ViewState& view) {
        progressive.start(session.frameAnyway(ViewSettings(), view).description);
        while (progressive.advance(std::chrono::milliseconds(16))) {
        }
    };
    ViewState view;
    drawn(view);
    const Bundles& bundles = scene->bundles();
    int64_t hovered = 0;
    for (auto _ : state) {
        // Another node each time: the first ends of relations far apart.
        view.highlighted =
            bundles.source[static_cast<std::size_t>(hovered * 7919 % bundles.bundleCount())];
        ++hovered;
        const Clock::time_point start = Clock::now();
        drawn(view);
        state.SetIterationTime(secondsSince(start));
    }
    state.counters["curves"] = static_cast<double>(bundles.bundleCount());
}

// The matrix view of about 5,300 rows (the leaves of 5,800 nodes) and
// 60,000 relations, made and drawn anew each time as a changed order makes
// it: the matrix in the new order, its frame described, every layer drawn,
// then the names and counts written into the frame.
void matrixFrame(benchmark::State& state) {
    FrameDrawing gl;
    SyntheticGraphParameters parameters;
    parameters.nodes = 5800;
    parameters.depth = 4;
    parameters.fanOut = 12;
    parameters.relations = 60000;
    std::optional<Scene> scene = wholeScene(state, parameters);
    if (!gl.ready(state) || !scene) {
        return;
    }
    FrameSession session(*scene);
    session.setRamps(gl.ramps);
    const auto font = std::make_shared<const LabelFont>(session.labelPixels());
    session.setLabelMeasure(font);
    const TextAtlas text(font);
    ViewSettings settings;
    settings.view = ViewType::Matrix;
    int64_t rows = 0;
    for (auto _ : state) {
        settings.matrixOrder = settings.matrixOrder == MatrixOrder::Tree ? MatrixOrder::Partitioned
                                                                         : MatrixOrder::Tree;
        const Clock::time_point start = Clock::now();
        const SessionFrame frame = session.frameAnyway(settings);
        gl.renderer.drawFrame(*frame.description);
        gl.renderer.writeLabels(gl.targets.frameTexture, *frame.description, text);
        state.SetIterationTime(secondsSince(start));
        rows = frame.snapshot->matrix->size();
    }
    state.counters["rows"] = static_cast<double>(rows);
}

// Each frame timed by hand, over three runs.
void timedByHand(benchmark::internal::Benchmark* run) {
    run->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
}

const std::string mini = "data/Graphs/jhotdraw-mini.rsf";
const std::string full = "data/Graphs/jhotdraw.rsf";

BENCHMARK(highlightOnABigPicture)->Apply(timedByHand)->Iterations(10);
BENCHMARK(matrixFrame)->Apply(timedByHand)->Iterations(4);
BENCHMARK_CAPTURE(changedFrame, jhotdraw_mini, mini)->Apply(timedByHand);
BENCHMARK_CAPTURE(changedFrame, jhotdraw, full)->Apply(timedByHand);
BENCHMARK_CAPTURE(unchangedFrame, jhotdraw, full)->Apply(timedByHand);
BENCHMARK_CAPTURE(unchangedFrame, jhotdraw_mini, mini)->Apply(timedByHand);
BENCHMARK_CAPTURE(unchangedFrame, relations_100000, hundredThousandRelations())->Apply(timedByHand);

} // namespace
