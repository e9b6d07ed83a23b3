#pragma once

#include "frame/LegendLayout.h"
#include "render/TextAtlas.h"

// Draws a laid-out key in its place, in pixels from the top left of a target
// of that many pixels (the viewport), its text in the atlas's glyphs, which
// must be of the layout's text height. Leaves GL's state as it was but the
// matrix mode (model view) and the 2D texture bound (none).
void drawLegend(const LegendLayout& layout, const PixelBox& place, int targetWidth,
                int targetHeight, const TextAtlas& text);
