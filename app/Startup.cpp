#include "app/Startup.h"

#include "analysis/RuleFile.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/Config.h"
#include "app/InputState.h"
#include "base/Console.h"
#include "base/DataFiles.h"
#include "platform/DisplayCheck.h"
#include "ui/MessageBox.h"
#include "ui/PanelImGui.h"

// GLEW must come before any other GL header.
#include <GL/glew.h>

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr const char* configFileName = "config.txt";
constexpr int minimumDrawBuffers = 3;

void onDisplay() {
    Application::instance().display();
}

void onReshape(int width, int height) {
    Application::instance().panelUi.windowSize(width, height);
    Application::instance().reshape(width, height);
}

void onIdle() {
    Application::instance().idle();
}

SettingsPanel* panel() {
    return Application::instance().settingsPanel.get();
}

PanelImGui& panelUi() {
    return Application::instance().panelUi;
}

// Presses and mouse buttons are the panel's first, then the picture's; a
// release ends a drag on the picture wherever it happens. Releases of keys
// go to the input state alone.
void onKeyboard(unsigned char key, int x, int y) {
    Application& application = Application::instance();
    application.wake();
    // Control+S saves, and Tab hides the panel, even while the search field
    // has the keyboard.
    if (key == Application::saveKey || key == Application::panelKey || panel() == nullptr ||
        !panelUi().keyboard(*panel(), key, x, y)) {
        InputState::instance().keyDown(key, x, y);
        application.keyPressed(key);
    }
}

void onKeyboardUp(unsigned char key, int x, int y) {
    Application::instance().wake();
    InputState::instance().keyUp(key, x, y);
}

void onSpecial(int key, int x, int y) {
    Application& application = Application::instance();
    application.wake();
    if (panel() == nullptr || !panelUi().special(*panel(), key, x, y)) {
        InputState::instance().specialKeyDown(key, x, y);
        application.specialKeyPressed(key);
    }
}

void onSpecialUp(int key, int x, int y) {
    Application::instance().wake();
    InputState::instance().specialKeyUp(key, x, y);
}

void onMouse(int button, int state, int x, int y) {
    Application& application = Application::instance();
    application.wake();
    // The panel sees every button event, so that it never misses a release.
    const bool endsDrag = application.context.explorer.held() && state == GLUT_UP;
    const bool taken = panel() != nullptr && panelUi().mouseButton(*panel(), button, state, x, y);
    if (!taken || endsDrag) {
        InputState::instance().mouseButton(button, state, x, y);
        application.pointerButton(button, state, x, y);
    }
}

// The pointer over the panel is off the picture, unless it drags the
// picture.
void onMotion(int x, int y) {
    Application& application = Application::instance();
    const bool overPanel = panel() != nullptr && panelUi().mouseMotion(*panel(), x, y);
    if (overPanel && !application.context.explorer.held()) {
        application.pointerLeft();
    } else {
        application.pointerMoved(x, y);
    }
}

void onEntry(int state) {
    if (state == GLUT_LEFT) {
        Application::instance().pointerLeft();
    }
}

void registerCallbacks() {
    glutDisplayFunc(onDisplay);
    glutReshapeFunc(onReshape);
    glutIdleFunc(onIdle);
    glutKeyboardFunc(onKeyboard);
    glutKeyboardUpFunc(onKeyboardUp);
    glutSpecialFunc(onSpecial);
    glutSpecialUpFunc(onSpecialUp);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutPassiveMotionFunc(onMotion);
    glutEntryFunc(onEntry);
}

// Without its panel the viewer cannot be used: the reason is shown and
// start-up stops.
bool startPanel() {
    if (const Status started = panelUi().start(); !started) {
        char message[512];
        std::snprintf(message, sizeof message, "AntTweakBar initialization failed: %s\n",
                      started.error().describe().c_str());
        showMessageBox(message, "TwInit");
        return false;
    }
    panelUi().setModifiersFunc(glutGetModifiers);
    return true;
}

// Runs at process exit, whichever way the process ends: after the main loop
// has returned, the window library is already shut down.
void exitHook() {
    panelUi().terminate();
    if (Config::instance().fullScreen != 0 && glutGet(GLUT_INIT_STATE) != 0) {
        glutLeaveGameMode();
    }
}

// The off-screen frame needs framebuffer objects; too few attachments is
// reported and start-up goes on.
void checkDrawBuffers() {
    GLint colorAttachments = 0;
    GLint drawBuffers = 0;
    glGetIntegerv(GL_MAX_COLOR_ATTACHMENTS_EXT, &colorAttachments);
    glGetIntegerv(GL_MAX_DRAW_BUFFERS, &drawBuffers);
    if (colorAttachments < minimumDrawBuffers || drawBuffers < minimumDrawBuffers) {
        console::write("Not enough draw buffers!");
    }
}

} // namespace

int runViewer(int argc, char** argv) {
    // The command line first: --help and --version need no display.
    const Result<ViewerCommandLine> parsed =
        parseViewerCommandLine(argv[0], std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed) {
        std::fprintf(stderr, "hebview: %s\n\n%s", parsed.error().describe().c_str(),
                     viewerUsage().c_str());
        return 2;
    }
    const ViewerCommandLine& commandLine = parsed.value();
    if (commandLine.helpWanted || commandLine.versionWanted) {
        std::fputs((commandLine.helpWanted ? viewerUsage() : viewerVersion()).c_str(), stdout);
        return 0;
    }
    // A rules file that cannot be read is refused as a bad option is.
    Result<std::shared_ptr<const RuleSet>> rules = rulefile::readShared(commandLine.view.rulesPath);
    if (!rules) {
        std::fprintf(stderr, "hebview: %s\n", rules.error().describe().c_str());
        return 2;
    }
    if (!displayAvailable()) {
        std::fprintf(stderr, "hebview: no display to open a window on (DISPLAY='%s')\n",
                     displayName().c_str());
        return 1;
    }
    // The window library takes its own options from a command line of them.
    std::vector<char*> windowArguments;
    for (const std::string& word : commandLine.windowArguments) {
        windowArguments.push_back(const_cast<char*>(word.c_str()));
    }
    int windowArgumentCount = static_cast<int>(windowArguments.size());
    glutInit(&windowArgumentCount, windowArguments.data());
    // Leaving the loop (Escape, or closing the window) returns here, so that
    // the exit status comes from main.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    Config& config = Config::instance();
    config.read(datafiles::find(configFileName).c_str());
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_ALPHA | GLUT_DEPTH);
    glutInitWindowSize(config.screenWidth, config.screenHeight);
    glutCreateWindow(config.windowName.c_str());
    glutPositionWindow(50, 50);
    registerCallbacks();
    std::atexit(exitHook);
    glewInit();
    glutExtensionSupported("GL_EXT_framebuffer_object");
    checkDrawBuffers();
    if (!startPanel()) {
        return 1;
    }

    Application& application = Application::instance();
    application.context.settings = commandLine.settings;
    if (!commandLine.graphPath.empty()) {
        application.startupGraphPath = commandLine.graphPath;
    }
    application.startupOlderPath = commandLine.view.olderVersion;
    application.dotNames = commandLine.view.dotNames;
    application.startView = StartView(commandLine.view);
    application.startupRules = std::move(rules).value();
    if (const Status ready = application.init(); !ready) {
        console::line(ready.error().describe());
        return 1;
    }
    glutMainLoop();
    return application.exitStatus();
}
