#include "Scale.h"
  #  include "../audio/Driver.h"
