#pragma once
#include "app/dialogs/AboutImages.h"
#include "gui/controls/CPushButton.h"
#include "gui/controls/CStaticTextControl.h"
#include "gui/window/CTopLevelWindow.h"

class CAppController;

// The about window: the program's name and version, the freeware notice,
// the product logo, "Go to Web Site" (asks the controller to open the web
// site; the window stays) and "OK" (closes it on a later message turn).
// Every creation rebuilds the controls and draws the logo again; nothing is
// saved. The controller must outlive the native window. GUI thread only.
class CAboutWindow : public CTopLevelWindow {
public:
    static constexpr int kFontSizeCap = 20; // keeps the 40-pixel buttons on the middle font

    CAboutWindow();

    // Creates the window: 1, or 0 when the system refused it. An existing
    // window is only brought to the front (0; nothing else changes).
    int Show(CAppController* controller);

    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;
    // Only the two clicks; records are not passed on.
    int OnNotify(void* record) override;

    CStaticTextControl& GetVersionText() { return m_versionText; }
    CStaticTextControl& GetNoticeText() { return m_noticeText; }
    CPushButton& GetWebSiteButton() { return m_webSiteButton; }
    CPushButton& GetOkButton() { return m_okButton; }
    // Where the logo went on the container's surface; empty when it did not decode.
    const RECT& GetLogoRect() const { return m_logoRect; }

private:
    void OnCreated();
    void CreateControls();

    CStaticTextControl m_noticeText;
    CPushButton m_webSiteButton;
    CPushButton m_okButton;
    CAppController* m_controller;
    CStaticTextControl m_versionText;
    RECT m_logoRect;
};

// Draws the picture on the container's surface, as wide as the surface less
// the margins with its aspect kept, centred, its bottom 10 pixels above the
// surface's, and shows it. Where it went; empty when it does not decode.
RECT DrawAboutLogo(CControlContainer& container, const AboutImageBlob& picture);
