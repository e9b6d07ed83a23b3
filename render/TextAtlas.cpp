#include "render/TextAtlas.h"

#include <GL/glew.h>
#include <imgui.h>

#include <cmath>
#include <filesystem>

TextAtlas::TextAtlas(float pixelSize) : TextAtlas(std::make_shared<const LabelFont>(pixelSize)) {}

TextAtlas::TextAtlas(std::shared_ptr<const LabelFont> labelFont) : font(std::move(labelFont)) {
    int width = 0;
    int height = 0;
    const unsigned char* pixels = font->pixels(width, height);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, width, height, 0, GL_ALPHA, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TextAtlas::~TextAtlas() {
    if (texture != 0) {
        glDeleteTextures(1, &texture);
    }
}

float TextAtlas::width(std::string_view text) const {
    return font->width(text);
}

float TextAtlas::height() const {
    return font->height();
}

void TextAtlas::draw(const std::vector<Label>& labels, double pixelsPerUnit, double scale,
                     const Colour& colour) const {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_BLEND);
    glBlendEquationEXT(GL_FUNC_ADD_EXT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(colour.r, colour.g, colour.b, colour.a);
    const ImFont& typeface = font->font();
    const double unit = scale / pixelsPerUnit;
    glBegin(GL_QUADS);
    for (const Label& label : labels) {
        const float textWidth = width(label.text);
        float pen = 0.0f;
        if (label.align == Label::Align::Centre) {
            pen = -textWidth / 2.0f;
        } else if (label.align == Label::Align::End) {
            pen = -textWidth;
        }
        const double cosine = std::cos(label.angle);
        const double sine = std::sin(label.angle);
        // A text pixel (along, down) from the anchor, with the line's middle
        // on the anchor.
        const auto vertex = [&](float along, float down, float u, float v) {
            const double across = typeface.FontSize / 2.0f - down;
            glTexCoord2f(u, v);
            glVertex2d((label.anchor.x * scale) + (along * cosine - across * sine) * unit,
                       (label.anchor.y * scale) + (along * sine + across * cosine) * unit);
        };
        for (const unsigned char c : label.text) {
            const ImFontGlyph* glyph = typeface.FindGlyph(static_cast<ImWchar>(c));
            if (glyph == nullptr) {
                continue;
            }
            if (glyph->Visible) {
                vertex(pen + glyph->X0, glyph->Y1, glyph->U0, glyph->V1);
                vertex(pen + glyph->X1, glyph->Y1, glyph->U1, glyph->V1);
                vertex(pen + glyph->X1, glyph->Y0, glyph->U1, glyph->V0);
                vertex(pen + glyph->X0, glyph->Y0, glyph->U0, glyph->V0);
            }
            pen += glyph->AdvanceX;
        }
    }
    glEnd();
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, 0);
}
