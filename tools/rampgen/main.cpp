#include "tools/rampgen/ColorRamp.h"

#include <IL/il.h>

#include <iostream>
#include <string>

namespace {

constexpr int rampWidth = 256;

bool writePng(const std::string& path, std::vector<Rgb8>& texels) {
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    const bool written = ilTexImage(static_cast<ILuint>(texels.size()), 1, 1, 3, IL_RGB,
                                    IL_UNSIGNED_BYTE, texels.data()) &&
                         ilSaveImage(path.c_str());
    ilDeleteImages(1, &image);
    return written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cout << "Usage: hebview-rampgen FOLDER\n"
                     "Writes the viewer's colour ramps as FOLDER/pal_0.png to pal_4.png,\n"
                     "256 by 1, 24-bit RGB, the same bytes on every run.\n";
        return argc == 1 ? 0 : 1;
    }
    ilInit();
    ilEnable(IL_FILE_OVERWRITE);
    const std::string folder = argv[1];
    const std::vector<ColorRamp>& ramps = viewerRamps();
    for (std::size_t i = 0; i < ramps.size(); ++i) {
        std::vector<Rgb8> texels = sampleRamp(ramps[i], rampWidth);
        const std::string path = folder + "/pal_" + std::to_string(i) + ".png";
        if (!writePng(path, texels)) {
            std::cerr << "hebview-rampgen: cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
