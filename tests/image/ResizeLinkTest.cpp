// A program that reaches the image resize only through the library's entry stub still runs
// the image library's bodies: linking the library is enough to install them.
#include <gtest/gtest.h>

#include <vector>

#include "signal/Dsp.h"

TEST(ResizeLink, EntryRunsTheInstalledBodies)
{
    std::vector<unsigned char> src(16 * 8 * 4);
    for (size_t i = 0; i < src.size(); ++i) {
        src[i] = static_cast<unsigned char>(i * 7);
    }
    std::vector<unsigned char> dst(src.size(), 0);
    ImageSize size = {16, 8};
    ImageRect roi = {0, 0, 16, 8};
    EXPECT_EQ(StatusOk, dspiResize_8u_C4R(src.data(), size, 64, roi, dst.data(), 64, size, 1.0, 1.0, 16));
    EXPECT_EQ(src, dst);
}
