#pragma once
#include <windows.h>
#include <vector>

// The z-order of this program's own shown top-level windows. GUI thread.

// Which of them count: those not above all, or those with a minimize box (the
// user's windows, above all, docked or not; a menu, list or tip has none).
enum class OwnWindows { NotTopmost, Minimizable };

// Top first, without the one given.
std::vector<HWND> OwnWindowsTopFirst(HWND except = nullptr, OwnWindows kind = OwnWindows::NotTopmost);

// The program's other shown windows go above its main window, as an owner's
// windows would, in their own order: none is left under the main window.
void RaiseOwnWindowsAbove(HWND main);
