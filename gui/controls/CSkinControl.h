#pragma once
#include "gui/controls/CControl.h"
#include "gui/controls/ControlNotification.h"
#include "gui/skin/SkinDrawRequest.h"
#include "gui/ToolkitConventions.h"
#include <cstdint>
#include <string>

class CSkinRenderer;

// The creation record every skinned control fills; the control keeps a copy
// for its life (the content bitmap, state and rectangle change later).
struct ControlCreateParams {
    ControlPlacement place;
    int32_t controlId = 0;  // copied into every notification
    int32_t notifyKind = 0; // likewise
    CSkinRenderer* skin = nullptr;
    const CBitmapDC* contentBitmap = nullptr; // drawn over the face
    // Its text becomes the window text; handed to the skin when its box has area.
    CTextBuffer* textRecord = nullptr;
    CListener* listener = nullptr; // when set, receives every notification directly
    int32_t kind = kSkinButton;    // SkinElementKind
    StretchMode stretchMode = StretchMode::Corners;
    int32_t middle = 0;
    int32_t indicator = 0;       // nonzero: a square mark (kind 10) is drawn over the face
    uint32_t indicatorState = 0; // the mark's state flags
    HCURSOR cursor = nullptr;
    uint8_t visible = 1;
    uint8_t disabled = 0;
    uint8_t listenerPaints = 0;
    uint8_t opaque = 0;                    // the back bitmap takes blends as copies
    const CBitmapDC* background = nullptr; // null: the container's surface at the control's place
    int32_t sourceX = 0;                   // the control's place in an explicit background
    int32_t sourceY = 0;
    uint8_t dragAnywhere = 0;
    std::string toolTipText;
    uint8_t verbose = 0;    // traces the background position at every paint; the native window's too
    int32_t level = kUnity; // opaque
};

// The base of every skinned child control: a control whose face the window's
// skin draws into its back bitmap (Paint), and which tells its owner what
// happened through NotifyParent: to its own listener when it has one, else
// to the container (its parent's, for a control inside another), which
// hands the record to the window's commands and then to the window.
// Concrete controls answer their events in the typed hooks (OnMouse,
// OnCommand, ...) and repaint when their state flags change. GUI thread only.
class CSkinControl : public CControl {
public:
    CSkinControl();

    // Always 0; a second call copies the record again but creates nothing.
    int Create(const ControlCreateParams& params);
    virtual void Paint();
    // Fills in the sender, kind and id; 0 without sending when the record
    // is handled already, else the receiver's answer.
    int NotifyParent(ControlNotification& record);
    // The same for a record that carries only these.
    int NotifyParent(int32_t code, int32_t data1 = 0, int32_t data2 = 0, void* data3 = nullptr);

    void SetContentBitmap(const CBitmapDC* bitmap) { m_create.contentBitmap = bitmap; }
    void SetToolTipText(const char* text);

    uint32_t GetStateFlags() const { return m_stateFlags; }
    const ControlCreateParams& GetCreateParams() const { return m_create; }

protected:
    // What shows behind the face: the given background at the control's place
    // in it, else the container's surface under the control.
    const CBitmapDC* BackgroundSource(int& x, int& y) const;
    // A placing command's rectangle, when it carries one, into the control's
    // own record and its skinned-control record alike.
    template <class Params>
    void PlaceBothRecords(Params& params, int rectParam)
    {
        if (!rectParam)
            return;
        const RECT& rect = *reinterpret_cast<const RECT*>(intptr_t(rectParam));
        PlaceRecord(params.place, rect);
        PlaceRecord(m_create.place, rect);
    }
    // A bounds command's rectangle into the record and the window, the face
    // rendered again at the new size in between; nothing before the window
    // exists, nor without a rectangle.
    template <class Params, class RenderFace>
    void TakeBounds(Params& params, int rectParam, RenderFace renderFace)
    {
        if (!m_window.GetHwnd() || !rectParam)
            return;
        const RECT& rect = *reinterpret_cast<const RECT*>(intptr_t(rectParam));
        PlaceRecord(params.place, rect);
        renderFace();
        m_window.SetBounds(rect.left, rect.top, rect.right, rect.bottom);
        m_window.Invalidate();
    }
    void ShowAndRepaint(bool show);

    uint32_t m_stateFlags;
    uint32_t m_colour; // pixel value
    char m_text[256];
    ControlCreateParams m_create;

private:
    // Where Paint puts the indicator, in the control's window.
    RECT GetIndicatorRect();
    void DrawIndicator(CBitmapDC* target);
};

// The skinned-control record of a control's own creation record: its place,
// id, listener, container and parent, the container's skin, visibility,
// background and tool tip.
template <class Params>
ControlCreateParams SkinnedControlAt(const Params& params)
{
    ControlCreateParams create;
    create.place = params.place;
    create.controlId = params.controlId;
    create.listener = params.listener;
    create.skin = params.place.container ? params.place.container->GetSkinRenderer() : nullptr;
    create.visible = params.visible;
    create.background = params.background;
    create.sourceX = params.sourceX;
    create.sourceY = params.sourceY;
    create.toolTipText = params.toolTipText;
    return create;
}

// A control inside another takes the parent's back bitmap, at the control's
// place, as its background unless it was given one.
template <class Params>
void TakeParentBackground(Params& params)
{
    if (params.place.parent && !params.background) {
        params.background = params.place.parent->GetWindow()->GetBackBitmap();
        params.sourceX = params.place.x;
        params.sourceY = params.place.y;
    }
}
