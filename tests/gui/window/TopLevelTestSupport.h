#pragma once
#include "GuiTestSupport.h"
#include "gui/window/CTopLevelWindow.h"
#include <vector>

// A derived window that keeps what the base hands it: its layouts, whether
// each frame had a title bar, and how often its own Destroy ran.
class ProbeWindow : public CTopLevelWindow {
public:
    void Destroy() override
    {
        ++destroyed;
        CTopLevelWindow::Destroy();
    }
    void LayoutControls(int width, int height, bool first) override { firsts.push_back(first); }
    void RenderFrame(CControlContainer* container) override
    {
        titledFrames.push_back(IsTitleBarShown());
        CTopLevelWindow::RenderFrame(container);
    }
    int destroyed = 0;
    std::vector<bool> firsts;
    std::vector<bool> titledFrames;
};

// Quietly placed, with the three captions.
inline TopLevelWindowParams ProbeParams(int x = kQuietX, int y = kQuietY, int width = 400, int height = 200)
{
    TopLevelWindowParams params = QuietlyPlaced<TopLevelWindowParams>(width, height, x, y);
    params.caption = "Quillmere RTA";
    params.caption2 = "RTA";
    params.caption3 = " ";
    return params;
}
