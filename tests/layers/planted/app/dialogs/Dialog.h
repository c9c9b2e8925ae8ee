#include "../Settings.h"
#include "../views/Pane.h"
