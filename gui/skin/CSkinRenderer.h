#pragma once
#include "gui/graphics/CLightField.h"
#include "gui/skin/CSkin.h"
#include "gui/skin/CSkinFont.h"
#include "gui/skin/CSkinImage.h"
#include "gui/skin/CSkinImageSet.h"
#include "gui/skin/CTextPainter.h"
#include "gui/skin/SkinSetTable.h"

// Strengths a window gives its skin, 256 neutral: values 1 and 2 light the
// buttons (value 1 also tints colour 16), value 3 lights kind 7 and tints
// colours 3, 4, 9 and 10, values 4 and 5 tint the inactive and active caption.
struct SkinParams {
    int values[5];
};

// The whole look of one top-level window. Load decodes the embedded pictures
// into image sets (one per kind of element) and eight named pictures, makes
// the scaled copies, creates the 17 fonts and the colour table. Then every
// control of the window draws through DrawElement: the state's picture is
// stretched to the element, shaded with a band of light, given its level and
// dimming, and blended into the control's bitmap with the overlay and text.
//
// A picture that failed to decode is empty: elements that use it draw nothing.
// Owned by value by its window; GUI thread only (controls draw one at a time,
// sharing the stretch output and the light field).
class CSkinRenderer : public CSkin {
public:
    static const int kColorCount = 16;

    CSkinRenderer();

    // When the window is created; null values keep 256 everywhere. The
    // pictures are decoded at the first call only; later calls (the window
    // created again) renew the values, fonts and colours.
    void Load(const SkinParams* values);

    void DrawElement(const SkinDrawRequest& request) override;
    // Id 1000 and 1007: a part of their picture; 1002..1006 whole; -1 none;
    // every other id a cell of the icon strip (1001 is cell 14). Id 18 asked
    // larger than 16 x 16 becomes 19.
    void GetImageRef(ImageRef& ref) override;
    // Slot 1 picks by size: above 20 the large font (2), 1..13 the small (3),
    // else font 1; the size is first held to the cap and then replaced by the
    // forced size, when set. Slots 2..16 are themselves; any other is font 0.
    CSkinFont* GetFont(int slot, int size) override;
    // The skin queries (SkinQuery); 0 for any other code or a null record.
    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override;

    // 0 = none.
    void SetFontSizeCap(int cap) { m_fontSizeCap = cap; }
    void SetForcedFontSize(int size) { m_forcedFontSize = size; }

    // The set an element kind draws with; buttons (kind 1, icons and unknown
    // kinds) by size: set 5 below 17 pixels either way, set 3 from 21 both
    // ways, set 4 between.
    const CSkinImageSet* ImageSetForKind(int kind, int width, int height) const;
    const CSkinImageSet* GetImageSet(int index) const;
    // Colours 1..16 as pixel values.
    uint32_t GetColor(int index) const;

private:
    static const ShadeParams kLoadedShading;

    struct Area {
        int x, y, w, h;
    };
    void FillSets();
    void FillColors();
    void DrawGeneral(const SkinDrawRequest& request, const CSkinImageSet& set, const Area& a);
    void DrawBasicElement(const SkinDrawRequest& request, const CSkinImageSet& set, const Area& a, bool applyLevel);
    void DrawCheckElement(const SkinDrawRequest& request, const CSkinImageSet& set, const Area& a);
    void DrawIconElement(const SkinDrawRequest& request, const CSkinImageSet& set, const Area& a);
    bool Stretch(const SkinDrawRequest& request, const CBitmapDC* image, const CSkinImageSet& set, int middle,
                 const Area& a);
    void ShadeOutput(const ShadeParams& shading);
    void LightGeneral(const SkinDrawRequest& request, int kind);
    void RestoreBackground(const SkinDrawRequest& request, const Area& a) const;
    void BlendOutput(const SkinDrawRequest& request, const Area& a);
    void AnswerFrameMetrics(SkinFrameMetrics& metrics) const;

    CSkinBlitter m_blitter;
    CLightField m_light;
    CSkinImageSet m_sets[kSkinSetCount];
    ShadeParams m_shading;
    CSkinImage m_holders[8];
    CSkinFont m_fonts[CSkinFont::kSlotCount];
    CTextPainter m_painter;
    SkinParams m_values;
    uint32_t m_colors[kColorCount];
    int m_fontSizeCap;
    int m_forcedFontSize;
};
