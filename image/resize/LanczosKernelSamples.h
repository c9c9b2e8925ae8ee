#pragma once
// Lanczos-3 kernel L(x) = 3 sin(pi x) sin(pi x / 3) / (pi x)^2 sampled at x = i / 100, i = 0..300,
// followed by one extra 0 so that the clamped weight form may read entry 301.
constexpr int kLanczosSampleCount = 302;
extern const float LanczosKernelSamples[kLanczosSampleCount];
