#pragma once
// A processor presented through the CPUID seam.
#include "signal/DspCpu.h"

struct FakeCpu {
    bool hasCpuid = true;
    char vendor[13] = "GenuineIntel";
    unsigned maxLeaf = 1;
    unsigned family = 6;
    unsigned edx1 = 0;
    unsigned ecx1 = 0;
    unsigned logicalCount = 1;
    bool longMode = false;

    static const unsigned Mmx = 1u << 23, Sse = 1u << 25, Sse2 = 1u << 26, Ht = 1u << 28;
    static const unsigned Sse3 = 1u;

    // Installs this processor until the object dies.
    void Install();
    ~FakeCpu();
};
