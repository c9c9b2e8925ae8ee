#include "AudioTestSupport.h"
#include "audio/CAudioDriver.h"
#include <gtest/gtest.h>
#include <cstring>

TEST(AudioDriver, DisabledDeviceNames)
{
    for (const char* name : {(const char*)nullptr, "", "off", "NONE", "(none)", "disabled", "Disable"})
        EXPECT_TRUE(CAudioDriver::IsDisabledDeviceName(name)) << (name ? name : "null");
    for (const char* name : {"Nonexistent", "Default", "None ", "Offline"})
        EXPECT_FALSE(CAudioDriver::IsDisabledDeviceName(name)) << name;
}

TEST(AudioDriver, BaseStateAndDirection)
{
    StubDriver in(true), out(false);
    EXPECT_STREQ(in.GetDirectionText(), "input");
    EXPECT_STREQ(out.GetDirectionText(), "output");
    EXPECT_FALSE(in.SupportsDefaultDevice());
    EXPECT_FALSE(in.IsDefaultDeviceName("Default Device"));
}

TEST(AudioDriver, ErrorTextCopyIsBoundedAndTerminated)
{
    StubDriver d(true);
    char text[8];
    memset(text, 'x', sizeof(text));
    d.GetErrorText(text, sizeof(text));
    EXPECT_STREQ(text, "");
    d.Fail("a long error text");
    d.GetErrorText(text, sizeof(text));
    EXPECT_STREQ(text, "a long ");
    d.GetErrorText(nullptr, 8);
    d.GetErrorText(text, 0);
    std::string huge(1000, 'e');
    d.Fail(huge.c_str());
    char big[300];
    d.GetErrorText(big, sizeof(big));
    EXPECT_EQ(strlen(big), AudioErrorTextSize - 1u);
}

TEST(AudioDriverSettings, ConstructedAndClearedValues)
{
    AudioDriverSettings s;
    EXPECT_EQ(s.deviceName, "Default Device");
    EXPECT_EQ(s.bits, 16);
    EXPECT_EQ(s.sampleRate, 0);
    EXPECT_EQ(s.size, (int)sizeof(AudioDriverSettings));
    EXPECT_FALSE(s.prefillOutput);
    s.channels = 2;
    s.Clear();
    EXPECT_EQ(s.deviceName, "");
    EXPECT_EQ(s.bits, 0);
    EXPECT_EQ(s.channels, 0);
}
