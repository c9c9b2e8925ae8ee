#pragma once

class CBitmapDC;
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

// Scope pane 1's draw request: reads both paths at the same moment, plots
// each read into its display with the step of pane 1's width, draws the two
// level lines into each, and renders display 0 into target. Display 1 is
// rendered on its own pane's request. GUI thread; the paths lock their rings.
void FeedScopePair(const ScopePair& pair, int paneWidth, float linesDb, CBitmapDC& target);
