#include "common/CMovingAverage.h"
#include <gtest/gtest.h>

TEST(MovingAverage, AveragesTheStoredValuesOfTheWindow)
{
    CMovingAverage m;
    EXPECT_EQ(m.Init(10, 0), 0);
    EXPECT_EQ(m.GetAverage(), 0);
    EXPECT_EQ(m.Push(4), 4);
    m.Reset();
    for (int v = 1; v <= 10; ++v)
        m.Push(v);
    EXPECT_EQ(m.GetAverage(), 5);
    m.Push(11);
    EXPECT_EQ(m.Push(12), 7);
    EXPECT_EQ(m.GetCount(), 10);
    // Negative averages truncate toward zero.
    m.Init(10, 0);
    m.Push(-1);
    EXPECT_EQ(m.Push(-2), -1);
}

TEST(MovingAverage, DelayDropsTheFirstValuesAfterEachReset)
{
    CMovingAverage m;
    m.Init(10, 2);
    EXPECT_EQ(m.Push(5), 0);
    EXPECT_EQ(m.Push(7), 0);
    EXPECT_EQ(m.Push(9), 9);
    m.Reset();
    EXPECT_EQ(m.Push(100), 0);
    EXPECT_EQ(m.Push(100), 0);
    EXPECT_EQ(m.Push(3), 3);
}

TEST(MovingAverage, LargeValuesKeepAnExactSum)
{
    CMovingAverage m;
    m.Init(4, 0);
    for (int i = 0; i < 4; ++i)
        m.Push(2000000000);
    EXPECT_EQ(m.GetAverage(), 2000000000);
}

TEST(MovingAverage, UnusableWindowStoresNothing)
{
    CMovingAverage m;
    EXPECT_EQ(m.Push(5), 0);
    EXPECT_EQ(m.Init(0, 0), 0);
    EXPECT_EQ(m.Push(5), 0);
    m.Init(0x7FFFFFFF, 0);
    EXPECT_EQ(m.GetLength(), 0);
    EXPECT_EQ(m.Push(5), 0);
    m.Init(3, 0);
    EXPECT_EQ(m.Push(6), 6);
}
