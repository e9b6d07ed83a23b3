#include "tools/rampgen/ColorRamp.h"

// Texel 0 colours a curve's source end, the last texel its target end. Every
// ramp grows lighter towards the target, so that the order reads on the black
// background even without colour vision.
const std::vector<ColorRamp>& viewerRamps() {
    // Purple through teal and green to yellow, after viridis.
    static const ColorRamp viridisLike = {{0x44, 0x01, 0x54},
                                          {0x3b, 0x52, 0x8b},
                                          {0x21, 0x91, 0x8c},
                                          {0x5e, 0xc9, 0x62},
                                          {0xfd, 0xe7, 0x25}};
    // Violet through rose and salmon to pale yellow, after magma's upper part.
    static const ColorRamp magmaLike = {
        {0x51, 0x12, 0x7c}, {0xb7, 0x37, 0x79}, {0xfc, 0x89, 0x61}, {0xfc, 0xfd, 0xbf}};
    // The default: blue source, orange target, two hues that stay apart for
    // the common colour-vision deficiencies; magenta between keeps the middle
    // saturated instead of grey.
    static const ColorRamp direction = {{0x2f, 0x6b, 0xff}, {0xc0, 0x40, 0xc0}, {0xff, 0x8c, 0x00}};
    // Indigo through magenta and orange to yellow, after plasma.
    static const ColorRamp plasmaLike = {{0x0d, 0x08, 0x87},
                                         {0x7e, 0x03, 0xa8},
                                         {0xcc, 0x47, 0x78},
                                         {0xf8, 0x95, 0x40},
                                         {0xf0, 0xf9, 0x21}};
    // Blue through grey to yellow, after cividis: readable with red-green
    // colour blindness.
    static const ColorRamp cividisLike = {{0x1b, 0x3a, 0x6b},
                                          {0x41, 0x4d, 0x6b},
                                          {0x7c, 0x7b, 0x78},
                                          {0xbc, 0xaf, 0x6f},
                                          {0xfe, 0xe8, 0x38}};
    static const std::vector<ColorRamp> ramps = {viridisLike, magmaLike, direction, plasmaLike,
                                                 cividisLike};
    return ramps;
}
