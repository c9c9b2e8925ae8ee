#pragma once
// The measurement engine's buffers from library memory: zeroed float vectors, real FFT
// specifications and their work buffers. Each goes back through dspsFree or FreeRealFft.
#include "signal/DspTypes.h"

// Library buffers start zeroed so the first block never reads stale memory.
float* AllocZeroedFloats(int count);
// A real transform of 2^order points, or null.
RealFftSpec* AllocRealFft(int order, FftFlag flag);
// Frees the transform, if any, and forgets it.
void FreeRealFft(RealFftSpec** spec);
// The transform's work buffer, or none (true, null) when it needs none.
bool AllocFftWork(const RealFftSpec* spec, unsigned char** buffer);
