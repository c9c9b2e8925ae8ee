#include "app/TitleBarToggle.h"
#include "gui/window/CTopLevelWindow.h"

namespace {
void GrowToTitledMinimum(CPhysicalWindow& window)
{
    RECT r = {};
    window.GetWindowRect(r);
    if (r.right - r.left < kTitledMinWidth)
        window.SetBounds(r.left, r.top, r.left + kTitledMinWidth, r.bottom);
    window.GetWindowRect(r);
    if (r.bottom - r.top < kTitledMinHeight)
        window.SetBounds(r.left, r.top, r.right, r.top + kTitledMinHeight);
}
} // namespace

void ToggleTitleBar(CTopLevelWindow& window)
{
    const bool shown = window.IsTitleBarShown();
    // A minimized window's rectangle is its icon's: the restore brings its own size back.
    if (!shown && !window.GetWindow().IsMinimized())
        GrowToTitledMinimum(window.GetWindow());
    window.SetTaskbarButton(!shown);
    window.Relayout();
}
