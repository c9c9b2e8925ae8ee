#include "gui/controls/CControlContainer.h"
#include "gui/controls/CControl.h"
#include "gui/controls/ControlCommand.h"
#include "gui/controls/ControlNotification.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/ToolkitConventions.h"
#include <algorithm>

namespace {
const uint32_t kUnpainted = 0xFF00FF; // plain to see where nothing was drawn
const int kCaptionTextSize = 256;
const int kTipDisplayMs = 60000;

// The skin's font for text kind 1 at its default size.
const int kTipFontSlot = 1;

const CSkinFont* TipFontFromSkin(CSkinRenderer* skin)
{
    return skin ? skin->GetFont(kTipFontSlot, 0) : nullptr;
}

int CaptionHeightFromSkin(CSkinRenderer* skin, int width, int height)
{
    if (!skin)
        return 0;
    SkinFrameMetrics metrics = {};
    metrics.windowWidth = width;
    skin->OnEvent(nullptr, EventSource::Request, kSkinQueryFrame, 0, SkinQueryParam(&metrics), nullptr);
    return metrics.captionHeight;
}
} // namespace

CControlContainer::CControlContainer() : m_captionListener(nullptr), m_toolTipControl(nullptr)
{}

CControlContainer::~CControlContainer()
{
    DestroyChildren();
}

int CControlContainer::Create(const ContainerParams& params)
{
    DestroyChildren();
    m_params = params;
    m_captionListener = nullptr;
    m_toolTip.reset();
    m_toolTipControl = nullptr;
    m_surface.Create(params.width, params.height, kBitsPerPixel);
    if (params.window)
        params.window->SetListener(this);
    return 0;
}

void CControlContainer::DestroyChildren()
{
    if (m_captionListener) {
        int zero = 0;
        m_captionListener->OnEvent(this, EventSource::Relayed, WindowEvent::Destroyed, 0, 0, &zero);
        m_captionListener = nullptr;
    }
    while (!m_children.empty()) {
        CControl* first = m_children.front();
        first->Destroy();
        // A control that did not leave the list by itself must not hold the loop.
        if (!m_children.empty() && m_children.front() == first)
            m_children.erase(m_children.begin());
    }
}

void CControlContainer::AddChild(CControl* control)
{
    m_children.push_back(control);
}

void CControlContainer::RemoveChild(CControl* control)
{
    m_children.erase(std::remove(m_children.begin(), m_children.end(), control), m_children.end());
}

int CControlContainer::ShowBitmap(const CBitmapDC* src, int sx, int sy, int w, int h)
{
    if (!m_params.window)
        return 0;
    return m_params.window->ShowBitmap(src ? src : &m_surface, sx, sy, w, h, sx, sy);
}

int CControlContainer::SetRegionFromBitmap(const CBitmapDC* bitmap, uint32_t keyColour, int border)
{
    return m_params.window ? m_params.window->SetRegionFromBitmap(bitmap, keyColour, border) : 0;
}

void CControlContainer::Resize(int left, int top, int right, int bottom)
{
    m_params.width = right - left;
    m_params.height = bottom - top;
    m_surface.Create(m_params.width, m_params.height, kBitsPerPixel);
    if (m_params.window)
        m_params.window->SetSize(m_params.width, m_params.height);
}

void CControlContainer::SetCaptionListener(CListener* listener)
{
    m_captionListener = listener;
    CPhysicalWindow* window = m_params.window;
    if (!listener) {
        if (window) {
            window->SetDragRect(-1, -1, -1, -1);
            window->SetStateListener(nullptr);
        }
        return;
    }
    char text[kCaptionTextSize] = "";
    if (window)
        window->GetText(text, sizeof(text));
    listener->OnEvent(this, EventSource::Relayed, ControlCommand::SetText, 0, int(intptr_t(text)), nullptr);
    listener->OnEvent(this, EventSource::Relayed, ControlCommand::SetText, 1, int(intptr_t(m_params.caption2)),
                      nullptr);
    listener->OnEvent(this, EventSource::Relayed, ControlCommand::SetText, 2, int(intptr_t(m_params.caption3)),
                      nullptr);
    if (window) {
        window->SetDragRect(0, 0, m_params.width,
                            CaptionHeightFromSkin(m_params.skin, m_params.width, m_params.height));
        window->SetStateListener(listener);
    }
}

int CControlContainer::GetCaptionHeight()
{
    return m_captionListener ? CaptionHeightFromSkin(m_params.skin, m_params.width, m_params.height) : 0;
}

int CControlContainer::Notify(void* record)
{
    if (!record)
        return 0;
    int answer = m_params.window ? m_params.window->OnNotify(record) : 0;
    if (!static_cast<const ControlNotification*>(record)->handled && m_params.owner)
        answer = m_params.owner->OnNotify(record);
    return answer;
}

int CControlContainer::RelayoutToWindow()
{
    RECT rect = {};
    if (m_params.window)
        m_params.window->GetWindowRect(rect);
    int zero = 0;
    return OnEvent(this, EventSource::Request, WindowEvent::Resized, 0, int(intptr_t(&rect)), &zero);
}

ToolTipRequest CControlContainer::MakeTipRequest(const char* text, int x, int y, ToolTipPlacement placement)
{
    if (!m_toolTip)
        m_toolTip.reset(new CToolTip);
    ToolTipRequest request;
    request.font = TipFontFromSkin(m_params.skin);
    request.text = text ? text : "";
    request.x = x;
    request.y = y;
    request.displayTimeMs = kTipDisplayMs;
    request.placement = placement;
    return request;
}

void CControlContainer::ShowToolTipFor(CControl* control, const char* text, int x, int y, ToolTipPlacement placement)
{
    m_toolTipControl = control;
    const ToolTipRequest request = MakeTipRequest(text, x, y, placement);
    m_toolTip->Show(request);
}

void CControlContainer::CloseToolTip()
{
    if (m_toolTip)
        m_toolTip->Close();
}

int CControlContainer::CheckToolTipPlacement(const char* text, int x, int y, ToolTipPlacement placement)
{
    const ToolTipRequest request = MakeTipRequest(text, x, y, placement);
    return m_toolTip->CheckPlacement(request);
}

int CControlContainer::TellOwner(int code, int p1, int p2, void* data)
{
    return m_params.owner ? m_params.owner->OnEvent(this, EventSource::Relayed, code, p1, p2, data) : 0;
}

int CControlContainer::PassOn(CListener* to, void* sender, int source, int code, int p1, int p2, void* data)
{
    return to ? to->OnEvent(sender, source, code, p1, p2, data) : 0;
}

int CControlContainer::OnResized(int p1, int p2, void* data)
{
    const RECT* rect = reinterpret_cast<const RECT*>(p2);
    if (rect)
        Resize(rect->left, rect->top, rect->right, rect->bottom);
    const int answer = TellOwner(WindowEvent::Resized, p1, p2, data);
    int zero = 0;
    SetCaptionListener(m_captionListener);
    PassOn(m_captionListener, this, EventSource::Relayed, ControlCommand::Rebuild, 0, 0, &zero);
    for (CControl* child : std::vector<CControl*>(m_children))
        child->OnEvent(this, EventSource::Relayed, ControlCommand::Rebuild, 0, 0, &zero);
    TellOwner(ContainerEvent::Rebuild, 0, 0, &zero);
    return answer;
}

int CControlContainer::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    switch (code) {
    case WindowEvent::Created:
        m_surface.Fill(kUnpainted);
        if (m_params.window)
            m_params.window->SetText(m_params.caption);
        TellOwner(ContainerEvent::Creating, p1, p2, data);
        return TellOwner(WindowEvent::Created, p1, p2, data);
    case WindowEvent::Activate:
        PassOn(m_captionListener, sender, source, code, p1, p2, data);
        PassOn(m_params.owner, sender, source, code, p1, p2, data);
        return 0;
    case WindowEvent::Moved:
        CloseToolTip();
        TellOwner(code, p1, p2, data);
        PassOn(m_captionListener, sender, source, code, p1, p2, data);
        PassOn(m_params.owner, sender, source, code, p1, p2, data);
        return 0;
    case WindowEvent::Resized: return OnResized(p1, p2, data);
    case WindowEvent::SizingClamped:
    case WindowEvent::Sizing: return TellOwner(code, p1, p2, data);
    default: PassOn(m_params.owner, sender, source, code, p1, p2, data); return 0;
    }
}
