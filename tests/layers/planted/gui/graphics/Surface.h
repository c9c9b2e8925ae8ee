#include "gui/Base.h"
#include "gui/skin/Face.h"
#include "common/Base.h"
