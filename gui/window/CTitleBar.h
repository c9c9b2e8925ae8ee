#pragma once
#include "gui/controls/CPushButton.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/skin/CTextBuffer.h"
#include "gui/skin/CTextPainter.h"
#include "gui/skin/SkinDrawRequest.h"
#include "gui/CListener.h"
#include "gui/CObjectBase.h"
#include <cstdint>
#include <string>

class CControlContainer;

// The caption buttons, right to left.
enum class TitleButton : int { Close = 0, Maximize = 1, Minimize = 2, Dock = 3 };

struct TitleBarParams {
    const CBitmapDC* captionIcon; // the caller's; null for none
    bool shown;                   // the buttons may show
    CControlContainer* container;
};

// The caption strip of a top-level window: the caption (falling back to its
// short and shorter texts where it does not fit), an optional icon and the
// Close, Maximize/Restore, Minimize and Dock buttons, drawn into the
// container's surface over the band the frame prepared. The buttons' ids
// are window commands, run by the native window when clicked; the strip
// keeps their visibility, tips and pictures in step with the window's
// state, activation and the dock edge on offer. A hidden button takes no
// room. The buttons are among the container's controls and go with them.
// GUI thread only.
class CTitleBar : public CListener, public CObjectBase {
public:
    static constexpr int kButtonCount = 4;
    static constexpr int kButtonSize = 16;
    static constexpr int kButtonTop = 4;

    CTitleBar();

    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;

    void Create(const TitleBarParams& params);
    void Layout();
    void ComputeLayout();
    void Relayout();
    void Paint();
    void UpdateButtons(bool show);
    void SetCaptionText(const char* text);
    void SetCaptionText2(const char* text);
    void SetCaptionText3(const char* text);
    void SetActiveBackground(const CBitmapDC& bitmap);
    void SetInactiveBackground(const CBitmapDC& bitmap);
    // The dock button's tip and picture for a ChooseDockEdge answer (-1: none).
    static int UpdateDockButtonText(std::string& out, int edgeCode);
    void OnDockEdgeChanged(int edgeCode);

    CPushButton& GetButton(TitleButton button) { return m_buttons[int(button)]; }
    const RECT& GetButtonRect(TitleButton button) const { return m_rects[int(button)]; }
    const RECT& GetText2Rect() const { return m_text2Rect; }
    const CTextBuffer& GetCaptionText() const { return m_captionText; }
    const CBitmapDC& GetBackground(bool active) const { return active ? m_activeBackground : m_inactiveBackground; }
    bool IsActive() const { return m_active != 0; }
    bool IsDockButtonEnabled() const { return m_dockButtonEnabled != 0; }
    int GetDockImageId() const { return m_dockImageId; }
    int GetMaximizeImageId() const { return m_maximizeImageId; }

private:
    void QueryMetrics();
    bool IsButtonVisible(TitleButton button) const;
    void SendButton(TitleButton button, int code, int p1, void* p2);
    void SetBackground(CBitmapDC& background, const CBitmapDC& bitmap);
    void DrawTexts(CBitmapDC& surface, const int* style);

    CPushButton m_buttons[kButtonCount];
    uint8_t m_hasIcon;
    CBitmapDC m_iconActive;
    CBitmapDC m_iconInactive;
    int32_t m_dockButtonEnabled;
    int32_t m_dockImageId;
    int32_t m_maximizeImageId;
    RECT m_rects[kButtonCount];
    RECT m_text2Rect;
    uint8_t m_created;
    int32_t m_active;
    const CBitmapDC* m_captionIcon;
    uint8_t m_shown;
    CControlContainer* m_container;
    CBitmapDC m_activeBackground;
    CBitmapDC m_inactiveBackground;
    CTextBuffer m_captionText;
    CTextBuffer m_text2;
    CTextPainter m_painter;
    SkinFrameMetrics m_metrics;
    uint8_t m_closable;
    uint8_t m_maximizable;
    uint8_t m_minimizable;
};
