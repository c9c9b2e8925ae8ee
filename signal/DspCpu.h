#pragma once
// Processor identification and the choice of the variant every library call runs.
#include "signal/DspTypes.h"

enum CpuType {
    CpuDll = -1,
    CpuUnknown = 0,
    CpuFamily5 = 1,
    CpuFamily5Mmx = 2,
    CpuFamily6 = 3,
    CpuFamily6Mmx = 4,
    CpuFamily6Sse = 5,
    CpuFamily15Sse2 = 6,
    CpuFamily15Sse2Ht = 7,
    CpuFamily15Sse3 = 8,
    CpuFamily6Sse2 = 9,
    CpuFamily7 = 16,
    CpuFamily15NoSse2 = 17,
    CpuFamily15Sse3LongMode = 32,
};

// .ini value of "ForceCpuType" that stands for "not forced".
const int CpuTypeNotForced = 57347538;

struct CpuFeatureRecord {
    int family;
    int mmx;
    int sse;
    int sse2;
    int hyperThreading;
    int sse3;
    int longMode;
};

struct LibVersion {
    int major;
    int minor;
    int build1;
    int build2;
    char target[4];
    const char* name;
    const char* version;
    const char* buildDate;
};

struct CpuidRegisters {
    unsigned eax;
    unsigned ebx;
    unsigned ecx;
    unsigned edx;
};

// Where CPUID answers come from; tests present any processor through it.
struct CpuidSource {
    int (*hasCpuid)();
    void (*query)(unsigned leaf, CpuidRegisters* out);
};

extern "C" {
// Null restores the processor's own CPUID.
void dspsSetCpuidSource(const CpuidSource* source);

int dspsHasCpuid();
// CPUID through the current source; all zero when there is no CPUID.
void dspsCpuid(unsigned leaf, CpuidRegisters* out);
int dspsIsGenuineIntel();
void dspsReadCpuFeatures(CpuFeatureRecord* record);
int dspsGetCpuType();
LibStatus dspsSelectCpuType(int cpuType);
// Non-zero when the processor has every feature the type's variant uses (the external
// modules and unknown codes are not judged here).
int dspsCpuCanRunType(int cpuType);
LibStatus dspsSelectBestCpu();
// The CpuVariant every entry runs now (VariantGeneric until a selection).
int dspsCurrentVariant();
const LibVersion* dspsCoreVersion();
}
