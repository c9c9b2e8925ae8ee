#pragma once
#include "gui/controls/CControl.h"
#include "gui/controls/ControlNotification.h"
#include "gui/graphics/CBarGraphView.h"
#include "gui/skin/SkinDrawRequest.h"
#include "gui/CObjectBase.h"
#include <cstdint>

class CSkinRenderer;
class CMeterViewControl;

// The record of CMeterViewControl::Create, copied whole.
struct MeterViewCreateParams {
    uint8_t darken = 0;     // the background cut from the container is dimmed
    ControlPlacement place; // its container gives the background and the skin
    uint8_t fixed = 0;      // Rebuild (21) leaves the bitmaps and the view as they are
    uint8_t visible = 1;
    int32_t controlId = 0;
    CListener* owner = nullptr;          // sets the view up and writes the values (MeterViewPhase)
    int32_t frameKind = kSkinGroupFrame; // skin element drawn around groups of bars
    int32_t backgroundKind = 0;          // skin element drawn over the background; 0 none
    uint8_t dragAnywhere = 0;            // a left drag on the control moves the window
    int32_t insetX = 0;                  // pixels kept free left and right of the bars
    int32_t insetY = 0;                  // ... above and below
    uint8_t hoverHighlight = 0;          // the bar under the cursor draws its alternate gradients
};

// When the owner is asked to act (MeterViewPhase::phase).
namespace MeterPhase {
enum : int32_t {
    Describe = 1,  // edit the description
    Renderers = 2, // create the renderers and set their fields
    Static = 3,    // draw labels into the finished background
    Values = 4     // every refresh: write the renderers' values
};
}

// What every phase notification points to (data3 of a kind-7, code-1 record).
struct MeterViewPhase {
    int32_t phase;
    int32_t x, y, width, height;
    CBarGraphView* view;
    BarGraphViewDesc* desc;
    CMeterViewControl* control;
    int32_t controlId;
};

// A child control showing one CBarGraphView over a background cut from the
// container's surface. The owner sets the view up in phases 1 to 3 whenever
// the bitmaps are rebuilt (creation and every Rebuild unless fixed), which
// replaces every renderer it may have kept, and writes the values in phase 4
// of each Refresh. Refreshes draw into A and B in turn, first bringing the
// one drawn to the picture on screen, then drawing and showing only what
// changed (all of it after a rebuild); the window's paint asks for the one
// shown last. A control smaller
// than its frame element's stretch insets stays hidden until a rebuild finds
// room. The mouse highlights the hovered bar, shows its tool tip, and a right
// release sends the owner a context request (kind 6, RightUp). GUI thread only.
class CMeterViewControl : public CControl, public CObjectBase, public CBarFramePainter {
public:
    static constexpr int32_t kPhaseKind = NotifyKind::MeterPhase;
    static constexpr int32_t kPhaseCode = 1;
    static constexpr int32_t kContextKind = NotifyKind::Image;

    CMeterViewControl();
    ~CMeterViewControl() override;

    int Create(const MeterViewCreateParams& params);
    // The window goes, and the view's renderers with it.
    void Destroy();
    void RebuildBitmaps();
    void Rebuild();
    // Only while visible and the window and its root owner are shown and not minimized.
    void Refresh();
    int OnMouse(const MouseEvent& event) override;
    int OnCommand(const CommandEvent& event) override;
    int OnPaintRequest(const PaintRequest& request) override;
    int HandleEvent(CControl* control, int code, int p1, int p2, void* data) override;
    void PaintGroupFrame(int left, int top, int right, int bottom) override;
    int NotifyOwner(ControlNotification& record);

    CBitmapDC* GetDrawBitmap() { return m_toggle ? &m_bitmapA : &m_bitmapB; }
    CBitmapDC* GetShownBitmap() { return m_toggle ? &m_bitmapB : &m_bitmapA; }
    CBarGraphView& GetView() { return m_view; }
    bool IsVisible() const { return m_visible != 0; }

private:
    void SendPhase(int32_t phase);
    void SetHighlight(int item, bool on);

    MeterViewCreateParams m_record;
    CBarGraphView m_view;
    CBitmapDC m_bitmapA; // the finished background after a rebuild
    CBitmapDC m_bitmapB;
    uint8_t m_visible;
    uint8_t m_toggle;
    uint8_t m_showWhole; // the next refresh shows the whole bitmap
    RECT m_shownLast;    // what the last refresh showed: the other bitmap lacks it
    SkinDrawRequest m_frameRequest;
    CSkinRenderer* m_skin;
    SkinElementQuery m_query;
    MeterViewPhase m_phase;
};
