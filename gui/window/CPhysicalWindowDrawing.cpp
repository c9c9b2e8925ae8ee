// CPhysicalWindow: showing its bitmap, layered or copied, and its region.
#include "gui/window/BitmapRegion.h"
#include "gui/window/CPhysicalWindow.h"

namespace {
const BYTE kOpaqueAlpha = 255;
} // namespace

int CPhysicalWindow::ShowBitmap(const CBitmapDC* src, int sx, int sy, int w, int h, int dx, int dy)
{
    if (!src || !m_life.hwnd || !IsWindow(m_life.hwnd))
        return 0;
    const bool own = src == &m_backBitmap;
    if (!own && !m_params.listenerPaints)
        m_backBitmap.CopyFrom(*src, sx, sy, w, h, dx, dy);
    if (m_params.perPixelAlpha)
        return PresentLayered();
    const CBitmapDC& from = m_params.listenerPaints ? *src : m_backBitmap;
    if (w < 1)
        w = from.GetWidth();
    if (h < 1)
        h = from.GetHeight();
    const bool copied = !own && !m_params.listenerPaints;
    HDC dc = PresentDC();
    return dc ? BitBlt(dc, dx, dy, w, h, from.GetDC(), copied ? dx : sx, copied ? dy : sy, SRCCOPY) : 0;
}

HDC CPhysicalWindow::PresentDC()
{
    // A GetDC and a ReleaseDC per frame would be two server round trips; the
    // system keeps a DC it handed out clipped to the window as it moves.
    if (!m_life.presentDC && m_life.hwnd)
        m_life.presentDC = ::GetDC(m_life.hwnd);
    return m_life.presentDC;
}

int CPhysicalWindow::PresentLayered()
{
    RECT rect = {};
    ::GetWindowRect(m_life.hwnd, &rect);
    POINT position = {rect.left, rect.top};
    SIZE size = {m_params.width, m_params.height};
    POINT origin = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, kOpaqueAlpha, AC_SRC_ALPHA};
    HDC screen = ::GetDC(nullptr);
    const int result =
        UpdateLayeredWindow(m_life.hwnd, screen, &position, &size, m_backBitmap.GetDC(), &origin, 0, &blend, ULW_ALPHA);
    ReleaseDC(nullptr, screen);
    return result;
}

int CPhysicalWindow::SetRegionFromBitmap(const CBitmapDC* bitmap, uint32_t keyColour, int border)
{
    if (!bitmap)
        return 0;
    if (m_life.region)
        DeleteObject(m_life.region);
    m_life.region = nullptr;
    HRGN region = CreateRegionFromBitmap(*bitmap, keyColour, border);
    if (!region)
        return 0;
    m_life.region = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(m_life.region, region, nullptr, RGN_COPY);
    const int result = SetWindowRgn(m_life.hwnd, region, TRUE);
    if (!result)
        DeleteObject(region); // the system took it only on success
    return result;
}

CBitmapDC* CPhysicalWindow::GetBackBitmap()
{
    return m_params.listenerPaints ? nullptr : &m_backBitmap;
}

void CPhysicalWindow::Invalidate()
{
    InvalidateRect(m_life.hwnd, nullptr, FALSE);
}
