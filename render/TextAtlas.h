#pragma once

#include "scene/DrawDescription.h"
#include "scene/Labels.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct ImFontAtlas;
struct ImFont;

// Glyphs of one typeface at one pixel size in a GL texture, for drawing
// labels: DejaVu Sans (Debian's fonts-dejavu-core) rasterised by the
// TrueType reader inside Dear ImGui, or Dear ImGui's own font where DejaVu
// is missing. Labels are drawn at the atlas's own size on screen, so they
// stay crisp at every zoom.
class TextAtlas : public TextMeasure {
public:
    static constexpr const char* fontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

    // Builds the atlas and its texture; needs a current GL context.
    explicit TextAtlas(float pixelSize);
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

private:
    std::unique_ptr<ImFontAtlas> atlas;
    ImFont* font = nullptr;
    uint32_t texture = 0;
};
