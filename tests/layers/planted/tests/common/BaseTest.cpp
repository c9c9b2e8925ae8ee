#include "common/Base.h"
#include "tests/signal/Signals.h"
