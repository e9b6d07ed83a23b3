#include "app/PictureSaving.h"

#include "base/PathNames.h"
#include "export/SvgPicture.h"
#include "io/FileText.h"
#include "render/ColorRamps.h"
#include "render/FrameImage.h"
#include "render/PngWriter.h"
#include "scene/ViewState.h"

PicturePaths picturePathsFor(const std::string& chosen) {
    const std::string extension = lowerExtension(chosen);
    const std::string base = extension == "png" || extension == "svg"
                                 ? chosen.substr(0, chosen.size() - extension.size() - 1)
                                 : chosen;
    return {base + ".png", base + ".svg"};
}

std::vector<Label> PictureSaver::labelsOf(const DrawDescription& shown,
                                          const SceneSnapshot* snapshot, int32_t highlighted) {
    if (snapshot == nullptr) {
        return {};
    }
    if (!labelText) {
        labelText = std::make_unique<TextAtlas>(framedLabelPixels);
    }
    return labelsToShow(*snapshot, *labelText, shown.region.pixelsPerUnit(targets.frameWidth),
                        shown.region.bounds(), highlighted);
}

Status PictureSaver::save(const PicturePaths& paths, const DrawDescription& shown,
                          const SceneSnapshot* snapshot, int32_t highlighted) {
    const std::vector<Label> labels = labelsOf(shown, snapshot, highlighted);
    // The frame with the labels written into a copy: the frame on screen
    // keeps none, the window writes them at its own size.
    const uint32_t copy = targets.back();
    renderer.copyFrame(targets.frameTexture, copy);
    if (!labels.empty()) {
        renderer.enterFrame(copy, shown.region);
        labelText->draw(labels, shown.region.pixelsPerUnit(targets.frameWidth), 1.0, labelColour);
        renderer.leaveFrame();
    }
    if (Status written = writePng(readFrameTexture(targets, copy), paths.png); !written) {
        return written;
    }
    DrawDescription vectors = shown;
    const std::vector<float> points = renderer.readCurvePoints(shown.curves);
    vectors.curves.points = points;
    const std::vector<Colour> ramp = rampColours(targets.colorRampTextures, shown.curves.colorRamp);
    return writeFileText(paths.svg, svgPicture({&vectors, labels, framedLabelPixels, labelColour,
                                                ramp, targets.frameWidth}));
}
