#include "gui/controls/CDropList.h"
#include "common/CTickSource.h"
#include "gui/controls/CDropListItemList.h"
#include "gui/controls/ControlCommand.h"
#include "gui/controls/ControlNotification.h"
#include "gui/graphics/CLightField.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/skin/PixelOperations.h"
#include "gui/ToolkitConventions.h"
#include "gui/window/OwnWindowOrder.h"
#include <algorithm>

namespace {
const int kRowFontSlot = 1;
const int kCaptionFontSlot = 8;
const int kLinePadding = 3; // a line is this much higher than its font
const double kSeparatorShare = 0.67;
const int kSpacerDivisor = 3;
const int kFrameHeight = 10; // the frame's top and bottom together
const int kFrameState = 8;
// Opaque magenta: only pixels painted so are cut from the window. The
// container's own unpainted fill (0xFF00FF, alpha 0) does not match it.
const uint32_t kRegionKey = 0xFFFF00FF;
const int kRegionBorder = -8;
// The popup's band of light.
const int kFrameRampFrom = 1470;
const int kFrameRampTo = 1120;
const float kFrameSlope = 1.0f;
const float kFrameWidth = 0.6f;
const ShadeParams kFrameShading = {ShadeMode::Multiply, 8000, 7840, 7600, 0x505050, kUnity, 0, 0};
const int kScrollBarWidth = 14;
const int kScrollBarRight = 20; // from the popup's right edge to the bar's left
const int kScrollBarId = 1;
const int kRowX = 4;
const int kRowTop = 5;
const int kRowMarginScrolling = 25; // the popup's width less the rows', with a scroll bar
const int kRowMargin = 10;          // without
} // namespace

CDropList::CDropList()
    : m_hovered(-1), m_needsScroll(false), m_firstVisible(0), m_captured(false), m_rowFont(nullptr),
      m_captionFont(nullptr), m_isOpen(0), m_opened(0), m_ticks(CTickSource::System()), m_tipTime(0),
      m_tipItem(nullptr), m_tipX(-1), m_tipY(-1), m_tipButtons(0), m_tipArmed(false), m_buttonsAtOpen(0),
      m_activeAtOpen(nullptr)
{}

CDropList::~CDropList()
{
    m_open.owner = nullptr; // a popup going away with its owner tells nobody
    Teardown();
    m_popup.Destroy();
}

void CDropList::SetTickSource(CTickSource* ticks)
{
    m_ticks = ticks ? ticks : CTickSource::System();
}

int32_t CDropList::ItemCount() const
{
    return m_open.items ? m_open.items->Count() : 0;
}

void CDropList::ComputeLayout(DropListOpenParams& p)
{
    m_rowFont = p.renderer ? p.renderer->GetFont(kRowFontSlot, 0) : nullptr;
    m_captionFont = p.renderer ? p.renderer->GetFont(kCaptionFontSlot, 0) : nullptr;
    p.rowHeight = std::max(p.rowHeight, CSkinFont::HeightOf(m_rowFont) + kLinePadding);
    p.captionHeight = std::max(p.captionHeight, CSkinFont::HeightOf(m_captionFont) + kLinePadding);
    if (p.separatorHeight == 0)
        p.separatorHeight = static_cast<int32_t>(p.rowHeight * kSeparatorShare);
    if (p.spacerHeight == 0)
        p.spacerHeight = p.rowHeight / kSpacerDivisor;
    const int32_t count = p.items ? p.items->Count() : 0;
    p.visibleRows = std::max(0, std::min(p.visibleRows, count));
    if (count > p.visibleRows) {
        p.scrolls = 1;
        p.height = p.rowHeight * std::max(0, p.visibleRows) + kFrameHeight;
        return;
    }
    p.scrolls = 0;
    p.height = kFrameHeight;
    for (int32_t i = 0; i < count; ++i) {
        const CDropListItem* item = p.items->ItemAt(i);
        if (!item)
            continue;
        p.height += item->separator ? p.separatorHeight : (item->spacer ? p.spacerHeight : p.rowHeight);
    }
}

uint32_t CDropList::FitToMonitor(DropListOpenParams& p)
{
    const uint32_t kNoMonitor = 16;
    ComputeLayout(p);
    RECT rect = {p.x, p.y, p.x + p.width, p.y + p.height};
    HMONITOR monitor;
    if (p.placement & DropListPlacement::CursorMonitor) {
        POINT cursor = {};
        GetCursorPos(&cursor);
        monitor = MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
    } else {
        monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    }
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return kNoMonitor;
    const RECT area = (p.placement & DropListPlacement::WorkArea) ? info.rcWork : info.rcMonitor;
    if (area.bottom - area.top < p.height && p.rowHeight > 0) {
        p.visibleRows = (area.bottom - area.top) / p.rowHeight - 1;
        ComputeLayout(p);
        rect.bottom = p.y + p.height;
    }
    uint32_t crossed = 0;
    if (!(p.placement & DropListPlacement::SkipHorizontal))
        crossed |= (rect.left < area.left ? 1 : 0) | (rect.right > area.right ? 2 : 0);
    if (!(p.placement & DropListPlacement::SkipVertical))
        crossed |= (rect.top < area.top ? 4 : 0) | (rect.bottom > area.bottom ? 8 : 0);
    return crossed;
}

void CDropList::Open(const DropListOpenParams& params)
{
    if (m_opened || m_popup.IsCreated() || !params.items || !params.renderer)
        return;
    m_open = params;
    m_buttonsAtOpen = CPhysicalWindow::GetMouseButtons();
    ComputeLayout(m_open);
    const int32_t count = ItemCount();
    m_needsScroll = m_open.visibleRows < count;
    m_hovered = m_open.items->selected;
    const int32_t selected = m_open.items->selected;
    m_firstVisible = selected > m_open.visibleRows - 2 ? selected - m_open.visibleRows + 2 : 0;
    ClampFirstVisible();
    m_captured = false;
    m_opened = 1;
    m_activeAtOpen = GetActiveWindow();

    ContainerParams container;
    container.width = m_open.width;
    container.height = m_open.height;
    container.caption = "Stock";
    container.window = &m_popup;
    container.owner = this;
    container.skin = m_open.renderer;
    m_container.Create(container);

    WindowCreateParams window;
    window.x = m_open.x;
    window.y = m_open.y;
    window.width = m_open.width;
    window.height = m_open.height;
    window.topmostLevel = 1;
    window.dockable = 0;
    window.parentWindow = m_open.host;
    window.popupMenu = !m_open.notAMenu;
    window.activateOnShow = m_open.notAMenu;
    window.swallowClosingClick = m_open.swallowClosingClick;
    window.parentHandle = m_open.nativeParent;
    // The frame is drawn: all of it stays inside the work area, off any taskbar.
    window.clampFlags = m_open.placement | DropListPlacement::WorkArea;
    window.closeOnOutsideClick = m_open.closeOnOutsideClick;
    if (m_popup.Create(window) != 0)
        Teardown();
}

void CDropList::BeginCapture()
{
    if (!m_isOpen)
        return;
    m_popup.SetCapture(true);
    m_captured = true;
}

void CDropList::Build()
{
    m_isOpen = 1;
    DrawFrame();
    if (m_needsScroll) {
        ScrollBarParams bar;
        bar.place.x = m_container.GetWidth() - kScrollBarRight;
        bar.place.y = kRowTop;
        bar.place.width = kScrollBarWidth;
        bar.place.height = m_container.GetHeight() - kFrameHeight;
        bar.controlId = kScrollBarId;
        bar.place.container = &m_container;
        bar.range = ItemCount();
        bar.page = m_open.visibleRows;
        bar.position = m_firstVisible;
        m_scrollBar.reset(new CScrollBarControl);
        m_scrollBar->Create(bar);
    }
    m_container.ShowBitmap(nullptr, 0, 0, m_container.GetWidth(), m_container.GetHeight());
    MakeRows();
    RefreshRows();
    RenderRows();
    m_popup.Invalidate();
    m_popup.SetTimer(kTipTimer, kTipPeriodMs);
    m_tipItem = nullptr;
}

int CDropList::FrameKind() const
{
    return m_open.alternateFrame ? kSkinAltListFrame : kSkinListFrame;
}

void CDropList::DrawFrame()
{
    CBitmapDC* surface = m_container.GetSurface();
    const int w = m_container.GetWidth(), h = m_container.GetHeight();
    const SkinElementQuery query = QuerySkinElement(m_open.renderer, this, FrameKind(), w, h);
    const CBitmapDC* picture = query.imageSet ? query.imageSet->StateImage(kFrameState) : nullptr;
    if (picture) {
        CBitmapDC copy;
        copy.CreateCopy(*picture);
        copy.PremultiplyAlpha();
        CSkinBlitter blitter;
        if (blitter.StretchCorners(copy, query.imageSet->stretchInsets, w, h, StretchFill::Solid))
            AlphaBlendImage(surface, 0, 0, &blitter.output, 0, 0, 0, 0);
    }
    m_container.SetRegionFromBitmap(surface, kRegionKey, kRegionBorder);
    CLightField light;
    light.BuildRampTable(kFrameRampFrom, kFrameRampTo, RampShape::Rising);
    light.BuildField(w, h, kFrameSlope, kFrameWidth);
    light.GetField().ApplyToBitmap(surface, nullptr, 0, 0, 0, 0, -1, -1, kFrameShading);
}

void CDropList::MakeRows()
{
    m_rows.clear();
    const int width = m_open.width - (m_needsScroll ? kRowMarginScrolling : kRowMargin);
    int y = kRowTop;
    for (int32_t r = 0; r < m_open.visibleRows; ++r) {
        int line = m_open.rowHeight;
        const CDropListItem* item = m_open.items->ItemAt(r);
        if (!m_needsScroll && item)
            line = item->separator ? m_open.separatorHeight : (item->spacer ? m_open.spacerHeight : line);
        DropListRowGeometry geometry;
        geometry.x = kRowX;
        geometry.y = y;
        geometry.width = width;
        geometry.height = line - 1; // the next row's top is this one's bottom edge
        geometry.container = &m_container;
        geometry.font = m_rowFont;
        m_rows.emplace_back(new CDropListRow);
        m_rows.back()->SetGeometry(geometry);
        y += line;
    }
}

void CDropList::Teardown()
{
    if (!m_opened)
        return;
    HandBackActivation();
    m_opened = 0;
    if (m_scrollBar)
        m_scrollBar->Destroy();
    m_container.DestroyChildren();
    m_scrollBar.reset();
    m_popup.PostDeferredClose();
    m_isOpen = 0;
    m_captured = false;
    m_rows.clear();
    if (m_open.owner) {
        ControlNotification closed;
        closed.kind = DropListNotify::Kind;
        closed.code = DropListNotify::Closed;
        closed.sender = this;
        m_open.owner->OnNotify(&closed);
    }
}

void CDropList::Close()
{
    HandBackActivation();
    m_popup.Show(false);
    m_popup.PostDeferredClose();
}

// Left to the system, an active popup that closes hands the activation to its
// owner, which rises above the program's other windows: the window active at
// the open takes it back, or, where another program's was, the one on top.
void CDropList::HandBackActivation()
{
    const HWND popup = m_popup.GetHwnd();
    if (!popup || GetActiveWindow() != popup)
        return;
    if (m_activeAtOpen && m_activeAtOpen != popup && IsWindowVisible(m_activeAtOpen)) {
        SetActiveWindow(m_activeAtOpen);
        return;
    }
    const std::vector<HWND> own = OwnWindowsTopFirst(popup, OwnWindows::Minimizable);
    if (!own.empty())
        SetActiveWindow(own.front());
}

int CDropList::OnNotify(void* record)
{
    const ControlNotification* r = static_cast<const ControlNotification*>(record);
    if (r && m_isOpen && r->kind == ScrollBarNotify::Kind && r->code == ScrollBarNotify::Position)
        ScrollTo(r->data1, BarSync::Keep);
    return 0;
}
