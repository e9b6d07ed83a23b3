#include "app/PictureSaving.h"

#include "base/PathNames.h"
#include "export/SvgPicture.h"
#include "render/FrameImage.h"
#include "render/PngWriter.h"

PicturePaths picturePathsFor(const std::string& chosen) {
    const std::string extension = lowerExtension(chosen);
    const std::string base = extension == "png" || extension == "svg"
                                 ? chosen.substr(0, chosen.size() - extension.size() - 1)
                                 : chosen;
    return {base + ".png", base + ".svg"};
}

Status PictureSaver::save(const PicturePaths& paths, const DrawDescription& shown,
                          const std::shared_ptr<const LabelFont>& labelFont) {
    // The names are written into a copy: the frame on screen keeps none, the
    // window writes them at its own size.
    const uint32_t copy = targets.back();
    renderer.copyFrame(targets.frameTexture, copy);
    if ((!shown.labels.empty() || shown.showLegend) && labelFont) {
        if (!labelText || labelText->labelFont() != labelFont) {
            labelText = std::make_unique<TextAtlas>(labelFont);
        }
        renderer.writeLabels(copy, shown, *labelText);
        renderer.writeLegend(copy, shown, *labelText);
    }
    if (Status written = writePng(readFrameTexture(targets, copy), paths.png); !written) {
        return written;
    }
    return writeSvgPicture(paths.svg, shown, targets.frameWidth, labelFont.get());
}
