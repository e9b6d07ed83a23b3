#pragma once

#include "base/Result.h"
#include "ui/SettingsPanel.h"

#include <string>

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

// Starts on the current GL context and GLUT window; the reason why not
// otherwise.
Status panelInit();
// Ends what panelInit started; harmless when it never ran.
void panelTerminate();
void panelDraw(SettingsPanel& panel);
void panelWindowSize(int width, int height);
bool panelEventKeyboardGLUT(SettingsPanel& panel, unsigned char key, int x, int y);
bool panelEventSpecialGLUT(SettingsPanel& panel, int key, int x, int y);
bool panelEventMouseButtonGLUT(SettingsPanel& panel, int button, int state, int x, int y);
bool panelEventMouseMotionGLUT(SettingsPanel& panel, int x, int y);
// How the panel reads the modifier keys during a mouse event, such as
// glutGetModifiers.
void panelGLUTModifiersFunc(int (*modifiers)());
