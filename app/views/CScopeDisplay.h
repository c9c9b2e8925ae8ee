#pragma once
#include "common/CMemBlock.h"
#include <windows.h>
#include <cstdint>

class CBitmapDC;
class CImageControl;

// The phosphor colours of every oscilloscope: 8192 pixel values (alpha 255),
// a green ramp over the first 512 entries and its brightest colour beyond.
// Built by the first CScopeDisplay; GUI thread.
const int kScopePaletteSize = 8192;
const uint32_t* ScopePalette();

// One oscilloscope trace as a glowing, decaying intensity image. Plotting adds
// anti-aliased vertical spans between successive samples into a grid of
// intensity cells; each Render shows the cells through ScopePalette and fades
// them, so older traces dim away over a few frames.
//
// Coordinates: horizontal positions in 1/4096 pixel, vertical ones in 1/256
// pixel, row 0 at the top. Cells are 16 bits and saturate at 65535; weights
// and their products are held in wider types, so a large pane never wraps.
// Until SetArea gets a size, plotting, level lines and Render do nothing.
// GUI thread only.
class CScopeDisplay {
public:
    static const int kDecayFactor = 40; // 64ths kept per render
    static const int kShownMax = 8192;  // cell values shown; more looks the same
    static const int kLevelLineCell = 1024;

    CScopeDisplay();
    CScopeDisplay(const CScopeDisplay&) = delete;
    CScopeDisplay& operator=(const CScopeDisplay&) = delete;

    // Only the rectangle's size matters; clears every cell. A size without
    // area, or one whose cells cannot be had, leaves the display unsized.
    void SetArea(int left, int top, int right, int bottom);
    // For a display not rendered for a while, so that the targets it was
    // rendered into hold an old trace: every lit cell drops to a value that
    // shows black through the next few renders, which so paint the old trace
    // out of each target before it fades to 0. Quick when little is lit.
    void Darken();
    void SetIntensity(int value) { m_intensity = value; }
    void SetLevelMargin(int pixels) { m_levelMargin = pixels; }
    void SetBrightnessLimits(int base, int offset, int max, int min);

    // step: distance between samples in 1/256 pixel.
    void PlotBlock(const int16_t* samples, int count, int step, int fullScale);
    // step in 1/4096 pixel; fullScale reaches the edge of the usable height.
    void Plot(const int16_t* samples, int count, int step, int fullScale);
    // One span at x between the vertical positions yA and yB.
    void AddSpan(int x, int weight, int yA, int yB);
    // Raises the row of a sample level to at least kLevelLineCell; a positive
    // level lies below the centre.
    void DrawLevelLine(int level, int fullScale);
    // Into area's top-left corner with a 4-pixel black frame, then fades;
    // only pixels inside area and target are written. Returns the part of
    // the target whose pixels it altered: cells lit or faded since the last
    // render, frame pixels it blackened.
    RECT Render(CBitmapDC& target, const RECT& area);
    RECT Render(CBitmapDC& target);

    bool IsSized() const { return m_sized; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetCellsPerRow() const { return m_cellsPerRow; }
    int GetIntensity() const { return m_intensity; }
    int GetLevelMargin() const { return m_levelMargin; }
    // 0 outside the grid.
    int GetCell(int column, int row) const;

private:
    uint16_t* Row(int row) const { return m_cells + row * m_cellsPerRow; }
    uint32_t* LitRow(int row) const { return m_lit + row * m_litWordsPerRow; }
    // Marks the cell and its right-hand neighbour as possibly lit.
    void MarkPair(int row, int column);
    // Of a segment dy high (1/256 pixel); from the table for all but the steepest.
    int Brightness(int dy) const;
    int BrightnessOfStep(int step) const;
    // Fades the lit cells of a row left of column W and shows those in the
    // columns of shownPart, widening changed by each pixel it alters (the
    // display's corner lies at left, top of the target); non-zero while any
    // cell of the row may be lit.
    uint32_t ShowRow(int row, int W, uint32_t* pixels, const RECT& shownPart, int left, int top, RECT& changed);
    static void Blacken(CBitmapDC& target, const RECT& part, RECT& changed);

    int m_levelMargin;
    int m_decayFactor;
    bool m_sized;
    CMemBlock m_cellBlock;
    uint16_t* m_cells;
    CMemBlock m_rowBlock; // a byte per row: 0 while every cell of it is 0
    uint8_t* m_rowLit;
    CMemBlock m_litBlock; // a bit per cell: 0 while the cell is 0
    uint32_t* m_lit;
    int m_litWordsPerRow;
    int m_cellsPerRow;
    int m_width;
    int m_height;
    int m_intensity;
    int m_brightnessBase;
    int m_brightnessOffset;
    int m_brightnessMax;
    int m_brightnessMin;
    static const int kBrightnessSteps = 512; // dy >> 5 below this: jumps under 64 pixels
    int m_brightnessTable[kBrightnessSteps];
};

// SetArea, then a level margin of 10 pixels and an intensity that grows with
// the area (narrow displays dimmer still).
void SizeScopeDisplay(CScopeDisplay& display, int left, int top, int right, int bottom);
// The display sized to the pane's interior, inside its frame, less margin
// pixels each way.
void FitScopeDisplay(CScopeDisplay& display, const CImageControl& pane, int margin);
