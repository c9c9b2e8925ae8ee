#include "AudioSessionSupport.h"
#include "AudioTestSupport.h"
#include "FakeDirectSound.h"
#include "FakeWaveDevice.h"
#include "app/CAudioSession.h"
#include "audio/DSoundCaptureKeeper.h"
#include <gtest/gtest.h>
#include <utility>
#include <vector>

// What pressing OK after picking another interface does, over and over while both stand-ins stream: the
// settings window's interface lists the new type's devices, then the session opens the new choice on a
// worker of its own, on a system that loses a released capture object's buffer. Every open delivers, no
// enumeration runs past the system's table, no buffer is lost, and nothing that a switch made (drivers,
// workers and their COM, events, device lists) is kept once the next one is done.
TEST(AudioSession, SwitchingTheInterfaceKeepsNothing)
{
    FakeWaveDevice wave;
    FakeDirectSound directSound;
    directSound.NameDevices(30, 10);
    directSound.LeakReleasedCapture();
    wave.StartStreaming();
    directSound.StartStreaming();
    const struct {
        int type;
        std::vector<std::pair<const char*, const char*>> keys;
    } choices[] = {{AudioTypeDirectSound, {{"Interface", "DS"}, {"devicename_DS", "Default Device"}}},
                   {AudioTypeWave, {{"Interface", "Wave"}, {"devicename_Wave", "Default Device"}}}};
    TempIni ini;
    RecordingClient client;
    CAudioSession session;
    ResourceUse before = {};
    const int switches = 60;
    for (int i = 0; i < switches; ++i) {
        const auto& choice = choices[i % 2];
        for (const auto& key : choice.keys)
            WritePrivateProfileStringA(CAudioSession::kInputSection, key.first, key.second, ini.Path());
        CAudioInterface& lister = *session.GetDeviceListInterface();
        lister.CreateDriver(true, choice.type);
        ASSERT_GT(lister.GetNumDevices(), 1);
        const int start = client.blocks;
        ASSERT_EQ(OpenToTheEnd(session, ini.Path(), &client), AudioOpenProgress::Opened) << i;
        ASSERT_TRUE(WaitUntil([&] { return client.blocks - start >= 2; })) << "switch " << i;
        if (i == 1)
            before = ResourceUse::Now(); // each type made once
    }
    const ResourceUse after = ResourceUse::Now();
    session.Close();
    wave.StopStreaming();
    directSound.StopStreaming();
    EXPECT_EQ(directSound.tableOverruns, 0);
    EXPECT_EQ(wave.opens, switches / 2);
    EXPECT_EQ(wave.closes, switches / 2);
    EXPECT_EQ(directSound.captureCreates, 1);
    EXPECT_EQ(directSound.leakedBytes, 0);
    DSoundCaptureKeeper::Clear(); // the one object kept for the next open
    EXPECT_EQ(directSound.liveObjects, 0);
    EXPECT_LE(after.handles, before.handles + 2);
    EXPECT_LE(after.heapBytes, before.heapBytes + 4096);
}
