#pragma once

// The orthographic window projection: the square from -1 to 1 with a margin
// of 0.05 on every side, centred and undistorted whatever the window's shape.
struct OrthoBox {
    double left;
    double right;
    double bottom;
    double top;
};

// The height must already be at least 1.
inline OrthoBox windowProjection(int width, int height) {
    const double aspect = static_cast<double>(width) / static_cast<double>(height);
    if (aspect > 1.0) {
        return {-1.05 * aspect, 1.05 * aspect, -1.05, 1.05};
    }
    return {-1.05, 1.05, -1.05 / aspect, 1.05 / aspect};
}

// The same square fitted into the part of the window right of `left`
// pixels (where a panel covers the rest), the box still spanning the whole
// window at the same scale.
inline OrthoBox windowProjection(int width, int height, int left) {
    const int pictureWidth = width - left > 0 ? width - left : 1;
    OrthoBox box = windowProjection(pictureWidth, height);
    box.left -= left * (box.right - box.left) / pictureWidth;
    return box;
}
