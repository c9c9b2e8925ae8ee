#pragma once
#include "signal/Kernel.h"
