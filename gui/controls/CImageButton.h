#pragma once
#include "common/CTrackedValue.h"
#include "gui/controls/CPressTracker.h"
#include "gui/controls/CSkinControl.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/CObjectBase.h"
#include <cstdint>
#include <string>

// The settings of an image button, copied whole by CImageButton::Create.
struct ImageButtonParams {
    ControlPlacement place; // its container's surface is the default background
    int32_t controlId = 0;
    int32_t notifyKind = NotifyKind::Button;
    CListener* listener = nullptr; // null: notifications go up to the container
    const CBitmapDC* normalImage = nullptr;
    const CBitmapDC* pressedImage = nullptr; // without it the left button is ignored
    uint8_t ownerRegion = 0;                 // the hit rectangle is drawn by the owner (DrawRequest)
    RECT hitRect = {0, 0, 0, 0};             // in image coordinates
    uint8_t fit = 1;                         // the image is scaled into the button
    uint8_t allowUpscaling = 0;
    uint8_t keepAspect = 1;
    uint8_t premultiply = 0; // the images are straight: blend premultiplied copies
    int32_t dimmed = 0;      // nonzero: the finished face x 210/256
    // Null: the container's surface at the button's place.
    const CBitmapDC* background = nullptr;
    int32_t sourceX = 0;
    int32_t sourceY = 0;
    uint8_t visible = 1;
    std::string toolTipText;
};

// Data 3 of a DrawRequest: the owner draws into rect of bitmap before it shows.
struct ImageButtonDrawing {
    CBitmapDC* bitmap;
    RECT rect;
};

// A button drawn from two pictures of the owner's (normal and pressed)
// fitted into it over its background. Only where the shown picture is not
// fully transparent does a left press count; a press elsewhere is left
// unhandled (so a window that moves on unhandled presses moves).
//
// Notifications (through NotifyParent): 2 when the pressed look comes on,
// 3 when it goes off (every left release after a press, inside or not), 11
// when the captured cursor leaves; 5 click (released inside); 13 right
// click; with an owner region, 12 when the region moved (data3 its RECT in
// button coordinates) and 10 before every showing (data3 an
// ImageButtonDrawing). The window is listener-painted: it shows the display
// bitmap. GUI thread only.
class CImageButton : public CSkinControl, public CObjectBase {
public:
    CImageButton();

    // Always 0; renders once.
    int Create(const ImageButtonParams& params);
    void Render();
    // Hands the owner region to the owner again; show puts it on the window.
    void Present(bool show);
    void Refresh();

    const CBitmapDC& GetDisplay() const { return m_display; }
    RECT GetHitRect() const { return m_hit; }
    bool IsPressed() const { return m_pressed != 0; }

protected:
    // 1 when a left press was taken, else 0.
    int OnMouse(const MouseEvent& event) override;
    int OnCommand(const CommandEvent& event) override;
    int OnPaintRequest(const PaintRequest& request) override;

private:
    // 1 when the press was taken.
    int LeftPress(int x, int y);
    void LeftRelease(POINT at);
    void RightPress();
    void RightRelease();
    enum class Look { Pressed, Released, Cancelled };
    enum MouseState : uint32_t { kLeft = 1, kRight = 2 };
    void SetLook(Look look);
    void Notify(int32_t code, void* data = nullptr);
    void PlaceImage(const CBitmapDC& image);
    void FitImage(const CBitmapDC& image);
    void CentreImage(const CBitmapDC& image);
    void SaveOwnerRegion();
    bool IsHit(int x, int y) const;
    bool HasCapture() const;
    void TakeLeftPress();

    ImageButtonParams m_params;
    int32_t m_pressed;
    CTrackedValue m_renderedPressed;
    CBitmapDC m_fitted;
    CBitmapDC m_display;
    CBitmapDC m_savedRegion;
    RECT m_hit;
    RECT m_reportedHit;
    bool m_hitReported;
    uint32_t m_mouse; // MouseState bits
    CPressTracker m_press{m_window};
};
