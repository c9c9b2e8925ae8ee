#include "gui/Panel.h"
#include "audio/Driver.h"
#include "analysis/Meter.h"
