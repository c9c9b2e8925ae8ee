#pragma once
#include "gui/controls/CSkinControl.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/skin/CBorderFrame.h"
#include "gui/skin/CTextBuffer.h"
#include "gui/CObjectBase.h"
#include "gui/ToolkitConventions.h"
#include <cstdint>
#include <string>

// How an unframed face is finished after the brightness.
enum class StaticTextLook : int32_t {
    Plain = 0,
    Darkened = 1, // every channel x 210/256
    Marked = 2    // filled with pixel 0x00FF0000
};

// The record of CStaticTextControl::Create, copied whole.
struct StaticTextParams {
    StaticTextParams();

    ControlPlacement place; // its container gives the skin and the default background
    uint8_t visible = 1;
    // The face drawn behind the text; its set's insets place the text (and,
    // framed, give the border widths). 0: the background alone.
    int32_t kind = 0;
    CListener* listener = nullptr; // null: notifications go up to the container
    CTextBuffer text;
    std::string secondText; // when not empty, drawn right-aligned over the text with its record
    uint8_t dragAnywhere = 0;
    StaticTextLook look = StaticTextLook::Plain; // unframed only
    std::string toolTipText;
    // Null: the parent's back bitmap at (x, y), or without a parent the
    // container's surface at the control's place.
    const CBitmapDC* background = nullptr;
    int32_t sourceX = 0;
    int32_t sourceY = 0;
    int32_t brightness = kUnity; // unframed only: channels x brightness/256; 0 = unchanged
    int32_t marginX = 0;         // more inset of the text on each side
    int32_t marginY = 0;
    uint8_t framed = 0;     // the background copied (or filled) with the skin's border frame over it
    uint8_t fill = 0;       // framed: filled with fillColor instead
    uint8_t tint = 0;       // framed, not filled: the copied background x tintColor's channels / 256
    uint32_t fillColor = 0; // pixel values 0x00RRGGBB
    uint32_t tintColor = 0;
};

// A text (and an optional second, right-aligned text) over a skinned or
// framed face, rendered into a bitmap of its own that the listener-painted
// window copies on every paint. Clicks are reported with kind 14 and id 0
// (the sender identifies the control): left down 2, left up 3, right up 13,
// double click 4. The owner may change the text record at any time through
// GetTextBuffer; a change shows after the next render (set text, bounds).
// GUI thread only.
class CStaticTextControl : public CSkinControl, public CObjectBase {
public:
    static constexpr int32_t kNotifyKind = NotifyKind::StaticText;

    CStaticTextControl();

    // Always 0; renders once.
    int Create(const StaticTextParams& params);
    void Render();

    CTextBuffer* GetTextBuffer() { return &m_params.text; }
    const CBitmapDC& GetBitmap() const { return m_bitmap; }

protected:
    int OnMouse(const MouseEvent& event) override;
    int OnCommand(const CommandEvent& event) override;
    int OnPaintRequest(const PaintRequest& request) override;

private:
    // The element's set for the current size: text insets and border widths.
    bool QueryElement(SkinInsets& insets, SkinInsets& borders, const CSkinImageSet** set);
    void RenderFace();
    void RenderFramedFace();
    void DrawTexts(const SkinInsets& insets);

    StaticTextParams m_params;
    CBitmapDC m_bitmap;
    CBorderFrame m_frame;
};
