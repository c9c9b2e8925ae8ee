#pragma once
struct RealFftSpec;

// Library buffers start zeroed so the first block never reads stale memory.
float* AllocZeroedFloats(int count);
// The transform's work buffer, or none (true, null) when it needs none.
bool AllocFftWork(const RealFftSpec* spec, unsigned char** buffer);
