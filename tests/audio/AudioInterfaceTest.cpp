#include "AudioTestSupport.h"
#include "FakeDirectSound.h"
#include "FakeWaveDevice.h"
#include "audio/CAudioInterface.h"
#include "audio/PcmFormat.h"
#include "audio/SampleConvert.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>

namespace {

class PlanarOutputClient : public CAudioClient {
public:
    void OnOutputPlanar(CAudioInterface*, int32_t** channels, int frames) override
    {
        for (int f = 0; f < frames; f++) {
            channels[0][f] = left;
            channels[1][f] = right;
        }
    }
    int32_t left = 0, right = 0;
};

// Closes, then destroys, its interface's driver from inside the first block it is handed.
class SelfClosingClient : public CAudioClient {
public:
    void OnInputPlanar(CAudioInterface* sender, int32_t**, int) override
    {
        if (++blocks != 1)
            return;
        int closed = sender->Close();
        sender->DestroyDriver();
        text = sender->GetErrorText();
        result = closed;
    }
    std::atomic<int> blocks{0}, result{-1};
    std::string text;
};

int32_t RampSample(int c, int64_t n)
{
    return FakeWaveDevice::Sample(c, n);
}

} // namespace

TEST(AudioInterface, OpenChecksAndTexts)
{
    CAudioInterface ai;
    AudioDriverSettings s = StereoSettings("Default Device", 480, 4);
    s.sampleRate = 7999;
    EXPECT_EQ(ai.Open(&s), AudioOpenFailed);
    EXPECT_STREQ(ai.GetErrorText(), "Invalid sample rate!");
    s.sampleRate = 8000;
    EXPECT_EQ(ai.Open(&s), AudioOpenFailed);
    EXPECT_STREQ(ai.GetErrorText(), "Must create first.");
    EXPECT_EQ(ai.Open(nullptr), AudioOpenFailed);
    EXPECT_STREQ(ai.GetErrorText(), "Must create first.");

    FakeWaveDevice device;
    ai.CreateDriver(true, AudioTypeWave);
    EXPECT_EQ(ai.Open(nullptr), AudioOpenFailed);
    EXPECT_STREQ(ai.GetErrorText(), "No settings given!");
    EXPECT_EQ(ai.Open(&s), AudioOpenOk);
    EXPECT_EQ(ai.Open(&s), AudioOpenFailed);
    EXPECT_STREQ(ai.GetErrorText(), "Already Running!");
    EXPECT_EQ(device.opens, 1);
    ai.Close();
    EXPECT_EQ(device.closes, 1);
}

TEST(AudioInterface, SecondOpenLeavesTheStreamRunning)
{
    FakeWaveDevice device;
    RecordingClient client;
    client.expected = RampSample;
    CAudioInterface ai;
    ai.SetClient(&client);
    ai.CreateDriver(true, AudioTypeWave);
    AudioDriverSettings s = StereoSettings("WAVE_MAPPER", 64, 4);
    ASSERT_EQ(ai.Open(&s), AudioOpenOk);
    device.Complete(2);
    ASSERT_TRUE(WaitUntil([&] { return client.blocks == 2; }));
    AudioDriverSettings other = StereoSettings("Fake Input 1", 32, 2);
    EXPECT_EQ(ai.Open(&other), AudioOpenFailed);
    device.Complete(3);
    ASSERT_TRUE(WaitUntil([&] { return client.blocks == 5; }));
    ai.Close();
    EXPECT_EQ(client.mismatches, 0);
    EXPECT_EQ(client.nextFrame, 5 * 64);
}

TEST(AudioInterface, RefusesSettingsThatOverrunItsTables)
{
    FakeWaveDevice device;
    CAudioInterface ai;
    ai.CreateDriver(true, AudioTypeWave);
    struct Case {
        int channels, frames, count;
        const char* text;
    } cases[] = {
        {33, 480, 8, "Invalid channel count!"}, {0, 480, 8, "Invalid channel count!"},
        {2, 0, 8, "Invalid buffer size!"},      {2, AudioMaxBufferFrames + 1, 8, "Invalid buffer size!"},
        {2, 480, 0, "Invalid buffer count!"},   {2, 480, 37, "Invalid buffer count!"},
    };
    for (const Case& c : cases) {
        AudioDriverSettings s = StereoSettings("Default", c.frames, c.count);
        s.channels = c.channels;
        EXPECT_EQ(ai.Open(&s), AudioOpenFailed) << c.text;
        EXPECT_STREQ(ai.GetErrorText(), c.text);
    }
    EXPECT_EQ(device.opens, 0);
    AudioDriverSettings edge = StereoSettings("Default", 480, 36);
    edge.channels = 32;
    EXPECT_EQ(ai.Open(&edge), AudioOpenOk);
    EXPECT_EQ(device.lastFormat.nChannels, 32);
}

TEST(AudioInterface, SampleRateIsBoundedAndFormatSizesDoNotWrap)
{
    FakeWaveDevice device;
    CAudioInterface ai;
    ai.CreateDriver(true, AudioTypeWave);
    const struct {
        int rate;
        int result;
    } cases[] = {{7999, 1}, {8000, 0}, {384000, 0}, {384001, 1}, {768000, 1}, {std::numeric_limits<int>::max(), 1}};
    for (const auto& c : cases) {
        AudioDriverSettings s = StereoSettings("Default", 480, 4);
        s.sampleRate = c.rate;
        EXPECT_EQ(ai.Open(&s), c.result) << c.rate;
        if (c.result != 0)
            EXPECT_STREQ(ai.GetErrorText(), "Invalid sample rate!");
        else
            EXPECT_EQ(device.lastFormat.nAvgBytesPerSec, (DWORD)c.rate * 4);
        ai.Close();
    }
    EXPECT_EQ(device.opens, 2);

    // Rate x channels x bits past 2^31 still gives the true byte rate.
    AudioDriverSettings wide = StereoSettings("Default", 480, 4);
    wide.sampleRate = 100000000;
    EXPECT_EQ(PcmFormat(wide).nAvgBytesPerSec, 400000000u);
}

TEST(AudioInterface, CloseFromTheDeviceThreadIsRefusedAndEndsTheStream)
{
    FakeWaveDevice wave;
    FakeDirectSound sound;
    for (int type : {AudioTypeWave, AudioTypeDirectSound}) {
        SelfClosingClient client;
        CAudioInterface ai;
        ai.SetClient(&client);
        ai.CreateDriver(true, type);
        AudioDriverSettings s = StereoSettings("WAVE_MAPPER", 64, 4);
        ASSERT_EQ(ai.Open(&s), AudioOpenOk) << type;
        wave.StartStreaming();
        sound.StartStreaming();
        ASSERT_TRUE(WaitUntil([&] { return client.result != -1; })) << type;
        EXPECT_EQ(client.result, 1);
        EXPECT_EQ(client.text, "Close called from the device thread: the stream ends after this block");
        EXPECT_EQ(ai.GetDriverType(), type);
        Sleep(30); // blocks keep coming while a thread still delivers
        EXPECT_EQ(client.blocks, 1) << type;
        wave.StopStreaming();
        sound.StopStreaming();
        EXPECT_EQ(ai.Close(), AudioCloseOk);
    }
    EXPECT_EQ(wave.closes, 1);
    EXPECT_EQ(sound.liveObjects, 0);
}

// Devices that refuse to open, rather than the system's own: the tests' sound
// server always offers one, and a process that exits right after winmm started
// its sound threads can crash in them under Wine.
TEST(AudioInterface, WithoutDeviceAnOpenFailsWithItsText)
{
    FakeWaveDevice wave;
    wave.openAnswer = MMSYSERR_BADDEVICEID; // what a system without a device answers
    FakeDirectSound sound;
    sound.captureCreateResult = DSERR_NODRIVER;
    const struct {
        int type;
        const char* text;
    } cases[] = {
        {AudioTypeWave, "ERROR - The input device is missing"},
        {AudioTypeDirectSound, "DirectSoundCaptureCreate failed: 88780078"},
    };
    for (const auto& c : cases) {
        CAudioInterface ai;
        ai.CreateDriver(true, c.type);
        AudioDriverSettings s = StereoSettings("Default Device", 960, 8);
        EXPECT_EQ(ai.Open(&s), AudioOpenFailed);
        EXPECT_STREQ(ai.GetErrorText(), c.text);
        ai.DestroyDriver();
        EXPECT_EQ(ai.GetDriverType(), AudioTypeNone);
    }
    EXPECT_EQ(sound.liveObjects, 0);
}

// The known values, NaN and huge samples are checked through the interface's float blocks.
TEST(SampleConvert, FloatInputKeepsTheExtendedRangeAndSaturatesInfinity)
{
    EXPECT_EQ(FloatToSample(2.0f), 65534);
    EXPECT_EQ(FloatToSample(-2.0f), -65534);
    EXPECT_EQ(FloatToSample(-std::numeric_limits<float>::infinity()), std::numeric_limits<int32_t>::min());
}

TEST(SampleConvert, OutputWrapsAndScales)
{
    int32_t left[2] = {70000, -32768}, right[2] = {32768, 16384};
    int32_t* channels[2] = {left, right};
    int16_t pcm[4];
    InterleaveInt16(channels, pcm, 2, 2);
    EXPECT_EQ(pcm[0], 4464);
    EXPECT_EQ(pcm[1], -32768);
    EXPECT_EQ(pcm[2], -32768);
    EXPECT_EQ(pcm[3], 16384);
    float fl[4];
    InterleaveFloat(channels, fl, 2, 2);
    EXPECT_FLOAT_EQ(fl[1], 1.0f);
    EXPECT_FLOAT_EQ(fl[3], 0.5f);
    EXPECT_EQ(ClampFrames(480, 1920, 4), 480);
    EXPECT_EQ(ClampFrames(480, 100, 4), 25);
    EXPECT_EQ(ClampFrames(480, 100, 0), 0);
}

// Blocks handed in by hand: the fake device queues but never finishes a buffer here.
class AudioInterfaceBlocks : public ::testing::Test {
protected:
    void OpenWith(int bits, int interleaved = 0, int fifoFrames = 0, bool input = true)
    {
        ai.SetClient(&client);
        ai.CreateDriver(input, AudioTypeWave);
        AudioDriverSettings s = StereoSettings("Default", 4, 2, bits);
        s.interleaved = interleaved;
        s.fifoFrames = fifoFrames;
        ASSERT_EQ(ai.Open(&s), AudioOpenOk);
    }

    FakeWaveDevice device;
    RecordingClient client;
    CAudioInterface ai;
};

TEST_F(AudioInterfaceBlocks, FloatAndInt16BlocksBecomePlanarChannels)
{
    OpenWith(32);
    float block[8] = {1.0f, -1.0f, 1.5f, -0.5f, NAN, 0.0f, 1e20f, -1e20f};
    client.expected = [](int c, int64_t f) {
        static const int32_t want[8] = {32767, -32767, 49150, -16383, 0, 0, INT32_MAX, INT32_MIN};
        return want[f * 2 + c];
    };
    ai.OnAudioBlock(nullptr, block, sizeof(block));
    EXPECT_EQ(client.blocks, 1);
    EXPECT_EQ(client.mismatches, 0);
    ai.Close();

    OpenWith(16);
    int16_t pcm[8] = {-32768, 32767, 1, -1, 0, 5, -5, 100};
    client.expected = [&](int c, int64_t f) { return (int32_t)pcm[(f - 4) * 2 + c]; };
    ai.OnAudioBlock(nullptr, pcm, sizeof(pcm));
    EXPECT_EQ(client.mismatches, 0);
}

TEST_F(AudioInterfaceBlocks, OtherWidthsLeaveTheChannelsAsTheyWere)
{
    OpenWith(24);
    char block[24];
    memset(block, 0x55, sizeof(block));
    client.expected = [](int, int64_t) { return 0; };
    ai.OnAudioBlock(nullptr, block, sizeof(block));
    ai.OnAudioBlock(nullptr, block, sizeof(block));
    EXPECT_EQ(client.blocks, 2);
    EXPECT_EQ(client.mismatches, 0);
}

// A short block hands on only the frames it holds, never the block before's
// rest; a block without a whole frame hands on nothing.
TEST_F(AudioInterfaceBlocks, ShortBlocksDeliverOnlyWhatTheyHold)
{
    OpenWith(16);
    int16_t full[8] = {1, 2, 3, 4, 5, 6, 7, 8}, shortBlock[3] = {11, 22, 33};
    client.expected = [](int c, int64_t f) { return f < 4 ? int32_t(f * 2 + c + 1) : (c == 0 ? 11 : 22); };
    ai.OnAudioBlock(nullptr, full, sizeof(full));
    ai.OnAudioBlock(nullptr, shortBlock, sizeof(shortBlock));
    ai.OnAudioBlock(nullptr, shortBlock, sizeof(int16_t));
    ai.OnAudioBlock(nullptr, nullptr, 16);
    EXPECT_EQ(client.blocks, 2);
    EXPECT_EQ(client.nextFrame, 5);
    EXPECT_EQ(client.mismatches, 0);
}

TEST_F(AudioInterfaceBlocks, InterleavedDeliveryPassesTheRawBlock)
{
    OpenWith(16, 1);
    int16_t pcm[8] = {};
    ai.OnAudioBlock(nullptr, pcm, sizeof(pcm));
    EXPECT_EQ(client.interleavedBlocks, 1);
    EXPECT_EQ(client.lastBytes, 16);
    EXPECT_EQ(client.blocks, 0);
}

TEST_F(AudioInterfaceBlocks, FifoInputDropsWhatDoesNotFitAndStillNotifies)
{
    OpenWith(16, 0, 6); // 24 bytes of ring, 16-byte blocks
    int16_t pcm[8] = {};
    StubDriver input(true);
    ai.OnAudioBlock(&input, pcm, sizeof(pcm));
    ai.OnAudioBlock(&input, pcm, sizeof(pcm));
    EXPECT_EQ(client.fifoNotes, 2);
    EXPECT_EQ(client.blocks, 0);
}

TEST_F(AudioInterfaceBlocks, FifoOutputWritesSilenceWhenEmpty)
{
    OpenWith(16, 0, 8, false);
    int16_t pcm[8];
    memset(pcm, 0x7f, sizeof(pcm));
    StubDriver output(false);
    ai.OnAudioBlock(&output, pcm, sizeof(pcm));
    for (int16_t v : pcm)
        EXPECT_EQ(v, 0);
    EXPECT_EQ(client.fifoNotes, 1);
}

TEST_F(AudioInterfaceBlocks, PlanarOutputIsInterleavedForTheDevice)
{
    PlanarOutputClient out;
    ai.SetClient(&out);
    ai.CreateDriver(false, AudioTypeWave);
    AudioDriverSettings s = StereoSettings("Default", 4, 2, 16);
    ASSERT_EQ(ai.Open(&s), AudioOpenOk);
    out.left = 70000;
    out.right = -5;
    int16_t pcm[8] = {};
    StubDriver output(false);
    ai.OnAudioBlock(&output, pcm, sizeof(pcm));
    EXPECT_EQ(pcm[0], 4464);
    EXPECT_EQ(pcm[7], -5);
}

TEST(AudioInterface, InterfaceTypeTable)
{
    EXPECT_EQ(CAudioInterface::GetNumInterfaceTypes(), 3);
    EXPECT_EQ(CAudioInterface::InterfaceTypeFromName(true, "Wave"), AudioTypeWave);
    EXPECT_EQ(CAudioInterface::InterfaceTypeFromName(false, "DS"), AudioTypeDirectSound);
    EXPECT_EQ(CAudioInterface::InterfaceTypeFromName(true, "KS"), AudioTypeKernelStreaming);
    EXPECT_EQ(CAudioInterface::InterfaceTypeFromName(true, "ks"), AudioTypeNone);
    EXPECT_EQ(CAudioInterface::InterfaceTypeFromName(true, "inv"), AudioTypeNone);
    EXPECT_EQ(CAudioInterface::InterfaceTypeFromName(true, nullptr), AudioTypeNone);
    for (int index : {-1, 0, 1, 2, 3})
        EXPECT_EQ(CAudioInterface::InterfaceTypeFromIndex(index), index >= 0 && index < 3 ? index + 1 : 0);
    InterfaceTypeInfo info;
    CAudioInterface::GetInputInterfaceType(0, &info);
    EXPECT_STREQ(info.displayName, "Wave In");
    EXPECT_STREQ(info.shortName, "Wave");
    EXPECT_EQ(info.defaultBufferSize, 512);
    EXPECT_EQ(info.defaultBufferCount, 8);
    CAudioInterface::GetOutputInterfaceType(0, &info);
    EXPECT_STREQ(info.displayName, "Wave Out");
    CAudioInterface::GetInputInterfaceType(7, &info);
    EXPECT_STREQ(info.displayName, "Invalid");
    EXPECT_STREQ(info.shortName, "inv");
    EXPECT_EQ(info.typeId, 0);
    CAudioInterface::GetInputInterfaceType(1, nullptr);
}

// Without a driver the queries answer nothing; with one they list through it.
TEST(AudioInterface, DeviceListThroughTheDriver)
{
    FakeWaveDevice device;
    CAudioInterface ai;
    EXPECT_EQ(ai.GetNumDevices(), 0);
    EXPECT_EQ(ai.GetDriverType(), AudioTypeNone);
    AudioDeviceEntry entry;
    entry.name = "untouched";
    ai.GetDeviceName(&entry, 0);
    EXPECT_EQ(entry.name, "untouched");
    ai.Close();
    ai.DestroyDriver();

    ai.CreateDriver(true, AudioTypeWave);
    EXPECT_EQ(ai.GetDriverType(), AudioTypeWave);
    EXPECT_EQ(ai.GetNumDevices(), 3);
    ai.GetDeviceName(&entry, 0);
    EXPECT_EQ(entry.identifier, "WAVE_MAPPER");
    ai.GetDeviceName(nullptr, 0);
    ai.CreateDriver(true, 9);
    EXPECT_EQ(ai.GetDriverType(), AudioTypeNone);
}

// Blocks flow from the stand-in's own thread while the stream is opened and closed
// over and over, half the time by destroying the driver.
TEST(AudioInterface, ThousandOpenCloseCyclesWhileBlocksFlow)
{
    FakeWaveDevice device;
    RecordingClient client;
    client.expected = RampSample;
    CAudioInterface ai;
    ai.SetClient(&client);
    device.StartStreaming();
    ai.CreateDriver(true, AudioTypeWave);
    AudioDriverSettings s = StereoSettings("Default Device", 32, 4);
    ResourceUse before = ResourceUse::Now();
    ASSERT_NO_FATAL_FAILURE(OpenCloseCycles(ai, client, AudioTypeWave, s, 1000, true));
    device.StopStreaming();
    ResourceUse after = ResourceUse::Now();
    EXPECT_EQ(client.afterClose, 0);
    EXPECT_EQ(client.mismatches, 0);
    EXPECT_EQ(device.opens, 1000);
    EXPECT_EQ(device.closes, 1000);
    EXPECT_EQ(device.closeWhileQueued, 0);
    EXPECT_EQ(device.prepares, device.unprepares);
    EXPECT_EQ(device.unpreparedWithoutData, 0);
    EXPECT_GT(before.handles, 0u);
    EXPECT_GT(before.heapBytes, 0u);
    EXPECT_LE(after.handles, before.handles + 2);
    EXPECT_LE(after.heapBytes, before.heapBytes + 4096);
}

// One interface driven by several threads at once, while the stand-in's blocks
// flow: each open, close, driver change and query waits for the others, so
// none meets a driver another deletes, and every open that succeeded is closed.
TEST(AudioInterface, SeveralThreadsOpenAndCloseOneInterface)
{
    FakeWaveDevice device;
    RecordingClient client;
    CAudioInterface ai;
    ai.SetClient(&client);
    device.StartStreaming();
    const AudioDriverSettings s = StereoSettings("Default Device", 32, 4);
    std::atomic<int> opened{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 100; ++i) {
                if ((i + t) % 3 == 0)
                    ai.CreateDriver(true, AudioTypeWave);
                opened += ai.Open(&s) == AudioOpenOk;
                ai.GetNumDevices();
                ai.HasFailed();
                if ((i + t) % 2)
                    ai.Close();
                else
                    ai.DestroyDriver();
            }
        });
    for (std::thread& t : threads)
        t.join();
    ai.DestroyDriver();
    device.StopStreaming();
    EXPECT_GT(opened, 0);
    EXPECT_EQ(device.opens, opened);
    EXPECT_EQ(device.closes, opened);
    EXPECT_EQ(device.prepares, device.unprepares);
}
