#include <gtest/gtest.h>

#include "image/resize/ResizeVariants.h"

TEST(ResizeCore, Placeholder) { EXPECT_EQ(0, 0); }
