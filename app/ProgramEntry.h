#pragma once
#include <windows.h>

// Makes the application and its main window; false when the main window
// could not be created. The program passes InitInstance; tests pass their own.
typedef bool (*InstanceStart)(HINSTANCE instance, int showCommand);

// The entry function's work: start, then (only when start succeeded) the
// message loop with accelerator table IDC_QUILLMERE until the quit message.
// Returns the quit message's code, or 0 when start failed.
int RunProgram(HINSTANCE instance, int showCommand, InstanceStart start);

// The plain get, translate, dispatch loop; the quit message's code.
int RunMessageLoop(HACCEL accelerators);
