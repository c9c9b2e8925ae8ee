#include "gui/window/CTitleBar.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlCommand.h"
#include "gui/skin/CSkinRenderer.h"
#include "gui/skin/PixelOperations.h"
#include "gui/window/WindowCommand.h"
#include "gui/window/WindowGeometry.h"
#include <algorithm>

namespace {

const int kCloseFromRight = 22; // the Close button's x is the width less this
const int kButtonStep = 17;     // from one button's x to the next one's on its left
const int kText2Gap = 12;       // text2 ends this far right of the leftmost button's x
const int kCaptionGap = 14;     // the caption is clipped this far right of it
const int kInactiveIcon = 192;  // of 256: the icon of an inactive window is darker
const int kCaptionFont = 0;
const int kText2Font = 1;
const uint32_t kTextBackground = 0xFF0000;
const float kButtonIconScale = 1.5f;
const uint8_t kButtonLabelOption = 1;
const uint32_t kButtonState = 0x20000; // the buttons' light profile
const int kMaximizeImage = 1;
const int kRestoreImage = 3;
const int kNoImage = -1;

// Where caption style values 1, 2, 3, 4, 5, 7 and 8 stand in the skin's frame metrics.
enum StyleValue { kAlignH = 0, kAlignV = 1, kShadow = 2, kColor = 3, kShadowColor = 4, kColor2 = 6, kShadowColor2 = 7 };

struct ButtonSpec {
    int32_t id;
    int32_t image;
    const char* tip;
};
const ButtonSpec kSpecs[CTitleBar::kButtonCount] = {{WindowCommand::Close, 2, "Close"},
                                                    {WindowCommand::MaximizeOrRestore, kMaximizeImage, "Maximize"},
                                                    {WindowCommand::Minimize, 0, "Minimize"},
                                                    {WindowCommand::Dock, kNoImage, "Dock"}};

struct DockText {
    int edge;
    int image;
    const char* text;
};
const DockText kDockTexts[] = {{DockEdge::Left, 24, "Dock to Left"},
                               {DockEdge::Top, 26, "Dock to Top"},
                               {DockEdge::Right, 25, "Dock to Right"},
                               {DockEdge::Bottom, 27, "Dock to Bottom"}};
const int kEdgeByte = 0xFF;

} // namespace

CTitleBar::CTitleBar()
    : m_hasIcon(0), m_dockButtonEnabled(0), m_dockImageId(0), m_maximizeImageId(kMaximizeImage), m_rects(),
      m_text2Rect(), m_created(0), m_active(0), m_captionIcon(nullptr), m_shown(0), m_container(nullptr), m_metrics(),
      m_closable(1), m_maximizable(1), m_minimizable(1)
{
    m_text2.text.clear();
}

void CTitleBar::QueryMetrics()
{
    m_metrics = SkinFrameMetrics();
    m_metrics.windowWidth = m_container->GetWidth();
    if (CSkinRenderer* skin = m_container->GetSkinRenderer())
        skin->OnEvent(this, EventSource::Request, kSkinQueryFrame, 0, SkinQueryParam(&m_metrics), nullptr);
}

void CTitleBar::Create(const TitleBarParams& params)
{
    if (!params.container)
        return;
    m_created = 1;
    m_captionIcon = params.captionIcon;
    m_shown = params.shown;
    m_container = params.container;
    m_active = 0;
    m_dockButtonEnabled = 0;
    m_dockImageId = 0;
    QueryMetrics();
    m_hasIcon = m_captionIcon && m_captionIcon->GetBits() ? 1 : 0;
    if (m_hasIcon) {
        m_iconActive.Create(m_metrics.iconWidth, m_metrics.iconHeight, 32);
        ResizeImage(m_captionIcon, &m_iconActive, 0, 0, 0, 0, 0, 0, m_metrics.iconWidth, m_metrics.iconHeight,
                    ResizeMethod::Auto);
        m_iconInactive.CreateCopy(m_iconActive);
        ScaleImageColors(&m_iconInactive, 0, 0, 0, 0, kInactiveIcon, kInactiveIcon, kInactiveIcon);
        m_iconActive.PremultiplyAlpha();
        m_iconInactive.PremultiplyAlpha();
    }
    Layout();
}

bool CTitleBar::IsButtonVisible(TitleButton button) const
{
    if (!m_shown)
        return false;
    switch (button) {
    case TitleButton::Close: return m_closable;
    case TitleButton::Maximize: return m_maximizable;
    case TitleButton::Minimize: return m_minimizable;
    default: return m_dockButtonEnabled && m_container->GetWindow()->IsDockable();
    }
}

void CTitleBar::Layout()
{
    const WindowCreateParams& options = m_container->GetWindow()->GetParams();
    m_closable = options.closable;
    m_maximizable = options.maximizable;
    m_minimizable = options.minimizable;
    ComputeLayout();
    std::string dockTip;
    const int dockImage = UpdateDockButtonText(dockTip, m_container->GetWindow()->NearestDockEdge());
    for (int i = 0; i < kButtonCount; ++i) {
        const bool dock = TitleButton(i) == TitleButton::Dock;
        PushButtonParams p;
        p.place.x = m_rects[i].left;
        p.place.y = m_rects[i].top;
        p.place.width = p.place.height = kButtonSize;
        p.controlId = kSpecs[i].id;
        p.place.container = m_container;
        p.icon = 1;
        p.imageId = dock ? dockImage : kSpecs[i].image;
        p.labelOption = kButtonLabelOption;
        p.iconScale = kButtonIconScale;
        p.initialState = kButtonState;
        p.toolTipText = dock ? dockTip : kSpecs[i].tip;
        p.visible = IsButtonVisible(TitleButton(i));
        m_buttons[i].Create(p);
    }
    const int advance = m_hasIcon ? m_metrics.iconAdvance : 0;
    m_captionText.x = m_metrics.captionTextX + advance;
    m_captionText.y = m_metrics.captionTextY;
    m_captionText.width = m_metrics.captionTextWidth - advance;
    m_captionText.height = m_metrics.captionTextHeight;
    if (CSkinRenderer* skin = m_container->GetSkinRenderer()) {
        m_captionText.font = skin->GetFont(kCaptionFont, 0);
        m_text2.font = skin->GetFont(kText2Font, 0);
    }
    ComputeLayout();
}

void CTitleBar::ComputeLayout()
{
    QueryMetrics();
    m_captionText.x = m_metrics.captionTextX + (m_hasIcon ? m_metrics.iconAdvance : 0);
    m_captionText.y = m_metrics.captionTextY;
    m_captionText.width = m_metrics.captionTextWidth;
    m_captionText.height = m_metrics.captionTextHeight;
    if (m_buttons[int(TitleButton::Dock)].IsCreated())
        OnDockEdgeChanged(m_container->GetWindow()->NearestDockEdge());
    const int closeX = m_container->GetWidth() - kCloseFromRight;
    const int maximizeX = m_closable ? closeX - kButtonStep : closeX;
    const int minimizeX = m_maximizable ? maximizeX - kButtonStep : maximizeX;
    const int dockX = m_minimizable ? minimizeX - kButtonStep : minimizeX;
    const int xs[kButtonCount] = {closeX, maximizeX, minimizeX, dockX};
    for (int i = 0; i < kButtonCount; ++i)
        m_rects[i] = {xs[i], kButtonTop, xs[i] + kButtonSize, kButtonTop + kButtonSize};
    const int leftmost = m_dockButtonEnabled ? dockX - kButtonStep : dockX;
    m_text2Rect = {0, kButtonTop, leftmost + kText2Gap, kButtonTop + kButtonSize};
    m_captionText.width = std::min(m_captionText.x + m_captionText.width, leftmost + kCaptionGap) - m_captionText.x;
}

void CTitleBar::SendButton(TitleButton button, int code, int p1, void* p2)
{
    int zero = 0;
    m_buttons[int(button)].OnEvent(this, EventSource::Request, code, p1, int(reinterpret_cast<intptr_t>(p2)), &zero);
}

void CTitleBar::Relayout()
{
    if (!m_created)
        return;
    ComputeLayout();
    for (int i = 0; i < kButtonCount; ++i)
        SendButton(TitleButton(i), ControlCommand::Place, 0, &m_rects[i]);
    Paint();
}

void CTitleBar::UpdateButtons(bool show)
{
    if (!m_created)
        return;
    if (show && m_container->GetWindow()->IsActive())
        m_active = 1;
    m_shown = show;
    for (int i = 0; i < kButtonCount; ++i)
        SendButton(TitleButton(i), ControlCommand::Show, IsButtonVisible(TitleButton(i)), nullptr);
    SendButton(TitleButton::Dock, ControlCommand::Disable, 0, nullptr);
}

void CTitleBar::SetCaptionText(const char* text)
{
    m_captionText.text = text ? text : "";
}

void CTitleBar::SetCaptionText2(const char* text)
{
    m_captionText.shortText = text ? text : "";
}

void CTitleBar::SetCaptionText3(const char* text)
{
    m_captionText.shorterText = text ? text : "";
}

void CTitleBar::SetBackground(CBitmapDC& background, const CBitmapDC& bitmap)
{
    if (!m_container)
        return;
    background.Create(m_container->GetWidth(), m_metrics.captionHeight, 32);
    background.CopyFrom(bitmap, 0, 0, 0, 0, 0, 0);
}

void CTitleBar::SetActiveBackground(const CBitmapDC& bitmap)
{
    SetBackground(m_activeBackground, bitmap);
}

void CTitleBar::SetInactiveBackground(const CBitmapDC& bitmap)
{
    SetBackground(m_inactiveBackground, bitmap);
}

int CTitleBar::UpdateDockButtonText(std::string& out, int edgeCode)
{
    out = "Dock";
    int image = kNoImage;
    for (const DockText& d : kDockTexts) {
        if ((edgeCode & kEdgeByte) == d.edge) {
            out = d.text;
            image = d.image;
        }
    }
    if (edgeCode > 0 && (edgeCode & DockEdge::TooFar)) // a negative code is a failed monitor query, not a distance
        out = "Move the window close to a screen edge to dock.";
    return image;
}

void CTitleBar::OnDockEdgeChanged(int edgeCode)
{
    if (!m_created)
        return;
    std::string tip;
    const int image = UpdateDockButtonText(tip, edgeCode);
    m_buttons[int(TitleButton::Dock)].SetToolTipText(tip.c_str());
    const int enabled = (edgeCode & DockEdge::TooFar) || edgeCode < 1 ? 0 : 1;
    if (enabled != m_dockButtonEnabled) {
        m_dockButtonEnabled = enabled;
        UpdateButtons(m_shown);
        Relayout();
    }
    if (image != m_dockImageId) {
        m_dockImageId = image;
        SendButton(TitleButton::Dock, ControlCommand::SetImage, image, nullptr);
        SendButton(TitleButton::Dock, ControlCommand::Rebuild, 0, nullptr);
    }
}

void CTitleBar::DrawTexts(CBitmapDC& surface, const int* style)
{
    auto draw = [&](CTextBuffer& text, int alignH, int color, int shadowColor) {
        text.horizontalAlignment = alignH;
        text.verticalAlignment = style[kAlignV];
        text.shadow = style[kShadow];
        text.textColor = color;
        text.shadowColor = shadowColor;
        text.backgroundColor = kTextBackground;
        m_painter.DrawSkinText(surface, text);
    };
    draw(m_captionText, style[kAlignH], style[kColor], style[kShadowColor]);

    PlaceRecord(m_text2, m_text2Rect);
    draw(m_text2, kTextAlignFar, style[kColor2], style[kShadowColor2]);
}

void CTitleBar::Paint()
{
    if (!m_created)
        return;
    CBitmapDC& surface = *m_container->GetSurface();
    surface.CopyFrom(m_active ? m_activeBackground : m_inactiveBackground, 0, 0, 0, 0, 0, 0);
    const bool maximized = m_container->GetWindow()->IsMaximized();
    m_maximizeImageId = maximized ? kRestoreImage : kMaximizeImage;
    m_buttons[int(TitleButton::Maximize)].SetToolTipText(maximized ? "Restore" : "Maximize");
    SendButton(TitleButton::Maximize, ControlCommand::SetImage, m_maximizeImageId, nullptr);
    DrawTexts(surface, m_active ? m_metrics.activeStyle : m_metrics.inactiveStyle);
    if (m_hasIcon)
        AlphaBlendImage(&surface, m_metrics.iconX, m_metrics.iconY, m_active ? &m_iconActive : &m_iconInactive, 0, 0, 0,
                        0);
    ComputeLayout();
    for (int i = 0; i < kButtonCount; ++i)
        SendButton(TitleButton(i), ControlCommand::Rebuild, 0, &m_rects[i]);
    m_container->ShowBitmap(nullptr, 0, 0, m_container->GetWidth(), m_metrics.captionHeight);
}

int CTitleBar::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    switch (code) {
    case WindowEvent::Activate:
        m_active = p1 != 0;
        Paint();
        break;
    case WindowEvent::TextSet: {
        const char* text = reinterpret_cast<const char*>(p2);
        if (source != EventSource::Relayed)
            break;
        if (p1 == 1)
            SetCaptionText2(text);
        else if (p1 == 2)
            SetCaptionText3(text);
        else
            SetCaptionText(text);
        break;
    }
    case WindowEvent::Moved:
        if (m_container)
            OnDockEdgeChanged(m_container->GetWindow()->NearestDockEdge());
        break;
    case ControlCommand::Place: Sleep(0); break;
    case WindowEvent::StateChanged: Relayout(); break;
    }
    return 0;
}
