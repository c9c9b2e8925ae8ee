#include "Driver.h"
#include "signal/Kernel.h"
