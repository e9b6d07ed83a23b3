#pragma once

#include "explore/WindowProjection.h"
#include "frame/DrawDescription.h"
#include "layout/Point.h"
#include "settings/ViewState.h"

// The window's view of the scene. It works in display units: the frame
// square is shown from -1 to 1 (the scene's -1.01 to 1.01), inside the
// window projection's margin; a scene point f shows at f * displayScale.
// The fitted camera (centre 0, zoom 1) shows what the viewer always showed.
struct Camera {
    static constexpr double displayScale = 1.0 / static_cast<double>(DrawDescription::frameExtent);
    static constexpr double minZoom = minimumZoom;
    static constexpr double maxZoom = maximumZoom;

    double centreX = 0.0;
    double centreY = 0.0;
    double zoom = 1.0;

    bool fitted() const { return centreX == 0.0 && centreY == 0.0 && zoom == 1.0; }
    bool operator==(const Camera&) const = default;
};

// The window in pixels, and the picture's part of it: right of `left`, the
// width a panel covers there (0 when the picture has the whole window).
// The camera's centre shows in the middle of that part.
struct ViewWindow {
    int width = 1;
    int height = 1;
    int left = 0;

    bool operator==(const ViewWindow&) const = default;
    int pictureWidth() const { return width - left > 0 ? width - left : 1; }
    // The picture's middle, in window pixels.
    double middleX() const { return left + pictureWidth() / 2.0; }
    double middleY() const { return height / 2.0; }
};

// The box of display units the window shows.
OrthoBox viewBox(const Camera& camera, const ViewWindow& window);
// The scene point under a window pixel (origin at the top left).
Point sceneAt(const Camera& camera, const ViewWindow& window, double x, double y);
// Window pixels per scene unit.
double pixelsPerSceneUnit(const Camera& camera, const ViewWindow& window);

// Zoomed by the factor with the scene point under the pixel kept in place.
Camera zoomedAt(const Camera& camera, const ViewWindow& window, double x, double y, double factor);
// Moved so that the picture follows the pointer by dx, dy pixels.
Camera panned(const Camera& camera, const ViewWindow& window, double dx, double dy);
// Centred on a scene point.
Camera centredOn(const Camera& camera, Point point);

// The part of the scene a frame for this view covers: the frame square when
// fitted, else a square around the view's centre that covers the window.
FrameRegion regionFor(const Camera& camera, const ViewWindow& window);
