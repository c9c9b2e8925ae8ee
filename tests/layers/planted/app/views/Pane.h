#include "app/Settings.h"
#include "app/dialogs/Dialog.h"
#include "gui/Panel.h"
