#include "FakeClock.h"
#include "tests/signal/Signals.h"
#include "bench/Clock.h"
#include "analysis/Meter.h"
