#pragma once
#include "gui/skin/CTextBuffer.h"
#include "gui/skin/CTextPainter.h"
#include "gui/window/CPhysicalWindow.h"
#include <cstdint>
#include <string>

class CSkinFont;

// Where the tip's rectangle lies against its anchor point.
enum class ToolTipPlacement : int32_t {
    TopLeft = 0,     // the tip's top-left corner at the anchor
    TopRight = 1,    // its top-right corner there
    BottomLeft = 2,  // its bottom-left corner there
    BottomRight = 3, // its bottom-right corner there
    LeftCentred = 4  // left of the anchor, centred on it vertically
};

// Sides of the cursor's monitor that a tip would cross (CToolTip::CheckPlacement).
namespace ToolTipCrossing {
enum : int { Left = 1, Right = 2, Top = 4, Bottom = 8, NoMonitor = 16 };
}

struct ToolTipRequest {
    const CSkinFont* font = nullptr; // null: the DC's font
    std::string text;
    int32_t x = 0; // the anchor, screen coordinates
    int32_t y = 0;
    int32_t displayTimeMs = 60000; // a minute: long enough for any tip to be read
    ToolTipPlacement placement = ToolTipPlacement::TopLeft;
};

// A one-line popup of text near the cursor: a pale box with a black border
// and a grey drop shadow, shaped by a window region. It closes itself once
// the cursor moves more than two pixels from where the tip opened, when a
// mouse button goes down (both polled every 20 ms on its own timer), when
// its display time runs out (the window's lifetime), or when the next Show
// replaces it; its container closes it on a press that the polling may miss
// and when the window under it moves. One object serves any number of tips in turn. GUI thread only.
class CToolTip : public CListener {
public:
    static const UINT_PTR kTimerId = 73;
    static const UINT kTimerPeriodMs = 20;

    CToolTip();
    virtual ~CToolTip();
    CToolTip(const CToolTip&) = delete;
    CToolTip& operator=(const CToolTip&) = delete;

    // Opens the tip the request describes, closing one that is open.
    void Show(const ToolTipRequest& request);
    // Closes an open tip at once.
    void Close();
    // Opens nothing: ToolTipCrossing bits of where Show would put the tip,
    // 0 when it fits on the monitor under the cursor.
    int CheckPlacement(const ToolTipRequest& request);

    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;

    CPhysicalWindow& GetWindow() { return m_window; }

private:
    WindowCreateParams Layout(const ToolTipRequest& request);
    void Paint();
    void CloseWhenLeft();

    ToolTipRequest m_request;
    CTextBuffer m_text;
    CTextPainter m_painter;
    POINT m_openedAt;
    CPhysicalWindow m_window;
};
