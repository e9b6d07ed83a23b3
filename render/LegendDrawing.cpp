#include "render/LegendDrawing.h"

#include <GL/glew.h>

#include <vector>

void drawLegend(const LegendLayout& layout, const PixelBox& place, int targetWidth,
                int targetHeight, const TextAtlas& text) {
    if (layout.empty()) {
        return;
    }
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LINE_BIT | GL_COLOR_BUFFER_BIT |
                 GL_LIGHTING_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, targetWidth, 0.0, targetHeight, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    // The layout's y runs down from its box's top; GL's runs up.
    const auto x = [&](float along) { return place.x + along; };
    const auto y = [&](float down) { return static_cast<float>(targetHeight) - (place.y + down); };
    // The window's culling would drop the shapes wound one way.
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendEquationEXT(GL_FUNC_ADD_EXT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const LegendLayout::Fill& fill : layout.fills) {
        glColor4f(fill.colour.r, fill.colour.g, fill.colour.b, fill.colour.a);
        glRectf(x(fill.box.x), y(fill.box.y + fill.box.height), x(fill.box.x + fill.box.width),
                y(fill.box.y));
    }
    glShadeModel(GL_SMOOTH);
    for (const LegendLayout::Bar& bar : layout.bars) {
        const std::size_t stops = bar.colours.size();
        glBegin(GL_QUAD_STRIP);
        for (std::size_t k = 0; k < stops; ++k) {
            const Colour& c = bar.colours[k];
            const float along =
                bar.box.x +
                bar.box.width * (stops > 1 ? static_cast<float>(k) / (stops - 1) : 0.0f);
            glColor4f(c.r, c.g, c.b, 1.0f);
            glVertex2f(x(along), y(bar.box.y + bar.box.height));
            glVertex2f(x(along), y(bar.box.y));
        }
        glEnd();
    }
    for (const LegendLayout::Line& line : layout.lines) {
        glLineWidth(line.width);
        glColor4f(line.colour.r, line.colour.g, line.colour.b, line.colour.a);
        glBegin(GL_LINES);
        glVertex2f(x(line.from.x), y(line.from.y));
        glVertex2f(x(line.to.x), y(line.to.y));
        glEnd();
    }
    std::vector<Label> texts;
    for (const LegendLayout::Text& said : layout.texts) {
        Label label;
        label.text = said.text;
        label.anchor = {x(said.anchor.x), y(said.anchor.y)};
        label.align = said.align;
        texts.push_back(std::move(label));
    }
    text.draw(texts, 1.0, 1.0, layout.textColour);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
