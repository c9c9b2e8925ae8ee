#pragma once
// Library memory: 32-byte aligned blocks, released with dspsFree only.

extern "C" {
// len elements of elementSize bytes; null for len < 1 or a size that cannot exist.
void* dspsAlignedMalloc(int len, int elementSize);
}
