#pragma once
// Image geometry, interpolation codes and statuses shared by the resize functions.
#include <cstdint>

struct ImageSize {
  int32_t width;
  int32_t height;
};

struct ImageRect {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

enum ResizeInterpolation : int {
  InterpNearest = 1,
  InterpLinear = 2,
  InterpCubic = 4,
  InterpSuper = 8,
  InterpLanczos = 16,
};

enum ResizePixelType : int { PixelType8u = 0, PixelType16u = 1, PixelType32f = 2 };

using LibStatus = int;

enum ResizeStatusCode : int {
  StatusOk = 0,
  StatusSizeError = -6,
  StatusNullPointer = -8,
  StatusNoMemory = -9,
  StatusDataTypeError = -12,
  StatusStepError = -14,
  StatusInterpolationError = -22,
  StatusResizeFactorError = -23,
  StatusChannelError = -53,
  StatusNoIntersection = 29,
};
