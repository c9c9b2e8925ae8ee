#pragma once
#include "gui/ToolkitConventions.h"
#include <windows.h>
#include <cstdint>

enum class SurfaceBlend {
    Blend, // the toolkit's alpha blending onto this surface blends
    Copy   // ... copies the source pixels, alpha included
};

enum class SurfaceTrace { Off, On };

// The toolkit's off-screen drawing surface: a memory DC with a top-down DIB
// section selected into it, drawn by GDI through GetDC and by the pixel
// operations through GetBits.
//
// Pixels are 32 bits, rows top-down with no padding (the stride is the width),
// bytes blue, green, red, alpha: read as a word a pixel is 0xAARRGGBB, so a
// COLORREF goes through SwapRedBlue first. Alpha is straight until
// PremultiplyAlpha; the per-pixel AlphaBlend of the toolkit expects premultiplied.
//
// A surface is empty until Create gets a size the system accepts. An empty
// surface has no DC and no pixels; every operation on it does nothing, and a
// size the system refused reads 0 x 0 so that no caller's loop touches pixels.
// DC and pixels stay valid until the next Create or Destroy.
//
// Rects are left, top, right, bottom with right and bottom exclusive, clipped
// to the surface. GUI thread only; owners embed it by value.
class CBitmapDC {
public:
    CBitmapDC();
    ~CBitmapDC();
    CBitmapDC(const CBitmapDC&) = delete;
    CBitmapDC& operator=(const CBitmapDC&) = delete;

    // Releases any earlier section first; writes no pixels. Only 32 bits per
    // pixel are made: any other depth leaves the surface empty.
    void Create(int width, int height, int bitsPerPixel);
    void CreateCopy(const CBitmapDC& source);
    void Destroy();

    bool IsCreated() const { return m_created; }
    uint32_t* GetBits() const { return m_bits; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    HDC GetDC() const { return m_dc; }
    int GetPixelCount() const { return m_width * m_height; }

    // Colours here are raw pixel values, not COLORREFs.
    void Fill(uint32_t color);
    void FillRect(int left, int top, int right, int bottom, uint32_t color);

    // BitBlt of source's (sourceX, sourceY) to (destX, destY). A width or height
    // below 1 means this surface's. False when either surface is empty.
    bool CopyFrom(const CBitmapDC& source, int sourceX, int sourceY, int width, int height, int destX, int destY);

    // Each colour byte := byte * alpha / 255.
    void PremultiplyAlpha();
    void PremultiplyAlphaRect(int left, int top, int right, int bottom);

    // Alpha := alpha * level / 256 (256 is unity and leaves the pixels alone).
    void ScaleAlpha(int level);
    void ScaleAlphaRect(int left, int top, int right, int bottom, int level);

    SurfaceBlend GetBlend() const { return m_blend; }
    void SetBlend(SurfaceBlend blend) { m_blend = blend; }
    void SetTrace(SurfaceTrace trace) { m_trace = trace; }

    // Sections alive in the process: leak tests compare it before and after
    // (GetGuiResources answers 0 under Wine).
    static int GetLiveSectionCount();

private:
    struct Rect {
        int left, top, right, bottom;
    };
    // Clips to the surface and readies the pixels; false when nothing is left.
    bool ClipForPixels(Rect& rect) const;

    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
    uint32_t* m_bits;
    bool m_created;
    int m_width;
    int m_height;
    SurfaceBlend m_blend;
    SurfaceTrace m_trace;
    BITMAPINFO m_info;
};
