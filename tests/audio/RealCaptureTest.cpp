#include "AudioTestSupport.h"
#include "CaptureDeviceMissing.h"
#include "CaptureTap.h"
#include "audio/CAudioInterface.h"
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

// These tests capture from the tests' sound server, whose default source plays a
// 1000 Hz sine at half full scale into 48 kHz stereo. A starved server drops
// samples where it likes, so what the driver did is judged against the blocks the
// device handed it (see CaptureTap), and the sine within each block.

namespace {

// The known sine: 48 samples a period at 48 kHz, half full scale (16384 / sqrt 2 RMS).
const int kPeriod = 48;
const double kSineRms = 11585, kRmsTolerance = 600;
// A sample this far from the one a period earlier breaks the sine (full scale is 32768).
const int32_t kBreakLimit = 64;
const int32_t kChannelTolerance = 2;
// Below this the stream has not started yet.
const int32_t kSignalFloor = 1000;

// Blocks of 1000 frames (a lost or repeated one shifts the period), in a deep ring:
// a starved thread would otherwise often lose a lap.
const int kBlockFrames = 1000, kRingBlocks = 32;
// The first blocks of the signal are let settle; the stream runs past one lap of the ring.
const int kSettleBlocks = 5, kJudgedBlocks = 24, kBlocksPastTheRing = 8;
// A hang, not slowness: a starved sound server took 65 s for twice these blocks.
const DWORD kCaptureLimitMs = 90000;
// How a stream the device left silent fails, and how often it is opened in all.
const char* const kStallText = "Error: no audio from the device for ";
const int kStallAttempts = 3;

// Keeps every block it is handed, interleaved, and notes the first that carries the signal.
class CollectingClient : public CAudioClient {
public:
    void OnInputPlanar(CAudioInterface*, int32_t** channels, int frames) override
    {
        std::vector<int32_t> block(2 * frames);
        int32_t peak = 0;
        for (int f = 0; f < frames; f++) {
            block[2 * f] = channels[0][f];
            block[2 * f + 1] = channels[1][f];
            peak = std::max(peak, std::abs(channels[0][f]));
        }
        std::lock_guard<std::mutex> hold(lock);
        if (onset < 0 && peak >= kSignalFloor)
            onset = (int)blocks.size();
        blocks.push_back(std::move(block));
    }
    bool Enough()
    {
        std::lock_guard<std::mutex> hold(lock);
        int count = (int)blocks.size();
        return count >= kRingBlocks + kBlocksPastTheRing && onset >= 0 &&
               count - onset >= kSettleBlocks + kJudgedBlocks;
    }
    std::mutex lock;
    std::vector<std::vector<int32_t>> blocks;
    int onset = -1;
};

// Every block the device handed on is delivered once, in ring order, sample for sample. Blocks
// taken while the stream closed may be missing at the end: the interface no longer delivers.
void ExpectDeliveredAsHanded(const std::vector<HandedBlock>& handed, const std::vector<std::vector<int32_t>>& delivered)
{
    ASSERT_GE(handed.size(), delivered.size());
    for (size_t i = 0; i < handed.size(); i++)
        ASSERT_EQ(handed[i].slot, (int)(i % kRingBlocks)) << "block " << i << " of " << handed.size();
    size_t overwritten = 0;
    for (size_t i = 0; i < delivered.size(); i++) {
        const std::vector<int16_t>& want = handed[i].samples;
        ASSERT_EQ(delivered[i].size(), want.size()) << "block " << i;
        overwritten += handed[i].overwritten;
        if (!handed[i].overwritten) {
            ASSERT_TRUE(std::equal(want.begin(), want.end(), delivered[i].begin())) << "block " << i;
        }
    }
    // Only a starved device comes round its ring onto the block being read; one read too early is overwritten
    // every time.
    EXPECT_LE(2 * overwritten, delivered.size()) << overwritten << " blocks overwritten while read";
}

struct BlockCheck {
    double rms = 0;
    int rising = 0, breaks = 0, unequal = 0;
};

BlockCheck CheckBlock(const std::vector<int32_t>& block)
{
    BlockCheck check;
    const size_t frames = block.size() / 2;
    double power = 0;
    for (size_t f = 0; f < frames; f++) {
        const int32_t left = block[2 * f];
        power += (double)left * left;
        check.unequal += std::abs(left - block[2 * f + 1]) > kChannelTolerance;
        check.rising += f > 0 && block[2 * f - 2] < 0 && left >= 0;
        check.breaks += f >= kPeriod && std::abs(left - block[2 * (f - kPeriod)]) > kBreakLimit;
    }
    check.rms = std::sqrt(power / frames);
    return check;
}

// Each block after the settling ones carries the sine's level on both channels alike. A gap the
// server left inside a block breaks its period there, so the frequency is judged on whole blocks,
// where every sample repeats the one a period earlier; a wrong rate or format breaks them all.
void ExpectTheKnownSine(const std::vector<std::vector<int32_t>>& blocks, int onset)
{
    int judged = 0, whole = 0;
    for (size_t i = onset + kSettleBlocks; i < blocks.size(); i++, judged++) {
        const BlockCheck check = CheckBlock(blocks[i]);
        ASSERT_NEAR(check.rms, kSineRms, kRmsTolerance) << "block " << i;
        ASSERT_EQ(check.unequal, 0) << "block " << i;
        if (check.breaks > 0)
            continue;
        whole++;
        ASSERT_NEAR(check.rising, (double)kBlockFrames / kPeriod, 1) << "block " << i;
    }
    EXPECT_GE(judged, kJudgedBlocks);
    // Server gaps are rare even when starved; most blocks are whole.
    EXPECT_GE(2 * whole, judged) << whole << " whole blocks of " << judged;
}

struct Capture {
    std::vector<HandedBlock> handed;
    std::vector<std::vector<int32_t>> delivered;
    int onset = -1;
    bool enough = false;
    std::string error; // the interface's text, where the open or the stream failed
};

Capture CaptureOnce(int typeId, const char* device)
{
    Capture capture;
    CaptureTap tap(typeId);
    CollectingClient client;
    CAudioInterface ai;
    ai.SetClient(&client);
    ai.CreateDriver(true, typeId);
    AudioDriverSettings s = StereoSettings(device, kBlockFrames, kRingBlocks);
    if (ai.Open(&s) != AudioOpenOk) {
        capture.error = ai.GetErrorText();
        return capture;
    }
    capture.enough = WaitUntil([&] { return client.Enough() || ai.HasFailed(); }, kCaptureLimitMs);
    if (ai.HasFailed())
        capture.error = ai.GetErrorText();
    ai.Close();
    capture.handed = tap.Blocks();
    capture.delivered = std::move(client.blocks);
    capture.onset = client.onset;
    return capture;
}

void CaptureSine(int typeId, const char* device)
{
    Capture capture;
    // A starved sound server can leave a stream silent past the driver's stall time; a driver at fault
    // stalls when opened again as well.
    for (int attempt = 0; attempt < kStallAttempts; attempt++) {
        capture = CaptureOnce(typeId, device);
        if (capture.error.rfind(kStallText, 0) != 0)
            break;
    }
    ASSERT_EQ(capture.error, "");
    ASSERT_TRUE(capture.enough) << capture.delivered.size() << " blocks, the signal from block " << capture.onset;
    ExpectDeliveredAsHanded(capture.handed, capture.delivered);
    ExpectTheKnownSine(capture.delivered, capture.onset);
}

} // namespace

TEST(RealCapture, WaveInDeliversTheKnownSineInOrder)
{
    if (CaptureDeviceMissing(waveInGetNumDevs() > 0))
        GTEST_SKIP() << kNoSoundServer;
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
    if (CaptureDeviceMissing(DirectSoundCaptureDevices(&device) > 0))
        GTEST_SKIP() << kNoSoundServer;
    CaptureSine(AudioTypeDirectSound, device.identifier.c_str());
}

TEST(RealCapture, DirectSoundDefaultDevice)
{
    AudioDeviceEntry device;
    if (CaptureDeviceMissing(DirectSoundCaptureDevices(&device) > 0))
        GTEST_SKIP() << kNoSoundServer;
    CaptureSine(AudioTypeDirectSound, "Default Device");
}

TEST(RealCapture, OpenCloseCyclesWhileCapturing)
{
    AudioDeviceEntry device;
    if (CaptureDeviceMissing(waveInGetNumDevs() > 0 && DirectSoundCaptureDevices(&device) > 0))
        GTEST_SKIP() << kNoSoundServer;
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
