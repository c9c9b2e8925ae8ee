#include "audio/AI_KernelStreaming.h"
#include "audio/CAudioCallback.h"
#include "tests/audio/KernelStreaming/KsEngineSupport.h"
#include "tests/common/TraceCapture.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <string>

namespace {

// The driver's owner: fills output blocks with a ramp, ignores input.
class CRampOwner : public CAudioCallback {
public:
    short next = 1;

    void OnAudioBlock(CAudioDriver* driver, void* buffer, int bytes) override
    {
        short* data = (short*)buffer;
        for (int i = 0; !driver->IsInput() && i < bytes / 2; ++i)
            data[i] = next++;
    }
};

class KsDriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddLineIn(fake);
        settings = LineInSettings(64, 4);
        driver.SetOwner(&owner);
    }
    std::string Error()
    {
        char text[260];
        driver.GetErrorText(text, sizeof(text));
        return text;
    }
    // The format of the last pin connection, which follows its header and data format.
    template <class Format>
    const Format* Connected()
    {
        return (const Format*)(fake.lastConnect.data() + sizeof(KSPIN_CONNECT) + sizeof(KSDATAFORMAT));
    }

    CFakeKsPlatform fake;
    CRampOwner owner;
    AudioDriverSettings settings;
    AI_KernelStreaming driver{true};
};

TEST(KsDriver, ChannelMasks)
{
    EXPECT_EQ(AI_KernelStreaming::ChannelMask(1), 0x4u);
    EXPECT_EQ(AI_KernelStreaming::ChannelMask(2), 0x3u);
    EXPECT_EQ(AI_KernelStreaming::ChannelMask(6), 0x3Fu);
    EXPECT_EQ(AI_KernelStreaming::ChannelMask(8), 0xFFu);
    for (int channels : {0, 3, 4, 5, 7, 9})
        EXPECT_EQ(AI_KernelStreaming::ChannelMask(channels), 0u);
}

TEST_F(KsDriverTest, DisabledNamesSelectNoDevice)
{
    for (const char* name : {"", "None", "off"}) {
        settings.deviceName = name;
        EXPECT_EQ(driver.Open(&settings), AudioOpenNoDevice);
        EXPECT_EQ(Error(), "No Input Device Selected");
    }
    EXPECT_EQ(driver.GetFrameBytes(), 0);
    EXPECT_EQ(driver.GetLatency(), 0);
    EXPECT_EQ(driver.IsOpen(), 0);
}

TEST_F(KsDriverTest, ExtensibleRefusedThenPcmAccepted)
{
    fake.filters[0].pins[0].accepts = [](const WAVEFORMATEX* f) { return f->wFormatTag == WAVE_FORMAT_PCM; };
    TraceCapture trace;
    EXPECT_EQ(driver.Open(&settings), AudioOpenOk);
    EXPECT_EQ(Error(), "Opened OK!");
    EXPECT_EQ(trace.Text(), "KS: Trying to open stereo input as 2 ch 48000 hz... Extensible failed, success!\n");
    const WAVEFORMATEX* format = Connected<WAVEFORMATEX>();
    EXPECT_EQ(format->wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(format->nBlockAlign, 4);
    EXPECT_EQ(driver.GetFrameBytes(), 4);
    EXPECT_EQ(driver.GetLatency(), 256);
    EXPECT_EQ(driver.IsOpen(), 1);
    settings.sampleRate = 44100;
    settings.bufferCount = 8;
    EXPECT_EQ(driver.Open(&settings), AudioOpenFailed);
    EXPECT_EQ(Error(), "Input Object Already Opened");
    EXPECT_EQ(driver.IsOpen(), 1);
    EXPECT_EQ(driver.GetLatency(), 256);
    driver.Close();
    EXPECT_EQ(driver.IsOpen(), 0);
    EXPECT_EQ(driver.GetFrameBytes(), 0);
}

TEST_F(KsDriverTest, ExtensibleFormatCarriesTheChannelMask)
{
    settings.channels = 1;
    ASSERT_EQ(driver.Open(&settings), AudioOpenOk);
    const WAVEFORMATEXTENSIBLE* format = Connected<WAVEFORMATEXTENSIBLE>();
    EXPECT_EQ(format->Format.wFormatTag, WAVE_FORMAT_EXTENSIBLE);
    EXPECT_EQ(format->Format.cbSize, 22);
    EXPECT_EQ(format->dwChannelMask, 0x4u);
    EXPECT_TRUE(IsEqualGUID(format->SubFormat, KSDATAFORMAT_SUBTYPE_PCM));
}

TEST_F(KsDriverTest, BothFormatsRefusedReportsTheEngineText)
{
    fake.filters[0].pins[0].accepts = [](const WAVEFORMATEX*) { return false; };
    TraceCapture trace;
    EXPECT_EQ(driver.Open(&settings), AudioOpenFailed);
    EXPECT_EQ(Error(), "Failed to create input pin (0x8000001B)");
    EXPECT_NE(trace.Text().find("Extensible failed, Normal failed.\n"), std::string::npos);
    EXPECT_EQ(driver.GetFrameBytes(), 0);
    EXPECT_FALSE(driver.HasFailed());
}

TEST_F(KsDriverTest, ReadFailureMarksTheDriverFailed)
{
    fake.failReadsAfter = 3;
    ASSERT_EQ(driver.Open(&settings), AudioOpenOk);
    ASSERT_TRUE(WaitFor([&] { return driver.HasFailed() && !driver.IsOpen(); }));
    EXPECT_EQ(Error(), "KS read failed!\n"); // the owner shows why
    size_t before = fake.stateChanges.size();
    driver.Close();
    EXPECT_FALSE(driver.HasFailed());
    std::vector<ULONG> stop(fake.stateChanges.begin() + before, fake.stateChanges.end());
    EXPECT_EQ(stop, std::vector<ULONG>({KSSTATE_PAUSE, KSSTATE_STOP, KSSTATE_STOP}));
}

TEST_F(KsDriverTest, DeviceListNamesTheFilters)
{
    fake.filters.push_back(FakeKs::CaptureFilter("\\\\?\\fake#two", "Mic"));
    EXPECT_EQ(driver.GetNumDevices(), 2);
    AudioDeviceEntry entry;
    driver.GetDeviceName(&entry, 1);
    EXPECT_EQ(entry.name, "Mic");
    EXPECT_EQ(entry.identifier, "\\\\?\\fake#two");
    AudioDeviceEntry untouched;
    untouched.name = "keep";
    driver.GetDeviceName(&untouched, 2);
    driver.GetDeviceName(&untouched, -1);
    EXPECT_EQ(untouched.name, "keep");
    fake.filters.pop_back();
    EXPECT_EQ(driver.GetNumDevices(), 2);
    EXPECT_FALSE(driver.SupportsDefaultDevice());
    settings.deviceName = "\\\\?\\FAKE#CAPTURE";
    EXPECT_EQ(driver.Open(&settings), AudioOpenOk);
}

class KsOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeKsFilter render = FakeKs::CaptureFilter("\\\\?\\fake#render", "Speakers");
        render.classes = {{KSCATEGORY_AUDIO, SPINT_ACTIVE}, {KSCATEGORY_RENDER, SPINT_ACTIVE}};
        render.pins = {FakeKs::RenderPin()};
        render.pins[0].dataRanges = {FakeKs::AudioRange(8, 16, 16, 44100, 48000)};
        fake.filters = {render};
        settings.deviceName = "Speakers";
        settings.sampleRate = 48000;
        settings.channels = 2;
        settings.outputChannels = 6;
        settings.bufferFrames = 16;
        settings.bufferCount = 2;
        driver.SetOwner(&owner);
    }
    // Six packets of the owner's ramp from its start, with or without repeated channels.
    std::vector<short> Play(bool repeat)
    {
        settings.repeatChannels = repeat;
        fake.readsCompleted = 0;
        fake.readBudget = 6;
        fake.written.clear();
        owner.next = 1;
        EXPECT_EQ(driver.Open(&settings), AudioOpenOk);
        EXPECT_TRUE(WaitFor([&] { return fake.readsCompleted == 6; }));
        driver.Close();
        return fake.written;
    }

    CFakeKsPlatform fake;
    CRampOwner owner;
    AudioDriverSettings settings;
    AI_KernelStreaming driver{false};
};

// Channels past the client's two repeat its pair, or stay silent without repeat.
TEST_F(KsOutputTest, ExtraChannelsRepeatTheClientOrStaySilent)
{
    for (bool repeat : {true, false}) {
        SCOPED_TRACE(repeat);
        std::vector<short> played = Play(repeat);
        ASSERT_GE(played.size(), 6u * 16 * 6);
        for (size_t f = 0; f < played.size() / 6; ++f) {
            for (int c = 0; c < 6; ++c) {
                short client = (short)(1 + 2 * f + c % 2);
                ASSERT_EQ(played[f * 6 + c], repeat || c < 2 ? client : 0) << f << " " << c;
            }
        }
    }
}

// 8-bit samples are expanded byte by byte: the packet holds exactly its frames, and
// channels past the client's are 8-bit silence.
TEST_F(KsOutputTest, EightBitExpansionWritesEightBitSamples)
{
    fake.filters[0].pins[0].dataRanges = {FakeKs::AudioRange(8, 8, 16, 44100, 48000)};
    settings.bits = 8;
    for (bool repeat : {true, false}) {
        SCOPED_TRACE(repeat);
        std::vector<short> played = Play(repeat);
        ASSERT_GE(played.size() * 2, 6u * 16 * 6);
        ASSERT_EQ(played.size() * 2 % (16 * 6), 0u);
        const unsigned char* bytes = (const unsigned char*)played.data();
        for (size_t f = 0; f < played.size() * 2 / 6; ++f) {
            // The owner wrote the 16-bit values 1, 2, ...: frame f holds the low byte of f + 1, then its high byte.
            for (int c = 0; c < 6; ++c) {
                unsigned char client = c % 2 == 0 ? (unsigned char)(1 + f) : 0;
                ASSERT_EQ(bytes[f * 6 + c], repeat || c < 2 ? client : 0x80) << f << " " << c;
            }
        }
    }
}
} // namespace
