#include "analysis/Sse2KernelsSelected.h"
#include "signal/DspCpu.h"

bool Sse2KernelsSelected()
{
    return dspsCurrentVariant() >= VariantSse2;
}
