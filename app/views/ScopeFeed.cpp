#include "app/views/ScopeFeed.h"
#include "analysis/CScopeSignalPath.h"
#include "app/views/CScopeDisplay.h"
#include <climits>
#include <cmath>
#include <cstdint>

namespace {
const int kSubPixel = 256;
const double kLineOffsetDb = 1.2;
const double kDbToPower = 0.05; // 1 / 20
// The highest level whose lower line, -400 - L, still fits an int.
const double kHighestLevel = double(INT_MAX - kScopeLevelLineOffset);

void DrawLevelLines(CScopeDisplay& display, bool lines, int level)
{
    if (!lines)
        return;
    display.DrawLevelLine(level, kScopeFullScale);
    display.DrawLevelLine(-kScopeLevelLineOffset - level, kScopeFullScale);
}
} // namespace

int ScopeStep(int paneWidth)
{
    return int(int64_t(paneWidth) * kSubPixel / kScopeReadSamples) + 1;
}

bool ScopeLineLevel(float linesDb, int* level)
{
    if (!std::isfinite(linesDb))
        return false;
    const double l = std::pow(10.0, (double(linesDb) - kLineOffsetDb) * kDbToPower) * kScopeFullScale;
    if (!(l >= 0.0 && l <= kHighestLevel))
        return false;
    *level = int(l);
    return true;
}

void FeedScopePair(const ScopePair& pair, int paneWidth, float linesDb)
{
    int16_t reads[2][kScopeReadSamples] = {};
    for (int k = 0; k < 2; ++k)
        if (pair.paths[k])
            pair.paths[k]->ReadForDisplay(reads[k], kScopeReadSamples);
    const int step = ScopeStep(paneWidth);
    int level = 0;
    const bool lines = ScopeLineLevel(linesDb, &level);
    for (int k = 0; k < 2; ++k) {
        CScopeDisplay* display = pair.displays[k];
        if (!display)
            continue;
        display->PlotBlock(reads[k], kScopeReadSamples, step, kScopeFullScale);
        DrawLevelLines(*display, lines, level);
    }
}
