#pragma once
#include "gui/window/WindowGeometry.h"
// How far the user may size the main window: small enough for a strip
// beside other work, large enough for one view over a wide desktop.

struct SizeLimits {
    int minWidth;
    int minHeight;
    int maxWidth;
    int maxHeight;
};

enum class CaptionState { Hidden, Shown };

// captionHeight counts only while the caption shows; dockedEdge is a
// DockEdge (0 not docked): a window docked to a side may be thinner.
SizeLimits MainWindowSizeLimits(CaptionState caption, int captionHeight, int dockedEdge);

// A docked bar's proposed thickness (the window's Sizing event) held to the
// limits of a window docked across it: the width of one at the left or right
// edge, the height of one at the top or bottom.
void ClampDockedThickness(SizeProposal& proposal);
