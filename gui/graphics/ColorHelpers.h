#pragma once
#include <cstdint>

// Colour arithmetic of the drawing code. "Byte 0" is the least significant byte:
// red in a COLORREF (0x00BBGGRR), blue in a pixel value (0x00RRGGBB). Every result
// byte is limited to 0..255, and byte 3 of every result but SwapRedBlue's is 0.

// Bytes 0..2 each times factor (non-negative), truncated toward zero.
uint32_t ScaleColor(uint32_t color, float factor);

// Bytes 0..2: first * fraction + second * (1 - fraction); a fraction of 1 gives first.
uint32_t MixColors(uint32_t first, uint32_t second, float fraction);

// Exchanges bytes 0 and 2 (COLORREF <-> pixel value); bytes 1 and 3 are kept.
uint32_t SwapRedBlue(uint32_t color);

// Bytes 0..2 plus their (non-negative) offsets.
uint32_t AddColorOffsets(uint32_t color, int offset0, int offset1, int offset2);

// Three bytes stored red, green, blue as a pixel value 0x00RRGGBB (0 for none).
uint32_t ColorFromBytes(const uint8_t* bytes);
