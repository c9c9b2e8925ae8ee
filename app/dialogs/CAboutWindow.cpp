#include "app/dialogs/CAboutWindow.h"
#include "app/CAppController.h"
#include "app/WindowLook.h"
#include "app/dialogs/DialogControls.h"
#include "common/StringFormat.h"
#include "gui/controls/ControlCommand.h"
#include "gui/skin/CSkinImage.h"
#include "gui/skin/PixelOperations.h"
#include "gui/window/WindowEvent.h"
#include "gui/ToolkitConventions.h"
#include <string>

namespace {

const char kVersion[] = "0.62 beta";
const char kVersionFormat[] = "Quillmere RTA v%s\n\nMade by Quillmere Audio. Thank you for listening with us.";
// Multi-line text breaks at line feeds only.
const char kNotice[] = "Quillmere RTA is freeware. Visit our web site\n"
                       "for updates and for Quillmere Pipeline, our audio\n"
                       "routing driver: any input into any program, eight\n"
                       "channels, sample-accurate, with no added latency.";

const int kMargin = 15;        // left, right and below the caption
const int kLogoBottomGap = 10; // the logo's bottom above the container's
const int kVersionHeight = 70;
const int kNoticeTop = 121; // below the caption
const int kNoticeHeight = 90;
const int kButtonTop = 229; // below the caption
const int kButtonHeight = 40;
const int kButtonGap = 8;
const int kTextFontSlot = 1;
const int kDefaultFontSize = 0;
const WindowLook kAboutLook = {192, 370, {256, 256, 240, 200}};

TopLevelWindowParams Descriptor()
{
    TopLevelWindowParams p = SecondaryWindowDescriptor();
    p.native.width = 400;
    p.native.height = 420;
    p.caption = "About Quillmere RTA";
    ApplyLook(p, kAboutLook);
    p.native.resizable = 0;
    p.native.maximizable = 0;
    p.native.minimizable = 0;
    return p;
}

// "Quillmere RTA v0.62 beta", two line feeds and the maker's closing line.
std::string FormatVersionText()
{
    std::string text;
    FormatString(text, kVersionFormat, kVersion);
    return text;
}

RECT Place(int x, int y, int width, int height)
{
    return {x, y, x + width, y + height};
}

} // namespace

RECT DrawAboutLogo(CControlContainer& container, const AboutImageBlob& picture)
{
    CSkinImage decoded;
    if (decoded.DecodePngImage(picture.data, picture.size) != 0)
        return {};
    const CBitmapDC& image = decoded.GetImage();
    const int width = container.GetWidth(), height = container.GetHeight();
    const float scale = float(width - 2 * kMargin) / float(image.GetWidth());
    const int w = int(image.GetWidth() * scale), h = int(image.GetHeight() * scale);
    if (w < 1 || h < 1)
        return {};
    const int x = (width - w) >> 1, y = height - h - kLogoBottomGap;
    CBitmapDC logo;
    logo.Create(w, h, kBitsPerPixel);
    ResizeImage(&image, &logo, 0, 0, 0, 0, 0, 0, 0, 0, ResizeMethod::Auto);
    logo.PremultiplyAlpha();
    AlphaBlendImage(container.GetSurface(), x, y, &logo, 0, 0, 0, 0);
    container.ShowBitmap(nullptr, x, y, w, h);
    return Place(x, y, w, h);
}

CAboutWindow::CAboutWindow() : m_controller(nullptr), m_logoRect()
{}

int CAboutWindow::Show(CAppController* controller)
{
    if (BroughtToFrontIfOpen(*this))
        return 0;
    m_controller = controller;
    return Create(Descriptor()) ? 1 : 0;
}

int CAboutWindow::OnEvent(void* sender, int source, int code, int p1, int p2, void* data)
{
    if (IsCreation(source, code))
        OnCreated();
    // Only on gaining it: taking the focus back when it leaves would hold it here.
    else if (source == EventSource::Window && code == WindowEvent::Focus && p1 != 0)
        m_okButton.GetWindow()->SetFocus();
    return CTopLevelWindow::OnEvent(sender, source, code, p1, p2, data);
}

void CAboutWindow::OnCreated()
{
    m_logoRect = DrawAboutLogo(m_container, GetAboutImage(kAboutLogoImage));
    CreateControls();
}

void CAboutWindow::CreateControls()
{
    const int width = m_container.GetWidth(), caption = m_container.GetCaptionHeight();
    const int textWidth = width - 2 * kMargin;

    StaticTextParams version =
        TextParams(m_container, this, Place(kMargin, caption + kMargin, textWidth, kVersionHeight), "");
    version.kind = kSkinTextBox;
    version.text.multiLine = 1;
    version.text.font = m_skin.GetFont(kTextFontSlot, kDefaultFontSize);
    version.text.text = FormatVersionText();
    m_versionText.Create(version);

    StaticTextParams notice =
        TextParams(m_container, this, Place(kMargin, caption + kNoticeTop, textWidth, kNoticeHeight), kNotice);
    notice.kind = kSkinTextBox;
    notice.text.multiLine = 1;
    m_noticeText.Create(notice);

    m_skin.SetFontSizeCap(kFontSizeCap);
    const int buttonWidth = (width - 2 * kMargin - kButtonGap) / 2;
    const int top = caption + kButtonTop;
    m_webSiteButton.Create(
        ButtonParams(m_container, this, Place(kMargin, top, buttonWidth, kButtonHeight), "Go to Web Site"));
    const int okLeft = kMargin + buttonWidth + kButtonGap;
    m_okButton.Create(
        ButtonParams(m_container, this, Place(okLeft, top, width - okLeft - kMargin, kButtonHeight), "OK"));
}

int CAboutWindow::OnNotify(void* record)
{
    const ControlNotification* n = static_cast<const ControlNotification*>(record);
    if (!n || n->kind != kButtonNotifyKind || n->code != NotifyCode::Click)
        return 0;
    if (IsFrom(*n, m_webSiteButton)) {
        if (m_controller)
            m_controller->OpenWebSite();
    } else if (IsFrom(*n, m_okButton)) {
        m_window.PostDeferredClose();
    }
    return 0;
}
