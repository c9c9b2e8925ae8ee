#include "analysis/PinkNoiseState.h"
#include <algorithm>

bool InitPinkNoise(PinkNoiseState* state, int rows)
{
    if (!state)
        return false;
    rows = std::min(std::max(rows, 0), PinkNoiseState::kMaxRows);
    state->counter = 0;
    state->mask = static_cast<int32_t>((1u << rows) - 1u);
    state->scale = static_cast<float>(1.0 / ((rows + 1) * 8388608.0));
    std::fill(state->rows, state->rows + rows, 0);
    state->runningSum = 0;
    return true;
}
