#include "gui/controls/CImageButton.h"
#include "common/DebugTrace.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/skin/PixelOperations.h"
#include "gui/window/WindowEvent.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>

namespace {
const int kDimmedFactor = 210; // of 256
const int kWholeBitmap = 0;    // ScaleImageColors: all edges below 1
const uint32_t kAlphaMask = 0xFF000000;
using Answer = CPressTracker::Answer;

bool HasPixels(const CBitmapDC* image)
{
    return image && image->GetWidth() > 0 && image->GetHeight() > 0;
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
} // namespace

CImageButton::CImageButton()
    : m_pressed(0), m_hit{0, 0, 0, 0}, m_reportedHit{0, 0, 0, 0}, m_hitReported(false), m_mouse(0)
{}

int CImageButton::Create(const ImageButtonParams& params)
{
    m_params = params;
    ControlCreateParams create = SkinnedControlAt(m_params);
    create.notifyKind = m_params.notifyKind;
    create.listenerPaints = 1; // the window shows the display bitmap
    CSkinControl::Create(create);
    Render();
    m_window.Invalidate();
    return 0;
}

void CImageButton::Render()
{
    const int w = m_params.place.width;
    const int h = m_params.place.height;
    m_display.Create(w, h, kBitsPerPixel);
    int bx = 0, by = 0;
    const CBitmapDC* background = BackgroundSource(bx, by);
    if (background)
        m_display.CopyFrom(*background, bx, by, w, h, 0, 0);
    const CBitmapDC* image = m_pressed ? m_params.pressedImage : m_params.normalImage;
    if (HasPixels(image)) {
        if (m_params.premultiply) {
            CBitmapDC copy;
            copy.CreateCopy(*image);
            copy.PremultiplyAlpha();
            PlaceImage(copy);
        } else {
            PlaceImage(*image);
        }
    }
    if (m_params.dimmed)
        ScaleImageColors(&m_display, kWholeBitmap, kWholeBitmap, kWholeBitmap, kWholeBitmap, kDimmedFactor,
                         kDimmedFactor, kDimmedFactor);
    if (m_params.ownerRegion)
        SaveOwnerRegion();
}

void CImageButton::PlaceImage(const CBitmapDC& image)
{
    if (m_params.fit)
        FitImage(image);
    else
        CentreImage(image);
}

void CImageButton::FitImage(const CBitmapDC& image)
{
    const int w = m_params.place.width;
    const int h = m_params.place.height;
    const int iw = image.GetWidth();
    const int ih = image.GetHeight();
    m_fitted.Create(w, h, kBitsPerPixel);
    double sx = double(w) / iw;
    double sy = double(h) / ih;
    if (m_params.keepAspect) {
        double s = std::min(sx, sy);
        if (!m_params.allowUpscaling)
            s = std::min(s, 1.0);
        sx = sy = s;
    } else if (!m_params.allowUpscaling) {
        sx = std::min(sx, 1.0);
        sy = std::min(sy, 1.0);
    }
    const int fw = int(iw * sx);
    const int fh = int(ih * sy);
    const int x0 = (w - fw) / 2;
    const int y0 = (h - fh) / 2;
    if (fw > 0 && fh > 0)
        ResizeImage(&image, &m_fitted, 0, 0, iw, ih, x0, y0, fw, fh, ResizeMethod::Auto);
    const RECT& r = m_params.hitRect;
    m_hit = {x0 + int(r.left * sx), y0 + int(r.top * sy), x0 + int(r.right * sx), y0 + int(r.bottom * sy)};
    AlphaBlendImage(&m_display, 0, 0, &m_fitted, 0, 0, w, h);
}

void CImageButton::CentreImage(const CBitmapDC& image)
{
    // Per axis: the middle of a picture larger than the button, else the
    // whole picture in the middle of the button.
    auto axis = [](int imageSize, int size, int& from, int& length, int& to) {
        from = imageSize > size ? (imageSize - size) / 2 : 0;
        length = std::min(imageSize, size);
        to = imageSize > size ? 0 : (size - imageSize) / 2;
    };
    int fromX, lengthX, toX, fromY, lengthY, toY;
    axis(image.GetWidth(), m_params.place.width, fromX, lengthX, toX);
    axis(image.GetHeight(), m_params.place.height, fromY, lengthY, toY);
    if (lengthX > 0 && lengthY > 0)
        AlphaBlendImage(&m_display, toX, toY, &image, fromX, fromY, lengthX, lengthY);
    const RECT& r = m_params.hitRect;
    m_hit = {r.left + toX, r.top + toY, r.right + toX, r.bottom + toY};
}

void CImageButton::SaveOwnerRegion()
{
    const int w = m_hit.right - m_hit.left;
    const int h = m_hit.bottom - m_hit.top;
    m_savedRegion.Destroy();
    if (w > 0 && h > 0) {
        m_savedRegion.Create(w, h, kBitsPerPixel);
        m_savedRegion.CopyFrom(m_display, m_hit.left, m_hit.top, w, h, 0, 0);
    }
    if (!m_hitReported || !SameRect(m_hit, m_reportedHit)) {
        m_reportedHit = m_hit;
        m_hitReported = true;
        Notify(NotifyCode::Rebuilt, &m_reportedHit);
    }
    Present(false);
}

void CImageButton::Present(bool show)
{
    if (!m_window.GetHwnd())
        return;
    const int w = m_hit.right - m_hit.left;
    const int h = m_hit.bottom - m_hit.top;
    if (m_params.ownerRegion) {
        if (m_savedRegion.IsCreated())
            m_display.CopyFrom(m_savedRegion, 0, 0, w, h, m_hit.left, m_hit.top);
        ImageButtonDrawing drawing = {&m_display, m_hit};
        Notify(NotifyCode::DrawRequest, &drawing);
    }
    if (show && w > 0 && h > 0)
        m_window.ShowBitmap(&m_display, m_hit.left, m_hit.top, w, h, m_hit.left, m_hit.top);
}

void CImageButton::Refresh()
{
    if (m_renderedPressed.Update(m_pressed)) {
        Render();
        m_window.Invalidate();
    }
}

void CImageButton::SetLook(Look look)
{
    const int32_t pressed = look == Look::Pressed ? 1 : 0;
    if (pressed == m_pressed)
        return;
    m_pressed = pressed;
    const int32_t codes[] = {NotifyCode::LeftDown, NotifyCode::LeftUp, NotifyCode::Cancelled};
    Notify(codes[int(look)]);
}

void CImageButton::Notify(int32_t code, void* data)
{
    NotifyParent(code, 0, 0, data);
}

bool CImageButton::IsHit(int x, int y) const
{
    const CBitmapDC* tested = m_params.fit ? &m_fitted : m_params.normalImage;
    if (!HasPixels(tested) || x < 0 || y < 0 || x >= tested->GetWidth() || y >= tested->GetHeight())
        return true; // beyond the picture's pixels nothing is transparent
    return (tested->GetBits()[y * tested->GetWidth() + x] & kAlphaMask) != 0;
}

// The window's own record: the window lets the system's capture go on every
// left release before the button hears of it.
bool CImageButton::HasCapture() const
{
    return m_window.HasCapture();
}

void CImageButton::TakeLeftPress()
{
    m_mouse |= kLeft;
    m_press.Press();
    SetLook(Look::Pressed);
    Refresh();
}

int CImageButton::OnMouse(const MouseEvent& event)
{
    const int x = event.at.x, y = event.at.y;
    const bool left = event.button == MouseEvent::Button::Left;
    switch (event.action) {
    case MouseEvent::Action::Press:
    case MouseEvent::Action::DoubleClick:
        if (left)
            return LeftPress(x, y);
        if (event.action == MouseEvent::Action::Press)
            RightPress();
        break;
    case MouseEvent::Action::Release:
        if (left)
            LeftRelease(event.at);
        else
            RightRelease();
        break;
    case MouseEvent::Action::Move: {
        const Answer answer = m_press.Move(event.at, m_params.place.width, m_params.place.height);
        if (answer != Answer::Ignored && m_mouse == kLeft) {
            SetLook(answer == Answer::Pressed ? Look::Pressed : Look::Cancelled);
            Refresh();
        }
        break;
    }
    default: break;
    }
    return 0;
}

int CImageButton::LeftPress(int x, int y)
{
    if (!m_params.pressedImage)
        return 0;
    if (m_mouse == kRight) {
        m_window.SetCapture(false);
        return 0;
    }
    if (!IsHit(x, y))
        return 0;
    TakeLeftPress();
    return 1;
}

void CImageButton::LeftRelease(POINT at)
{
    if (!m_params.pressedImage)
        return;
    const Answer answer = m_press.Release(at, m_params.place.width, m_params.place.height);
    if (answer == Answer::Ignored) {
        DebugTrace("no capture!\n");
        m_mouse &= ~kLeft;
        return;
    }
    if (m_mouse == kLeft && answer == Answer::Click)
        Notify(NotifyCode::Click);
    SetLook(Look::Released);
    Refresh();
    m_mouse &= ~kLeft;
}

void CImageButton::RightPress()
{
    if (m_mouse & kLeft) {
        // Ends the pressed look without a click; the left release finds no capture.
        m_window.SetCapture(false);
        SetLook(Look::Released);
        Refresh();
    } else {
        m_window.SetCapture(true);
        m_mouse |= kRight;
    }
}

void CImageButton::RightRelease()
{
    if (HasCapture() && m_mouse == kRight) {
        Notify(NotifyCode::RightUp);
        m_window.SetCapture(false);
    }
    m_mouse &= ~kRight;
}

int CImageButton::OnCommand(const CommandEvent& event)
{
    if (event.raw.code == ControlCommand::Bounds)
        TakeBounds(m_params, event.raw.p2, [this] { Render(); });
    else if (event.raw.code == ControlCommand::Show)
        ShowAndRepaint(event.value != 0);
    return 0;
}

int CImageButton::OnPaintRequest(const PaintRequest& request)
{
    PaintFrom(request.answer, &m_display);
    return 0;
}
