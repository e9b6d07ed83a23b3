#pragma once

#include "frame/DrawDescription.h"

#include <cstdint>
#include <span>
#include <vector>

// A picture for any background from the same frame drawn twice, over black
// and over white. A pixel that shows colour C with coverage a shows a C over
// black and a C + (1 - a) over white, so a = 1 - (white - black) and
// C = black / a. Where drawing is not a plain "over" (max blending), the
// coverage is taken as the largest of the three channels' and the colour as
// black / a, which still gives exactly the black frame over black.
//
// The pictures are RGBA bytes, four per pixel, of equal size.
std::vector<uint8_t> transparentPicture(std::span<const uint8_t> overBlack,
                                        std::span<const uint8_t> overWhite);

// The transparent picture over an opaque background colour.
std::vector<uint8_t> pictureOver(std::span<const uint8_t> transparent, const Colour& background);
