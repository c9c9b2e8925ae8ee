#include "image/Scale.h"
#include "signal/Kernel.h"
#include "audio/Driver.h"
#include "analysis/Meter.h"
