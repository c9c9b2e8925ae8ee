#include "analysis/Sse2KernelsSelected.h"
#include "signal/DspRegistry.h"
#include <gtest/gtest.h>

// A variant below SSE2, or a loaded module's, must never reach SSE2 instructions.
TEST(Sse2KernelsSelected, OnlyTheSse2AndSse3VariantsRunThem)
{
    const struct {
        int variant;
        bool sse2;
    } cases[] = {
        {VariantDll, false}, {VariantGeneric, false}, {VariantSse, false}, {VariantSse2, true}, {VariantSse3, true}};
    for (const auto& c : cases) {
        dspsStoreVariant(c.variant);
        EXPECT_EQ(c.sse2, Sse2KernelsSelected()) << c.variant;
    }
    dspsStoreVariant(VariantGeneric);
}
