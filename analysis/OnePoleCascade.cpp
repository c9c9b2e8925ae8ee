#include "analysis/OnePoleCascade.h"
#include <algorithm>

void OnePoleCascade::Init(int32_t coefficientValue, int32_t poleCount)
{
    coefficient = coefficientValue;
    poles = poleCount;
    std::fill(state, state + kMaxPoles, 0);
    shift = 0;
}

bool OnePoleCascade::Process(const int16_t* in, int16_t* out, int count)
{
    if (!in || !out || count < 0 || poles < 1 || poles > kMaxPoles || shift < 0 || shift > 12)
        return false;
    const int32_t c = (coefficient >> 4) & 255;
    // Only the five-pole form rounds up, so it settles exactly on a positive constant.
    const int32_t bias = poles == kMaxPoles ? 255 : 0;
    for (int i = 0; i < count; ++i) {
        int32_t v = static_cast<int32_t>(in[i]) * (1 << (shift + 3));
        for (int k = 0; k < poles; ++k) {
            state[k] += ((v - state[k]) * c + bias) >> 8;
            v = state[k];
        }
        out[i] = static_cast<int16_t>(v >> 3);
    }
    for (int k = 0; k < kMaxPoles; ++k)
        state[k] = std::min(std::max(state[k], -kStateLimit), kStateLimit);
    return true;
}
