#pragma once
// Types shared by every signal-processing library function and its callers.

typedef int LibStatus;

enum : LibStatus {
    StatusOk = 0,
    StatusSizeError = -6,
    StatusNullPointer = -8,
    StatusNoMemory = -9,
    StatusStepError = -14,
    StatusFftOrderError = -15,
    StatusFftFlagError = -16,
    StatusWrongSpec = -17,
    StatusInterpolationError = -22,
    StatusResizeFactorError = -23,
    StatusTonePhaseError = -44,
    StatusToneFrequencyError = -45,
    StatusToneMagnitudeError = -46,
    StatusNotIntelCpu = 20,
    StatusUnknownCpuType = 21,
    StatusNoFunctionsRegistered = 22,
    StatusDllNotUsed = 23,
    StatusNoIntersection = 29,
    // dspiResize_8u_C4R in a program that did not link the image library: its
    // bodies were never installed. Apart from every status the library shares.
    StatusResizeNotLinked = -100,
};

// Complex float: real part first, interleaved in vectors.
struct Dsp32fc {
    float re;
    float im;
};

struct ImageSize {
    int width;
    int height;
};

struct ImageRect {
    int x;
    int y;
    int width;
    int height;
};

// Defined by the real FFT; callers hold it by pointer only.
struct RealFftSpec;

// Scaling flags of dspsFFTInitAlloc_R_32f, N the transform's real length.
enum FftFlag {
    FftScaleForward = 1,  // forward result times 1/N
    FftScaleInverse = 2,  // inverse result times 1/N
    FftScaleBothSqrt = 4, // both times 1/sqrt(N)
    FftScaleNone = 8,
};

// Slots of every VariantTable, and the values of CpuVariantIndex.
enum CpuVariant {
    VariantDll = 0,
    VariantGeneric = 1,
    VariantSse = 2,
    VariantSse2 = 3,
    VariantSse3 = 4,
    VariantSlotCount = 6,
};

// Code pointer as stored in a VariantTable; each stub casts it back to its own type.
typedef void (*DspCode)();

struct VariantTable {
    DspCode slot[VariantSlotCount];
};

struct DispatchDescriptor {
    const char* letter;
    const char* name;
    VariantTable* table;
    DispatchDescriptor* next;
};
