#include "gui/controls/CControl.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/controls/ControlNotification.h"
#include <algorithm>

namespace {
// Tool tips open right of the cursor and clear of the pointer's arrow.
const int kTipRight = 8;
const int kTipBelow = 24;

using Action = MouseEvent::Action;
using Button = MouseEvent::Button;
struct MouseCode {
    int code;
    Action action;
    Button button;
};
const MouseCode kMouseCodes[] = {
    {WindowEvent::MouseMove, Action::Move, Button::None},
    {WindowEvent::LeftButtonDown, Action::Press, Button::Left},
    {WindowEvent::LeftButtonUp, Action::Release, Button::Left},
    {WindowEvent::RightButtonDown, Action::Press, Button::Right},
    {WindowEvent::RightButtonUp, Action::Release, Button::Right},
    {WindowEvent::LeftDoubleClick, Action::DoubleClick, Button::Left},
    {WindowEvent::RightDoubleClick, Action::DoubleClick, Button::Right},
    {WindowEvent::MouseWheel, Action::Wheel, Button::None},
    {WindowEvent::MouseEnter, Action::Enter, Button::None},
    {WindowEvent::MouseLeave, Action::Leave, Button::None},
    {WindowEvent::CaptureLost, Action::CaptureLost, Button::None},
};

bool IsCommand(int code)
{
    switch (code) {
    case ControlCommand::SetText:
    case ControlCommand::Place:
    case ControlCommand::Bounds:
    case ControlCommand::Rebuild:
    case ControlCommand::SetImage:
    case ControlCommand::Show:
    case ControlCommand::Disable:
    case ControlCommand::Emphasis: return true;
    default: return false;
    }
}
} // namespace

CControl::CControl() : m_created(0), m_offsetX(0), m_offsetY(0)
{}

CControl::~CControl()
{
    Destroy();
    // The children's windows went with this one's; when their owners destroy
    // them later, they must not reach back into this control or its container.
    for (CControl* child : m_children) {
        child->m_params.place.parent = nullptr;
        child->m_params.place.container = nullptr;
    }
    m_children.clear();
}

void CControl::ComputeOffset(int x, int y)
{
    // The parent's offset holds all further ancestors already.
    const CControl* parent = m_params.place.parent;
    m_offsetX = x + (parent ? parent->m_offsetX : 0);
    m_offsetY = y + (parent ? parent->m_offsetY : 0);
}

int CControl::Create(const ControlWindowParams& params)
{
    if (m_created)
        return 0;
    m_created = 1;
    m_params = params;
    const ControlPlacement& place = params.place;
    ComputeOffset(place.x, place.y);
    if (place.parent)
        place.parent->AddChild(this);
    else if (place.container)
        place.container->AddChild(this);

    WindowCreateParams window;
    window.x = place.x;
    window.y = place.y;
    window.width = place.width;
    window.height = place.height;
    window.disabled = params.disabled;
    window.listenerPaints = params.listenerPaints;
    window.fillBlue = params.fillBlue;
    window.trackMouse = params.trackMouse;
    window.dragAnywhere = params.dragAnywhere;
    window.verbose = params.verbose;
    window.cursor = params.cursor;
    window.caption = params.text;
    window.showOnCreate = params.visible;
    window.parentWindow =
        place.parent ? place.parent->GetWindow() : (place.container ? place.container->GetWindow() : nullptr);
    window.child = 1;
    if (params.backgroundFromContainer && place.container) {
        window.hasInitialImage = 1;
        window.initialImage = place.container->GetSurface();
        window.initialImageX = m_offsetX;
        window.initialImageY = m_offsetY;
    }
    m_window.SetListener(this);
    m_window.Create(window);
    if (params.blendAsCopy && !params.listenerPaints)
        m_window.GetBackBitmap()->SetBlend(SurfaceBlend::Copy);
    return 0;
}

void CControl::Destroy()
{
    if (!m_created)
        return;
    if (m_params.place.parent)
        m_params.place.parent->RemoveChild(this);
    else if (m_params.place.container)
        m_params.place.container->RemoveChild(this);
    m_window.Destroy();
    m_created = 0;
}

void CControl::SetText(const char* text)
{
    m_window.SetText(text);
}

int CControl::ShowBitmap(const CBitmapDC* src, int sx, int sy, int w, int h, int dx, int dy)
{
    return m_window.ShowBitmap(src, sx, sy, w, h, dx, dy);
}

int CControl::Notify(void* record)
{
    if (!record || static_cast<const ControlNotification*>(record)->handled || !m_params.place.container)
        return 0;
    return m_params.place.container->Notify(record);
}

void CControl::AddChild(CControl* child)
{
    m_children.push_back(child);
}

void CControl::RemoveChild(CControl* child)
{
    m_children.erase(std::remove(m_children.begin(), m_children.end(), child), m_children.end());
}

void CControl::SetToolTipText(const char* text)
{
    m_params.toolTipText = text ? text : "";
}

void CControl::ShowToolTip(const char* text)
{
    if (!text || !*text || !m_params.place.container)
        return;
    int cx = 0, cy = 0;
    CPhysicalWindow::GetCursorScreenPos(cx, cy);
    RECT rect = {};
    m_window.GetWindowRect(rect);
    m_params.place.container->ShowToolTipFor(this, text, cx + kTipRight, std::max<int>(rect.bottom, cy + kTipBelow),
                                             ToolTipPlacement::TopLeft);
}

int CControl::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    if (!m_created)
        return 0;
    const ControlEvent event = {sender, source, code, p1, p2, data};
    const RECT* rect = reinterpret_cast<const RECT*>(p2);
    switch (code) {
    case ControlCommand::Place:
        if (!rect)
            return 0;
        ComputeOffset(rect->left, rect->top);
        m_window.SetBounds(rect->left, rect->top, rect->right, rect->bottom);
        break;
    case ControlCommand::Bounds:
        if (!rect)
            return 0;
        PlaceRecord(m_params.place, *rect);
        ComputeOffset(rect->left, rect->top);
        break;
    case ControlCommand::Rebuild: {
        const int answer = Deliver(event);
        int zero = 0;
        for (CControl* child : std::vector<CControl*>(m_children))
            child->OnEvent(this, EventSource::Relayed, ControlCommand::Rebuild, 0, 0, &zero);
        return answer;
    }
    case WindowEvent::Hover: ShowToolTip(m_params.toolTipText.c_str()); break;
    case WindowEvent::LeftButtonDown:
    case WindowEvent::RightButtonDown:
        if (m_params.place.container)
            m_params.place.container->CloseToolTip();
        break;
    }
    return Deliver(event);
}

int CControl::Deliver(const ControlEvent& e)
{
    for (const MouseCode& m : kMouseCodes)
        if (m.code == e.code)
            return OnMouse({e, m.action, m.button, EventPoint(e.p1), e.p1});
    if (e.code == WindowEvent::KeyDown || e.code == WindowEvent::KeyUp)
        return OnKey({e, e.code == WindowEvent::KeyDown, reinterpret_cast<const KeyRecord*>(e.p2)});
    if (IsCommand(e.code)) {
        const char* text = e.code == ControlCommand::SetText ? reinterpret_cast<const char*>(e.p2) : nullptr;
        const RECT* rect = text ? nullptr : reinterpret_cast<const RECT*>(e.p2);
        return OnCommand({e, e.p1, rect, text});
    }
    if (e.code == WindowEvent::Paint)
        return OnPaintRequest({e, static_cast<CBitmapDC**>(e.data)});
    return HandleEvent(this, e.code, e.p1, e.p2, e.data);
}

void CControl::ShowWindowNow(bool show)
{
    if (m_window.GetHwnd())
        ShowWindow(m_window.GetHwnd(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CControl::PaintFrom(void* request, CBitmapDC* bitmap)
{
    if (request)
        *static_cast<CBitmapDC**>(request) = bitmap;
}
