#pragma once
#include <windows.h>
#include <vector>

// The z-order of this program's own shown top-level windows (those not above
// all). GUI thread.

// Top first, without the one given.
std::vector<HWND> OwnWindowsTopFirst(HWND except = nullptr);

// The program's other shown windows go above its main window, as an owner's
// windows would, in their own order: none is left under the main window.
void RaiseOwnWindowsAbove(HWND main);
