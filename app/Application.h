#pragma once

#include "base/Result.h"
#include "ui/SettingsPanel.h"

#include <cstdint>
#include <memory>
#include <string>

// The application object: frame timing, the window projection, the settings
// panel, and the order of work in a frame.
class Application {
public:
    static constexpr const char* defaultGraphPath = "data/Graphs/jhotdraw-mini.rsf";

    static Application& instance();

    Application();
    virtual ~Application();

    // GL state, the settings panel, the shader effect, the render targets
    // and the start-up graph. Fails when the render targets cannot be made
    // (a colour ramp image is missing or unfit).
    Status init();
    void reshape(int& width, int& height);
    void display();
    void idle();
    void drawText(int x, int y, const char* text);
    void handleKeys();

    int64_t lastCounter = 0;
    int64_t counterFrequency = 0;
    double fps = 1.0 / 60.0;
    double frameTime = 0.0;
    unsigned int projectionList = 0;
    // The "Settings" bar over the graph's settings; made by init.
    std::unique_ptr<SettingsPanel> settingsPanel;

    // The graph file that init loads: the default, or the one named on the
    // command line.
    std::string startupGraphPath = defaultGraphPath;
};
