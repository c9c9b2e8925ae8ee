#pragma once
#include "gui/graphics/CBitmapDC.h"
#include <cstdint>

// Decodes PNG blobs held in memory (the embedded skin pictures) into a 32-bit
// surface: top-down rows, bytes blue, green, red, alpha, straight alpha. Palette,
// grey and 16-bit pictures are expanded or reduced to that; a transparency chunk
// becomes alpha, and a picture with neither alpha nor one gets 255.
//
// One holder decodes many blobs in turn; each decode replaces the picture. A
// failed decode leaves the surface empty (it draws nothing) and traces one
// "PNG ERROR" line. The blob must outlive the call only. GUI thread only.
class CSkinImage {
public:
    CSkinImage();
    ~CSkinImage() = default;
    CSkinImage(const CSkinImage&) = delete;
    CSkinImage& operator=(const CSkinImage&) = delete;

    // 0 on success, -1 on failure (no PNG, corrupt or truncated, out of memory).
    int DecodePngImage(const void* blob, uint32_t length);

    const CBitmapDC& GetImage() const { return m_image; }

    // Decodes started in the process, for tests and benchmarks.
    static int GetDecodeCount();

    // The read cursor libpng's callbacks work on.
    struct Cursor {
        const uint8_t* data;
        uint32_t position;
        uint32_t size;
    };

private:
    Cursor m_cursor;
    CBitmapDC m_image;
};
