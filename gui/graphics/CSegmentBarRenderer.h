#pragma once
#include "gui/graphics/CBarRenderer.h"
#include "gui/graphics/CColorGradient.h"
#include <cstdint>

// Bevelled edges of a span: a light first line and side, a dark last one.
// Bars lying flat (vertical views) take Deep and Rounded as Half.
enum BevelStyle : int {
    BevelNone = 0,
    BevelHalf = 1,    // light edge half way to white
    BevelQuarter = 2, // ... a quarter of the way
    BevelEighth = 3,  // ... an eighth
    BevelDeep = 4,    // two lines each side
    BevelRounded = 5  // three lines each side
};

// Bar renderer type Segment: up to four stacked segments, each painted from a
// colour gradient, the empty part above them from a background gradient, a
// peak mark, a fall-back per segment and bevelled edges. Values are
// thousandths of the bar's length (above 1000 counts as 1000, negative hides
// the segment). The owner writes the public fields; the renderer changes only
// its displayed levels and, at layout, the bevel of bars too thin for one.
//
// Gradient tables are built at layout at the bar's length; a renderer copies
// equal tables from the renderer that built last (one process-wide pointer
// under a process-wide mutex). GUI thread only.
class CSegmentBarRenderer : public CBarRenderer {
public:
    static const int SegmentCount = 4;
    static const int GradientCount = 8;
    static const int FullValue = 1000;
    static const int NoPeak = -1;

    CSegmentBarRenderer();
    ~CSegmentBarRenderer() override;

    BarRendererType GetType() const override { return BarRendererType::Segment; }
    void Draw(CBitmapDC& surface) override;
    void OnLayout() override { RebuildGradients(); }

    // All 18 tables at the bar's length; owners call it after changing stops.
    void RebuildGradients();
    // Offset along the bar of a value's edge, or -1 for a negative value.
    int ValueToPixel(int value) const;
    // A segment's level as last drawn, in thousandths.
    int GetDisplayedLevel(int segment) const { return m_displayed[segment] >> LevelShift; }

    int values[SegmentCount];           // 100, 0, 0, 0
    int peakValue;                      // NoPeak
    float peakThickness;                // share of the bar's width; 0.15
    int peakGradient;                   // index into the active set; negative: peakColor
    int peakMinThickness;               // pixels; 2
    int peakMaxThickness;               // pixels; 999
    uint32_t peakColor;                 // pixel value
    int segmentGradient[GradientCount]; // per segment (the first four used); 0..7
    CColorGradient gradients[GradientCount];
    CColorGradient alternateGradients[GradientCount];
    CColorGradient background;
    CColorGradient alternateBackground;
    bool useAlternate;           // draw from the alternate set and background
    bool invert;                 // grow the other way
    int bevel[SegmentCount + 1]; // BevelStyle per segment, then the peak mark
    int decayStep[SegmentCount]; // fall per draw in 1/16 thousandths; 0 follows at once
    int ownerKey;                // the owner's own; 0, never read here

private:
    static const int LevelShift = 4; // displayed levels carry four fraction bits

    struct Span {
        int from, to;
    };
    void FillSpan(CBitmapDC& surface, Span span, const CColorGradient* gradient, uint32_t color, int style) const;
    void Bevel(CBitmapDC& surface, Span span, int style) const;
    // The pixel at offset o along the bar and a across it; null outside the surface.
    uint32_t* PixelAt(CBitmapDC& surface, int o, int a) const;
    bool GrowsFromEnd() const { return invert == m_geometry.vertical; }
    int PeakThickness() const;
    void DrawFromEnd(CBitmapDC& surface, const int p[], int top, const CColorGradient* const segments[],
                     const CColorGradient* peak, const CColorGradient& back) const;
    void DrawFromStart(CBitmapDC& surface, const int p[], int top, const CColorGradient* const segments[],
                       const CColorGradient* peak, const CColorGradient& back) const;

    int m_displayed[SegmentCount];
};
