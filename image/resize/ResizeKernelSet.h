#pragma once
// One processor variant's kernel table and supersampling kernels, built from its arithmetic.
// Included only by the processor-variant files (internal linkage).
#include <cstdint>

#include "image/resize/CubicResize.h"
#include "image/resize/LanczosResize.h"
#include "image/resize/LinearResize.h"
#include "image/resize/NearestResize.h"
#include "image/resize/ResizeJob.h"
#include "image/resize/SuperResize.h"

namespace {

template <class A>
struct ResizeKernelSet {
    static constexpr ResizeRowLoop kKernels[kResizeKernelCount] = {
        &ResizeLanczosC3C4<A, uint8_t>, &ResizeLanczosC3C4<A, uint16_t>, &ResizeLanczosC3C4<A, float>,
        &ResizeLanczosC1<A, uint8_t>,   &ResizeLanczosC1<A, uint16_t>,   &ResizeLanczosC1<A, float>,
        &ResizeCubicC3C4<A, uint8_t>,   &ResizeCubicC3C4<A, uint16_t>,   &ResizeCubicC3C4<A, float>,
        &ResizeCubicC1<A, uint8_t>,     &ResizeCubicC1<A, uint16_t>,     &ResizeCubicC1<A, float>,
        &ResizeLinearC3C4<A, uint8_t>,  &ResizeLinearC3C4<A, uint16_t>,  &ResizeLinearC3C4<A, float>,
        &ResizeLinearC1<A, uint8_t>,    &ResizeLinearC1<A, uint16_t>,    &ResizeLinearC1<A, float>,
        &ResizeNearest<A, uint8_t, 3>,  &ResizeNearest<A, uint16_t, 3>,  &ResizeNearest<A, uint32_t, 3>,
        &ResizeNearest<A, uint8_t, 1>,  &ResizeNearest<A, uint16_t, 1>,  &ResizeNearest<A, uint32_t, 1>,
        &ResizeNearest<A, uint8_t, 4>,  &ResizeNearest<A, uint16_t, 4>,  &ResizeNearest<A, uint32_t, 4>,
    };

    static constexpr SuperKernel kSuper[kSuperKernelCount] = {
        &ResizeSuper<A, uint8_t, 1>,  &ResizeSuper<A, uint8_t, 3>,  &ResizeSuper<A, uint8_t, 4>,
        &ResizeSuper<A, uint16_t, 1>, &ResizeSuper<A, uint16_t, 3>, &ResizeSuper<A, uint16_t, 4>,
        &ResizeSuper<A, float, 1>,    &ResizeSuper<A, float, 3>,    &ResizeSuper<A, float, 4>,
    };

    static constexpr ResizeVariant kVariant = {kKernels, &A::LanczosWeights, kSuper, A::kLanczosExtras};
};

} // namespace
