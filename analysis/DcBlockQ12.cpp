#include "analysis/DcBlockQ12.h"
#include "analysis/OnePoleCascade.h"
#include "analysis/Saturate.h"

bool DcBlockQ12(OnePoleCascade* record, int32_t* samples, int count)
{
    if (!record || !samples || count < 0)
        return false;
    int32_t s = record->state[0];
    for (int i = 0; i < count; ++i) {
        // Wide intermediates: the input gain can push samples far beyond 16 bits.
        const int64_t x = static_cast<int64_t>(samples[i]) * 1024;
        s = SaturateInt32(s + ((x - s + 2048) >> 12));
        samples[i] = SaturateInt32((x - s) >> 10);
    }
    record->state[0] = s;
    return true;
}
