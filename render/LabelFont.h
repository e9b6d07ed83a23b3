#pragma once

#include "frame/Labels.h"

#include <memory>
#include <string_view>

struct ImFontAtlas;
struct ImFont;

// The typeface of the labels at one pixel size, for measuring them without
// GL: DejaVu Sans (Debian's fonts-dejavu-core) rasterised by the TrueType
// reader inside Dear ImGui, or Dear ImGui's own font where DejaVu is
// missing. TextAtlas makes the GL texture that draws its glyphs.
class LabelFont : public TextMeasure {
public:
    static constexpr const char* fontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

    explicit LabelFont(float pixelSize);
    ~LabelFont() override;
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;

    float width(std::string_view text) const override;
    float height() const override;

    const ImFont& font() const { return *typeface; }
    // The glyphs' coverage, one byte a pixel.
    const unsigned char* pixels(int& width, int& height) const;

private:
    std::unique_ptr<ImFontAtlas> atlas;
    ImFont* typeface = nullptr;
};
