#include "app/StartView.h"
#include "model/NamedNodes.h"

void StartView::begin(SettingsPanel& panel, Explorer& explorer) const {
    panel.typeSearch(wanted.search);
    Camera camera = centredOn(Camera(), {wanted.centreX, wanted.centreY});
    camera.zoom = wanted.zoom;
    explorer.setCamera(camera);
}

std::optional<std::string> StartView::pinOnFirstGraph(Explorer& explorer,
                                                      const std::string& graphPath) {
    if (pinDone || !explorer.scene()) {
        return std::nullopt;
    }
    pinDone = true;
    const Result<int32_t> node = highlightedNode(wanted, explorer.scene()->graph(), graphPath);
    if (!node) {
        return node.error().describe();
    }
    explorer.pin(node.value());
    return std::nullopt;
}
