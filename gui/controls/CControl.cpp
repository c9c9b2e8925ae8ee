#include "gui/controls/CControl.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/controls/ControlNotification.h"
#include <algorithm>

namespace {
// Tool tips open right of the cursor and clear of the pointer's arrow.
const int kTipRight = 8;
const int kTipBelow = 24;
} // namespace

CControl::CControl() : m_created(0), m_offsetX(0), m_offsetY(0)
{}

CControl::~CControl()
{
    Destroy();
    // The children's windows went with this one's; when their owners destroy
    // them later, they must not reach back into this control or its container.
    for (CControl* child : m_children) {
        child->m_params.parent = nullptr;
        child->m_params.container = nullptr;
    }
    m_children.clear();
}

void CControl::ComputeOffset(int x, int y)
{
    // The parent's offset holds all further ancestors already.
    m_offsetX = x + (m_params.parent ? m_params.parent->m_offsetX : 0);
    m_offsetY = y + (m_params.parent ? m_params.parent->m_offsetY : 0);
}

int CControl::Create(const ControlWindowParams& params)
{
    if (m_created)
        return 0;
    m_created = 1;
    m_params = params;
    ComputeOffset(params.x, params.y);
    if (params.parent)
        params.parent->AddChild(this);
    else if (params.container)
        params.container->AddChild(this);

    WindowCreateParams window;
    window.x = params.x;
    window.y = params.y;
    window.width = params.width;
    window.height = params.height;
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
        params.parent ? params.parent->GetWindow() : (params.container ? params.container->GetWindow() : nullptr);
    window.child = 1;
    if (params.backgroundFromContainer && params.container) {
        window.hasInitialImage = 1;
        window.initialImage = params.container->GetSurface();
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
    if (m_params.parent)
        m_params.parent->RemoveChild(this);
    else if (m_params.container)
        m_params.container->RemoveChild(this);
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
    if (!record || static_cast<const ControlNotification*>(record)->handled || !m_params.container)
        return 0;
    return m_params.container->Notify(record);
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
    if (!text || !*text || !m_params.container)
        return;
    int cx = 0, cy = 0;
    CPhysicalWindow::GetCursorScreenPos(cx, cy);
    RECT rect = {};
    m_window.GetWindowRect(rect);
    m_params.container->ShowToolTipFor(this, text, cx + kTipRight, std::max<int>(rect.bottom, cy + kTipBelow),
                                       ToolTipPlacement::TopLeft);
}

int CControl::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    if (!m_created)
        return 0;
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
        PlaceRecord(m_params, *rect);
        ComputeOffset(rect->left, rect->top);
        break;
    case ControlCommand::Rebuild: {
        const int answer = HandleEvent(this, code, p1, p2, data);
        int zero = 0;
        for (CControl* child : std::vector<CControl*>(m_children))
            child->OnEvent(this, EventSource::Relayed, ControlCommand::Rebuild, 0, 0, &zero);
        return answer;
    }
    case WindowEvent::Hover: ShowToolTip(m_params.toolTipText.c_str()); break;
    }
    return HandleEvent(this, code, p1, p2, data);
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
