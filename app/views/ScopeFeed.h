#pragma once

class CScopeDisplay;
class CScopeSignalPath;

// The two oscilloscopes fed together: path 0 (left) into display 0, path 1
// (right) into display 1.
struct ScopePair {
    CScopeSignalPath* paths[2];
    CScopeDisplay* displays[2];
};

const int kScopeReadSamples = 1536; // per read and per plot
const int kScopeFullScale = 32768;
const int kScopeLevelLineOffset = 400; // the lower line's extra distance from the centre

// Horizontal advance per sample in 1/256 pixel so that one read spans the
// pane: (width x 256) / 1536 + 1.
int ScopeStep(int paneWidth);

// The level of linesDb - 1.2 dB in 16-bit sample units, truncated. False for a
// level that is not finite or does not fit the sample arithmetic; no line is
// drawn for it.
bool ScopeLineLevel(float linesDb, int* level);

// Once per tick, before either pane shows its display: reads both paths at the
// same moment, so neither ring keeps old samples, and plots each read with
// its two level lines into its display, at the step of pane 1's width. A null
// display is not plotted: nothing shows it. Each pane renders its own display.
// GUI thread; the paths lock their rings.
void FeedScopePair(const ScopePair& pair, int paneWidth, float linesDb);
