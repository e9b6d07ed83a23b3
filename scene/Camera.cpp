#include "scene/Camera.h"

#include <algorithm>

namespace {

double clampZoom(double zoom) {
    return std::clamp(zoom, Camera::minZoom, Camera::maxZoom);
}

} // namespace

OrthoBox viewBox(const Camera& camera, int width, int height) {
    const OrthoBox base = windowProjection(width, std::max(height, 1));
    return {camera.centreX + base.left / camera.zoom, camera.centreX + base.right / camera.zoom,
            camera.centreY + base.bottom / camera.zoom, camera.centreY + base.top / camera.zoom};
}

Point sceneAt(const Camera& camera, int width, int height, double x, double y) {
    const OrthoBox box = viewBox(camera, width, height);
    const double displayX = box.left + x / width * (box.right - box.left);
    const double displayY = box.top - y / std::max(height, 1) * (box.top - box.bottom);
    return {static_cast<float>(displayX / Camera::displayScale),
            static_cast<float>(displayY / Camera::displayScale)};
}

double pixelsPerSceneUnit(const Camera& camera, int width, int height) {
    const OrthoBox box = viewBox(camera, width, height);
    return width / (box.right - box.left) * Camera::displayScale;
}

Camera zoomedAt(const Camera& camera, int width, int height, double x, double y, double factor) {
    const Point under = sceneAt(camera, width, height, x, y);
    Camera zoomed = camera;
    zoomed.zoom = clampZoom(camera.zoom * factor);
    const Point after = sceneAt(zoomed, width, height, x, y);
    zoomed.centreX += (under.x - after.x) * Camera::displayScale;
    zoomed.centreY += (under.y - after.y) * Camera::displayScale;
    return zoomed;
}

Camera panned(const Camera& camera, int width, int height, double dx, double dy) {
    const OrthoBox box = viewBox(camera, width, height);
    Camera moved = camera;
    moved.centreX -= dx / width * (box.right - box.left);
    moved.centreY += dy / std::max(height, 1) * (box.top - box.bottom);
    return moved;
}

Camera centredOn(const Camera& camera, Point point) {
    Camera centred = camera;
    centred.centreX = point.x * Camera::displayScale;
    centred.centreY = point.y * Camera::displayScale;
    return centred;
}

FrameRegion regionFor(const Camera& camera, int width, int height) {
    if (camera.fitted()) {
        return FrameRegion{};
    }
    const OrthoBox box = viewBox(camera, width, height);
    const double half = std::max(box.right - box.left, box.top - box.bottom) / 2.0;
    return FrameRegion{static_cast<float>(camera.centreX / Camera::displayScale),
                       static_cast<float>(camera.centreY / Camera::displayScale),
                       static_cast<float>(half / Camera::displayScale)};
}
