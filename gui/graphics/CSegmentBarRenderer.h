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
    static const int kSegmentCount = 4;
    static const int kGradientCount = 8;
    static const int kFullValue = 1000;
    static const int kNoPeak = -1;

    CSegmentBarRenderer();
    ~CSegmentBarRenderer() override;

    BarRendererType GetType() const override { return BarRendererType::Segment; }
    void Draw(CBitmapDC& surface) override { Render(surface, Redraw::All); }
    // Only the lines across the bar whose pixels differ from the last drawing.
    void DrawOver(CBitmapDC& surface) override { Render(surface, Redraw::Changes); }
    void OnLayout() override { RebuildGradients(); }

    // All 18 tables at the bar's length; owners call it after changing stops.
    void RebuildGradients();
    // Offset along the bar of a value's edge, or -1 for a negative value.
    int ValueToPixel(int value) const;
    // A segment's level as last drawn, in thousandths.
    int GetDisplayedLevel(int segment) const { return m_displayed[segment] >> kLevelShift; }

    int values[kSegmentCount];           // 100, 0, 0, 0
    int peakValue;                       // kNoPeak
    float peakThickness;                 // share of the bar's width; 0.15
    int peakGradient;                    // index into the active set; negative: peakColor
    int peakMinThickness;                // pixels; 2
    int peakMaxThickness;                // pixels; 999
    uint32_t peakColor;                  // pixel value
    int segmentGradient[kGradientCount]; // per segment (the first four used); 0..7
    CColorGradient gradients[kGradientCount];
    CColorGradient alternateGradients[kGradientCount];
    CColorGradient background;
    CColorGradient alternateBackground;
    bool useAlternate;            // draw from the alternate set and background
    bool invert;                  // grow the other way
    int bevel[kSegmentCount + 1]; // BevelStyle per segment, then the peak mark
    int decayStep[kSegmentCount]; // fall per draw in 1/16 thousandths; 0 follows at once
    int ownerKey;                 // the owner's own; 0, never read here

private:
    static const int kLevelShift = 4;               // displayed levels carry four fraction bits
    static const int kMaxFills = kSegmentCount + 2; // the background, the segments, the peak mark

    enum class Redraw { All, Changes };
    struct Span {
        int from, to;
    };
    // One span filled from a gradient (or in a plain colour) and bevelled in an
    // effective style (0: none); later fills cover earlier ones line by line.
    struct Fill {
        Span span;
        const CColorGradient* gradient;
        unsigned revision;
        uint32_t color;
        int style;
    };
    // The fills of one draw and where they went.
    struct Drawing {
        const uint32_t* bits;
        int width, height;
        int axisPosition, axisLength, crossPosition, crossLength;
        bool vertical;
        int count;
        Fill fills[kMaxFills];
    };
    // What a line across the bar shows: the fill on top and the line's place
    // among its bevelled edge lines.
    struct LineLook {
        const CColorGradient* gradient;
        unsigned revision;
        uint32_t color;
        int style, lead, trail;
        bool operator==(const LineLook& o) const;
    };

    void Render(CBitmapDC& surface, Redraw redraw);
    void AddFill(Drawing& drawing, Span span, const CColorGradient* gradient, uint32_t color, int style) const;
    void CollectFromEnd(Drawing& drawing, const int p[], int top, const CColorGradient* const segments[],
                        const CColorGradient* peak, const CColorGradient& back) const;
    void CollectFromStart(Drawing& drawing, const int p[], int top, const CColorGradient* const segments[],
                          const CColorGradient* peak, const CColorGradient& back) const;
    static bool SamePlace(const Drawing& a, const Drawing& b);
    static LineLook LookOf(const Drawing& drawing, int o);
    // Redraws the runs of lines that look different in next than in m_drawn.
    void DrawDifferences(CBitmapDC& surface, const Drawing& next);
    // Every fill of drawing, on the lines of window only.
    void Replay(CBitmapDC& surface, const Drawing& drawing, Span window);
    void FillLines(CBitmapDC& surface, const Fill& fill, Span window) const;
    void Bevel(CBitmapDC& surface, Span span, int style, Span window) const;
    // The pixel at offset o along the bar and a across it; null outside the surface.
    uint32_t* PixelAt(CBitmapDC& surface, int o, int a) const;
    bool GrowsFromEnd() const { return invert == m_geometry.vertical; }
    int PeakThickness() const;

    int m_displayed[kSegmentCount];
    Drawing m_drawn;    // the last draw; no bits before the first
    Span m_changedSpan; // of the lines the draw in progress replayed
};
