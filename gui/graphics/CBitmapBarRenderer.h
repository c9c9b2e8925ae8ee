#pragma once
#include "gui/graphics/CBarRenderer.h"
#include "gui/graphics/CBitmapDC.h"

// Bar renderer type Bitmap: a numeric scale (labels every step, optionally grid
// lines) drawn once per layout into a strip of its own; each draw shows the
// part of the strip that the value selects, so the labels slide with a
// reference level. Labels go over the view's saved background through the
// strip colour as a key. The owner sets the public fields before the view's
// layout and the value before each draw. GUI thread only.
class CBitmapBarRenderer : public CBarRenderer {
public:
    enum LabelAlign : int { AlignLeft = 0, AlignCentre = 1, AlignRight = 2, AlignDefault = -1 };

    CBitmapBarRenderer();
    ~CBitmapBarRenderer() override;

    BarRendererType GetType() const override { return BarRendererType::Bitmap; }
    // Draws through the surface's DC; a value that stays put is drawn three
    // more times, then not until it changes.
    void Draw(CBitmapDC& surface) override;
    void OnLayout() override { DrawScale(); }

    // Renders the strip. A scale running downward is shown negated; a step of
    // 0 or less draws the start label alone, a span of 0 no strip at all.
    void DrawScale();
    const CBitmapDC& GetStrip() const { return m_strip; }

    float scaleStart;     // 0
    float scaleEnd;       // -60
    float scaleStep;      // 6
    float scaleSpan;      // 60: the difference of values over the bar's length
    float value;          // the strip's shift, in scale units
    HFONT labelFont;      // DEFAULT_GUI_FONT
    float lowestLabel;    // smaller values get no label; -99999
    int labelInset;       // pixels; 0
    int labelOffset;      // pixels; 10
    bool labelShadow;     // false
    COLORREF labelColor;  // white
    COLORREF shadowColor; // grey 128
    COLORREF stripColor;  // black: the strip's fill and the key left out
    int direction;        // 0 or 1: which end of the bar the start is at
    int extraLength;      // pixels added to the strip (horizontal views)
    int labelAlign;       // LabelAlign
    bool gridLines;       // false

private:
    // Whether start and end are exchanged for this orientation and direction.
    bool Swapped() const;
    void DrawLabels(float start, float end, bool negated);
    void Restore(HDC dc, int crossStart, int crossLength) const;
    static HFONT UnsmoothedCopy(HFONT font);

    CBitmapDC m_strip;
    int m_stripLength;
    HBRUSH m_brush;
    HFONT m_stripFont; // labelFont unsmoothed, selected into the strip
    int m_lastValue;
    int m_unchangedCount;
    UINT m_textAlign;
};
