#pragma once
#include <cstdint>

class CBitmapDC;

// How ApplyToBitmap turns a map value v into pixels. m is v scaled by the
// record's level (256 is unity) and held to 16 bits; "limit" holds to 0..255.
enum class ShadeMode : int {
    Scale = 0,    // each colour byte := limit(m * k >> 16)
    OnBase = 1,   // each colour byte := limit(base colour's byte + m)
    Multiply = 2, // each colour byte := limit(byte * m >> 11), 2048 unity; a
                  // source bitmap's alpha mixes the result with the old byte
    Add = 3,      // each colour byte := limit(byte + m / 8)
    Table = 4     // the whole pixel, alpha included, := a colour ramp at v / 16;
                  // the ramp is level / 16 times k
};

struct ShadeParams {
    ShadeMode mode;
    int k2, k1, k0;       // red, green, blue multipliers in 1/65536 (Scale, Table)
    uint32_t baseColor;   // pixel value 0x00RRGGBB (OnBase)
    int level;            // 256 is unity
    int sourceX, sourceY; // where the source bitmap's region starts (Multiply)
};

// A field of signed 16-bit values that shades a region of a bitmap. The
// values belong to the map; GUI thread only.
class CShadeMap {
public:
    CShadeMap();
    virtual ~CShadeMap();
    CShadeMap(const CShadeMap&) = delete;
    CShadeMap& operator=(const CShadeMap&) = delete;

    // Replaces the values with width x height zeros. Null, and an empty map,
    // for a size below 1 or one the heap cannot supply.
    int16_t* Create(int width, int height);
    void Free();

    // Shades the bitmap's region at (dx, dy) with the map's region at (mx, my);
    // width or height below 0 means the map's. The region is cut to the bitmap
    // and the map on every side. In Multiply mode a source pixel outside the
    // source counts as alpha 0. An empty bitmap or map is left alone.
    void ApplyToBitmap(CBitmapDC* bitmap, const CBitmapDC* source, int dx, int dy, int mx, int my, int width,
                       int height, const ShadeParams& params) const;

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int16_t* GetValues() const { return m_values; }

private:
    int m_width;
    int m_height;
    int16_t* m_values;
};
