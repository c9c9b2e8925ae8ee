#pragma once

// Four margins or a zone of a skin picture, in pixels: left, top, right, bottom.
// As a zone the values are coordinates in the picture.
struct SkinInsets {
    int left;
    int top;
    int right;
    int bottom;
};
