#include "common/CMemBlock.h"
#include "common/CRowBuffer.h"
#include <gtest/gtest.h>
#include <cstring>

TEST(MemBlock, GrowsZeroFilledAndNeverShrinks)
{
    CMemBlock b;
    EXPECT_EQ(b.Resize(0), nullptr);
    EXPECT_EQ(b.Resize(-4), nullptr);
    unsigned char* p = b.Resize(100);
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(p[i], 0);
    p[3] = 9;
    EXPECT_EQ(b.Resize(50), p);
    EXPECT_EQ(p[3], 9);
    EXPECT_EQ(b.GetSize(), 100);
    b.Fill(0xAB);
    EXPECT_EQ(p[99], 0xAB);
    p = b.Resize(200);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(b.GetSize(), 200);
    EXPECT_EQ(b.GetDataPtr(), p);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(p[i], 0);
}

TEST(MemBlock, FailedGrowthKeepsTheOldBlock)
{
    CMemBlock b;
    unsigned char* p = b.Resize(64);
    p[0] = 5;
    EXPECT_EQ(b.Resize(0x7FFFFFF0), nullptr);
    EXPECT_EQ(b.GetDataPtr(), p);
    EXPECT_EQ(b.GetCapacity(), 64);
    EXPECT_EQ(b.GetSize(), 64);
    EXPECT_EQ(p[0], 5);
    CMemBlock empty;
    empty.Fill(1);
    EXPECT_EQ(empty.GetDataPtr(), nullptr);
}

TEST(RowBuffer, StrideLeavesSpareBytesAfterEveryRow)
{
    CRowBuffer r;
    EXPECT_EQ(r.Row(0), nullptr);
    unsigned char* base = r.Alloc(256, 12);
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(r.GetStride(), 260);
    EXPECT_EQ(r.Row(11), base + 2860);
    EXPECT_EQ(r.Row(12), nullptr);
    EXPECT_EQ(r.Row(-1), nullptr);
    r.Fill(7);
    EXPECT_EQ(base[3119], 7);
    r.Alloc(3, 1);
    EXPECT_EQ(r.GetStride(), 4);
    r.Alloc(4, 1);
    EXPECT_EQ(r.GetStride(), 8);
}

TEST(RowBuffer, SmallerGeometryKeepsMemoryAndContents)
{
    CRowBuffer r;
    unsigned char* base = r.Alloc(256, 12);
    base[100] = 42;
    EXPECT_EQ(r.Alloc(100, 20), base);
    EXPECT_EQ(r.GetRows(), 20);
    EXPECT_EQ(r.GetStride(), 104);
    EXPECT_EQ(base[100], 42);
}

TEST(RowBuffer, SizesThatCannotBeHadGiveNoRows)
{
    CRowBuffer r;
    EXPECT_EQ(r.Alloc(1 << 20, 1 << 12), nullptr);
    EXPECT_EQ(r.Row(0), nullptr);
    EXPECT_EQ(r.Alloc(-8, 4), nullptr);
    EXPECT_EQ(r.Alloc(16, -1), nullptr);
    EXPECT_EQ(r.GetRows(), 0);
}
