#pragma once
#include "common/CMemBlock.h"
#include "gui/graphics/CBarRenderer.h"
#include "gui/graphics/CBitmapDC.h"

class CSegmentBarRenderer;
class CBitmapBarRenderer;

// What an owner asks of a CBarGraphView; Reset hands out one with the
// defaults. Colours are COLORREFs.
struct BarGraphViewDesc {
    int width, height; // of the bitmaps; 512 x 512
    HWND window;       // its client rectangle is the area; null: the fields below
    int areaLeft, areaTop, areaRight, areaBottom;
    int marginLeft, marginTop, marginRight, marginBottom; // 3 each
    int vertical;                                         // 0: bars side by side, upright; else stacked, lying flat
    int capacity;                                         // renderers at most; 64
    int labelColumnWidth;                                 // vertical views
    int labelRowHeight;                                   // horizontal views
    HFONT labelFont;                                      // the stock DEFAULT_GUI_FONT
    int labelShadow;                                      // 1
    COLORREF labelColor;                                  // white
    COLORREF labelShadowColor;                            // grey 128
    COLORREF labelBackground;                             // black
    int labelInset;                                       // from the label column (vertical views); 3
    int labelOffset;                                      // below the bars, or added to the centre (vertical); 2
    int frameAxisBefore, frameCrossBefore;                // group frame margins; 2, 2
    int frameAxisAfter, frameCrossAfter;                  // 3, 3
    int startOffset;                                      // along the axis
    int crossOffset;                                      // across the axis
    int separateBars;                                     // one free pixel between weighted bars; 1
    CBitmapDC* target;                                    // drawn into; null: the view's own back bitmap
};

// How much of the target a Present shows.
enum class PresentScope { Whole, Changes };

enum class BarViewState { Constructed, Reset, Configured, LaidOut, BackgroundSaved };

// Draws frames around groups of bars; the view paints sunken black ones itself.
class CBarFramePainter {
public:
    virtual ~CBarFramePainter();
    virtual void PaintGroupFrame(int left, int top, int right, int bottom) = 0;
};

// A row (or column) of bar renderers laid out over a drawing area and drawn
// into a 32-bit bitmap, with a saved background for the parts the bars leave.
//
// Set-up, repeated whenever the size changes: Reset, edit the description it
// returns, Configure, CreateRenderer per bar (setting its fields), Layout,
// optional frames and labels, SaveBackground. Per update: set the values, then
// Present or DrawInto. Reset and Configure delete every renderer: pointers the
// owner kept are invalid after them. The view owns its renderers and bitmaps.
// GUI thread only.
class CBarGraphView : public CBarFramePainter {
public:
    CBarGraphView();
    ~CBarGraphView() override;

    // Deletes the renderers and hands out the default description to edit.
    BarGraphViewDesc* Reset();
    // 0, or -1 when the capacity is below 1 (nothing changes then) or cannot be
    // had (the renderers are gone then).
    int Configure(const BarGraphViewDesc& desc);
    // Appended to the table; null when it is full or the type is not Segment or Bitmap.
    CBarRenderer* CreateRenderer(BarRendererType type);

    // Null for an index outside the table or a renderer of another type.
    CBarRenderer* GetRenderer(int index) const;
    CSegmentBarRenderer* GetSegmentRenderer(int index) const;
    CBitmapBarRenderer* GetBitmapRenderer(int index) const;
    int GetRendererCount() const { return m_count; }
    bool Contains(const CBarRenderer* renderer) const;
    // The first renderer whose rectangle holds the bitmap point, or null.
    CBarRenderer* HitTest(int x, int y) const;

    void Layout();
    // Frames around runs of segment bars of equal size weight without a gap.
    void PaintGroupFrames(CBarFramePainter& painter);
    // A label for the renderers first..last; the answer of the last text call
    // (false for indexes outside the table or before Layout). A label under
    // the bars is centred below them but kept whole inside the area.
    bool DrawLabel(int first, int last, const char* text);
    bool SaveBackground();
    // Every renderer into bitmap, at any state.
    void DrawInto(CBitmapDC& bitmap);
    // From Layout on: every renderer into the target, then, with a dc, the
    // target shown at the area's top left. Always 0. Into the view's own back
    // bitmap, which only the view and its renderers write, the renderers draw
    // over their last Present: layout, labels, frames and handing out the
    // target make the next one draw in full. Changes shows in dc only the
    // part the renderers drew over their last Present (all after a full draw).
    int Present(HDC dc, PresentScope scope = PresentScope::Whole);
    // The part of dc the last Present wrote; empty when nothing.
    const RECT& GetPresented() const { return m_presented; }
    // Deletes the renderers and empties the table.
    void DeleteRenderers();
    void PaintGroupFrame(int left, int top, int right, int bottom) override;

    BarViewState GetState() const { return m_state; }
    // As the last Configure took it.
    const BarGraphViewDesc& GetDescription() const { return m_desc; }
    // The caller may draw into it: the next Present draws every renderer in full.
    CBitmapDC* GetTarget() const
    {
        m_backHoldsBars = false;
        return m_target;
    }
    const RECT& GetArea() const { return m_area; }

private:
    CBarRenderer** Table() const { return reinterpret_cast<CBarRenderer**>(m_table.GetDataPtr()); }
    void PlaceRenderers();
    // Where the centre of a label in dc's font goes, near centre.
    int CentreInsideArea(HDC dc, int centre, const char* text, UINT length) const;

    CBitmapDC m_back;
    CBitmapDC m_background;
    RECT m_area;
    BarViewState m_state;
    BarGraphViewDesc m_desc;
    BarGraphViewDesc m_defaults;
    CMemBlock m_table;
    int m_capacity;
    int m_count;
    int m_labelX;
    int m_labelY;
    CBitmapDC* m_target;
    RECT m_presented;
    mutable bool m_backHoldsBars; // the back bitmap holds the last Present and nothing drawn since
};
