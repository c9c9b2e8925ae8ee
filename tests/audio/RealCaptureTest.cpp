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

struct SineCheck {
    double rms = 0;
    int rising = 0, breaks = 0, unequal = 0;
    size_t count = 0;
};

// With blocks of 1000 frames, a lost or repeated block shifts the 48-sample period.
SineCheck CheckSine(const std::vector<int32_t>& left, const std::vector<int32_t>& right)
{
    SineCheck check;
    size_t start = 0;
    while (start < left.size() && std::abs(left[start]) < 1000)
        start++;
    start += 4800; // let the stream settle
    if (left.size() < start + 24000)
        return check;
    double power = 0;
    for (size_t n = start; n < left.size(); n++) {
        power += (double)left[n] * left[n];
        check.rising += left[n - 1] < 0 && left[n] >= 0;
        check.breaks += std::abs(left[n] - left[n - 48]) > 64;
        check.unequal += std::abs(left[n] - right[n]) > 2;
    }
    check.count = left.size() - start;
    check.rms = std::sqrt(power / check.count);
    return check;
}

SineCheck CaptureOnce(int typeId, const char* device)
{
    CollectingClient client;
    CAudioInterface ai;
    ai.SetClient(&client);
    ai.CreateDriver(true, typeId);
    // Deep buffering: a starved thread on a busy machine would otherwise lose a lap.
    AudioDriverSettings s = StereoSettings(device, 1000, 32);
    EXPECT_EQ(ai.Open(&s), AudioOpenOk) << ai.GetErrorText();
    EXPECT_TRUE(WaitUntil([&] { return client.Frames() >= 96000; }));
    ai.Close();
    return CheckSine(client.left, client.right);
}

// The sound server can drop samples of its own when the machine is starved, so a
// broken capture is tried again; a fault of the driver breaks every attempt.
void CaptureSine(int typeId, const char* device)
{
    SineCheck check;
    for (int attempt = 0; attempt < 3; attempt++) {
        check = CaptureOnce(typeId, device);
        if (check.count > 0 && check.breaks == 0)
            break;
    }
    ASSERT_GT(check.count, 0u) << "too little signal captured";
    EXPECT_NEAR(check.rms, 11585, 600);
    EXPECT_NEAR(check.rising, check.count / 48.0, 2);
    EXPECT_EQ(check.breaks, 0);
    EXPECT_EQ(check.unequal, 0);
}

} // namespace

TEST(RealCapture, WaveInDeliversTheKnownSineInOrder)
{
    if (waveInGetNumDevs() == 0)
        GTEST_SKIP() << "no capture device";
    CaptureSine(AudioTypeWave, "Default Device");
}

namespace {

// Long beyond a normal start (two 20 ms blocks), short enough to open again within the test's time.
const DWORD kSilentStreamMs = 15000;

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
    EXPECT_EQ(ai.Open(&s), AudioOpenFailed);
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
        auto twoBlocks = [&] { return client.blocks - start >= 2; };
        ASSERT_EQ(ai.Open(&s), AudioOpenOk) << ai.GetErrorText();
        // On a starved machine the sound server can leave a new stream silent for
        // a minute; a driver at fault stays silent when opened once more as well.
        if (!WaitUntil(twoBlocks, kSilentStreamMs)) {
            ai.Close();
            ASSERT_EQ(ai.Open(&s), AudioOpenOk) << ai.GetErrorText();
            ASSERT_TRUE(WaitUntil(twoBlocks)) << "cycle " << cycle;
        }
        ai.Close();
        client.closed = true;
    }
    ai.DestroyDriver();
    EXPECT_EQ(client.afterClose, 0);
}
