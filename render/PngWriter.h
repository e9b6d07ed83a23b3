#pragma once

#include "base/Result.h"
#include "render/FrameImage.h"

#include <string>

// Writes the frame as a PNG: 24-bit RGB (alpha dropped: the frame is opaque
// underneath), or 32-bit RGBA with its alpha for a transparent background.
// Fast compression: a 2048 by 2048 frame is mostly one colour and the
// default level costs seconds for little gain. Encoded in memory, then
// written whole or not at all (see writeFileText).
Status writePng(const FrameImage& image, const std::string& path, bool withAlpha = false);
