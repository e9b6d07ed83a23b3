#include "frame/DrawList.h"

namespace {

template <typename... Ways> struct Overloaded : Ways... { using Ways::operator()...; };

} // namespace

std::vector<DrawLayer> drawLayers(const DrawDescription& frame) {
    std::vector<DrawLayer> layers;
    if (!frame.cells.empty()) {
        layers.emplace_back(&frame.cells);
    }
    layers.emplace_back(&frame.tree);
    for (const LineSet& bands : frame.groupBands) {
        layers.emplace_back(&bands);
    }
    if (frame.showCurves) {
        layers.emplace_back(&frame.curves);
    }
    if (frame.showOverlay) {
        layers.emplace_back(&frame.overlay);
    }
    for (const LineSet& marks : frame.marks) {
        layers.emplace_back(&marks);
    }
    return layers;
}

std::size_t itemCount(const DrawLayer& layer) {
    return std::visit(Overloaded{[](const FillSet* fills) { return fills->itemCount(); },
                                 [](const LineSet* lines) { return lines->itemCount(); },
                                 [](const CurveSet* curves) {
                                     return static_cast<std::size_t>(curves->placeCount());
                                 }},
                      layer);
}

void drawLayerRange(DrawBackend& backend, const DrawLayer& layer, std::size_t first,
                    std::size_t count) {
    std::visit(
        Overloaded{[&](const FillSet* fills) { backend.drawFillRange(*fills, first, count); },
                   [&](const LineSet* lines) { backend.drawLineRange(*lines, first, count); },
                   [&](const CurveSet* curves) {
                       if (first == 0) {
                           backend.beginCurves(*curves);
                       }
                       backend.drawCurveRange(*curves, static_cast<int32_t>(first),
                                              static_cast<int32_t>(count));
                       if (first + count == itemCount(layer)) {
                           backend.finishCurves(*curves);
                       }
                   }},
        layer);
}

void drawAllLayers(const DrawDescription& frame, DrawBackend& backend) {
    if (frame.under) {
        drawAllLayers(*frame.under, backend);
        backend.dim(frame.background, frame.underKept);
    } else {
        backend.clear(frame.background);
    }
    for (const DrawLayer& layer : drawLayers(frame)) {
        drawLayerRange(backend, layer, 0, itemCount(layer));
    }
}
