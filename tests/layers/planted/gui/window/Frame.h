#include "gui/controls/Button.h"
#include "gui/skin/Face.h"
