#pragma once

// Numbers every room of the toolkit shares; one name each.

// Every surface holds 32-bit pixels: bytes blue, green, red, alpha.
constexpr int kBitsPerPixel = 32;
constexpr int kBytesPerPixel = kBitsPerPixel / 8;

// Fixed point for alpha levels, light strengths, skin tints and colour
// scales: 256 is unity, a product drops its low 8 bits.
constexpr int kUnityShift = 8;
constexpr int kUnity = 1 << kUnityShift;
