#pragma once
// The program's once-per-process choice of the library variant.

extern "C" {
// Once per process: forced type from the .ini file, else vendor and features.
void SelectDspCpu();
// For tests: lets SelectDspCpu run again and restores the generic variant.
void dspsResetCpuSelection();
}
