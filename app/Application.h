#pragma once

#include <cstdint>
#include <string>

class PanelBar;

// The application object: frame timing, the window projection, the panel's
// choice of layout and bundling strength, and the order of work in a frame.
class Application {
public:
    static constexpr const char* defaultGraphPath = "data/Graphs/jhotdraw-mini.rsf";

    static Application& instance();

    Application();
    virtual ~Application();

    void init();
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
    PanelBar* settingsBar = nullptr;
    float beta = 1.0f;
    int32_t layoutType = 0;

    // The graph file that init loads: the default, or the one named on the
    // command line.
    std::string startupGraphPath = defaultGraphPath;
};
