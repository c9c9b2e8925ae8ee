// CPhysicalWindow: the placement record held, saved to and loaded from the
// .ini file.
#include "common/CIniSave.h"
#include "gui/window/CPhysicalWindow.h"
#include "gui/window/MonitorHelpers.h"
#include "gui/window/WindowEvent.h"
#include "gui/window/WindowGeometry.h"
#include <cstring>

namespace {
const int kTopmostAboveAll = 2;         // the topmost level of PlacementFlag::TopmostLevel2
const int32_t kCoordinateLimit = 32767; // the window manager's coordinates are 16-bit

bool IsNamed(const char* text)
{
    return text && text[0] != '\0';
}

bool IsDockedState(uint32_t state)
{
    return state > PlacementState::DockedBase && state <= PlacementState::DockedBase + DockEdge::Bottom;
}

bool WithinCoordinates(int32_t value)
{
    return value >= -kCoordinateLimit - 1 && value <= kCoordinateLimit;
}

// A record another program wrote, or one spoiled since, is no placement: no
// window ever had a side or a docked size beyond the window manager's reach.
bool IsSoundPlacement(const WindowPlacementRecord& record)
{
    const uint32_t state = record.state & PlacementState::Mask;
    const bool knownState = state == PlacementState::Normal || state == PlacementState::Minimized ||
                            state == PlacementState::Maximized || IsDockedState(state);
    return record.size == WindowPlacementRecord::kSize && record.magic == WindowPlacementRecord::kMagic && knownState &&
           record.right > record.left && record.bottom > record.top && record.dockedWidth > 0 &&
           record.dockedHeight > 0 && WithinCoordinates(record.left) && WithinCoordinates(record.top) &&
           WithinCoordinates(record.right) && WithinCoordinates(record.bottom) &&
           record.dockedWidth <= kCoordinateLimit && record.dockedHeight <= kCoordinateLimit;
}

// A record from another monitor layout, or a spoiled one, is brought into
// reach before anything is made from it; its docked sizes fit the monitor nearest to it.
void FitToMonitor(WindowPlacementRecord& record)
{
    RECT rect = {record.left, record.top, record.right, record.bottom};
    RECT monitor;
    if (!GetMonitorRects(rect, &monitor, nullptr))
        return;
    rect = FitRectOnMonitors(rect);
    record.left = rect.left;
    record.top = rect.top;
    record.right = rect.right;
    record.bottom = rect.bottom;
    record.dockedWidth = FitDockThickness(record.dockedWidth, monitor.right - monitor.left);
    record.dockedHeight = FitDockThickness(record.dockedHeight, monitor.bottom - monitor.top);
}

uint32_t Flag(bool set, uint32_t flag)
{
    return set ? flag : 0;
}
} // namespace

void CPhysicalWindow::FillPlacement(WindowPlacementRecord& record) const
{
    std::memset(&record, 0, sizeof(record));
    record.size = WindowPlacementRecord::kSize;
    record.magic = WindowPlacementRecord::kMagic;
    record.dockedWidth = m_params.dockedWidth;
    record.dockedHeight = m_params.dockedHeight;
    record.ownerWords[0] = m_place.ownerWords[0];
    record.ownerWords[1] = m_place.ownerWords[1];
    uint32_t state = PlacementState::Normal;
    if (IsMinimized())
        state = PlacementState::Minimized;
    if (m_place.maximized)
        state = PlacementState::Maximized;
    if (IsDocked())
        state = PlacementState::DockedBase + m_dock.edge;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    const bool hidden = m_life.hwnd && GetWindowPlacement(m_life.hwnd, &placement) && placement.showCmd == SW_HIDE;
    state |= Flag(m_params.disabled, PlacementFlag::Disabled) | Flag(hidden, PlacementFlag::Hidden) |
             Flag(m_place.wasMaximized, PlacementFlag::WasMaximized) |
             Flag(m_params.topmostWhenDocked, PlacementFlag::TopmostWhenDocked) |
             Flag(m_policy.taskbarButtonWanted, PlacementFlag::TaskbarButton) |
             Flag(m_params.topmostLevel != 0, PlacementFlag::Topmost) |
             Flag(m_params.topmostLevel >= kTopmostAboveAll, PlacementFlag::TopmostLevel2);
    record.state = state;
    RECT rect = m_place.restoreRect;
    if ((state & PlacementState::Mask) == PlacementState::Normal)
        GetWindowRect(rect);
    record.left = rect.left;
    record.top = rect.top;
    record.right = rect.right;
    record.bottom = rect.bottom;
}

bool CPhysicalWindow::ApplyPlacement(const WindowPlacementRecord& record)
{
    if (!IsSoundPlacement(record))
        return false;
    m_place.ownerWords[0] = record.ownerWords[0];
    m_place.ownerWords[1] = record.ownerWords[1];
    if (!m_params.child) {
        m_params.dockedWidth = record.dockedWidth;
        m_params.dockedHeight = record.dockedHeight;
        SetTopmostWhenDocked((record.state & PlacementFlag::TopmostWhenDocked) != 0);
        SetShowTaskbarButton((record.state & PlacementFlag::TaskbarButton) != 0);
        const bool topmost = (record.state & PlacementFlag::Topmost) != 0;
        SetTopmostLevel((record.state & PlacementFlag::TopmostLevel2) ? kTopmostAboveAll : (topmost ? 1 : 0));
    }
    if (m_life.hwnd && !m_params.child)
        ApplyPlacementState(record);
    if (m_life.hwnd) {
        m_place.dirty = false;
        m_place.changeTick = 0;
    }
    return true;
}

void CPhysicalWindow::ApplyPlacementState(const WindowPlacementRecord& record)
{
    RECT rect = {record.left, record.top, record.right, record.bottom};
    FitToSizeLimits(rect);
    const uint32_t state = record.state & PlacementState::Mask;
    if (state == PlacementState::Normal) {
        SetBounds(rect.left, rect.top, rect.right, rect.bottom);
    } else if (state == PlacementState::Minimized) {
        Minimize();
        m_place.restoreRect = rect;
    } else if (state == PlacementState::Maximized) {
        Maximize(&rect);
    } else {
        DockToEdge(static_cast<int>(state - PlacementState::DockedBase), &rect);
        PostMessageA(m_life.hwnd, ToolkitMessage::Placed, 0, 0);
    }
    // The disabled bit is kept in the file but not restored: nothing would
    // ever enable the window again.
    if (record.state & PlacementFlag::WasMaximized)
        m_place.wasMaximized = true;
    if (record.state & PlacementFlag::Hidden)
        Show(false);
}

void CPhysicalWindow::FitToSizeLimits(RECT& rect)
{
    // The limits the window's sizing keeps to, as its listener applies them.
    int scratch = 0;
    SendEvent(WindowEvent::SizingClamped, SizingHandle::BottomRight, PointerParam(&rect), &scratch);
    rect = FitRectOnMonitors(rect);
}

void CPhysicalWindow::SavePlacement(const char* iniPath, const char* section, const char* key) const
{
    if (!IsNamed(iniPath) || !IsNamed(section) || !IsNamed(key))
        return;
    WindowPlacementRecord record;
    FillPlacement(record);
    CIniSave save(iniPath);
    save.WriteStruct(section, key, &record, sizeof(record));
    save.Commit();
}

bool CPhysicalWindow::LoadPlacement(const char* iniPath, const char* section, const char* key,
                                    WindowPlacementRecord* record)
{
    WindowPlacementRecord scratch;
    WindowPlacementRecord& held = record ? *record : scratch;
    WindowPlacementRecord read = {};
    const bool named = IsNamed(iniPath) && IsNamed(section) && IsNamed(key);
    if (named && GetPrivateProfileStructA(section, key, &read, sizeof(read), iniPath) && IsSoundPlacement(read)) {
        FitToMonitor(read);
        ApplyPlacement(read);
        held = read;
        return true;
    }
    std::memset(&held, 0, sizeof(held));
    return false;
}

void CPhysicalWindow::LoadPlacementInto(const WindowCreateParams& params, WindowPlacementRecord* copyOut)
{
    if (!params.savePlacement)
        return;
    LoadPlacement(params.iniPath.c_str(), params.section.c_str(), params.key.c_str(), &m_place.held);
    if (copyOut)
        *copyOut = m_place.held;
}

void CPhysicalWindow::LoadHeldPlacement()
{
    if (!m_params.savePlacement)
        return;
    // A record loaded before Create gave its options to a copy of the
    // parameters that Create has just replaced: they are taken again.
    const bool sound =
        m_place.held.magic == WindowPlacementRecord::kMagic
            ? ApplyPlacement(m_place.held)
            : LoadPlacement(m_params.iniPath.c_str(), m_params.section.c_str(), m_params.key.c_str(), &m_place.held);
    if (!sound)
        std::memset(&m_place.held, 0, sizeof(m_place.held));
    if (!sound || (m_place.held.state & PlacementState::Mask) != PlacementState::Normal)
        return;
    m_params.x = m_place.held.left;
    m_params.y = m_place.held.top;
    if (!m_params.resizable)
        return;
    m_params.width = m_place.held.right - m_place.held.left;
    m_params.height = m_place.held.bottom - m_place.held.top;
}

void CPhysicalWindow::ApplyHeldPlacement()
{
    if (!m_params.savePlacement || m_params.popupMenu || m_params.toolPopup ||
        m_place.held.magic != WindowPlacementRecord::kMagic)
        return;
    // Only a resizable window takes a saved size.
    if (!m_params.resizable) {
        m_place.held.right = m_place.held.left + m_params.width;
        m_place.held.bottom = m_place.held.top + m_params.height;
    }
    ApplyPlacement(m_place.held);
}
