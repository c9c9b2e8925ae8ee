#pragma once
#include "gui/controls/CControl.h"
#include "gui/controls/ControlNotification.h"
#include "gui/skin/CBorderFrame.h"
#include "gui/CObjectBase.h"
#include <cstdint>
#include <string>

// The record of CImageControl::Create, copied whole.
struct ImageControlParams {
    ControlPlacement place; // its container gives the skin and the default background
    uint8_t visible = 1;
    int32_t controlId = 0;
    CListener* listener = nullptr; // draws on request and hears the clicks; may be null
    int32_t frameStyle = 12;       // the skin element whose border frames the picture
    // Null: the container's surface under the control (the parent's back
    // bitmap at x, y for a plain background inside a parent).
    const CBitmapDC* background = nullptr;
    int32_t sourceX = 0; // in an explicit background
    int32_t sourceY = 0;
    uint8_t dragAnywhere = 0;
    // Buffers start opaque black and the picture is put on the container's
    // window at the control's place rather than on the control's own window.
    uint8_t hostDrawn = 0;
    std::string toolTipText;
    uint8_t plainBackground = 0; // no frame: every Present starts from the background
};

// A double-buffered picture the owner draws inside the skin's border frame,
// which each rebuild blends into both buffers once. Present brings the back
// buffer up to the picture on screen, asks the listener (notification
// DrawRequest, kind 6) to draw its changes into it and mark them, shows only
// those and swaps the buffers, so a paint in between always copies a complete
// picture (the window asks the control for the front buffer with event
// Paint). After a rebuild the owner draws its whole picture once and the
// whole buffer is shown. A control smaller than its frame's borders stays
// hidden and ignores Present until a rebuild finds room; a control its owner
// hid (event Show) stays hidden through rebuilds. Present draws nothing while
// the control is hidden, minimized or clipped away; its owner asks whether
// other windows cover it (CPhysicalWindow::IsWhollyCovered).
// Notifications go straight to the listener: DrawRequest, Rebuilt after new
// buffers, DoubleClick and RightUp while the cursor is inside. GUI thread only.
class CImageControl : public CControl, public CObjectBase {
public:
    static constexpr int32_t kNotificationKind = NotifyKind::Image;

    CImageControl();
    ~CImageControl() override;

    int Create(const ImageControlParams& params);
    void Present();
    CBitmapDC* GetBackBuffer() { return m_toggle ? &m_bufferA : &m_bufferB; }
    CBitmapDC* GetFrontBuffer() { return m_toggle ? &m_bufferB : &m_bufferA; }
    int GetWidth() const { return m_record.place.width; }
    int GetHeight() const { return m_record.place.height; }
    bool IsShown() const { return m_shown != 0; }
    // The part of the buffers inside the frame (all of them without one): the
    // owner draws there, the frame covers the rest.
    const RECT& GetInterior() const { return m_interior; }
    // Whether a Present now would draw and show a picture.
    bool IsOnScreen();
    // During a draw request: the back buffer holds nothing of the owner's
    // yet, which then draws its whole picture.
    bool IsBackBufferBlank() const { return m_blank != 0; }
    // During a draw request: the owner drew there; the present shows the
    // marked part of the interior only.
    void MarkChanged(const RECT& rect);

protected:
    int OnMouse(const MouseEvent& event) override;
    int OnCommand(const CommandEvent& event) override;
    int OnPaintRequest(const PaintRequest& request) override;

private:
    void Rebuild();
    bool QueryBorders(SkinInsets& borders, const CBitmapDC*& frame, const CBitmapDC*& alpha);
    // The bitmap under the control and where in it.
    const CBitmapDC* Background(int& x, int& y);
    void FillFromBackground(CBitmapDC& buffer);
    void Notify(int code);
    void Show(const CBitmapDC& buffer, const RECT& part);

    ImageControlParams m_record;
    CBitmapDC m_bufferA;
    CBitmapDC m_bufferB;
    CBorderFrame m_frame;
    RECT m_interior;
    RECT m_changed;   // marked during the draw request in progress
    RECT m_shownLast; // what the last Present showed: the back buffer lacks it
    uint8_t m_blank;
    uint8_t m_toggle; // 0: B is drawn and presented next, A is on screen
    uint8_t m_shown;  // buffers made: the last rebuild found room
    uint8_t m_wanted; // the owner's Show, which no rebuild overrides
};
