#include "AudioTestSupport.h"
#include "FakeWaveDevice.h"
#include "audio/AI_Wave.h"
#include <gtest/gtest.h>
#include <cmath>

namespace {

const char* const fakePath = "\\\\?\\swd#fake#capture_0#{6994ad04-93ef-11d0-a3cc-00a0c9223196}";

class WaveDriver : public DriverTest<FakeWaveDevice, AI_Wave> {
protected:
    FakeWaveDevice& device = fake;
};

} // namespace

TEST_F(WaveDriver, ListsTheDefaultDeviceThenEachDeviceByPathOrName)
{
    EXPECT_EQ(driver.GetNumDevices(), 3);
    AudioDeviceEntry entry;
    entry.deviceNumber = 42;
    driver.GetDeviceName(&entry, 0);
    EXPECT_EQ(entry.name, "Default Device");
    EXPECT_EQ(entry.identifier, "WAVE_MAPPER");
    EXPECT_EQ(entry.deviceNumber, 42);
    driver.GetDeviceName(&entry, 1);
    EXPECT_EQ(entry.name, "Fake Input 0");
    EXPECT_EQ(entry.identifier, fakePath);
    EXPECT_EQ(entry.deviceNumber, 0);
    driver.GetDeviceName(&entry, 2);
    EXPECT_EQ(entry.identifier, "Fake Input 1");
    EXPECT_EQ(entry.deviceNumber, 1);

    device.omitTerminator = true;
    driver.GetDeviceName(&entry, 1);
    EXPECT_EQ(entry.identifier, fakePath);

    driver.SetAllowDefaultDevice(false);
    EXPECT_EQ(driver.GetNumDevices(), 2);
    driver.GetDeviceName(&entry, 0);
    EXPECT_EQ(entry.name, "Fake Input 0");
    EXPECT_TRUE(driver.SupportsDefaultDevice());
}

TEST_F(WaveDriver, OpensByPathNameOrDefaultInAnyCase)
{
    struct Case {
        const char* name;
        UINT device;
    } cases[] = {{fakePath, 0},
                 {"fake input 0", 0},
                 {"FAKE INPUT 1", 1},
                 {"wave_mapper", WAVE_MAPPER},
                 {"DEFAULT", WAVE_MAPPER},
                 {"default device", WAVE_MAPPER}};
    for (const Case& c : cases) {
        AudioDriverSettings s = StereoSettings(c.name, 480, 2);
        ASSERT_EQ(driver.Open(&s), AudioOpenOk) << c.name;
        EXPECT_EQ(device.lastDevice, c.device) << c.name;
        driver.Close();
    }
    EXPECT_EQ(device.lastFormat.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(device.lastFormat.nSamplesPerSec, 48000u);
    EXPECT_EQ(device.lastFormat.nBlockAlign, 4);
    EXPECT_EQ(device.lastFormat.nAvgBytesPerSec, 192000u);
}

TEST_F(WaveDriver, RefusalsAndTheirTexts)
{
    AudioDriverSettings s = StereoSettings("Disabled", 480, 2);
    EXPECT_EQ(driver.Open(&s), AudioOpenNoDevice);
    EXPECT_EQ(Error(driver), "No Input Device Selected");
    s.deviceName = "";
    EXPECT_EQ(driver.Open(&s), AudioOpenNoDevice);
    s.deviceName = "Nope";
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(driver), "Couldn't find input device \"Nope\"");
    driver.SetAllowDefaultDevice(false);
    s.deviceName = "Default";
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(driver), "Default input device not allowed - must select explicitly.");
    EXPECT_EQ(driver.Open(nullptr), AudioOpenFailed);

    AI_Wave output(false);
    Own(output);
    s.deviceName = "off";
    EXPECT_EQ(output.Open(&s), AudioOpenNoDevice);
    EXPECT_EQ(Error(output), "No Output Device Selected");
    s.deviceName = "Nope";
    EXPECT_EQ(output.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(output), "Couldn't find output device \"Nope\"");
}

// Only a refused format blames the format: a device that is gone (never there,
// or removed after it was listed) or taken says so, in both directions.
TEST_F(WaveDriver, FailedOpenNamesWhatFailed)
{
    AI_Wave output(false);
    Own(output);
    const struct {
        MMRESULT answer;
        const char* input;
        const char* output;
    } cases[] = {
        {WAVERR_BADFORMAT, "ERROR - Couldn't open 44100 hz, 2 ch, 16 bits",
         "ERROR - Couldn't open 44100 hz, 2 ch, 16 bits"},
        {MMSYSERR_BADDEVICEID, "ERROR - The input device is missing", "ERROR - The output device is missing"},
        {MMSYSERR_NODRIVER, "ERROR - The input device is missing", "ERROR - The output device is missing"},
        {MMSYSERR_NOTENABLED, "ERROR - The input device is missing", "ERROR - The output device is missing"},
        {MMSYSERR_ALLOCATED, "ERROR - The input device is in use", "ERROR - The output device is in use"},
        {MMSYSERR_NOMEM, "ERROR - Couldn't open the input device (7)", "ERROR - Couldn't open the output device (7)"},
    };
    for (const auto& c : cases) {
        device.openAnswer = c.answer;
        for (AI_Wave* d : {&driver, &output}) {
            AudioDriverSettings s = StereoSettings(d == &driver ? "Fake Input 1" : "Default", 480, 2);
            s.sampleRate = 44100;
            EXPECT_EQ(d->Open(&s), AudioOpenFailed);
            EXPECT_EQ(Error(*d), d == &driver ? c.input : c.output) << c.answer;
            EXPECT_EQ(d->IsOpen(), 0);
            EXPECT_EQ(d->GetFrameBytes(), 0);
        }
    }
    EXPECT_EQ(device.opens, 0);
}

TEST_F(WaveDriver, BlocksArriveInOrderWithTheirSizesAndLatency)
{
    AudioDriverSettings s = StereoSettings("Default", 480, 2);
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    EXPECT_EQ(driver.GetLatency(), 480);
    EXPECT_EQ(driver.GetFrameBytes(), 4);
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    for (int i = 0; i < 6; i++) {
        device.Complete(1);
        ASSERT_TRUE(WaitUntil([&] { return owner.count == i + 1; }));
    }
    driver.Close();
    EXPECT_EQ(driver.GetLatency(), 0);
    ASSERT_EQ(owner.data.size(), 6u);
    EXPECT_TRUE(FakeDevice::CarryTheRamp(owner.data, 1920));
    EXPECT_EQ(device.closes, 1);
    EXPECT_EQ(device.unprepares, 2);
    EXPECT_EQ(device.unpreparedWithoutData, 0);
}

// A device claiming more recorded bytes than its buffer holds hands on the buffer, no more.
TEST_F(WaveDriver, RecordedCountIsClampedToTheBuffer)
{
    AudioDriverSettings s = StereoSettings("Default", 480, 2);
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    device.overReport = 1 << 20;
    device.Complete(1);
    ASSERT_TRUE(WaitUntil([&] { return owner.count == 1; }));
    driver.Close();
    ASSERT_EQ(owner.data.size(), 1u);
    EXPECT_EQ(owner.data[0].size(), 1920u);
}

// A buffer that fails to prepare (the third) or to be handed over (the second) during Open:
// every prepared header is unprepared, with its data, and the device closed.
TEST_F(WaveDriver, OpenFailuresReleaseEveryHeaderAndTheDevice)
{
    device.failPrepareAt = 2;
    AudioDriverSettings s = StereoSettings("Default", 256, 8);
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(driver), "Error: Wave buffer preparation failed\n");
    EXPECT_EQ(driver.IsOpen(), 0);
    EXPECT_EQ(device.unprepares, 3);
    EXPECT_EQ(device.QueuedBuffers(), 0);
    device.failPrepareAt = -1;
    device.failQueueAfter = device.queueCalls + 1;
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(driver), "Error: Wave buffer driver handoff failed\n");
    EXPECT_EQ(device.unprepares, 3 + 2);
    EXPECT_EQ(device.unpreparedWithoutData, 0);
    EXPECT_EQ(device.opens, 2);
    EXPECT_EQ(device.closes, 2);
    EXPECT_EQ(device.QueuedBuffers(), 0);
}

TEST_F(WaveDriver, DeviceVanishingMidStreamEndsTheThread)
{
    AudioDriverSettings s = StereoSettings("Default", 64, 4);
    device.failQueueAfter = 4 + 2; // two blocks are queued again, the third is refused
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    device.Complete(4);
    ASSERT_TRUE(WaitUntil([&] { return driver.HasFailed(); }));
    EXPECT_EQ(driver.IsOpen(), 1);
    EXPECT_EQ(owner.count, 3);
    EXPECT_EQ(Error(driver), "Error: Wave buffer driver handoff failed\n"); // the owner shows why
    device.failQueueAfter = -1;
    device.Complete(2);
    driver.Close();
    EXPECT_EQ(owner.count, 3);
    EXPECT_EQ(device.closes, 1);
    EXPECT_EQ(device.prepares, device.unprepares);
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    EXPECT_FALSE(driver.HasFailed());
}

TEST_F(WaveDriver, ASilentDeviceFailsAfterTheStallLimitAndASlowOneNever)
{
    for (const StallCase& c : StallCases()) {
        AI_Wave stream(true);
        Own(stream);
        RunStallCase(stream, device, owner, c, [&] { device.Complete(1); });
    }
}

TEST_F(WaveDriver, OutputPrefillAsksTheOwnerForAllButTheFirstBuffer)
{
    AI_Wave output(false);
    Own(output);
    int16_t marker = 0;
    owner.fill = [&](void* block, int bytes) {
        auto* pcm = (int16_t*)block;
        ++marker;
        for (int i = 0; i < bytes / 2; i++)
            pcm[i] = marker;
    };
    AudioDriverSettings s = StereoSettings("Fake Output 1", 16, 3);
    s.prefillOutput = true;
    ASSERT_EQ(output.Open(&s), AudioOpenOk);
    EXPECT_EQ(owner.count, 2);
    device.Complete(1);
    EXPECT_EQ(device.lastOutput[0], 0);
    device.Complete(1);
    EXPECT_EQ(device.lastOutput[0], 1);
    ASSERT_TRUE(WaitUntil([&] { return owner.count >= 3; }));
    output.Close();
    EXPECT_EQ(device.closes, 1);
}

TEST_F(WaveDriver, CloseOfANeverOpenedDriverCallsNothing)
{
    driver.Close();
    driver.Reset();
    EXPECT_EQ(device.closes, 0);
    EXPECT_EQ(driver.IsOpen(), 0);
    EXPECT_TRUE(driver.IsDefaultDeviceName("wave_mapper"));
    EXPECT_FALSE(driver.IsDefaultDeviceName("Fake Input 0"));
    EXPECT_FALSE(driver.IsDefaultDeviceName(nullptr));
}
