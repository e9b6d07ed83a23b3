#include "render/WindowOverlay.h"

#include <GL/glew.h>

#include <GL/freeglut.h>

namespace {

constexpr int lineHeight = 18;
constexpr int progressBarHeight = 4;

// Runs draw with window pixels as the projection, and puts the matrices
// back afterwards.
template <typename Draw> void inWindowPixels(int windowWidth, int windowHeight, Draw draw) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, windowWidth, 0.0, windowHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    draw();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace

void drawWindowText(int windowWidth, int windowHeight, int x, int y, std::string_view text) {
    inWindowPixels(windowWidth, windowHeight, [&] {
        int line = y;
        glRasterPos2i(x, line);
        for (const char c : text) {
            if (c == '\n') {
                line -= lineHeight;
                glRasterPos2i(x, line);
            }
            glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, c);
        }
    });
}

void drawProgressBar(int windowWidth, int windowHeight, double fraction) {
    glDisable(GL_TEXTURE_2D);
    inWindowPixels(windowWidth, windowHeight, [&] {
        glColor3f(0.4f, 0.7f, 1.0f);
        glRecti(0, 0, static_cast<int>(windowWidth * fraction), progressBarHeight);
    });
}
