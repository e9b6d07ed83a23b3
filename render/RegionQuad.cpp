#include "render/RegionQuad.h"

#include <GL/glew.h>

void drawRegionQuad(const FrameRegion& region) {
    const float left = region.centreX - region.halfExtent;
    const float right = region.centreX + region.halfExtent;
    const float bottom = region.centreY - region.halfExtent;
    const float top = region.centreY + region.halfExtent;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(left, bottom);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(right, bottom);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, top);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(left, top);
    glEnd();
}
