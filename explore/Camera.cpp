#include "explore/Camera.h"

#include <algorithm>

namespace {

double clampZoom(double zoom) {
    return std::clamp(zoom, Camera::minZoom, Camera::maxZoom);
}

} // namespace

OrthoBox viewBox(const Camera& camera, const ViewWindow& window) {
    const OrthoBox base = windowProjection(window.width, std::max(window.height, 1), window.left);
    return {camera.centreX + base.left / camera.zoom, camera.centreX + base.right / camera.zoom,
            camera.centreY + base.bottom / camera.zoom, camera.centreY + base.top / camera.zoom};
}

Point sceneAt(const Camera& camera, const ViewWindow& window, double x, double y) {
    const OrthoBox box = viewBox(camera, window);
    const double displayX = box.left + x / window.width * (box.right - box.left);
    const double displayY = box.top - y / std::max(window.height, 1) * (box.top - box.bottom);
    return {static_cast<float>(displayX / Camera::displayScale),
            static_cast<float>(displayY / Camera::displayScale)};
}

double pixelsPerSceneUnit(const Camera& camera, const ViewWindow& window) {
    const OrthoBox box = viewBox(camera, window);
    return window.width / (box.right - box.left) * Camera::displayScale;
}

Camera zoomedAt(const Camera& camera, const ViewWindow& window, double x, double y, double factor) {
    const Point under = sceneAt(camera, window, x, y);
    Camera zoomed = camera;
    zoomed.zoom = clampZoom(camera.zoom * factor);
    const Point after = sceneAt(zoomed, window, x, y);
    zoomed.centreX += (under.x - after.x) * Camera::displayScale;
    zoomed.centreY += (under.y - after.y) * Camera::displayScale;
    return zoomed;
}

Camera panned(const Camera& camera, const ViewWindow& window, double dx, double dy) {
    const OrthoBox box = viewBox(camera, window);
    Camera moved = camera;
    moved.centreX -= dx / window.width * (box.right - box.left);
    moved.centreY += dy / std::max(window.height, 1) * (box.top - box.bottom);
    return moved;
}

Camera centredOn(const Camera& camera, Point point) {
    Camera centred = camera;
    centred.centreX = point.x * Camera::displayScale;
    centred.centreY = point.y * Camera::displayScale;
    return centred;
}

FrameRegion regionFor(const Camera& camera, const ViewWindow& window) {
    if (camera.fitted()) {
        return FrameRegion{};
    }
    // The picture's middle need not be the window's: the square reaches the
    // farthest edge.
    const OrthoBox box = viewBox(camera, window);
    const double half = std::max({camera.centreX - box.left, box.right - camera.centreX,
                                  box.top - camera.centreY, camera.centreY - box.bottom});
    return FrameRegion{static_cast<float>(camera.centreX / Camera::displayScale),
                       static_cast<float>(camera.centreY / Camera::displayScale),
                       static_cast<float>(half / Camera::displayScale)};
}
