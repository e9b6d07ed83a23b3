#include "render/LabelFont.h"

#include <imgui.h>

#include <cfloat>
#include <filesystem>

namespace {

// Latin-1, and the sign the key's both-way share is written with.
const ImWchar glyphRanges[] = {0x0020, 0x00FF, 0x2265, 0x2265, 0};

} // namespace

LabelFont::LabelFont(float pixelSize) : atlas(std::make_unique<ImFontAtlas>()) {
    std::error_code missing;
    if (std::filesystem::is_regular_file(fontPath, missing)) {
        typeface = atlas->AddFontFromFileTTF(fontPath, pixelSize, nullptr, glyphRanges);
    }
    if (typeface == nullptr) {
        ImFontConfig config;
        config.SizePixels = pixelSize;
        typeface = atlas->AddFontDefault(&config);
    }
    atlas->Build();
}

LabelFont::~LabelFont() = default;

float LabelFont::width(std::string_view text) const {
    return typeface
        ->CalcTextSizeA(typeface->FontSize, FLT_MAX, 0.0f, text.data(), text.data() + text.size())
        .x;
}

float LabelFont::height() const {
    return typeface->FontSize;
}

const unsigned char* LabelFont::pixels(int& width, int& height) const {
    unsigned char* coverage = nullptr;
    atlas->GetTexDataAsAlpha8(&coverage, &width, &height);
    return coverage;
}
