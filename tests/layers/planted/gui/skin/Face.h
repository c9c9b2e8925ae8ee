#include "gui/graphics/Surface.h"
// #include "gui/controls/Button.h"
#include "../window/Frame.h"
