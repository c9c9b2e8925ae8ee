#pragma once
#include "gui/controls/ControlEvent.h"
#include "gui/window/CPhysicalWindow.h"
#include <cstdint>
#include <string>
#include <vector>

class CControl;
class CControlContainer;

// Where a control lies, held by every control's creation record: its
// rectangle relative to the parent control's window, else to the
// container's, and the parent and container it belongs to.
struct ControlPlacement {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    CControl* parent = nullptr; // null: placed directly in the container
    CControlContainer* container = nullptr;
};

// Takes the rectangle of a placing command into a placement (or any record
// with the same four fields).
template <class Box>
void PlaceRecord(Box& box, const RECT& rect)
{
    box.x = rect.left;
    box.y = rect.top;
    box.width = rect.right - rect.left;
    box.height = rect.bottom - rect.top;
}

// The creation record of a control; the control keeps a copy.
struct ControlWindowParams {
    ControlPlacement place;
    uint8_t trackMouse = 1;
    uint8_t fillBlue = 0;
    uint8_t listenerPaints = 0;
    uint8_t dragAnywhere = 0;
    uint8_t blendAsCopy = 0;             // the back bitmap takes blends as copies
    uint8_t backgroundFromContainer = 0; // the back bitmap starts as the container's surface under the control
    uint8_t visible = 1;
    uint8_t disabled = 0;
    int32_t verbose = 0;
    HCURSOR cursor = nullptr; // null: the standard arrow
    std::string text;         // the window text
    std::string toolTipText;  // shown when the cursor rests on the control
};

// A control's window that its listener paints, placed, dragged and shown as
// the creation record says.
template <class Params>
ControlWindowParams PaintedWindowAt(const Params& params)
{
    ControlWindowParams window;
    window.place = params.place;
    window.listenerPaints = 1;
    window.dragAnywhere = params.dragAnywhere;
    window.visible = params.visible;
    return window;
}

// The base of every child control: a native child window of its own whose
// listener is the control, and a dispatcher that decodes the window's events
// and the commands of owners (place, bounds, rebuild) once, into one hook per
// family: OnMouse, OnKey, OnCommand, OnPaintRequest; every other code goes to
// HandleEvent. A hook a control leaves alone hands the raw event to
// HandleEvent.
// Until Create, and after Destroy, every event is answered 0 and goes nowhere.
//
// Create links the control into its parent's child list, or into its
// container's when it has no parent; Destroy unlinks it. Neither list owns
// its controls: whoever declares a control creates and destroys it, and must
// destroy children before their parent. The offset is the control's place
// in the container's surface: its position plus the parent's offset.
// GUI thread only.
class CControl : public CListener {
public:
    CControl();
    virtual ~CControl();
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;
    virtual void SetText(const char* text);
    virtual int HandleEvent(CControl* control, int code, int p1, int p2, void* data) { return 0; }

    // 0; a second call on a created control does nothing.
    int Create(const ControlWindowParams& params);
    void Destroy();
    bool IsCreated() const { return m_created != 0; }

    CPhysicalWindow* GetWindow() { return &m_window; }
    const ControlWindowParams& GetParams() const { return m_params; }
    CControlContainer* GetContainer() const { return m_params.place.container; }
    int GetOffsetX() const { return m_offsetX; }
    int GetOffsetY() const { return m_offsetY; }
    int ShowBitmap(const CBitmapDC* src, int sx, int sy, int w, int h, int dx, int dy);

    // The container's answer; 0 without delivering when the record is handled already.
    int Notify(void* record);

    void AddChild(CControl* child);
    void RemoveChild(CControl* child);
    const std::vector<CControl*>& GetChildren() const { return m_children; }

    void SetToolTipText(const char* text);
    // Near the cursor, below the control; nothing for an empty text.
    void ShowToolTip(const char* text);

protected:
    virtual int OnMouse(const MouseEvent& event) { return HandleRaw(event.raw); }
    virtual int OnKey(const KeyEvent& event) { return HandleRaw(event.raw); }
    virtual int OnCommand(const CommandEvent& event) { return HandleRaw(event.raw); }
    virtual int OnPaintRequest(const PaintRequest& request) { return HandleRaw(request.raw); }
    int HandleRaw(const ControlEvent& e) { return HandleEvent(this, e.code, e.p1, e.p2, e.data); }
    // Decodes the event into its hook; for a control that filters its events itself.
    int Deliver(const ControlEvent& event);

    // Shows or hides the window at once, never taking the activation.
    void ShowWindowNow(bool show);
    // Answers a paint request (WindowEvent::Paint's data, null or not) with
    // the bitmap to paint from.
    static void PaintFrom(void* request, CBitmapDC* bitmap);

    CPhysicalWindow m_window;
    ControlWindowParams m_params;

private:
    void ComputeOffset(int x, int y);

    std::vector<CControl*> m_children;
    int32_t m_created;
    int32_t m_offsetX;
    int32_t m_offsetY;
};
