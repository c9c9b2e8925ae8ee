#pragma once
// The program's once-per-process choice of the library variant.
#include "signal/DspTypes.h"

extern "C" {
// Once per process: forced type from the .ini file, else vendor and features; returns the
// forced selection's status (StatusOk when nothing is forced or on a second call). A forced
// type whose variant the processor cannot run is not honoured: the processor's own choice
// is made and StatusUnknownCpuType returned, as for a code that names no type.
LibStatus SelectDspCpu();
// For tests: lets SelectDspCpu run again and restores the generic variant.
void dspsResetCpuSelection();
}
