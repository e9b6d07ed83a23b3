#include "app/StartView.h"
#include "model/NamedNodes.h"

void StartView::begin(SettingsPanel& panel, Explorer& explorer) const {
    panel.typeSearch(wanted.search);
    Camera camera = centredOn(Camera(), {wanted.centreX, wanted.centreY});
    camera.zoom = wanted.zoom;
    explorer.setCamera(camera);
}

std::optional<std::string> StartView::applyToFirstGraph(Explorer& explorer,
                                                        const std::string& graphPath) {
    if (applied || !explorer.scene()) {
        return std::nullopt;
    }
    applied = true;
    const SceneSnapshot& scene = *explorer.scene();
    const Result<std::vector<int32_t>> toggled =
        collapsedNodes(wanted, scene.graph(), graphPath, scene.cut.depth);
    if (!toggled) {
        return toggled.error().describe();
    }
    for (const int32_t node : toggled.value()) {
        explorer.toggleCollapse(node);
    }
    const Result<int32_t> node = highlightedNode(wanted, scene.graph(), graphPath);
    if (!node) {
        return node.error().describe();
    }
    explorer.pin(node.value());
    return std::nullopt;
}
