#pragma once

#include <array>
#include <cstdint>
#include <vector>

// One ramp colour as stored in the ramp images.
using Rgb8 = std::array<uint8_t, 3>;

// A ramp drawn through control colours placed evenly from its first texel to
// its last. Between two control colours the ramp moves in a straight line in
// the OKLab space, so equal steps look about equally large to the eye.
using ColorRamp = std::vector<Rgb8>;

std::vector<Rgb8> sampleRamp(const ColorRamp& ramp, int width);

// The viewer's five ramps, in the order of their image numbers.
const std::vector<ColorRamp>& viewerRamps();
