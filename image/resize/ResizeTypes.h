#pragma once
// Interpolation codes, pixel types and statuses of the image resize.
#include "signal/DspTypes.h"

enum ResizeInterpolation : int {
    InterpNearest = 1,
    InterpLinear = 2,
    InterpCubic = 4,
    InterpSuper = 8,
    InterpLanczos = 16,
};

enum ResizePixelType : int { PixelType8u = 0, PixelType16u = 1, PixelType32f = 2 };

// Statuses of the resize beyond the library's common ones.
enum : LibStatus {
    StatusDataTypeError = -12,
    StatusChannelError = -53,
};
