#include "media/RampImages.h"

#include "base/DataFiles.h"
#include "io/PngChunks.h"

#include <IL/il.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr const char* rampPathFormat = "data/textures/pal_%d.png";
// A ramp is a row of at most a few thousand texels: any file larger than
// this is no ramp, and is not read whole to find out.
constexpr std::size_t maxRampFileBytes = std::size_t{1} << 20;

std::string formatted(const char* format, const char* argument) {
    char text[256];
    std::snprintf(text, sizeof text, format, argument);
    return text;
}

// The first rule the bound image breaks, in the order they are checked;
// nullptr when it makes a valid ramp.
const char* rampImageFault() {
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const int height = ilGetInteger(IL_IMAGE_HEIGHT);
    const int bitsPerPixel = ilGetInteger(IL_IMAGE_BITS_PER_PIXEL);
    const int bytesPerPixel = ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL);
    const int mipmaps = ilGetInteger(IL_NUM_MIPMAPS);
    if (bytesPerPixel != 3 || bitsPerPixel != 24) {
        return "Image must be RGB (24 bits per pixel)!";
    }
    if (mipmaps != 0) {
        return "Image must not have MipMaps!";
    }
    if (height != 1) {
        return "Image must have a height of 1!";
    }
    if (!isPowerOfTwo(width)) {
        return "Image width must be power of two!";
    }
    return nullptr;
}

// The colours of the bound image, which makes a valid ramp.
SharedValues<Colour> boundImageColours() {
    const int width = ilGetInteger(IL_IMAGE_WIDTH);
    const ILubyte* bytes = ilGetData();
    std::vector<Colour> colours;
    colours.reserve(static_cast<std::size_t>(width));
    for (int i = 0; i < width; ++i) {
        const ILubyte* texel = bytes + 3 * static_cast<std::size_t>(i);
        colours.push_back({texel[0] / 255.0f, texel[1] / 255.0f, texel[2] / 255.0f, 1.0f});
    }
    return SharedValues<Colour>::copyOf(colours);
}

// Ramp `index`'s image: its colours, or why it is no ramp.
Result<SharedValues<Colour>> readRamp(int index) {
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const std::string found = rampImagePath(index);
    const char* path = found.c_str();
    // A file cut short can stall the PNG reader for good, so it is checked
    // before the image library sees it.
    const PngFileCheck check = checkPngFile(path, maxRampFileBytes);
    std::optional<Error> fault;
    if (check.state == PngFileCheck::State::Missing) {
        fault = Error{formatted("Image not found (%s)!", path)};
    } else if (check.state == PngFileCheck::State::Broken) {
        fault = Error{"Broken image: " + check.reason, path};
    } else if (!ilLoadImage(path)) {
        fault = Error{"Image could not be decoded!", path};
    } else if (const char* rule = rampImageFault()) {
        fault = Error{rule, path};
    }
    Result<SharedValues<Colour>> read =
        fault ? Result<SharedValues<Colour>>(*fault) : boundImageColours();
    ilDeleteImages(1, &image);
    return read;
}

} // namespace

bool isPowerOfTwo(int n) {
    if (n <= 0) {
        return false;
    }
    int halvings = 0;
    for (int rest = n - 1; rest > 0; rest >>= 1) {
        ++halvings;
    }
    return static_cast<int64_t>(n) == (int64_t{1} << halvings);
}

std::string rampImagePath(int index) {
    char name[64];
    std::snprintf(name, sizeof name, rampPathFormat, index);
    return datafiles::find(name);
}

Status readColorRamps(RampColours& ramps, const RampUse& use) {
    ilInit();
    Status loaded;
    for (int i = 0; i < colorRampCount; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        Result<SharedValues<Colour>> ramp = readRamp(i);
        std::optional<Error> fault;
        if (!ramp) {
            fault = ramp.error();
        } else if (use) {
            fault = use(i, ramp.value());
        }
        ramps[at] = fault ? SharedValues<Colour>() : std::move(ramp).value();
        if (fault && loaded) {
            loaded = *fault;
        }
    }
    return loaded;
}
