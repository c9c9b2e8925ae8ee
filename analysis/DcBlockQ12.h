#pragma once
#include <cstdint>

struct OnePoleCascade;

// The input DC blocker: a one-pole high-pass with coefficient 1/4096, in place
// on 32-bit samples at 16-bit scale, its state in the record's first stage.
bool DcBlockQ12(OnePoleCascade* record, int32_t* samples, int count);
