#pragma once

#include "base/Result.h"
#include "render/FrameImage.h"

#include <string>

// Writes the frame as a 24-bit RGB PNG (alpha dropped: the frame is opaque
// black underneath). Fast compression: a 2048 by 2048 frame is mostly black
// and the default level costs seconds for little gain.
Status writePng(const FrameImage& image, const std::string& path);
