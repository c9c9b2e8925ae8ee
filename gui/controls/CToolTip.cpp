#include "gui/controls/CToolTip.h"
#include "common/DebugTrace.h"
#include <cstdlib>

namespace {

// Pixel values of the tip's picture.
const uint32_t kKeyColour = 0xFF00FF; // outside the region
const uint32_t kShadow = 0x404040;
const uint32_t kBorder = 0;
const uint32_t kFace = 0xF0F0C0;
// The text's box grows by the border, the padding and the shadow.
const int kExtraWidth = 9;
const int kExtraHeight = 7;
const int kShadowOffset = 2;
const int kTextX = 4;
const int kTextY = 2;
// The cursor may drift this far on either axis before the tip closes.
const int kCursorSlack = 2;
// The monitor under the cursor, its whole rectangle (the window clamp's flags).
const int32_t kOnCursorMonitor = 0x11;

int Crossings(const RECT& tip)
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONULL);
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return ToolTipCrossing::NoMonitor;
    const RECT& area = info.rcMonitor;
    return (tip.left < area.left ? ToolTipCrossing::Left : 0) | (tip.right > area.right ? ToolTipCrossing::Right : 0) |
           (tip.top < area.top ? ToolTipCrossing::Top : 0) | (tip.bottom > area.bottom ? ToolTipCrossing::Bottom : 0);
}

void PlaceAtAnchor(WindowCreateParams& params, int x, int y, ToolTipPlacement placement)
{
    const int w = params.width;
    const int h = params.height;
    switch (placement) {
    case ToolTipPlacement::TopLeft: params.x = x, params.y = y; break;
    case ToolTipPlacement::TopRight: params.x = x - w, params.y = y; break;
    case ToolTipPlacement::BottomLeft: params.x = x, params.y = y - h; break;
    case ToolTipPlacement::BottomRight: params.x = x - w, params.y = y - h; break;
    case ToolTipPlacement::LeftCentred: params.x = x - w, params.y = y - (h - 5) / 2; break; // 5: the shadow's share
    }
}

} // namespace

CToolTip::CToolTip() : m_openedAt{0, 0}
{
    DebugTrace("CToolTip::Constructor();\n");
}

CToolTip::~CToolTip()
{
    m_window.Destroy();
}

WindowCreateParams CToolTip::Layout(const ToolTipRequest& request)
{
    m_text.text = request.text;
    m_text.font = request.font;
    m_text.textColor = 0;
    m_text.horizontalAlignment = kTextAlignNear;
    m_text.multiLine = 1;
    m_text.shadow = 1;
    CBitmapDC scratch; // empty: the painter measures on one of its own
    m_painter.MeasureSkinText(scratch, m_text, nullptr);

    WindowCreateParams params;
    params.width = m_text.width + kExtraWidth;
    params.height = m_text.height + kExtraHeight;
    PlaceAtAnchor(params, request.x, request.y, request.placement);
    params.toolPopup = 1;
    params.clampFlags = kOnCursorMonitor;
    params.lifetimeMs = request.displayTimeMs;
    return params;
}

void CToolTip::Show(const ToolTipRequest& request)
{
    m_window.Destroy();
    m_request = request;
    const WindowCreateParams params = Layout(request);
    m_window.SetListener(this);
    if (m_window.Create(params) != 0)
        return;
    GetCursorPos(&m_openedAt);
    m_window.SetTimer(kTimerId, kTimerPeriodMs);
}

void CToolTip::Close()
{
    m_window.Destroy();
}

int CToolTip::CheckPlacement(const ToolTipRequest& request)
{
    const WindowCreateParams params = Layout(request);
    const RECT tip = {params.x, params.y, params.x + params.width, params.y + params.height};
    return Crossings(tip);
}

int CToolTip::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    if (source != 0)
        return 0;
    if (code == WindowEvent::Created)
        Paint();
    else if (code == WindowEvent::Timer && p1 == int(kTimerId))
        CloseWhenLeft();
    return 0;
}

void CToolTip::Paint()
{
    CBitmapDC* back = m_window.GetBackBitmap();
    if (!back)
        return;
    const int w = back->GetWidth();
    const int h = back->GetHeight();
    back->Fill(kKeyColour);
    back->FillRect(kShadowOffset, kShadowOffset, w, h, kShadow);
    back->FillRect(0, 0, w - kShadowOffset, h - kShadowOffset, kBorder);
    back->FillRect(1, 1, w - kShadowOffset - 1, h - kShadowOffset - 1, kFace);
    m_window.SetRegionFromBitmap(back, kKeyColour, 0);
    m_text.x = kTextX;
    m_text.y = kTextY;
    m_text.offsetX = 0;
    m_text.offsetY = 0;
    m_painter.DrawSkinText(*back, m_text);
}

void CToolTip::CloseWhenLeft()
{
    POINT cursor = {};
    GetCursorPos(&cursor);
    const bool moved =
        std::abs(cursor.x - m_openedAt.x) > kCursorSlack || std::abs(cursor.y - m_openedAt.y) > kCursorSlack;
    if (moved || CPhysicalWindow::GetMouseButtons() != 0)
        m_window.PostDeferredClose();
}
