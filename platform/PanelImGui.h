#pragma once

// The settings panel on screen: draws Panel::instance() with Dear ImGui's
// GLUT and OpenGL 2 back ends and hands it the window's input. Each event
// helper answers whether the panel took the event; the caller passes the
// others on. Every press and release is worked off in a frame of its own at
// once, so that a quick click is never lost and a button's callback runs
// inside the mouse callback. Key releases never reach the panel: a press
// counts as one stroke. Lacks clipboard and mouse cursor shapes (the GLUT
// back end has neither).

// Starts on the current GL context and GLUT window; false with the reason in
// panelLastError otherwise.
bool panelInit();
const char* panelLastError();
// Ends what panelInit started; harmless when it never ran.
void panelTerminate();
void panelDraw();
void panelWindowSize(int width, int height);
bool panelEventKeyboardGLUT(unsigned char key, int x, int y);
bool panelEventSpecialGLUT(int key, int x, int y);
bool panelEventMouseButtonGLUT(int button, int state, int x, int y);
bool panelEventMouseMotionGLUT(int x, int y);
// How the panel reads the modifier keys during a mouse event, such as
// glutGetModifiers: ctrl+click types a number in.
void panelGLUTModifiersFunc(int (*modifiers)());
