#pragma once

class CTopLevelWindow;

// The smallest window that shows the whole title bar.
constexpr int kTitledMinWidth = 170;
constexpr int kTitledMinHeight = 71;

// Hides a shown title bar, or grows the window to the titled minimum
// (top-left corner kept; a minimized window keeps the size it comes back at)
// and shows it; the window then lays out again. Hiding never changes the
// window's size. GUI thread only.
void ToggleTitleBar(CTopLevelWindow& window);
