#include "explore/Camera.h"

#include <gtest/gtest.h>

namespace {

constexpr int width = 1024;
constexpr int height = 768;
constexpr ViewWindow window{width, height};

TEST(Camera, TheFittedViewShowsTheFrameSquareWhole) {
    const Camera fitted;
    EXPECT_TRUE(fitted.fitted());
    // The window's middle is the scene's origin; its height spans 2.1
    // display units, the frame's -1.01..1.01 shown as -1..1.
    const Point middle = sceneAt(fitted, window, width / 2.0, height / 2.0);
    EXPECT_NEAR(middle.x, 0.0f, 1e-6);
    EXPECT_NEAR(middle.y, 0.0f, 1e-6);
    const Point top = sceneAt(fitted, window, width / 2.0, 0.0);
    EXPECT_NEAR(top.y, 1.05f * 1.01f, 1e-5);
    EXPECT_NEAR(pixelsPerSceneUnit(fitted, window), height / 2.1 / static_cast<double>(1.01f),
                1e-9);
    EXPECT_EQ(regionFor(fitted, window), FrameRegion{});
}

TEST(Camera, APanelAtTheLeftMovesTheFittedViewIntoThePartRightOfIt) {
    // 424 pixels of panel leave a 600 by 768 picture: its middle, x = 724,
    // shows the origin, and its width spans the 2.1 display units.
    const ViewWindow besidePanel{width, height, 424};
    const Point middle = sceneAt(Camera{}, besidePanel, 724.0, height / 2.0);
    EXPECT_NEAR(middle.x, 0.0f, 1e-6);
    EXPECT_NEAR(middle.y, 0.0f, 1e-6);
    const Point edge = sceneAt(Camera{}, besidePanel, 424.0, height / 2.0);
    EXPECT_NEAR(edge.x, -1.05f * 1.01f, 1e-5);
    EXPECT_NEAR(pixelsPerSceneUnit(Camera{}, besidePanel), 600 / 2.1 / static_cast<double>(1.01f),
                1e-9);
    EXPECT_EQ(regionFor(Camera{}, besidePanel), FrameRegion{});
    // A zoomed frame still covers the window under the panel.
    const Camera zoomed{0.0, 0.0, 8.0};
    const FrameRegion region = regionFor(zoomed, besidePanel);
    const Point corner = sceneAt(zoomed, besidePanel, 0.0, 0.0);
    EXPECT_GE(corner.x, region.centreX - region.halfExtent);
    EXPECT_LE(corner.y, region.centreY + region.halfExtent);
}

TEST(Camera, ZoomingKeepsTheScenePointUnderTheCursor) {
    Camera camera;
    const double x = 700.0;
    const double y = 200.0;
    const Point before = sceneAt(camera, window, x, y);
    for (double factor : {1.25, 1.25, 3.0, 0.5}) {
        camera = zoomedAt(camera, window, x, y, factor);
        const Point after = sceneAt(camera, window, x, y);
        EXPECT_NEAR(after.x, before.x, 1e-5);
        EXPECT_NEAR(after.y, before.y, 1e-5);
    }
    EXPECT_NEAR(camera.zoom, 1.25 * 1.25 * 3.0 * 0.5, 1e-12);
    EXPECT_EQ(zoomedAt(Camera{}, window, x, y, 1e9).zoom, Camera::maxZoom);
    EXPECT_EQ(zoomedAt(Camera{}, window, x, y, 1e-9).zoom, Camera::minZoom);
}

TEST(Camera, PanningMovesThePictureWithThePointer) {
    Camera camera = zoomedAt(Camera{}, window, 100.0, 100.0, 4.0);
    const Point grabbed = sceneAt(camera, window, 300.0, 300.0);
    camera = panned(camera, window, 50.0, -20.0);
    const Point underPointer = sceneAt(camera, window, 350.0, 280.0);
    EXPECT_NEAR(underPointer.x, grabbed.x, 1e-5);
    EXPECT_NEAR(underPointer.y, grabbed.y, 1e-5);
}

TEST(Camera, AZoomedFrameCoversTheWindowAroundTheViewsCentre) {
    const Camera camera = centredOn(Camera{0.0, 0.0, 8.0}, Point{0.5f, -0.25f});
    const FrameRegion region = regionFor(camera, window);
    EXPECT_FLOAT_EQ(region.centreX, 0.5f);
    EXPECT_FLOAT_EQ(region.centreY, -0.25f);
    // The window's wider side: 2.1 * 4/3 display units at zoom 1.
    EXPECT_NEAR(region.halfExtent, 1.05 * 4.0 / 3.0 / 8.0 * 1.01, 1e-6);
    const Point corner = sceneAt(camera, window, 0.0, 0.0);
    EXPECT_GE(corner.x, region.centreX - region.halfExtent);
    EXPECT_LE(corner.y, region.centreY + region.halfExtent);
}

} // namespace
