#include "AudioTestSupport.h"
#include "audio/CAudioInterface.h"
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <vector>

// These tests need the test capture device: a sound server whose default source
// plays a 1000 Hz sine at half full scale into 48 kHz stereo. Without a capture
// device they are skipped.

namespace {

class CollectingClient : public CAudioClient {
public:
    void OnInputPlanar(CAudioInterface*, int32_t** channels, int frames) override
    {
        std::lock_guard<std::mutex> hold(lock);
        for (int f = 0; f < frames; f++) {
            left.push_back(channels[0][f]);
            right.push_back(channels[1][f]);
        }
    }
    size_t Frames()
    {
        std::lock_guard<std::mutex> hold(lock);
        return left.size();
    }
    std::mutex lock;
    std::vector<int32_t> left, right;
};

// With blocks of 1000 frames, a lost or repeated block shifts the 48-sample period.
void ExpectContinuousSine(const std::vector<int32_t>& left, const std::vector<int32_t>& right)
{
    size_t start = 0;
    while (start < left.size() && std::abs(left[start]) < 1000)
        start++;
    start += 4800;  // let the stream settle
    ASSERT_GT(left.size(), start + 24000) << "too little signal captured";
    double power = 0;
    int rising = 0, breaks = 0, unequal = 0;
    for (size_t n = start; n < left.size(); n++) {
        power += (double)left[n] * left[n];
        rising += left[n - 1] < 0 && left[n] >= 0;
        breaks += std::abs(left[n] - left[n - 48]) > 64;
        unequal += std::abs(left[n] - right[n]) > 2;
    }
    size_t count = left.size() - start;
    EXPECT_NEAR(std::sqrt(power / count), 11585, 600);
    EXPECT_NEAR(rising, count / 48.0, 2);
    EXPECT_EQ(breaks, 0);
    EXPECT_EQ(unequal, 0);
}

void CaptureSine(int typeId, const char* device)
{
    CollectingClient client;
    CAudioInterface ai;
    ai.SetClient(&client);
    ai.CreateDriver(true, typeId);
    // Deep buffering: a starved thread on a busy machine would otherwise lose a lap.
    AudioDriverSettings s = StereoSettings(device, 1000, 32);
    ASSERT_EQ(ai.Open(&s), 0) << ai.GetErrorText();
    ASSERT_TRUE(WaitUntil([&] { return client.Frames() >= 96000; }));
    ai.Close();
    ExpectContinuousSine(client.left, client.right);
}

} // namespace

TEST(RealCapture, WaveInDeliversTheKnownSineInOrder)
{
    if (waveInGetNumDevs() == 0)
        GTEST_SKIP() << "no capture device";
    CaptureSine(AudioTypeWave, "Default Device");
}

namespace {

int DirectSoundCaptureDevices(AudioDeviceEntry* first)
{
    CAudioInterface lister;
    lister.CreateDriver(true, AudioTypeDirectSound);
    int count = lister.GetNumDevices();
    lister.GetDeviceName(first, 1);
    return count - 1;
}

} // namespace

TEST(RealCapture, DirectSoundDeliversTheKnownSineInOrder)
{
    AudioDeviceEntry device;
    if (DirectSoundCaptureDevices(&device) < 1)
        GTEST_SKIP() << "no capture device";
    CaptureSine(AudioTypeDirectSound, device.identifier.c_str());
}

TEST(RealCapture, DirectSoundDefaultDevice)
{
    AudioDeviceEntry device;
    if (DirectSoundCaptureDevices(&device) < 1)
        GTEST_SKIP() << "no capture device";
    CaptureSine(AudioTypeDirectSound, "Default Device");
}

TEST(RealCapture, WithoutDeviceDirectSoundFailsWithItsText)
{
    AudioDeviceEntry device;
    if (DirectSoundCaptureDevices(&device) > 0)
        GTEST_SKIP() << "a capture device exists";
    CAudioInterface ai;
    ai.CreateDriver(true, AudioTypeDirectSound);
    AudioDriverSettings s = StereoSettings("Default Device", 256, 4);
    EXPECT_EQ(ai.Open(&s), 1);
    EXPECT_EQ(std::string(ai.GetErrorText()).rfind("DirectSoundCaptureCreate failed: ", 0), 0u) << ai.GetErrorText();
}

TEST(RealCapture, OpenCloseCyclesWhileCapturing)
{
    AudioDeviceEntry device;
    if (waveInGetNumDevs() == 0 || DirectSoundCaptureDevices(&device) < 1)
        GTEST_SKIP() << "no capture device";
    RecordingClient client;
    CAudioInterface ai;
    ai.SetClient(&client);
    for (int cycle = 0; cycle < 6; cycle++) {
        ai.CreateDriver(true, cycle % 2 ? AudioTypeDirectSound : AudioTypeWave);
        AudioDriverSettings s = StereoSettings("Default Device", 960, 8);
        client.closed = false;
        int start = client.blocks;
        ASSERT_EQ(ai.Open(&s), 0) << ai.GetErrorText();
        ASSERT_TRUE(WaitUntil([&] { return client.blocks - start >= 2; })) << "cycle " << cycle;
        ai.Close();
        client.closed = true;
    }
    ai.DestroyDriver();
    EXPECT_EQ(client.afterClose, 0);
}
