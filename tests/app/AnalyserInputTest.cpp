#include "AudioSessionSupport.h"
#include "AudioTestSupport.h"
#include "CaptureDeviceMissing.h"
#include "FakeWaveDevice.h"
#include "RtaTestSupport.h"
#include "analysis/CLoudnessMeter.h"
#include "analysis/CScopeSignalPath.h"
#include "analysis/DcBlockQ12.h"
#include "app/AnalyserInput.h"
#include "app/CAudioSession.h"
#include "app/CSettingsApplier.h"
#include "app/PaneLayout.h"
#include "app/views/CRtaPanel.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/graphics/CSegmentBarRenderer.h"
#include "tests/common/FakeTicks.h"
#include <gtest/gtest.h>
#include <mmsystem.h>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// The analysers as the main window holds them, without a window, fed by the
// input path; also the audio client that forwards to it.
struct Rig : CAudioClient {
    Rig() : ticks(100000), input({&rta, &loudness, &scope1, &scope2}, settings, applier)
    {
        LoadDefaults(&settings);
        loudness.SetTickSource(&ticks);
        EXPECT_TRUE(loudness.Configure(LoudnessConfig()));
        EXPECT_TRUE(scope1.Setup(8192, 65536) && scope2.Setup(8192, 65536));
        RtaPanelConfig c = rta.GetConfig();
        c.right = 784;
        c.bottom = 296;
        c.resolution = 0;
        EXPECT_EQ(rta.Start(c), 0);
        screen.Create(c.right, c.bottom, 32);
    }
    void OnInputPlanar(CAudioInterface*, int32_t** channels, int frames) override
    {
        input.Process(channels, frames);
        ++blocks;
    }
    void Show(bool rtaPane, bool scopePane1, bool scopePane2)
    {
        PaneFlags f;
        f.rtaActive = rtaPane, f.scope1Active = scopePane1, f.scope2Active = scopePane2;
        input.SetActivePanes(f);
    }
    std::vector<int> Bars() { return ThirdOctaveBars(rta, screen.GetDC()); }
    int Bytes(const CScopeSignalPath& path) const { return path.GetFifo(0)->GetUsed(); }

    FakeTicks ticks;
    AnalyserSettings settings;
    CSettingsApplier applier;
    CRtaPanel rta;
    CLoudnessMeter loudness;
    CScopeSignalPath scope1, scope2;
    CBitmapDC screen;
    AnalyserInput input;
    std::atomic<int> blocks{0};
};

struct Block {
    Block(int frames, int32_t l, int32_t r) : left(frames, l), right(frames, r) {}
    int32_t* const* Channels() { return pointers; }
    std::vector<int32_t> left, right;
    int32_t* pointers[2] = {left.data(), right.data()};
};

// 1 kHz at 48 kHz: -6 dB left, -12 dB right.
int16_t TestSignal(int channel, int64_t n)
{
    return int16_t(std::lround((channel ? 8192 : 16384) * std::sin(2 * 3.14159265358979 * double(n % 48) / 48)));
}

using Keys = std::vector<std::pair<const char*, const char*>>;
const Keys kWaveDefault = {{"Interface", "Wave"}, {"devicename_Wave", "Default Device"}};

void WriteInput(const TempIni& ini, const Keys& keys)
{
    for (const auto& k : keys)
        WritePrivateProfileStringA(CAudioSession::kInputSection, k.first, k.second, ini.Path());
}

std::string Status(const CAudioSession& session)
{
    std::string text;
    session.GetStatusText(text);
    return text;
}

} // namespace

// Gain in steps of 1/256 with arithmetic shifts, saturating where a 32-bit
// product would wrap; unity untouched. DC block per channel, state carried.
TEST(AnalyserInput, GainAndDcBlock)
{
    const std::vector<int32_t> in = {0, 1, -1, 32767, -32768, 123456, INT32_MAX, INT32_MIN};
    const struct {
        int db, gain;
        std::vector<int32_t> out;
    } gains[] = {{0, 4096, in},
                 {6, 8172, {0, 1, -2, 65278, -65280, 245947, INT32_MAX, INT32_MIN}},
                 {60, 4096000, {0, 1000, -1000, 32767000, -32768000, 123456000, INT32_MAX, INT32_MIN}},
                 {-20, 409, {0, 0, -1, 3199, -3200, 12056, 209715199, -209715200}}};
    Rig rig;
    for (const auto& g : gains) {
        rig.settings.iInputGain = g.db;
        rig.applier.Apply(rig.settings, rig.rta);
        ASSERT_EQ(rig.applier.GetInputGainQ12(), g.gain);
        Block b(0, 0, 0);
        b.left = b.right = in;
        b.pointers[0] = b.left.data(), b.pointers[1] = b.right.data();
        rig.input.Process(b.Channels(), int(in.size()));
        EXPECT_EQ(b.left, g.out) << g.db;
        EXPECT_EQ(b.right, g.out) << g.db;
    }
    int32_t x = 7;
    AnalyserInput::ApplyGain(&x, 1, 15); // below one step
    EXPECT_EQ(x, 0);

    Rig dc;
    dc.settings.iDCBlock = 1;
    OnePoleCascade left = {}, right = {};
    for (int pass = 0; pass < 3; ++pass) {
        Block b(64, 1000, -500), want(64, 1000, -500);
        DcBlockQ12(&left, want.left.data(), 64);
        DcBlockQ12(&right, want.right.data(), 64);
        dc.input.Process(b.Channels(), 64);
        EXPECT_EQ(b.left, want.left);
        EXPECT_EQ(b.right, want.right);
        EXPECT_EQ(b.left[0], pass ? want.left[0] : 999);
    }
}

// Hidden panes cost no analysis: the RTA ring and each scope's rings fill only
// while their pane is shown; the loudness meter takes every block; bad blocks
// change nothing. The RTA hears the chosen channel.
TEST(AnalyserInput, WhatIsFed)
{
    Rig rig;
    const bool shows[][3] = {{false, false, false}, {true, false, false}, {false, true, false}, {false, false, true}};
    for (const auto& s : shows) {
        const int queued = rig.rta.GetQueuedSamples(), write = rig.loudness.GetWritePos();
        const int bytes1 = rig.Bytes(rig.scope1), bytes2 = rig.Bytes(rig.scope2);
        rig.Show(s[0], s[1], s[2]);
        Block b(100, 3000, -3000); // under the worker's 512: the ring keeps it
        rig.input.Process(b.Channels(), 100);
        EXPECT_EQ(rig.rta.GetQueuedSamples() - queued, s[0] ? 100 : 0);
        EXPECT_EQ(rig.Bytes(rig.scope1) > bytes1, s[1]);
        EXPECT_EQ(rig.Bytes(rig.scope2) > bytes2, s[2]);
        EXPECT_NE(rig.loudness.GetWritePos(), write);
    }
    Block b(100, 0, 0);
    int32_t* halfNull[2] = {b.left.data(), nullptr};
    const int write = rig.loudness.GetWritePos(), queued = rig.rta.GetQueuedSamples();
    rig.Show(true, true, true);
    rig.input.Process(nullptr, 100);
    rig.input.Process(halfNull, 100);
    rig.input.Process(b.Channels(), 0);
    rig.input.Process(b.Channels(), -5);
    EXPECT_EQ(rig.loudness.GetWritePos(), write);
    EXPECT_EQ(rig.rta.GetQueuedSamples(), queued);

    Rig tone; // a tone on the left only: the RTA on the right stays empty
    tone.Show(true, false, false);
    int64_t n = 0;
    for (int channel : {1, 0}) {
        tone.settings.rta_channel = channel;
        for (int i = 0; i < 8; ++i) {
            Block t(1024, 0, 0);
            for (int32_t& s : t.left)
                s = TestSignal(0, n++);
            tone.input.Process(t.Channels(), 1024);
        }
        ASSERT_TRUE(WaitForResults(tone.rta, int(n / 1024)));
        const std::vector<int> bars = tone.Bars();
        EXPECT_EQ(*std::max_element(bars.begin(), bars.end()) > 500, channel == 0) << channel;
    }
}

// Every way an open ends shows in the status text; an unknown type fails
// before any driver or device is touched; a driver that lists no device says how to find one. The record
// asks for two planar channels.
TEST(AudioSession, OpeningAndStatusTexts)
{
    FakeWaveDevice device;
    const struct {
        bool wave; // "Wave" and its default device first
        Keys keys;
        bool refuse;
        const char* status; // null: the driver's own text
        int driverType, opens;
        UINT devices = 2;
    } cases[] = {
        {false, {{"Interface", "Foo"}}, false, "Invalid Interface Type", AudioTypeNone, 0},
        {false, {{"Interface", "wave"}}, false, "Invalid Interface Type", AudioTypeNone, 0},
        {false, {}, false, "No Input Device Selected", AudioTypeWave, 0}, // the first start
        {true, {{"samplerate_Wave", "100"}}, false, "Invalid sample rate!", AudioTypeWave, 0},
        {true, {}, true, nullptr, AudioTypeWave, 0},
        {true, {{"buffersize_Wave", "480"}, {"channels_Wave", "6"}}, false, "Error!", AudioTypeWave, 1},
        {true,
         {},
         false,
         "ERROR - The input device is missing\nNo input device is listed: if one is connected, restart the program",
         AudioTypeWave,
         0,
         0},
    };
    for (const auto& c : cases) {
        TempIni ini;
        WriteInput(ini, c.wave ? kWaveDefault : Keys());
        WriteInput(ini, c.keys);
        device.refuseOpen = c.refuse;
        device.devices = c.devices;
        device.opens = 0;
        Rig client;
        CAudioSession session;
        const AudioOpenProgress want = c.opens ? AudioOpenProgress::Opened : AudioOpenProgress::Failed;
        bool waited = false;
        EXPECT_EQ(OpenToTheEnd(session, ini.Path(), &client, &waited), want);
        EXPECT_FALSE(session.IsDeviceJobRunning());
        const char* status = waited && c.opens ? CAudioSession::kDefaultStatus : c.status;
        EXPECT_EQ(Status(session), status ? status : session.GetStreamingInterface().GetErrorText());
        EXPECT_EQ(session.GetStreamingInterface().GetDriverType(), c.driverType);
        EXPECT_EQ(device.opens, c.opens);
        EXPECT_EQ(session.IsCaptureDown(), !c.opens) << c.status; // the settings window's OK opens again
        const AudioDriverSettings& s = session.GetDriverSettings();
        if (c.opens) {
            EXPECT_TRUE(s.channels == 2 && s.bufferFrames == 480 && s.fifoFrames == 0 && s.interleaved == 0 &&
                        s.bits == 16 && s.size == AudioDriverSettings().size && s.deviceName == "Default Device");
        }
    }
    EXPECT_EQ(device.lastFormat.nChannels, 2);
    EXPECT_EQ(device.lastFormat.nSamplesPerSec, 48000u);
    EXPECT_EQ(device.closes, 1);

    CAudioSession session;
    EXPECT_EQ(session.GetDeviceListInterface()->GetDriverType(), AudioTypeNone);
    session.SetDefaultStatusText();
    EXPECT_EQ(Status(session), "Select the desired audio device, and press OK to apply.");
    session.SetStatusText(nullptr);
    EXPECT_EQ(Status(session), "");
}

// A device that does not answer keeps no caller waiting: the open goes on
// while the device holds it, is told once as not answering after the limit,
// and ends as the device answers; a failure after the limit says it came late.
// Opened again meanwhile, the newer choice follows; closed meanwhile, the
// device is closed once it answers; opened again and closed once it answered,
// the open asked for goes with the close and the next open that waits is
// opened once. An open failed so late that it may have been given up opens
// nothing after it.
TEST(AudioSession, DeviceThatDoesNotAnswerKeepsNoCallerWaiting)
{
    FakeWaveDevice device;
    const char* const late = "ERROR - The input device did not answer for 6 s\nERROR - The input device is missing";
    const char* const givenUp = "ERROR - The input device did not answer for 31 s\nERROR - The input device is "
                                "missing\nPress OK to open it again once it answers";
    enum class Then { Keep, Reopen, Close, ReopenCloseOpen };
    const struct {
        uint32_t answerAfterMs;
        MMRESULT answer;
        Then then;
        AudioOpenEvent end;
        const char* status;
        int closes;
    } cases[] = {
        {1000, MMSYSERR_NOERROR, Then::Keep, AudioOpenEvent::Opened, CAudioSession::kDefaultStatus, 1},
        {1000, MMSYSERR_BADDEVICEID, Then::Keep, AudioOpenEvent::Failed, "ERROR - The input device is missing", 0},
        {6000, MMSYSERR_NOERROR, Then::Keep, AudioOpenEvent::Opened, CAudioSession::kDefaultStatus, 1},
        {6000, MMSYSERR_BADDEVICEID, Then::Keep, AudioOpenEvent::Failed, late, 0},
        {6000, MMSYSERR_NOERROR, Then::Reopen, AudioOpenEvent::Opened, CAudioSession::kDefaultStatus, 2},
        {6000, MMSYSERR_NOERROR, Then::Close, AudioOpenEvent::None, CAudioSession::kNoAnswer, 1},
        {6000, MMSYSERR_NOERROR, Then::ReopenCloseOpen, AudioOpenEvent::Opened, CAudioSession::kDefaultStatus, 2},
        {31000, MMSYSERR_BADDEVICEID, Then::Reopen, AudioOpenEvent::Failed, givenUp, 0},
    };
    for (const auto& c : cases) {
        TempIni ini;
        WriteInput(ini, kWaveDefault);
        FakeTicks ticks(UINT32_MAX - 2000); // across the wrap
        Rig rig;
        CAudioSession session(&ticks);
        device.openAnswer = c.answer;
        device.Hold();
        const int held = device.heldCalls, closes = device.closes;
        ASSERT_EQ(session.Open(ini.Path(), &rig), AudioOpenProgress::Waiting);
        EXPECT_TRUE(WaitUntil([&] { return device.waitingCalls == 1; })); // the device holds the open
        EXPECT_TRUE(session.IsDeviceJobRunning());
        EXPECT_FALSE(session.CloseIfFailed());
        for (uint32_t passed = 0; passed <= c.answerAfterMs; passed += 500, ticks.now += 500) {
            const bool tell = passed == CAudioSession::kAnswerLimitMs;
            EXPECT_EQ(session.Poll(), tell ? AudioOpenEvent::NoAnswer : AudioOpenEvent::None) << passed;
            EXPECT_EQ(Status(session),
                      passed < CAudioSession::kAnswerLimitMs ? CAudioSession::kWaiting : CAudioSession::kNoAnswer);
        }
        if (c.then == Then::Reopen) {
            EXPECT_EQ(session.Open(ini.Path(), &rig), AudioOpenProgress::Waiting);
            EXPECT_EQ(Status(session), CAudioSession::kWaiting);
        } else if (c.then == Then::Close) {
            session.Close(JobWait::Leave);
        } else if (c.then == Then::ReopenCloseOpen) {
            EXPECT_EQ(session.Open(ini.Path(), &rig), AudioOpenProgress::Waiting);
            device.Release();
            session.Close(JobWait::Wait); // before the tick took the open's end
            device.Hold();
            EXPECT_EQ(session.Open(ini.Path(), &rig), AudioOpenProgress::Waiting);
        }
        device.Release();
        AudioOpenEvent end = AudioOpenEvent::None;
        EXPECT_TRUE(
            WaitUntil([&] { return (end = session.Poll()) != AudioOpenEvent::None || !session.IsDeviceJobRunning(); }));
        EXPECT_EQ(end, c.end);
        EXPECT_FALSE(session.IsDeviceJobRunning());
        EXPECT_EQ(Status(session), c.status);
        EXPECT_EQ(device.heldCalls, held + (c.then == Then::ReopenCloseOpen ? 2 : 1));
        EXPECT_EQ(session.GetStreamingInterface().GetDriverType(),
                  c.then == Then::Close ? AudioTypeNone : AudioTypeWave);
        CloseToTheEnd(session);
        EXPECT_EQ(device.closes, closes + c.closes);
    }
}

// A device that stops answering while it captures keeps no caller of its
// close waiting, whoever asks: the input watch after a device error (whose
// text shows at once), the user's close, or an OK (closing before it opens).
// The close goes on while the device holds it; an OK pressed meanwhile
// follows it and is told as not answering after the limit, as is a second OK.
// A close held so long that it may have been given up opens nothing after it.
TEST(AudioSession, CloseThatTheDeviceDoesNotAnswerKeepsNoCallerWaiting)
{
    FakeWaveDevice device;
    const char* const handoff = "Error: Wave buffer driver handoff failed\n";
    const char* const givenUp55 =
        "ERROR - The input device did not answer its close for 55 s\nPress OK to open it again once it answers";
    const char* const givenUp50 =
        "ERROR - The input device did not answer its close for 50 s\nPress OK to open it again once it answers";
    const uint32_t givenUp = CAudioSession::kCloseGivenUpMs;
    enum class Asker { InputWatch, User, Ok };
    const struct {
        Asker asker;
        bool okMeanwhile;
        AudioOpenEvent told, end;
        const char* status;
        uint32_t heldLongerMs = 0; // the close's hold past the OKs' waits
    } cases[] = {
        {Asker::InputWatch, false, AudioOpenEvent::None, AudioOpenEvent::None, handoff},
        {Asker::InputWatch, true, AudioOpenEvent::NoAnswer, AudioOpenEvent::Opened, CAudioSession::kDefaultStatus},
        {Asker::User, false, AudioOpenEvent::None, AudioOpenEvent::None, CAudioSession::kDefaultStatus},
        {Asker::Ok, false, AudioOpenEvent::NoAnswer, AudioOpenEvent::Opened, CAudioSession::kDefaultStatus},
        {Asker::InputWatch, true, AudioOpenEvent::NoAnswer, AudioOpenEvent::Failed, givenUp55, givenUp},
        {Asker::Ok, false, AudioOpenEvent::NoAnswer, AudioOpenEvent::Failed, givenUp50, givenUp},
        {Asker::InputWatch, false, AudioOpenEvent::None, AudioOpenEvent::None, handoff, givenUp},
    };
    for (const auto& c : cases) {
        TempIni ini;
        WriteInput(ini, kWaveDefault);
        FakeTicks ticks(1000);
        Rig rig;
        CAudioSession session(&ticks);
        ASSERT_EQ(OpenToTheEnd(session, ini.Path(), &rig), AudioOpenProgress::Opened);
        session.SetDefaultStatusText();
        if (c.asker == Asker::InputWatch) {
            device.failQueueAfter = device.queueCalls;
            ASSERT_TRUE(
                WaitUntil([&] { return device.Complete(1) >= 0 && session.GetStreamingInterface().HasFailed(); }));
        }
        const int opens = device.opens, closes = device.closes;
        device.Hold();
        device.failQueueAfter = -1; // the device came back, but for its close
        if (c.asker == Asker::InputWatch) {
            EXPECT_TRUE(session.CloseIfFailed());
        } else if (c.asker == Asker::User) {
            session.Close(JobWait::Leave);
        }
        if (c.asker == Asker::Ok || c.okMeanwhile) {
            EXPECT_EQ(session.Open(ini.Path(), &rig), AudioOpenProgress::Waiting);
        }
        // Returned while the device holds the close, which comes once the capture has stopped.
        EXPECT_TRUE(WaitUntil([&] { return device.waitingCalls == 1; }));
        EXPECT_TRUE(session.IsDeviceJobRunning());
        EXPECT_FALSE(session.CloseIfFailed());
        EXPECT_EQ(session.Poll(), AudioOpenEvent::None);
        ticks.now += CAudioSession::kAnswerLimitMs;
        EXPECT_EQ(session.Poll(), c.told);
        if (c.okMeanwhile) { // a second OK waits, and is told, on its own
            EXPECT_EQ(session.Open(ini.Path(), &rig), AudioOpenProgress::Waiting);
            EXPECT_EQ(Status(session), CAudioSession::kWaiting);
            ticks.now += CAudioSession::kAnswerLimitMs;
            EXPECT_EQ(session.Poll(), AudioOpenEvent::NoAnswer);
            EXPECT_EQ(Status(session), CAudioSession::kNoAnswer);
        }
        ticks.now += c.heldLongerMs;
        device.Release();
        AudioOpenEvent end = AudioOpenEvent::None;
        EXPECT_TRUE(
            WaitUntil([&] { return (end = session.Poll()) != AudioOpenEvent::None || !session.IsDeviceJobRunning(); }));
        EXPECT_EQ(end, c.end);
        EXPECT_EQ(Status(session), c.status);
        const bool opened = c.end == AudioOpenEvent::Opened;
        EXPECT_EQ(device.closes, closes + 1);
        EXPECT_EQ(device.opens, opens + (opened ? 1 : 0));
        EXPECT_EQ(session.GetStreamingInterface().GetDriverType(), opened ? AudioTypeWave : AudioTypeNone);
    }
}

// A known sine from the stand-in device through the audio interface and the
// input path: the RTA bars and the loudness reading are exactly what the
// engines give for the same samples fed to them directly.
TEST(AudioPath, StandInSineReachesTheEnginesUnchanged)
{
    FakeWaveDevice device;
    device.signal = TestSignal;
    TempIni ini;
    WriteInput(ini, kWaveDefault);
    WriteInput(ini, {{"buffersize_Wave", "1000"}});
    const int frames = 1000, blocks = 32, total = frames * blocks;
    Rig rig;
    rig.Show(true, true, true);
    CAudioSession session;
    ASSERT_EQ(OpenToTheEnd(session, ini.Path(), &rig), AudioOpenProgress::Opened) << Status(session);
    for (int done = 0, tries = 0; done < blocks && tries < 60000; ++tries, Sleep(done < blocks))
        done += device.Complete(blocks - done);
    ASSERT_TRUE(WaitUntil([&] { return rig.blocks == blocks; }));
    session.Close();

    std::vector<int32_t> left(total), right(total);
    CLoudnessMeter meter;
    meter.SetTickSource(&rig.ticks);
    ASSERT_TRUE(meter.Configure(LoudnessConfig()));
    CRtaEngine rta;
    ASSERT_TRUE(rta.Setup(0, 48000, rig.rta.GetAverages()));
    for (int n = 0; n < total; ++n)
        left[n] = TestSignal(0, n), right[n] = TestSignal(1, n);
    for (int b = 0; b < blocks; ++b) {
        const int32_t* channels[2] = {&left[b * frames], &right[b * frames]};
        meter.Process(channels, 2, frames);
    }
    const int pushed = total - total % CRtaPanel::kBlockSamples;
    for (int i = 0; i < pushed; i += CRtaPanel::kBlockSamples)
        rta.PushSamples(&left[i], CRtaPanel::kBlockSamples);
    float levels[CRtaEngine::kMaxBands];
    ASSERT_TRUE(rta.FetchBands(levels));
    ASSERT_TRUE(WaitForResults(rig.rta, pushed / 1024)); // one result per 1024 samples
    const std::vector<int> bars = rig.Bars();
    for (size_t k = 0; k < bars.size(); ++k)
        EXPECT_EQ(bars[k], CRtaPanel::BarHeight(levels[k])) << k;
    EXPECT_EQ(LoudestThirdOctaveBand(bars), "1.0k");

    LoudnessReading got, want;
    ASSERT_TRUE(rig.loudness.ReadLatest(&got) && meter.ReadLatest(&want));
    EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0);
    EXPECT_NEAR(got.peakA[1], -602, 5);
    EXPECT_NEAR(got.peakA[2], -1204, 5);
    EXPECT_GT(rig.Bytes(rig.scope1) * rig.Bytes(rig.scope2), 0);
}

// The test sound server's 1000 Hz sine through "Wave" and its default device.
TEST(AudioPathCapture, TestSineReachesTheAnalysers)
{
    if (CaptureDeviceMissing(waveInGetNumDevs() > 0))
        GTEST_SKIP() << kNoSoundServer;
    TempIni ini;
    WriteInput(ini, kWaveDefault);
    Rig rig;
    rig.Show(true, true, false);
    CAudioSession session;
    ASSERT_EQ(OpenToTheEnd(session, ini.Path(), &rig), AudioOpenProgress::Opened) << Status(session);
    EXPECT_TRUE(WaitUntil([&] { return rig.rta.GetResultCount() >= 20 && rig.Bytes(rig.scope1) > 0; }));
    session.Close();
    EXPECT_EQ(LoudestThirdOctaveBand(rig.Bars()), "1.0k");
    LoudnessReading reading;
    ASSERT_TRUE(rig.loudness.ReadLatest(&reading));
    EXPECT_NEAR(reading.peakA[1], -602, 100); // half full scale
    EXPECT_EQ(rig.Bytes(rig.scope2), 0);
}
