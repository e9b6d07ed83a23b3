#include "app/Application.h"

#include "analysis/MatrixCsv.h"
#include "analysis/RuleFile.h"
#include "app/Config.h"
#include "app/InputState.h"
#include "base/Console.h"
#include "base/ConsoleProgress.h"
#include "base/DataFiles.h"
#include "effect/EffectManager.h"
#include "explore/Motion.h"
#include "frame/MatrixDrawing.h"
#include "frame/SceneDrawing.h"
#include "model/GraphLoading.h"
#include "platform/Clock.h"
#include "platform/WindowTitle.h"
#include "render/ColorRamps.h"
#include "render/LegendDrawing.h"
#include "render/WindowOverlay.h"
#include "ui/GtkFileChooser.h"
#include "ui/LoadFileButton.h"
#include "ui/PanelImGui.h"

// GLEW must come before any other GL header.
#include <GL/glew.h>

#include <GL/freeglut.h>
#include <IL/il.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr int escapeKey = 27;
// GLUT reports the wheel as these two buttons.
constexpr int wheelUpButton = 3;
constexpr int wheelDownButton = 4;

// The loads' stages as the viewer has always printed them, from the
// worker's thread; it outlives the worker, which runs until the process
// ends.
ProgressObserver& loadStages() {
    static ConsoleProgress* printer = new ConsoleProgress(ConsoleProgress::Quarters::shown);
    return *printer;
}

// Without a display there is no dialog, and the console says so.
template <typename T> void tellUnlessShown(const Result<T>& dialog) {
    if (!dialog) {
        console::line(dialog.error().describe());
    }
}

void onIdle() {
    Application::instance().idle();
}

void onPoll(int) {
    Application::instance().poll();
}

} // namespace

Application& Application::instance() {
    static Application* application = new Application();
    return *application;
}

Application::Application() : Application(ViewerContext::instance()) {}

Application::Application(ViewerContext& context) : context(context) {}

Application::~Application() = default;

Status Application::init() {
    frameTime = 0.0;
    lastCounter = clockTicks();
    fps = 1.0 / 60.0;

    glEnable(GL_CULL_FACE);
    glShadeModel(GL_SMOOTH);
    glDisable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDisable(GL_BLEND);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_TEXTURE_2D);

    settingsPanel = std::make_unique<SettingsPanel>(
        context.settings, context.counts,
        [this] {
            tellUnlessShown(onLoadFile([this](const std::string& path) { worker->load(path); },
                                       shownGraphPath));
        },
        [this] { savePicture(); }, [this] { expandAll(); });
    settingsPanel->comparing.compareWith = [this] { compareWith(); };
    settingsPanel->saveMatrix = [this] { saveMatrix(); };
    settingsPanel->comparing.stop = [this] { stopComparing(); };
    settingsPanel->rules.load = [this] { loadRules(); };
    settingsPanel->rules.clear = [this] { clearRules(); };
    settingsPanel->search.changed = [this](const std::string& text) {
        context.explorer.search(text);
    };
    settingsPanel->search.step = [this](int steps) { context.explorer.stepThroughMatches(steps); };
    startView.begin(*settingsPanel, context.explorer);
    const EffectReport effect = EffectManager::instance().create();
    for (const std::string& line : effect.lines) {
        console::line(line);
    }
    if (!effect.status) {
        showMessage(effect.status.error().describe());
    }
    ilInit();
    targets.create();
    progressive.prepare();
    if (Status shader = renderer.prepare(); !shader) {
        return shader;
    }
    // Without a ramp the curves lose their colours, not the viewer its use.
    RampColours ramps;
    if (Status loaded = loadColorRamps(targets.colorRampTextures, &ramps); !loaded) {
        console::line(loaded.error().describe());
        showMessage(loaded.error().describe());
        startFailed = true;
    }
    // The frames' names are placed on the worker's thread, in the font a
    // saved picture draws them with.
    frameLabelFont = std::make_shared<const LabelFont>(framedLabelPixels);
    worker = std::make_unique<SceneWorker>(ThreadPool::shared(), std::move(ramps), frameLabelFont,
                                           &loadStages());
    worker->show(context.settings);
    worker->nameDotNodesBy(dotNames);
    useRules(startupRules);
    const std::string graphPath =
        startupGraphPath == defaultGraphPath ? datafiles::find(startupGraphPath) : startupGraphPath;
    // The command line's depth holds for the graph it names; later graphs
    // open at their own.
    if (startupOlderPath.empty()) {
        worker->load(graphPath, context.settings.depth);
    } else {
        worker->compare(startupOlderPath, graphPath, context.settings.depth);
    }
    return {};
}

void Application::reshape(int& width, int& height) {
    if (height == 0) {
        height = 1;
    }
    glViewport(0, 0, width, height);
    context.explorer.setWindow(width, height);
    wake();
}

double Application::milliseconds() const {
    return 1000.0 * static_cast<double>(clockTicks()) / static_cast<double>(clockTicksPerSecond());
}

// The explorer's view goes to the worker, and what it found to the panel.
void Application::followExplorer() {
    context.explorer.settle(milliseconds());
    worker->show(context.settings, context.explorer.viewState());
    SettingsPanel::Search& search = settingsPanel->search;
    search.matches = static_cast<int32_t>(context.explorer.matches().size());
    search.current = context.explorer.currentMatch();
    context.explorer.showBothWays(context.settings.markBothWays);
    settingsPanel->tooltip = context.explorer.tooltip();
}

void Application::takeFrame() {
    fitLabels();
    followExplorer();
    // The advice on a graph just opened goes with the first change made.
    if (!settingsPanel->advice.empty() && (!(adviceFor.settings == context.settings) ||
                                           adviceFor.toggled != context.explorer.toggledNodes())) {
        settingsPanel->advice.clear();
    }
    if (std::optional<Error> failed = worker->takeLoadError()) {
        showLoadError(failed->describe());
    }
    if (std::optional<Error> refused = worker->takeCutRefusal()) {
        // The depth asked for is not shown: the panel goes back to the one
        // that is.
        context.settings.depth = context.shownCut.depth;
        context.explorer.setDepth(context.settings.depth);
        showMessage(refused->describe());
    }
    std::optional<SceneFrame> frame = worker->takeFrame();
    if (!frame) {
        return;
    }
    const bool loaded = !context.explorer.scene() ||
                        context.explorer.scene()->graphNumber != frame->snapshot->graphNumber;
    if (loaded && loadErrorShown) {
        settingsPanel->message.clear();
        loadErrorShown = false;
    }
    context.explorer.setScene(frame->snapshot);
    context.counts = {frame->snapshot->graph().nodeCount(), frame->snapshot->graph().edgeCount(),
                      frame->cut.treeDepth};
    if (loaded) {
        // Each graph opens at its own depth, which the panel then shows.
        context.settings.depth = frame->cut.depth;
        context.explorer.setDepth(context.settings.depth);
        settingsPanel->advice = densityHint(frame->cut.bundles, context.settings).value_or("");
        adviceFor = {context.settings, context.explorer.toggledNodes()};
    }
    if (std::optional<std::string> unknown =
            startView.applyToFirstGraph(context.explorer, frame->graphPath)) {
        console::line(*unknown);
        showMessage(*unknown);
    }
    context.shownCut = frame->cut;
    // Cycles found anew (another cut, or just shown) are counted once.
    const std::shared_ptr<const CycleGroups>& cycles = frame->snapshot->findings.cycles;
    if (cycles && cycles != cyclesCounted) {
        console::line(cycles->line());
    }
    cyclesCounted = cycles;
    const std::shared_ptr<const Comparison>& comparison = frame->snapshot->comparison;
    settingsPanel->comparing.summary = comparison ? comparison->summary.line() : std::string();
    settingsPanel->cutLine = frame->cut.line();
    const int32_t openedDepth = frame->snapshot->openedDepth;
    if (openedDepth > 0 && !frame->cut.custom && frame->cut.depth == openedDepth) {
        settingsPanel->cutLine += "; press ] for more";
    }
    if (frame->graphPath != shownGraphPath) {
        shownGraphPath = frame->graphPath;
        setWindowTitle(windowTitleFor(Config::instance().windowName, shownGraphPath));
    }
    legendEntries = frame->description->legend;
    legendRamp = frame->description->curves.ramp;
    // A change of the cut or the layout shown at once fades in once drawn.
    fade.pending =
        frame->change == FrameChange::Jumped && progressive.hasFrame() && !progressive.drawing();
    fade.fromRegion = progressive.frameRegion();
    progressive.start(std::move(frame->description));
}

// With labels on, the fitted view leaves room for the radial tree's names,
// and with the key shown, for the key.
void Application::fitLabels() {
    const std::shared_ptr<const SceneSnapshot>& scene = context.explorer.scene();
    const double legendZoom = legendFitZoom();
    // The matrix writes its names in its own bands.
    if (!context.settings.showLabels || !scene || scene->matrix) {
        context.explorer.setFitZoom(legendZoom);
        return;
    }
    // The fitted frame square spans the picture's shorter side less the
    // projection's margin. Measuring every name is worth doing only when
    // the scene or the window changes.
    const ViewWindow& window = context.explorer.window();
    const double across = std::min(window.pictureWidth(), window.height) / 1.05;
    if (!sameScene(fitted.scene, scene) || fitted.across != across) {
        fitted = {scene, across,
                  labelledExtent(scene->layoutType, *scene->widestLabels, windowText(), across)};
    }
    context.explorer.setFitZoom(DrawDescription::frameExtent / fitted.extent * legendZoom);
}

const TextAtlas& Application::windowText() {
    if (!labelText) {
        labelText = std::make_unique<TextAtlas>(windowLabelPixels);
    }
    return *labelText;
}

LegendLayout Application::windowLegend(bool forFit) {
    if (!context.settings.showLegend || legendEntries.empty()) {
        return {};
    }
    std::vector<LegendEntry> entries = legendEntries;
    if (forFit && context.settings.showSplines) {
        for (LegendEntry& entry : highlightLegend()) {
            if (std::find(entries.begin(), entries.end(), entry) == entries.end()) {
                entries.push_back(std::move(entry));
            }
        }
    }
    // Curve widths as the window shows the frame's pixels.
    const double shown = pixelsPerSceneUnit(context.explorer.camera(), context.explorer.window());
    const double drawn = progressive.frameRegion().pixelsPerUnit(DrawDescription::framePixels);
    return layOutLegend(entries, legendRamp.span(), windowText(), static_cast<float>(shown / drawn),
                        forFit ? nullptr : progressive.frameDensity().get());
}

double Application::legendFitZoom() {
    const std::shared_ptr<const SceneSnapshot>& scene = context.explorer.scene();
    if (!scene) {
        return 1.0;
    }
    const ViewWindow& window = context.explorer.window();
    LegendFit fit{
        scene->graphNumber, scene->layoutType, scene->matrix != nullptr, window, {}, {}, 1.0};
    if (context.settings.showLegend) {
        for (const LegendEntry& entry : legendEntries) {
            if (!std::holds_alternative<LegendWidths>(entry)) {
                fit.kinds.push_back(entry.index());
            }
            if (const auto* swatch = std::get_if<LegendSwatch>(&entry)) {
                fit.swatches.push_back(swatch->colour);
            }
        }
    }
    if (!legendFit || !legendFit->holds(fit)) {
        fit.zoom = legendRoomZoom();
        legendFit = std::move(fit);
    }
    return legendFit->zoom;
}

double Application::legendRoomZoom() {
    const LegendLayout layout = windowLegend(true);
    const std::shared_ptr<const SceneSnapshot>& scene = context.explorer.scene();
    if (layout.empty()) {
        return 1.0;
    }
    const ViewWindow& window = context.explorer.window();
    const PixelBox place =
        legendPlace(layout, static_cast<float>(window.width), static_cast<float>(window.height));
    // The matrix fills its square as the treemaps do.
    const bool round = scene->layoutType == TreeLayoutType::Radial && !scene->matrix;
    const double room = roomBeside(round, window.middleX(), window.middleY(), place);
    // Half the fitted frame square's side, as fitLabels reckons it.
    const double half = std::min(window.pictureWidth(), window.height) / 1.05 / 2.0;
    return std::clamp(room / half, keptBesideKey, 1.0);
}

// Over the window at its own scale, in the bottom right corner, and only
// where the panel leaves it room.
void Application::drawLegend() {
    const LegendLayout layout = windowLegend(false);
    const ViewWindow& window = context.explorer.window();
    const PixelBox place =
        legendPlace(layout, static_cast<float>(window.width), static_cast<float>(window.height));
    if (layout.empty() || place.x < static_cast<float>(window.left) || place.y < 0.0f) {
        return;
    }
    ::drawLegend(layout, place, window.width, window.height, windowText());
}

Rect Application::visibleScene() const {
    const OrthoBox box = viewBox(context.explorer.camera(), context.explorer.window());
    const auto unit = [](double display) {
        return static_cast<float>(display / Camera::displayScale);
    };
    return {unit(box.left), unit(box.bottom), unit(box.right), unit(box.top)};
}

void Application::drawMatrixTexts() {
    const std::shared_ptr<const SceneSnapshot>& scene = context.explorer.scene();
    const double pixelsPerUnit =
        pixelsPerSceneUnit(context.explorer.camera(), context.explorer.window());
    const MatrixTexts texts =
        matrixTexts(scene->graph(), *scene->matrix,
                    matrixBrackets(scene->graph(), scene->cut.shownAs, *scene->matrix),
                    scene->matrixLayout, windowText(), pixelsPerUnit, visibleScene());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    labelText->draw(texts.names, pixelsPerUnit, Camera::displayScale, labelColour);
    labelText->draw(texts.counts, pixelsPerUnit, Camera::displayScale, cellCountColour);
}

void Application::drawLabels() {
    const std::shared_ptr<const SceneSnapshot>& scene = context.explorer.scene();
    if (scene && scene->matrix) {
        drawMatrixTexts();
        return;
    }
    if (!context.settings.showLabels || !scene || !labelText) {
        return;
    }
    const Camera& camera = context.explorer.camera();
    const ViewWindow& window = context.explorer.window();
    const double pixelsPerUnit = pixelsPerSceneUnit(camera, window);
    if (!sameScene(placed.scene, scene) || !(placed.camera == camera) ||
        !(placed.window == window) || placed.highlighted != context.explorer.highlighted()) {
        const OrthoBox box = viewBox(camera, window);
        // The panel covers the window left of the picture.
        const double panelEdge =
            box.left + (box.right - box.left) * window.left / std::max(1, window.width);
        placed = {scene, camera, window, context.explorer.highlighted(),
                  labelsToShow(*scene, *labelText, pixelsPerUnit, visibleScene(),
                               context.explorer.highlighted(),
                               static_cast<float>(panelEdge / Camera::displayScale))};
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    labelText->draw(placed.labels, pixelsPerUnit, Camera::displayScale, labelColour);
}

void Application::display() {
    // The rate of the frames actually drawn.
    const int64_t now = clockTicks();
    frameTime = static_cast<double>(now - lastCounter) / static_cast<double>(clockTicksPerSecond());
    lastCounter = now;
    fps = 1.0 / frameTime;
    redrawWanted = false;

    // The window projection, moved and scaled by the camera, with the
    // picture beside the panel.
    context.explorer.setPictureLeft(settingsPanel->pictureLeft(context.explorer.window().width));
    const OrthoBox box = viewBox(context.explorer.camera(), context.explorer.window());
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(box.left, box.right, box.bottom, box.top, 1.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // Another depth starts from its own cut: the nodes toggled go.
    context.explorer.setDepth(context.settings.depth);
    takeFrame();
    if (progressive.drawing()) {
        const int64_t completed = progressive.framesCompleted;
        progressive.advance(drawingBudget);
        if (progressive.framesCompleted != completed) {
            frameCompleted();
        }
    }
    saveWhenDrawn();
    if (progressive.hasFrame()) {
        renderer.reuseFrame();
        showFrame();
    }
    drawLabels();
    drawLegend();
    drawProgress();
    if (settingsPanel) {
        panelUi.draw(*settingsPanel);
    }

    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    char fpsText[32];
    std::snprintf(fpsText, sizeof fpsText, "FPS: %.2f", fps);
    drawText(50, 50, fpsText);
    glutSwapBuffers();
    loopWatch.turn(LoopWatch::Clock::now(), busy());
}

// Motion frame by frame only where a frame is drawn in time.
void Application::frameCompleted() {
    worker->allowMotion(progressive.lastDrawing() < motionFrameTime);
    if (fade.pending) {
        fade.pending = false;
        fade.start = milliseconds();
        fade.active = true;
    }
}

void Application::showFrame() {
    // The frame before lies in the back texture until another is drawn.
    if (fade.active && !progressive.drawing()) {
        const double share = (milliseconds() - fade.start) / motionMilliseconds;
        if (share < 1.0) {
            renderer.showFading(targets.back(), fade.fromRegion, progressive.frameRegion(),
                                static_cast<float>(easedShare(share)));
            redrawWanted = true;
            return;
        }
    }
    fade.active = false;
    renderer.showFrame(progressive.frameRegion());
}

void Application::savePicture() {
    const std::filesystem::path shown(shownGraphPath);
    const std::string name = shown.empty() ? "hebview" : shown.stem().string();
    const FileChoice chosen =
        chooseFileToSave("Save Picture", shown.parent_path().string(), name + ".png");
    tellUnlessShown(chosen);
    if (chosen && chosen.value()) {
        pendingSave = picturePathsFor(*chosen.value());
        wake();
    }
}

void Application::saveMatrix() {
    const std::shared_ptr<const SceneSnapshot>& scene = context.explorer.scene();
    if (!scene) {
        return;
    }
    const std::filesystem::path shown(shownGraphPath);
    const std::string name = shown.empty() ? "hebview" : shown.stem().string();
    const FileChoice chosen =
        chooseFileToSave("Save Matrix", shown.parent_path().string(), name + "-matrix.csv");
    tellUnlessShown(chosen);
    if (!chosen || !chosen.value()) {
        return;
    }
    const std::string& path = *chosen.value();
    // The matrix shown, or in the bundles' view the one it would show.
    const std::shared_ptr<const DependencyMatrix> matrix =
        scene->matrix ? scene->matrix
                      : std::make_shared<const DependencyMatrix>(
                            dependencyMatrix(scene->graph(), scene->cut.shownAs, *scene->bundles,
                                             context.settings.matrixOrder));
    const Status saved = writeFileInPieces(
        path, [&](const TextSink& sink) { writeMatrixCsv(scene->graph(), *matrix, sink); });
    if (!saved) {
        showMessage(saved.error().describe());
        return;
    }
    console::line("Saved " + path);
}

// A picture asked for is saved from the first complete frame.
void Application::saveWhenDrawn() {
    if (!pendingSave || progressive.drawing() || !progressive.hasFrame()) {
        return;
    }
    const PicturePaths paths = *pendingSave;
    pendingSave.reset();
    // The key as on screen.
    DrawDescription shown = *progressive.completedFrame();
    shown.showLegend = context.settings.showLegend;
    const Status saved = pictureSaver.save(paths, shown, frameLabelFont);
    if (!saved) {
        showMessage(saved.error().describe());
        return;
    }
    console::line("Saved " + paths.png + " and " + paths.svg);
}

void Application::drawProgress() {
    const Progress::Snapshot loading = worker->loadProgress();
    std::string text;
    double fraction = 0.0;
    if (!loading.stage.empty()) {
        fraction = loading.fraction;
        text = loading.stage + " " + std::to_string(static_cast<int>(100.0 * fraction)) + "%";
    } else if (progressive.drawing()) {
        fraction = progressive.done();
        text = "Drawing " + std::to_string(static_cast<int>(100.0 * fraction)) + "%";
    } else {
        return;
    }
    const ViewWindow& window = context.explorer.window();
    drawProgressBar(window.width, window.height, fraction);
    drawText(50, 75, text.c_str());
}

bool Application::busy() const {
    return progressive.drawing() || worker->busy();
}

void Application::idle() {
    loopWatch.turn(LoopWatch::Clock::now(), busy());
    if (handleKeys()) {
        glutLeaveMainLoop();
        return;
    }
    if (redrawWanted || progressive.drawing()) {
        glutPostRedisplay();
        return;
    }
    // Nothing to draw: the loop rests until an event, or a poll of a worker
    // at work, wakes it.
    glutIdleFunc(nullptr);
    resting = true;
    if ((worker->busy() || context.explorer.settling()) && !polling) {
        polling = true;
        glutTimerFunc(pollMilliseconds, onPoll, 0);
    }
}

void Application::poll() {
    loopWatch.turn(LoopWatch::Clock::now(), busy());
    polling = false;
    // Also once after the worker went idle: a load that failed, or a camera
    // come to rest, has something to show.
    wake();
}

void Application::wake() {
    redrawWanted = true;
    if (resting) {
        resting = false;
        glutIdleFunc(onIdle);
    }
    glutPostRedisplay();
}

void Application::drawText(int x, int y, const char* text) {
    const ViewWindow& window = context.explorer.window();
    drawWindowText(window.width, window.height, x, y, text);
}

bool Application::handleKeys() {
    if (!InputState::instance().consumeKey(escapeKey)) {
        return false;
    }
    if (std::getenv("HEBVIEW_STALL_REPORT") != nullptr) {
        const auto stall =
            std::chrono::duration_cast<std::chrono::milliseconds>(loopWatch.longest());
        console::line("Longest stall of the event loop: " + std::to_string(stall.count()) + " ms");
    }
    EffectManager::instance().release();
    return true;
}

void Application::showMessage(const std::string& message) {
    settingsPanel->message = message;
    loadErrorShown = false;
    wake();
}

void Application::showLoadError(const std::string& message) {
    showMessage(message);
    loadErrorShown = true;
}

void Application::pointerButton(int button, int state, int x, int y) {
    if (button == wheelUpButton || button == wheelDownButton) {
        if (state == GLUT_DOWN) {
            context.explorer.wheel(x, y, button == wheelUpButton ? 1 : -1);
        }
    } else if (button == GLUT_LEFT_BUTTON) {
        if (state == GLUT_DOWN) {
            context.explorer.pointerPressed(x, y, milliseconds());
        } else {
            const bool control = (glutGetModifiers() & GLUT_ACTIVE_CTRL) != 0;
            context.explorer.pointerReleased(x, y, milliseconds(), control);
        }
    }
    wake();
}

void Application::pointerMoved(int x, int y) {
    context.explorer.pointerMoved(x, y);
    wake();
}

void Application::pointerLeft() {
    context.explorer.pointerLeft();
    wake();
}

void Application::stepDepth(int steps) {
    const int32_t shown =
        context.settings.depth >= 1 && context.settings.depth < context.counts.treeDepth
            ? context.settings.depth
            : context.counts.treeDepth;
    context.settings.depth = std::clamp(shown + steps, 1, std::max(1, context.counts.treeDepth));
}

void Application::expandAll() {
    context.settings.depth = context.counts.treeDepth;
    context.explorer.clearToggles();
    wake();
}

void Application::compareWith() {
    if (shownGraphPath.empty()) {
        return;
    }
    tellUnlessShown(onLoadFile(
        [this](const std::string& olderPath) { worker->compare(olderPath, shownGraphPath); },
        shownGraphPath, SettingsPanel::compareDialogTitle));
}

void Application::stopComparing() {
    if (context.explorer.scene() && context.explorer.scene()->comparison) {
        worker->load(shownGraphPath);
    }
}

void Application::loadRules() {
    tellUnlessShown(onLoadFile(
        [this](const std::string& path) {
            Result<std::shared_ptr<const RuleSet>> rules = rulefile::readShared(path);
            if (!rules) {
                console::line(rules.error().describe());
                showMessage(rules.error().describe());
                return;
            }
            useRules(std::move(rules).value());
        },
        shownGraphPath, SettingsPanel::rulesDialogTitle));
}

void Application::clearRules() {
    useRules(nullptr);
}

void Application::useRules(std::shared_ptr<const RuleSet> rules) {
    settingsPanel->rules.loaded = rules != nullptr;
    worker->useRules(std::move(rules));
    wake();
}

void Application::keyPressed(unsigned char key) {
    switch (key) {
    case '+':
    case '=':
        context.explorer.zoomAtCentre(1);
        break;
    case '-':
        context.explorer.zoomAtCentre(-1);
        break;
    case '/':
        settingsPanel->focusSearch();
        break;
    case saveKey:
        savePicture();
        break;
    case panelKey:
        settingsPanel->visible = !settingsPanel->visible;
        break;
    case legendKey:
        context.settings.showLegend = !context.settings.showLegend;
        break;
    case cyclesKey:
        context.settings.showCycles = !context.settings.showCycles;
        break;
    case viewKey:
        context.settings.view =
            context.settings.view == ViewType::Matrix ? ViewType::Bundles : ViewType::Matrix;
        break;
    case collapseKey:
        context.explorer.toggleHovered();
        break;
    case shallowerKey:
    case deeperKey:
        stepDepth(key == deeperKey ? 1 : -1);
        break;
    default:
        return;
    }
    wake();
}

void Application::specialKeyPressed(int key) {
    switch (key) {
    case GLUT_KEY_LEFT:
        context.explorer.panSteps(-1, 0);
        break;
    case GLUT_KEY_RIGHT:
        context.explorer.panSteps(1, 0);
        break;
    case GLUT_KEY_UP:
        context.explorer.panSteps(0, 1);
        break;
    case GLUT_KEY_DOWN:
        context.explorer.panSteps(0, -1);
        break;
    case GLUT_KEY_HOME:
        context.explorer.fit();
        break;
    default:
        return;
    }
    wake();
}
