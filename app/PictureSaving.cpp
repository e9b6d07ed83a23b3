#include "app/PictureSaving.h"

#include "export/SvgPicture.h"
#include "io/FileText.h"
#include "render/ColorRamps.h"
#include "render/FrameImage.h"
#include "render/PngWriter.h"
#include "scene/ViewState.h"

#include <algorithm>
#include <cctype>

PicturePaths picturePathsFor(const std::string& chosen) {
    std::string base = chosen;
    if (base.size() > 4) {
        std::string end = base.substr(base.size() - 4);
        std::transform(end.begin(), end.end(), end.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (end == ".png" || end == ".svg") {
            base.resize(base.size() - 4);
        }
    }
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
    const FrameRegion& region = shown.region;
    const double pixelsPerUnit = targets.frameWidth / (2.0 * region.halfExtent);
    const Rect visible{region.centreX - region.halfExtent, region.centreY - region.halfExtent,
                       region.centreX + region.halfExtent, region.centreY + region.halfExtent};
    return labelsToShow(*snapshot, *labelText, pixelsPerUnit, visible, highlighted);
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
        labelText->draw(labels, targets.frameWidth / (2.0 * shown.region.halfExtent), 1.0,
                        labelColour);
        renderer.leaveFrame();
    }
    if (Status written = writePng(readFrameTexture(targets, copy), paths.png); !written) {
        return written;
    }
    DrawDescription vectors = shown;
    const std::vector<float> points = renderer.readCurvePoints(shown.curves);
    vectors.curves.points = points;
    const int32_t ramp = shown.curves.colorRamp;
    const std::vector<Colour> colours =
        ramp >= 1 && ramp <= colorRampCount
            ? rampColours(targets.colorRampTextures[static_cast<std::size_t>(ramp - 1)])
            : std::vector<Colour>();
    return writeFileText(paths.svg, svgPicture({&vectors, labels, framedLabelPixels, labelColour,
                                                colours, targets.frameWidth}));
}
