#pragma once
#include <windows.h>
#include <string>

class CBitmapDC;

enum class BarRendererType : int { Base = 0, Segment = 1, Bitmap = 2 };

// Where the view's layout put a renderer. "Axis" runs along the row of bars
// (x in a horizontal view, y in a vertical one), "cross" along each bar.
struct BarGeometry {
    int axisPosition;
    int axisLength;  // the bar's width in a horizontal view
    int crossLength; // the bar's full length
    int crossPosition;
    bool vertical;    // the view stacks bars along y; they lie flat
    int index;        // place in the view's table
    HDC backgroundDC; // the view's saved background
};

// One bar of a CBarGraphView, which owns it, lays it out and draws it. The
// owner sets the public fields after CBarGraphView::CreateRenderer and before
// CBarGraphView::Layout. GUI thread only.
class CBarRenderer {
public:
    CBarRenderer();
    virtual ~CBarRenderer();
    CBarRenderer(const CBarRenderer&) = delete;
    CBarRenderer& operator=(const CBarRenderer&) = delete;

    virtual BarRendererType GetType() const { return BarRendererType::Base; }
    // Draws into the view's surface (its pixels, DC and size); nothing falls
    // outside it.
    virtual void Draw(CBitmapDC& surface) = 0;
    // As Draw, onto a surface that still holds this renderer's last drawing,
    // so a renderer may draw only what changed.
    virtual void DrawOver(CBitmapDC& surface) { Draw(surface); }
    // Runs at the end of the view's layout, once the geometry is set.
    virtual void OnLayout() {}

    float GetFillFactor() const { return fillFactor * kHundredth; }
    float GetGapWeight() const { return gapWeight * kHundredth; }
    float GetSizeWeight() const { return sizeWeight * kHundredth; }

    const BarGeometry& GetGeometry() const { return m_geometry; }
    void SetGeometry(const BarGeometry& geometry) { m_geometry = geometry; }
    // What the last Draw or DrawOver wrote, in surface pixels; empty when nothing.
    const RECT& GetChanged() const { return m_changed; }

    // Weights in hundredths.
    int fillFactor; // the share of the slot the bar fills; 90
    int gapWeight;  // extra space after the slot; 0
    int sizeWeight; // the slot's share of the free length; 100
    int fixedSize;  // pixels; 0 sizes the slot by weight
    std::string toolTip;

protected:
    static constexpr float kHundredth = 0.01f;
    // The part of the rectangle from crossFrom to crossTo along the bar.
    RECT CrossPart(int crossFrom, int crossTo) const;

    BarGeometry m_geometry;
    RECT m_changed;
};
