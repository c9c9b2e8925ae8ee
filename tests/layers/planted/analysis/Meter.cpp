#include "Meter.h"
#include "common/Base.h"
#include "tests/analysis/FakeClock.h"
#include "image/Scale.h"
