#pragma once

#include "frame/DrawDescription.h"
#include "frame/Labels.h"
#include "render/LabelFont.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The glyphs of a LabelFont in a GL texture, for drawing labels. Labels are
// drawn at the font's own size on screen, so they stay crisp at every zoom.
class TextAtlas : public TextMeasure {
public:
    // Makes the font and its texture; needs a current GL context.
    explicit TextAtlas(float pixelSize);
    // The texture of a font made before, which may go on measuring labels on
    // another thread.
    explicit TextAtlas(std::shared_ptr<const LabelFont> font);
    ~TextAtlas() override;
    TextAtlas(const TextAtlas&) = delete;
    TextAtlas& operator=(const TextAtlas&) = delete;

    float width(std::string_view text) const override;
    float height() const override;

    // Draws the labels, placed in scene units, as textured quads in the
    // current projection, where scene point p lies at p * scale; a text
    // pixel is 1 / pixelsPerUnit scene units.
    void draw(const std::vector<Label>& labels, double pixelsPerUnit, double scale,
              const Colour& colour) const;

    const std::shared_ptr<const LabelFont>& labelFont() const { return font; }

private:
    std::shared_ptr<const LabelFont> font;
    uint32_t texture = 0;
};
