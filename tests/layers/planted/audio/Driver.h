#pragma once
#include "common/Base.h"
