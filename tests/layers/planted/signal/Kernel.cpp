#include "signal/Kernel.h"
// #include "audio/Driver.h" is text, not an include

#include "analysis/Meter.h"
