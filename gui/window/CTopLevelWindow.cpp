#include "gui/window/CTopLevelWindow.h"
#include "common/ProcessSetup.h"
#include "gui/controls/ControlCommand.h"
#include "gui/window/WindowPlacementRecord.h"

namespace {
// After a re-layout: lets the screen take the new frame before more input.
const DWORD kRelayoutPauseMs = 15;
} // namespace

CTopLevelWindow::CTopLevelWindow() : m_layoutCount(0), m_titleBarShown(1), m_startDocked(0)
{}

CTopLevelWindow::~CTopLevelWindow()
{
    // The container goes before the native window: the window must not tell it of its end.
    m_window.SetListener(nullptr);
    m_window.Destroy();
    m_container.DestroyChildren();
}

WindowCreateParams CTopLevelWindow::NativeParams() const
{
    WindowCreateParams n = m_params.native;
    n.closable = m_params.closable;
    // A child never restores a placement, so the native window neither loads one nor keeps one.
    n.savePlacement = n.child ? 0 : n.savePlacement;
    n.windowMenuOption = reinterpret_cast<intptr_t>(&m_container);
    return n;
}

// A normal saved placement gives the rectangle (only the position when the
// window is not resizable); a docked one starts the window without its title bar.
void CTopLevelWindow::TakeSavedPlacement(WindowCreateParams& native)
{
    WindowPlacementRecord record = {};
    if (!native.savePlacement)
        return;
    m_window.LoadPlacementInto(native, &record);
    if (record.magic != WindowPlacementRecord::kMagic)
        return;
    const uint32_t state = record.state & PlacementState::Mask;
    const uint32_t firstDocked = PlacementState::DockedBase + 1, lastDocked = PlacementState::DockedBase + 4;
    if (state == PlacementState::Normal) {
        if (!m_params.native.resizable) {
            record.right = record.left + m_params.native.width;
            record.bottom = record.top + m_params.native.height;
        }
        m_params.native.x = native.x = record.left;
        m_params.native.y = native.y = record.top;
        m_params.native.width = native.width = record.right - record.left;
        m_params.native.height = native.height = record.bottom - record.top;
    } else if (state >= firstDocked && state <= lastDocked) {
        m_startDocked = 1;
    }
}

HWND CTopLevelWindow::Create(const TopLevelWindowParams& params)
{
    EnableDpiAwareness();
    m_params = params;
    m_layoutCount = 0;
    const SkinParams values = {{params.tint1, params.tint2, params.tint1, params.tint4, params.tint3}};
    m_skin.Load(&values);
    OnCreating(&m_params);
    WindowCreateParams native = NativeParams();
    m_startDocked = 0;
    TakeSavedPlacement(native);

    ContainerParams container;
    container.width = m_params.native.width;
    container.height = m_params.native.height;
    container.caption = m_params.caption.c_str();
    container.caption2 = m_params.caption2.c_str();
    container.caption3 = m_params.caption3.c_str();
    container.window = &m_window;
    container.owner = this;
    container.skin = &m_skin;
    m_container.Create(container);
    m_window.Create(native);
    m_startDocked = 0;
    return m_window.GetHwnd();
}

void CTopLevelWindow::Destroy()
{
    m_window.Destroy();
    m_container.DestroyChildren();
}

int CTopLevelWindow::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    CControlContainer* container = static_cast<CControlContainer*>(sender);
    if (source == EventSource::Relayed && code == ContainerEvent::Creating) {
        m_titleBar.Create({m_params.captionIcon, IsTitleBarShown(), container});
        RenderFrame(container);
    } else if (source == EventSource::Relayed && code == WindowEvent::Resized) {
        const RECT* rect = reinterpret_cast<const RECT*>(p2);
        RenderFrame(container);
        if (rect)
            LayoutControls(rect->right - rect->left, rect->bottom - rect->top, m_layoutCount == 0);
        ++m_layoutCount;
    } else if (source == EventSource::Relayed && code == ContainerEvent::Rebuild) {
        Sleep(kRelayoutPauseMs);
    } else if (source == EventSource::Window && code == WindowEvent::CloseCommand) {
        Destroy();
    }
    return 0;
}

void CTopLevelWindow::SetTaskbarButton(bool show)
{
    m_window.SetShowTaskbarButton(show);
    if (show == (m_titleBarShown != 0))
        return;
    m_titleBar.UpdateButtons(show);
    m_titleBarShown = show;
}

bool CTopLevelWindow::IsTitleBarShown() const
{
    return m_params.titleBar && m_titleBarShown && m_window.GetDockedEdge() == 0 && !m_startDocked &&
           m_window.GetShowTaskbarButton();
}

int CTopLevelWindow::Relayout()
{
    return m_container.RelayoutToWindow();
}
