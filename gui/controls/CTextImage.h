#pragma once
#include "gui/graphics/CBitmapDC.h"
#include "gui/skin/CSkinBlitter.h"
#include "gui/skin/CTextBuffer.h"
#include "gui/CObjectBase.h"
#include <cstdint>
#include <string>

class CSkinRenderer;

// What a control asks its label to be, for each render.
struct TextImageRequest {
    int32_t x = 0; // the control's rectangle; only the size is read
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint8_t icon = 0;       // the label shows the skin's picture iconId
    int32_t iconId = -1;    // an id the skin does not know gives no icon
    uint8_t option = 0;     // carried for the control, not read
    float iconScale = 1.0f; // on top of the fitted size
    uint8_t disabled = 0;
    std::string text;
    std::string secondText; // drawn when the text does not fit
    // ThreeColumns: an indicator stands at middle, the label keeps left of it.
    StretchMode stretchMode = StretchMode::Corners;
    int32_t middle = 0;
    CSkinRenderer* skin = nullptr;
};

// The label of a button-like control: an optional icon from the skin as two
// premultiplied pictures of the control's size (normal, and pressed: one
// pixel lower right and a little darker), and a text record laid out inside
// the face's content margins. The control hands a picture to its face as
// content and the record as the face's text. An icon is fitted to the room
// and never enlarged; a disabled one is half transparent. GUI thread only.
class CTextImage : public CObjectBase {
public:
    CTextImage() = default;
    CTextImage(const CTextImage&) = delete;
    CTextImage& operator=(const CTextImage&) = delete;

    void Render(const TextImageRequest& request);
    // 0 the normal picture, any other index the pressed one.
    CBitmapDC* GetImage(int index) { return index ? &m_pressed : &m_normal; }
    CTextBuffer* GetTextBuffer() { return &m_text; }
    RECT GetTextRect() const;

private:
    struct Icon;
    void RenderIcon(const TextImageRequest& request, const SkinInsets& margin, int leftInset);
    void LayOutText(const TextImageRequest& request, const SkinInsets& margin);

    CBitmapDC m_normal;
    CBitmapDC m_pressed;
    CTextBuffer m_text;
};
