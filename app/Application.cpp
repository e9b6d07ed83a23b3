#include "app/Application.h"

#include "app/InputState.h"
#include "base/Console.h"
#include "effect/EffectManager.h"
#include "platform/Clock.h"
#include "render/ColorRamps.h"
#include "scene/WindowProjection.h"
#include "ui/LoadFileButton.h"
#include "ui/PanelImGui.h"

// GLEW must come before any other GL header.
#include <GL/glew.h>

#include <GL/freeglut.h>
#include <IL/il.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int escapeKey = 27;
// The progress bar along the bottom of the window, in pixels.
constexpr int progressBarHeight = 4;
char fpsText[32];

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

Application::Application() = default;

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

    worker = std::make_unique<SceneWorker>();
    settingsPanel = std::make_unique<SettingsPanel>(settings, counts, [this] {
        onLoadFile([this](const std::string& path) { worker->load(path); });
    });
    EffectManager::instance().create();
    ilInit();
    targets.create();
    if (Status shader = renderer.prepare(); !shader) {
        return shader;
    }
    if (Status ramps = loadColorRamps(targets.colorRampTextures); !ramps) {
        return ramps;
    }
    worker->show(settings);
    worker->load(startupGraphPath);
    return {};
}

void Application::reshape(int& width, int& height) {
    if (height == 0) {
        height = 1;
    }
    glDeleteLists(projectionList, 1);
    glViewport(0, 0, width, height);
    projectionList = glGenLists(1);
    glNewList(projectionList, GL_COMPILE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const OrthoBox box = windowProjection(width, height);
    glOrtho(box.left, box.right, box.bottom, box.top, 1.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEndList();
    wake();
}

void Application::takeFrame() {
    worker->show(settings);
    std::optional<SceneFrame> frame = worker->takeFrame();
    if (!frame) {
        return;
    }
    counts = {frame->snapshot->graph.nodeCount(), frame->snapshot->graph.edgeCount()};
    progressive.start(std::move(frame->description), [this] { worker->frameDone(); });
}

void Application::display() {
    // The rate of the frames actually drawn.
    const int64_t now = clockTicks();
    frameTime = static_cast<double>(now - lastCounter) / static_cast<double>(clockTicksPerSecond());
    lastCounter = now;
    fps = 1.0 / frameTime;
    redrawWanted = false;

    glCallList(projectionList);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    takeFrame();
    if (progressive.drawing()) {
        progressive.advance(drawingBudget);
    }
    if (progressive.hasFrame()) {
        renderer.reuseFrame();
        renderer.showFrame();
    }
    drawProgress();
    if (settingsPanel) {
        panelDraw(*settingsPanel);
    }

    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    std::snprintf(fpsText, sizeof fpsText, "FPS: %.2f", fps);
    drawText(50, 50, fpsText);
    glutSwapBuffers();
    loopWatch.turn(LoopWatch::Clock::now(), busy());
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
    const int width = glutGet(GLUT_WINDOW_WIDTH);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, 0.0, glutGet(GLUT_WINDOW_HEIGHT), -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(0.4f, 0.7f, 1.0f);
    glRecti(0, 0, static_cast<int>(width * fraction), progressBarHeight);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    drawText(50, 75, text.c_str());
}

bool Application::busy() const {
    return progressive.drawing() || worker->busy();
}

void Application::idle() {
    loopWatch.turn(LoopWatch::Clock::now(), busy());
    handleKeys();
    if (redrawWanted || progressive.drawing()) {
        glutPostRedisplay();
        return;
    }
    // Nothing to draw: the loop rests until an event, or a poll of a worker
    // at work, wakes it.
    glutIdleFunc(nullptr);
    resting = true;
    if (worker->busy() && !polling) {
        polling = true;
        glutTimerFunc(pollMilliseconds, onPoll, 0);
    }
}

void Application::poll() {
    loopWatch.turn(LoopWatch::Clock::now(), busy());
    polling = false;
    if (busy()) {
        wake();
    }
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
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, glutGet(GLUT_WINDOW_WIDTH), 0.0, glutGet(GLUT_WINDOW_HEIGHT), -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glRasterPos2i(x, y);
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n') {
            y -= 18;
            glRasterPos2i(x, y);
        }
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, *c);
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void Application::handleKeys() {
    if (InputState::instance().consumeKey(escapeKey)) {
        if (std::getenv("HEBVIEW_STALL_REPORT") != nullptr) {
            const auto stall =
                std::chrono::duration_cast<std::chrono::milliseconds>(loopWatch.longest());
            console::line("Longest stall of the event loop: " + std::to_string(stall.count()) +
                          " ms");
        }
        EffectManager::instance().release();
        std::exit(0);
    }
}
