#include "common/StringFormat.h"
#include <gtest/gtest.h>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

int Estimate(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = EstimateFormatSize(format, args);
    va_end(args);
    return n;
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    char* text = nullptr;
    int n = FormatV(&text, format, args);
    va_end(args);
    std::string s = text ? text : "<null>";
    EXPECT_EQ((size_t)n, s.size());
    free(text);
    return s;
}

} // namespace

TEST(StringFormat, EstimatesFollowTheFormatScan)
{
    EXPECT_EQ(Estimate("%i", 12345), 33);
    EXPECT_EQ(Estimate("Stock %i", 3), 39);
    EXPECT_EQ(Estimate("%.1f", 2.5), 343);
    EXPECT_EQ(Estimate("%-8s", "abc"), 46);
    EXPECT_EQ(Estimate("%*i", -12, 5), 4 + 12 + 30);
    EXPECT_EQ(Estimate("%.*f", -3, 1.0), 5 + 3 + 337);
    EXPECT_EQ(Estimate("50%%"), 5 + 30);
    // A format ending inside a specification stops at its terminator.
    EXPECT_EQ(Estimate("ab%-"), 5);
}

TEST(StringFormat, FormatStringGivesTheRuntimesText)
{
    std::string s;
    FormatString(s, "Stock %i", 7);
    EXPECT_EQ(s, "Stock 7");
    FormatString(s, "%08x-%04x", 0xABCDu, 0x12u);
    EXPECT_EQ(s, "0000abcd-0012");
    FormatString(s, "%.2f dB", -3.25);
    EXPECT_EQ(s, "-3.25 dB");
    FormatString(s, "%f", 1.7976931348623157e308);
    EXPECT_EQ(s.size(), 309u + 7);
    FormatString(s, "%lld|%s", 123456789012345LL, "end");
    EXPECT_EQ(s, "123456789012345|end");
}

TEST(StringFormat, FormatVSizesForEveryConversion)
{
    EXPECT_EQ(Format("%300d|", 1), std::string(299, ' ') + "1|");
    EXPECT_EQ(Format("%s", (const char*)nullptr), "(null)");
    std::string big(5000, 'x');
    EXPECT_EQ(Format("%s%s", big.c_str(), "!"), big + "!");
    // The scan counts a wide string as one byte long; the text is far longer.
    std::wstring wide(400, L'w');
    EXPECT_EQ(Format("%ls|%S", wide.c_str(), wide.c_str()), std::string(400, 'w') + "|" + std::string(400, 'w'));
}

TEST(StringFormat, SafeStrCopyAndCatStayInsideTheBound)
{
    char buf[260];
    std::string text300(300, 'a');
    memset(buf, 'Z', sizeof(buf));
    EXPECT_EQ(SafeStrCopy(buf, text300.c_str(), 256), buf);
    EXPECT_EQ(strlen(buf), 255u);
    EXPECT_EQ(buf[256], 'Z');
    EXPECT_EQ(SafeStrCopy(buf, "x", 0), nullptr);

    std::string base250(250, 'b');
    std::string add20(20, 'c');
    memset(buf, 'Z', sizeof(buf));
    SafeStrCopy(buf, base250.c_str(), 256);
    EXPECT_EQ(SafeStrCat(buf, add20.c_str(), 256), buf);
    EXPECT_EQ(strlen(buf), 255u);
    EXPECT_EQ(std::string(buf + 250), "ccccc");
    EXPECT_EQ(buf[256], 'Z');
    SafeStrCat(buf, add20.c_str(), 256);
    EXPECT_EQ(strlen(buf), 255u);
    EXPECT_EQ(SafeStrCat(buf, "x", 0), nullptr);
}

TEST(StringFormat, SafeSprintfUsesTheBoundedRuntimeResult)
{
    char buf[9];
    memset(buf, 'Z', sizeof(buf));
    EXPECT_EQ(SafeSprintf(buf, 8, "%s", "1234567"), 7);
    EXPECT_STREQ(buf, "1234567");
    EXPECT_EQ(SafeSprintf(buf, 8, "%s", "12345678"), 8);
    EXPECT_STREQ(buf, "1234567");
    EXPECT_EQ(SafeSprintf(buf, 8, "%s", "123456789"), -1);
    EXPECT_STREQ(buf, "1234567");
    EXPECT_EQ(buf[8], 'Z');
    EXPECT_EQ(SafeSprintf(buf, 0, "%s", "x"), -1);
}

namespace {

// Random formats from pieces that all take one argument kind, so one argument list fits any of them.
template <typename Arg>
void CheckRandomFormats(const std::vector<const char*>& pieces, Arg arg, unsigned seed)
{
    std::mt19937 rng(seed);
    char buf[48];
    for (int iter = 0; iter < 2000; ++iter) {
        std::string fmt;
        int parts = 1 + rng() % 6;
        for (int p = 0; p < parts; ++p)
            fmt += pieces[rng() % pieces.size()];
        unsigned size = 1 + rng() % 40;
        memset(buf, 'Z', sizeof(buf));
        int n = SafeSprintf(buf, size, fmt.c_str(), arg, arg, arg, arg, arg, arg, arg, arg);
        ASSERT_LT(strlen(buf), size) << fmt;
        ASSERT_TRUE(n == -1 || (n >= 0 && (unsigned)n <= size)) << fmt;
        for (unsigned i = size; i < sizeof(buf); ++i)
            ASSERT_EQ(buf[i], 'Z') << fmt;
    }
}

} // namespace

TEST(StringFormat, RandomFormatsNeverOverflow)
{
    const char* text = "random text";
    CheckRandomFormats<const char*>(
        {"%d", "%5i", "%-12s", "%s", "%x", "%08X", "%c", "%%", "abc", " ", "%.3s", "%u", "%p"}, text, 1234);
    CheckRandomFormats<double>({"%f", "%.3f", "%e", "%g", "%+10.4f", "%-9.2e", "%%", "xyz", " "}, -12345.678, 99);
}

TEST(StringFormat, WideToAnsiKeepsLowBytes)
{
    char buf[8];
    memset(buf, 'Z', sizeof(buf));
    WideToAnsiCopy(L"ABCDEFGHIJ", buf, 4);
    EXPECT_STREQ(buf, "ABC");
    EXPECT_EQ(buf[4], 'Z');
    WideToAnsiCopy(L"", buf, 4);
    EXPECT_STREQ(buf, "");
    WideToAnsiCopy(L"\x0141x", buf, 8);
    EXPECT_EQ((unsigned char)buf[0], 0x41);
}
