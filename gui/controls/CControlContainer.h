#pragma once
#include "gui/controls/CToolTip.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/window/CPhysicalWindow.h"
#include <memory>
#include <vector>

class CControl;
class CSkinRenderer;

// The record of CControlContainer::Create.
struct ContainerParams {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    const char* caption = "";  // the window text, set on creation
    const char* caption2 = ""; // the caption listener's further texts
    const char* caption3 = "";
    CPhysicalWindow* window = nullptr;
    CListener* owner = nullptr;
    CSkinRenderer* skin = nullptr; // handed to every control that paints
};

// What one top-level window (or popup list) holds to connect controls to it:
// the window's drawing surface, the controls placed directly in it (not
// owned), and the relay of the native window's events, whose listener it
// is, to the owner, the caption listener (the title bar) and the controls.
//
// Relay: Created sets the window text, then tells the owner code 0 and code 1
// (whose answer it returns); a resize re-creates the surface and sends
// rebuild (21) to the caption listener, the controls in list order and then
// the owner; sizing events return the owner's answer; Moved reaches the owner
// twice, told by the container (source Relayed) and then passed on from the
// window, so an owner acts on one source only; everything else is passed on
// and answered 0. Notifications go to the window's commands and,
// unless they were handled there, to the owner.
//
// It owns one tool tip, made on first use. GUI thread only.
class CControlContainer : public CListener {
public:
    CControlContainer();
    virtual ~CControlContainer();
    CControlContainer(const CControlContainer&) = delete;
    CControlContainer& operator=(const CControlContainer&) = delete;

    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;

    int Create(const ContainerParams& params);
    // Destroys every directly placed control (each leaves the list).
    void DestroyChildren();
    void AddChild(CControl* control);
    void RemoveChild(CControl* control);
    const std::vector<CControl*>& GetChildren() const { return m_children; }

    CSkinRenderer* GetSkinRenderer() const { return m_params.skin; }
    CPhysicalWindow* GetWindow() const { return m_params.window; }
    CBitmapDC* GetSurface() { return &m_surface; }
    int GetWidth() const { return m_params.width; }
    int GetHeight() const { return m_params.height; }

    // Puts (sx, sy, w, h) of src (the surface when null) on the window at (sx, sy).
    int ShowBitmap(const CBitmapDC* src, int sx, int sy, int w, int h);
    int SetRegionFromBitmap(const CBitmapDC* bitmap, uint32_t keyColour, int border);
    void Resize(int left, int top, int right, int bottom);

    void SetCaptionListener(CListener* listener);
    // 0 without a caption listener.
    int GetCaptionHeight();

    // The window's commands, then the owner unless handled; the last answer.
    int Notify(void* record);
    // Lays the controls out again for the window's present rectangle.
    int RelayoutToWindow();

    void ShowToolTipFor(CControl* control, const char* text, int x, int y, ToolTipPlacement placement);
    int CheckToolTipPlacement(const char* text, int x, int y, ToolTipPlacement placement);
    // A quick click or a window moving away from under the tip ends it.
    void CloseToolTip();
    CToolTip* GetToolTip() const { return m_toolTip.get(); }
    CControl* GetToolTipControl() const { return m_toolTipControl; }

private:
    int TellOwner(int code, int p1, int p2, void* data);
    int PassOn(CListener* to, void* sender, int source, int code, int p1, int p2, void* data);
    int OnResized(int p1, int p2, void* data);
    ToolTipRequest MakeTipRequest(const char* text, int x, int y, ToolTipPlacement placement);

    CBitmapDC m_surface;
    ContainerParams m_params;
    std::vector<CControl*> m_children;
    CListener* m_captionListener;
    std::unique_ptr<CToolTip> m_toolTip;
    CControl* m_toolTipControl;
};
