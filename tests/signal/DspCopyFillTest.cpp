#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "VariantBodies.h"
#include "signal/Dsp.h"

namespace {

const unsigned char Guard = 0xA5;
const size_t Margin = 64;

// Byte counts around every size at which some variant changes its kernel.
std::vector<size_t> ThresholdBytes()
{
    const size_t edges[] = {8, 16, 32, 64, 128, 1024, 8192, 16384, 20480, 262144, 524288};
    std::vector<size_t> out;
    for (size_t e : edges)
        for (size_t d = 0; d < 3; ++d)
            out.push_back(e - 8 + d * 8);
    out.push_back(1);
    out.push_back(3);
    out.push_back(524288 + 4096 + 12);
    return out;
}

const int Offsets[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

struct Buffer {
    explicit Buffer(size_t bytes) : data(bytes + 2 * Margin + 64, Guard) {}
    unsigned char* At(int offset)
    {
        std::uintptr_t base = reinterpret_cast<std::uintptr_t>(data.data()) + Margin;
        return reinterpret_cast<unsigned char*>((base + 31) & ~std::uintptr_t(31)) + offset;
    }
    // The destination with 48 bytes either side, wherever the vector lies.
    std::vector<unsigned char> Window(int offset, size_t n)
    {
        unsigned char* p = At(offset);
        return std::vector<unsigned char>(p - 48, p + n + 48);
    }
    std::vector<unsigned char> data;
};

void FillSource(unsigned char* p, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        p[i] = static_cast<unsigned char>(i * 7 + 3);
}

typedef LibStatus (*CopyBody)(const float*, float*, int);
typedef LibStatus (*Copy16Body)(const short*, short*, int);

// Copies n bytes (n a multiple of 4 for floats) with every variant and compares
// the whole destination buffer, guards included, with a plain copy.
void CheckCopy(size_t n, int srcOffset, int dstOffset)
{
    const CopyBody copies[] = DSP_VARIANT_BODIES(dspsCopy_32f);
    const CopyBody moves[] = DSP_VARIANT_BODIES(dspsMove_32f);
    const Copy16Body copies16[] = DSP_VARIANT_BODIES(dspsCopy_16s);
    Buffer src(n);
    FillSource(src.At(srcOffset), n);
    Buffer expected(n);
    std::memcpy(expected.At(dstOffset), src.At(srcOffset), n);
    for (int v = 0; v < 4; ++v) {
        for (int kind = 0; kind < 3; ++kind) {
            Buffer dst(n);
            const void* s = src.At(srcOffset);
            void* d = dst.At(dstOffset);
            LibStatus st;
            if (kind == 0)
                st = copies[v](static_cast<const float*>(s), static_cast<float*>(d), int(n / 4));
            else if (kind == 1)
                st = moves[v](static_cast<const float*>(s), static_cast<float*>(d), int(n / 4));
            else
                st = copies16[v](static_cast<const short*>(s), static_cast<short*>(d), int(n / 2));
            ASSERT_EQ(StatusOk, st);
            ASSERT_TRUE(dst.Window(dstOffset, n) == expected.Window(dstOffset, n))
                << VariantNames[v] << " kind " << kind << " bytes " << n << " offsets " << srcOffset << "/"
                << dstOffset;
        }
    }
}

} // namespace

TEST(DspCopyFill, CopyAndMoveAroundEveryThreshold)
{
    for (size_t n : ThresholdBytes()) {
        size_t bytes = n / 4 * 4;
        if (bytes == 0)
            continue;
        for (int dstOffset : Offsets)
            CheckCopy(bytes, (dstOffset * 5) & 15, dstOffset);
    }
}

TEST(DspCopyFill, LargeCopiesInEveryAliasingBucket)
{
    const size_t n = 262144 + 4096 + 40;
    const std::uintptr_t distances[] = {0,      0x100,  0xFE4F, 0xFE50, 0xFE8C, 0xFEB0,
                                        0xFEFC, 0xFF38, 0xFF39, 0xFFEE, 0xFFEF};
    const CopyBody copies[] = DSP_VARIANT_BODIES(dspsCopy_32f);
    std::vector<unsigned char> src(n + 64), dst(n + 0x20000, Guard);
    for (int srcOffset : {0, 4, 8, 12}) {
        unsigned char* s = reinterpret_cast<unsigned char*>((reinterpret_cast<std::uintptr_t>(src.data()) + 15) &
                                                            ~std::uintptr_t(15)) +
                           srcOffset;
        FillSource(s, n);
        for (std::uintptr_t dist : distances) {
            std::uintptr_t low = (reinterpret_cast<std::uintptr_t>(s) - dist) & 0xFFFF;
            std::uintptr_t base = reinterpret_cast<std::uintptr_t>(dst.data()) + 16;
            std::uintptr_t addr = (base & ~std::uintptr_t(0xFFFF)) | low;
            if (addr < base)
                addr += 0x10000;
            unsigned char* d = reinterpret_cast<unsigned char*>(addr);
            for (int v = 0; v < 4; ++v) {
                std::memset(d - 16, Guard, n + 32);
                ASSERT_EQ(StatusOk,
                          copies[v](reinterpret_cast<const float*>(s), reinterpret_cast<float*>(d), int(n / 4)));
                ASSERT_EQ(0, std::memcmp(d, s, n)) << VariantNames[v] << " distance " << dist;
                for (int g = 1; g <= 16; ++g) {
                    ASSERT_EQ(Guard, d[-g]);
                    ASSERT_EQ(Guard, d[n + g - 1]);
                }
            }
        }
    }
}

TEST(DspCopyFill, OverlappingMovesInBothDirections)
{
    const CopyBody moves[] = DSP_VARIANT_BODIES(dspsMove_32f);
    for (int v = 0; v < 4; ++v) {
        for (int len : {1, 2, 7, 15, 16, 17, 63, 64, 65, 1000, 70000}) {
            for (int shift : {-17, -5, -1, 0, 1, 3, 16, 33}) {
                std::vector<float> buf(len + 80), ref;
                for (size_t i = 0; i < buf.size(); ++i)
                    buf[i] = float(i);
                ref = buf;
                float* s = buf.data() + 40;
                std::memmove(ref.data() + 40 + shift, ref.data() + 40, len * sizeof(float));
                ASSERT_EQ(StatusOk, moves[v](s, s + shift, len));
                ASSERT_TRUE(buf == ref) << VariantNames[v] << " len " << len << " shift " << shift;
            }
        }
    }
}

TEST(DspCopyFill, FillsWriteTheValueBitsEverywhere)
{
    typedef LibStatus (*Set8)(unsigned char, unsigned char*, int);
    typedef LibStatus (*Set32s)(int, int*, int);
    typedef LibStatus (*Set32f)(float, float*, int);
    typedef LibStatus (*Set64f)(double, double*, int);
    const Set8 set8[] = DSP_VARIANT_BODIES(dspsSet_8u);
    const Set32s set32s[] = DSP_VARIANT_BODIES(dspsSet_32s);
    const Set32f set32f[] = DSP_VARIANT_BODIES(dspsSet_32f);
    const Set64f set64f[] = DSP_VARIANT_BODIES(dspsSet_64f);
    const double value64 = -1.0 / 3.0;
    const float value32 = -0.0f; // its sign bit must survive the fill
    const int value32s = 0x12345678;
    for (size_t n : ThresholdBytes()) {
        for (int offset : Offsets) {
            for (int elem : {1, 4, 8}) {
                size_t len = n / elem;
                if (len == 0)
                    continue;
                size_t bytes = len * elem;
                Buffer expected(bytes);
                unsigned char* e = expected.At(offset);
                for (size_t i = 0; i < len; ++i) {
                    const void* value = elem == 1   ? static_cast<const void*>(&Guard)
                                        : elem == 4 ? static_cast<const void*>(&value32s)
                                                    : &value64;
                    std::memcpy(e + i * elem, value, elem);
                }
                for (int v = 0; v < 4; ++v) {
                    for (int kind = 0; kind < (elem == 4 ? 2 : 1); ++kind) {
                        Buffer dst(bytes);
                        unsigned char* d = dst.At(offset);
                        LibStatus st;
                        if (elem == 1)
                            st = set8[v](Guard, d, int(len));
                        else if (elem == 8)
                            st = set64f[v](value64, reinterpret_cast<double*>(d), int(len));
                        else if (kind == 0)
                            st = set32s[v](value32s, reinterpret_cast<int*>(d), int(len));
                        else
                            st = set32f[v](value32, reinterpret_cast<float*>(d), int(len));
                        ASSERT_EQ(StatusOk, st);
                        if (kind == 1) {
                            for (size_t i = 0; i < len; ++i)
                                std::memcpy(e + i * 4, &value32, 4);
                        }
                        ASSERT_TRUE(dst.Window(offset, bytes) == expected.Window(offset, bytes))
                            << VariantNames[v] << " elem " << elem << " len " << len << " offset " << offset;
                        if (kind == 1) {
                            for (size_t i = 0; i < len; ++i)
                                std::memcpy(e + i * 4, &value32s, 4);
                        }
                    }
                }
            }
        }
    }
}

TEST(DspCopyFill, ZeroFillsAroundThresholds)
{
    typedef LibStatus (*Zero8)(unsigned char*, int);
    typedef LibStatus (*Zero32)(float*, int);
    typedef LibStatus (*Zero64)(double*, int);
    const Zero8 zero8[] = DSP_VARIANT_BODIES(dspsZero_8u);
    const Zero32 zero32[] = DSP_VARIANT_BODIES(dspsZero_32f);
    const Zero64 zero64[] = DSP_VARIANT_BODIES(dspsZero_64f);
    for (size_t n : ThresholdBytes()) {
        for (int offset : {0, 3, 4, 8, 13}) {
            for (int elem : {1, 4, 8}) {
                size_t len = n / elem;
                if (len == 0)
                    continue;
                for (int v = 0; v < 4; ++v) {
                    Buffer dst(n);
                    unsigned char* d = dst.At(offset);
                    LibStatus st = elem == 1   ? zero8[v](d, int(len))
                                   : elem == 4 ? zero32[v](reinterpret_cast<float*>(d), int(len))
                                               : zero64[v](reinterpret_cast<double*>(d), int(len));
                    ASSERT_EQ(StatusOk, st);
                    size_t bytes = len * elem;
                    for (size_t i = 0; i < dst.data.size(); ++i) {
                        unsigned char* p = dst.data.data() + i;
                        bool inside = p >= d && p < d + bytes;
                        ASSERT_EQ(inside ? 0 : Guard, *p) << VariantNames[v] << " elem " << elem << " len " << len;
                    }
                }
            }
        }
    }
}

TEST(DspCopyFill, NullPointersBeforeLengths)
{
    float buf[4] = {1, 2, 3, 4};
    const CopyBody copies[] = DSP_VARIANT_BODIES(dspsCopy_32f);
    const CopyBody moves[] = DSP_VARIANT_BODIES(dspsMove_32f);
    typedef LibStatus (*Set32f)(float, float*, int);
    const Set32f sets[] = DSP_VARIANT_BODIES(dspsSet_32f);
    typedef LibStatus (*Zero32)(float*, int);
    const Zero32 zeros[] = DSP_VARIANT_BODIES(dspsZero_32f);
    for (int v = 0; v < 4; ++v) {
        EXPECT_EQ(StatusNullPointer, copies[v](nullptr, buf, 0));
        EXPECT_EQ(StatusNullPointer, copies[v](buf, nullptr, 4));
        EXPECT_EQ(StatusNullPointer, moves[v](nullptr, buf, -1));
        EXPECT_EQ(StatusNullPointer, sets[v](1.0f, nullptr, 0));
        EXPECT_EQ(StatusNullPointer, zeros[v](nullptr, 0));
        EXPECT_EQ(StatusSizeError, copies[v](buf, buf + 2, 0));
        EXPECT_EQ(StatusSizeError, moves[v](buf, buf + 2, -3));
        EXPECT_EQ(StatusSizeError, sets[v](9.0f, buf, 0));
        EXPECT_EQ(StatusSizeError, zeros[v](buf, -1));
        EXPECT_EQ(1.0f, buf[0]);
        EXPECT_EQ(3.0f, buf[2]);
    }
}
