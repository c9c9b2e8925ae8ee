#pragma once

// Four margins or a zone of a skin picture, in pixels: left, top, right, bottom.
// As a zone the values are coordinates in the picture.
struct SkinInsets {
    int left;
    int top;
    int right;
    int bottom;
};

// Whether an area of this size holds at least a pixel and both pairs of margins.
inline bool HasRoomFor(const SkinInsets& insets, int width, int height)
{
    return width >= 1 && height >= 1 && width >= insets.left + insets.right && height >= insets.top + insets.bottom;
}
