#include "app/Application.h"

#include "app/InputState.h"
#include "app/WindowProjection.h"
#include "effect/EffectManager.h"
#include "facade/Graph.h"
#include "platform/Clock.h"
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
char fpsText[32];

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

    Graph& graph = Graph::instance();
    settingsPanel = std::make_unique<SettingsPanel>(graph.settings, graph.scene,
                                                    [&graph] { onLoadFile(graph); });
    EffectManager::instance().create();
    ilInit();
    if (Status targets = graph.initRenderTargets(); !targets) {
        return targets;
    }
    // A rejected start-up file has said why; the viewer shows an empty scene.
    (void)graph.load(startupGraphPath);
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
}

void Application::display() {
    glCallList(projectionList);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    // Applies the panel's layout and bundling strength before drawing.
    Graph::instance().render();
    if (settingsPanel) {
        panelDraw(*settingsPanel);
    }

    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    std::snprintf(fpsText, sizeof fpsText, "FPS: %.2f", fps);
    drawText(50, 50, fpsText);
    glutSwapBuffers();
}

void Application::idle() {
    counterFrequency = clockTicksPerSecond();
    const int64_t now = clockTicks();
    frameTime = static_cast<double>(now - lastCounter) / static_cast<double>(counterFrequency);
    lastCounter = now;
    fps = 1.0 / frameTime;
    handleKeys();
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
        EffectManager::instance().release();
        std::exit(0);
    }
}
