#pragma once
#include "gui/controls/CControlContainer.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/CObjectBase.h"
#include "gui/window/CPhysicalWindow.h"
#include "gui/window/CTitleBar.h"
#include "gui/window/TopLevelWindowParams.h"
#include <cstdint>

// The base of every top-level window: one native window, the container of
// its controls (the native window's listener), the caption strip and the
// window's skin, all made by Create from one TopLevelWindowParams.
//
// Events: the container relays the native window's events to OnEvent
// (source 1; the window commands' close comes as source 0). A derived
// window handles what it needs and ends in CTopLevelWindow::OnEvent, which
// creates the title bar and paints the frame when the window is created
// (code 0), paints and lays out again on every resize (code 14, then
// LayoutControls, whose first is true once after Create) and runs the
// derived Destroy on the close command (WindowEvent::CloseCommand).
//
// A derived Destroy releases its own things and calls this one. The title
// bar, its buttons and the caption band exist only while IsTitleBarShown.
// Members die in reverse order, the caption strip first; the destructor
// detaches the native window from the container before it goes. GUI thread only.
class CTopLevelWindow : public CListener, public CObjectBase {
public:
    static constexpr uint32_t kRegionKey = 0xFFFF00FF; // the frame pictures' outside
    static constexpr int kRegionBorder = 16;           // corner squares scanned for it

    CTopLevelWindow();
    ~CTopLevelWindow() override;
    CTopLevelWindow(const CTopLevelWindow&) = delete;
    CTopLevelWindow& operator=(const CTopLevelWindow&) = delete;

    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;
    int OnNotify(void* record) override { return 0; }
    virtual void Destroy();
    virtual void RenderFrame(CControlContainer* container);
    virtual void LayoutControls(int width, int height, bool first) {}
    // After the skin loaded, before the native window exists.
    virtual void OnCreating(TopLevelWindowParams* params) {}

    // The native window's handle; null when the system refused it.
    HWND Create(const TopLevelWindowParams& params);
    void SetTaskbarButton(bool show);
    bool IsTitleBarShown() const;
    int Relayout();

    CPhysicalWindow& GetWindow() { return m_window; }
    CControlContainer& GetContainer() { return m_container; }
    CSkinRenderer& GetSkin() { return m_skin; }
    CTitleBar& GetTitleBar() { return m_titleBar; }
    const TopLevelWindowParams& GetParams() const { return m_params; }

protected:
    CPhysicalWindow m_window;
    CControlContainer m_container;
    CSkinRenderer m_skin;
    CTitleBar m_titleBar;
    TopLevelWindowParams m_params;

private:
    WindowCreateParams NativeParams() const;
    void TakeSavedPlacement(WindowCreateParams& native);

    int32_t m_layoutCount;
    uint8_t m_titleBarShown;
    uint8_t m_startDocked;
};

// The skin picture of the corner grip for a window of this size.
int CornerGripImageId(int width, int height);
