#pragma once

#include "base/Result.h"
#include "ui/SettingsPanel.h"

#include <string>
#include <vector>

using ImGuiID = unsigned int;

// The settings panel on screen: draws a SettingsPanel with Dear ImGui's GLUT
// and OpenGL 2 back ends and hands it the window's input. Each event helper
// answers whether the panel took the event; the caller passes the others on.
// Every press and release is worked off in a frame of its own at once, so
// that a quick click is never lost and a button's action runs inside the
// mouse callback. Key releases never reach the panel: a press counts as one
// stroke.
//
// Implements: drawing, mouse buttons, wheel and motion, keys, the modifier
// keys during a click (ctrl+click types a number in); the search field
// (Enter steps to the first match, the up and down arrows through the
// others), the message banner with its "Dismiss" button, and the tooltip.
// Lacks: clipboard and mouse cursor shapes (the GLUT back end has neither).
class PanelImGui {
public:
    // Starts on the current GL context and GLUT window; the reason why not
    // otherwise.
    Status start();
    // Ends what start began; harmless when it never ran.
    void terminate();
    void draw(SettingsPanel& panel);
    void windowSize(int width, int height);
    bool keyboard(SettingsPanel& panel, unsigned char key, int x, int y);
    bool special(SettingsPanel& panel, int key, int x, int y);
    bool mouseButton(SettingsPanel& panel, int button, int state, int x, int y);
    bool mouseMotion(SettingsPanel& panel, int x, int y);
    // How the panel reads the modifier keys during a mouse event, such as
    // glutGetModifiers.
    void setModifiersFunc(int (*modifiers)());

private:
    void buildSearch(SettingsPanel& panel);
    void buildRow(SettingsPanel& panel, const PanelRow& row, float valueX);
    void buildBar(SettingsPanel& panel);
    void buildBanners(SettingsPanel& panel);
    void beginFrame(SettingsPanel& panel);
    // Records what routing needs from the frame, then runs the buttons
    // clicked in it.
    void finishFrame(SettingsPanel& panel);
    void runEventFrame(SettingsPanel& panel);
    void runKeyFrame(SettingsPanel& panel);

    bool started = false;
    bool dismissClicked = false;
    bool adviceDismissed = false;
    // Escape in the search field ends the typing in the next frame, keeping
    // the text (Dear ImGui's own Escape would put back the text from
    // before).
    bool endSearchTyping = false;
    ImGuiID searchId = 0;
    // The bar is moved to its place once; the user may move it afterwards.
    bool placed = false;
    int (*readModifiers)() = nullptr;
    std::vector<const PanelRow*> clickedButtons;
};
