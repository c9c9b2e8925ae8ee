#include "app/SizeLimits.h"
#include <algorithm>

namespace {
const int kMinWidth = 78;       // room for the title bar's buttons
const int kMinHeight = 32;      // one row of meter bars
const int kMinDockedWidth = 40; // a strip at a screen side
const int kMaxWidth = 3840;
const int kMaxHeight = 1920;
} // namespace

SizeLimits MainWindowSizeLimits(CaptionState caption, int captionHeight, int dockedEdge)
{
    SizeLimits limits = {kMinWidth, kMinHeight, kMaxWidth, kMaxHeight};
    if (caption == CaptionState::Shown)
        limits.minHeight += captionHeight;
    if (dockedEdge == DockEdge::Left || dockedEdge == DockEdge::Right)
        limits.minWidth = kMinDockedWidth;
    if (dockedEdge == DockEdge::Top || dockedEdge == DockEdge::Bottom)
        limits.minHeight = kMinHeight;
    return limits;
}

void ClampDockedThickness(SizeProposal& proposal)
{
    // The caption does not count: the docked edge sets the thickness's own minimum.
    if (proposal.axis == SizeAxis::Horizontal) {
        const SizeLimits limits = MainWindowSizeLimits(CaptionState::Hidden, 0, DockEdge::Left);
        proposal.width = std::clamp(int(proposal.width), limits.minWidth, limits.maxWidth);
    } else if (proposal.axis == SizeAxis::Vertical) {
        const SizeLimits limits = MainWindowSizeLimits(CaptionState::Hidden, 0, DockEdge::Top);
        proposal.height = std::clamp(int(proposal.height), limits.minHeight, limits.maxHeight);
    }
}
