#pragma once

// A region shared by two pixel fields: it starts at (x, y) in the one
// written and at (fromX, fromY) in the one read.
struct PixelRegion {
    int x, y, fromX, fromY, width, height;
};

// Cuts the region so that it lies inside both fields (written: width x height,
// read: fromWidth x fromHeight), moving both starts together; false when
// nothing is left.
bool ClipPixelRegion(PixelRegion& region, int width, int height, int fromWidth, int fromHeight);
