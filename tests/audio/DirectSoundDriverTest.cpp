#include "AudioTestSupport.h"
#include "FakeDirectSound.h"
#include "audio/AI_DirectSound.h"
#include "audio/DSoundApi.h"
#include "audio/DSoundCaptureKeeper.h"
#include "audio/GuidText.h"
#include <gtest/gtest.h>

using DirectSoundDriver = DriverTest<FakeDirectSound, AI_DirectSound>;

TEST_F(DirectSoundDriver, ListsDevicesByGuidTextAndAnswersInvalidPastTheEnd)
{
    EXPECT_EQ(driver.GetNumDevices(), 3);
    AudioDeviceEntry entry;
    entry.deviceNumber = 7;
    driver.GetDeviceName(&entry, 0);
    EXPECT_EQ(entry.name, "Default Device");
    EXPECT_EQ(entry.identifier, "WAVE_MAPPER");
    EXPECT_EQ(entry.deviceNumber, 7);
    driver.GetDeviceName(&entry, 1);
    EXPECT_EQ(entry.name, "Fake Mic A");
    EXPECT_EQ(entry.identifier, "11111111-2222-3333-4444-555555555555");
    EXPECT_EQ(entry.deviceNumber, 0);
    driver.GetDeviceName(&entry, 2);
    EXPECT_EQ(entry.identifier, "abcdef01-0203-0405-0607-08090a0b0c0d");
    for (int index : {3, -1, 100}) {
        driver.GetDeviceName(&entry, index);
        EXPECT_EQ(entry.name, "invalid");
        EXPECT_EQ(entry.identifier, "invalid");
        EXPECT_EQ(entry.deviceNumber, -1);
    }
    driver.SetAllowDefaultDevice(false);
    EXPECT_EQ(driver.GetNumDevices(), 2);
    driver.GetDeviceName(&entry, 0);
    EXPECT_EQ(entry.name, "Fake Mic A");
    EXPECT_FALSE(driver.IsDefaultDeviceName("Default Device"));
    EXPECT_TRUE(driver.SupportsDefaultDevice());

    fake.enumerateFails = true;
    EXPECT_EQ(driver.GetNumDevices(), 0);
    EXPECT_EQ(Error(driver), "Error enumerating DirectSound devices");
}

// A system that keeps the GUIDs an enumeration names in a table of its own is never made to name more
// devices than the table holds; the list then ends with the last one it holds.
TEST_F(DirectSoundDriver, EnumerationStopsWhereTheSystemsTableEnds)
{
    struct Case {
        int devices, table, listed;
    };
    const Case cases[] = {{2, 0, 2}, {30, 0, 30}, {9, 10, 9}, {10, 10, 10}, {11, 10, 10}, {55, 10, 10}, {3, 1, 1}};
    for (const Case& c : cases) {
        fake.NameDevices(c.devices, c.table);
        fake.tableOverruns = 0;
        ASSERT_EQ(driver.GetNumDevices(), c.listed + 1) << c.devices << " in " << c.table;
        EXPECT_EQ(fake.tableOverruns, 0) << c.devices << " in " << c.table;
        AudioDeviceEntry last;
        driver.GetDeviceName(&last, c.listed);
        EXPECT_EQ(last.name, "Source " + std::to_string(c.listed - 1));
    }
}

// Where the system loses the last buffer of a released capture object, the object of the device last opened
// is kept and used again: opening one device over and over, by its GUID or as the default it stands for,
// makes one object and loses nothing; a change of device loses the left one's buffer once; an object
// whose stream failed is not kept; a kept object that outlived its sound server is replaced within the open.
TEST_F(DirectSoundDriver, CaptureObjectOfTheLastDeviceIsUsedAgain)
{
    fake.LeakReleasedCapture();
    char a[GuidTextLength + 1], b[GuidTextLength + 1];
    FormatGuid(a, &fake.devices[0].guid);
    FormatGuid(b, &fake.devices[1].guid);
    const int bufferBytes = 4096; // 4 blocks of 256 stereo 16-bit frames
    struct Case {
        std::vector<const char*> opens;
        bool streamFails;
        int creates, lostBuffers;
        int restartBefore = -1; // the open before which the sound server went away and came back
    };
    const Case cases[] = {{{"Default Device", "Default Device", "Default Device", "Default Device"}, false, 1, 0},
                          {{"Default Device", a, "Default Device", a}, false, 1, 0},
                          {{a, b, a, b}, false, 4, 3},
                          {{b, b, b}, false, 1, 0},
                          {{a, a, a}, true, 3, 3},
                          {{a, a, a}, false, 2, 1, 1}};
    for (const Case& c : cases) {
        DSoundCaptureKeeper::Clear();
        fake.captureCreates = 0;
        fake.leakedBytes = 0;
        fake.failLockAfter = c.streamFails ? 0 : -1;
        for (size_t i = 0; i < c.opens.size(); ++i) {
            const char* name = c.opens[i];
            if (int(i) == c.restartBefore)
                fake.RestartServer();
            AudioDriverSettings s = StereoSettings(name, 256, 4);
            ASSERT_EQ(driver.Open(&s), AudioOpenOk) << name;
            fake.lockCalls = 0;
            fake.CaptureBlocks(1);
            ASSERT_TRUE(WaitUntil([&] { return c.streamFails ? driver.HasFailed() : owner.count > 0; }));
            owner.count = 0;
            driver.Close();
        }
        EXPECT_EQ(fake.captureCreates, c.creates) << c.opens.size() << " opens of " << c.opens[0];
        EXPECT_EQ(fake.leakedBytes, c.lostBuffers * bufferBytes) << c.opens.size() << " opens of " << c.opens[0];
    }
    DSoundCaptureKeeper::Clear();
    EXPECT_EQ(fake.liveObjects, 0);
}

namespace {
enum class OnTheThread { Open, OpenAndClose, MakeOpenCloseAndDestroy };

struct ComOpener {
    AI_DirectSound* driver;
    OnTheThread steps = OnTheThread::Open;
    int result = AudioOpenFailed;
    HRESULT comAfter = E_FAIL;
};

// Runs its steps on a thread of its own, tells whether COM is still set up there afterwards, and ends.
DWORD WINAPI OpenAndEnd(LPVOID context)
{
    ComOpener& o = *static_cast<ComOpener*>(context);
    AudioDriverSettings s = StereoSettings("WAVE_MAPPER", 256, 4);
    if (o.steps == OnTheThread::MakeOpenCloseAndDestroy) {
        AI_DirectSound own(true);
        o.result = own.Open(&s);
    } else {
        o.result = o.driver->Open(&s);
        if (o.steps == OnTheThread::OpenAndClose)
            o.driver->Close();
    }
    o.comAfter = CoInitialize(nullptr);
    CoUninitialize();
    return 0;
}

void RunOnThread(ComOpener& opener)
{
    HANDLE thread = CreateThread(nullptr, 0, OpenAndEnd, &opener, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
}
} // namespace

// Each open runs on a worker that ends with it, as the session's do: the COM set-up an open keeps for
// its stream stays on its own thread, whatever an open that failed on an ended thread left behind (that
// thread's id may belong to the next worker), and a close elsewhere leaves that thread's count alone.
// What is set up and undone on one thread leaves its count at nothing.
TEST_F(DirectSoundDriver, ComSetUpOfAnOpenBelongsToItsThread)
{
    fake.captureCreateResult = DSERR_NODRIVER;
    ComOpener failed{&driver};
    RunOnThread(failed);
    ASSERT_EQ(failed.result, AudioOpenFailed);
    fake.captureCreateResult = S_OK;
    ComOpener opened{&driver};
    RunOnThread(opened);
    EXPECT_EQ(opened.result, AudioOpenOk);
    EXPECT_EQ(opened.comAfter, S_FALSE);       // already set up
    ASSERT_EQ(CoInitialize(nullptr), S_FALSE); // the driver's own, made on this thread
    driver.Close();
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    CoUninitialize();
    CoUninitialize();
    for (OnTheThread steps : {OnTheThread::OpenAndClose, OnTheThread::MakeOpenCloseAndDestroy}) {
        ComOpener undone{&driver, steps};
        RunOnThread(undone);
        EXPECT_EQ(undone.result, AudioOpenOk);
        EXPECT_EQ(undone.comAfter, S_OK) << int(steps); // nothing left set up
    }
    EXPECT_EQ(fake.liveObjects, 0);
}

// The tests run under Wine, whose table holds ten.
TEST(DirectSoundSystem, DeclaresTheTableOfTheSystemItRunsOn)
{
    EXPECT_EQ(CurrentDSoundApi().enumerationLimit, 10);
}

TEST_F(DirectSoundDriver, OpensTheGuidItWasNamed)
{
    char guid[GuidTextLength + 1];
    FormatGuid(guid, &fake.devices[1].guid);
    AudioDriverSettings s = StereoSettings(guid, 256, 4);
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    EXPECT_TRUE(IsEqualGUID(fake.lastGuid, fake.devices[1].guid));
    driver.Close();
    for (const char* name : {"WAVE_MAPPER", "Default Device", "11111111-2222-3333-4444-55555555555"}) {
        s.deviceName = name;
        ASSERT_EQ(driver.Open(&s), AudioOpenOk);
        EXPECT_FALSE(fake.createdWithNull);
        EXPECT_TRUE(IsEqualGUID(fake.lastGuid, GUID{})) << name;
        driver.Close();
    }
    EXPECT_EQ(fake.liveObjects, 0);
}

TEST_F(DirectSoundDriver, CaptureBufferOfWholeBlocksWithOneNotificationEach)
{
    AudioDriverSettings s = StereoSettings("WAVE_MAPPER", 256, 4);
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    EXPECT_EQ(fake.captureDesc.dwBufferBytes, 4096u);
    EXPECT_EQ(fake.captureDesc.dwFlags, 0u);
    EXPECT_EQ(fake.captureFormat.nBlockAlign, 4);
    EXPECT_EQ(fake.captureFormat.nAvgBytesPerSec, 192000u);
    ASSERT_EQ(fake.positions.size(), 4u);
    DWORD offsets[4] = {1023, 2047, 3071, 4095};
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(fake.positions[i].dwOffset, offsets[i]);
    EXPECT_EQ(driver.GetFrameBytes(), 4);
    EXPECT_EQ(driver.GetLatency(), 512);

    for (int i = 0; i < 9; i++) {
        fake.CaptureBlocks(1);
        ASSERT_TRUE(WaitUntil([&] { return owner.count == i + 1; }));
    }
    driver.Close();
    EXPECT_EQ(driver.GetLatency(), 0);
    EXPECT_EQ(driver.IsOpen(), 0);
    EXPECT_EQ(owner.data.size(), 9u);
    EXPECT_TRUE(FakeDevice::CarryTheRamp(owner.data, 1024));
    EXPECT_EQ(fake.liveObjects, 0);
}

// The thread is held inside block 2 while blocks 3 and 0 complete: the wait then
// reports block 0 first, yet block 3 is older.
TEST_F(DirectSoundDriver, ALateThreadStillHandsOnBlocksInRingOrder)
{
    HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> seen{0};
    owner.fill = [&](void*, int) {
        if (seen++ == 2)
            WaitForSingleObject(gate, INFINITE);
    };
    AudioDriverSettings s = StereoSettings("WAVE_MAPPER", 256, 4);
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    fake.CaptureBlocks(3);
    ASSERT_TRUE(WaitUntil([&] { return seen == 3; }));
    fake.CaptureBlocks(2);
    SetEvent(gate);
    ASSERT_TRUE(WaitUntil([&] { return owner.count == 5; }));
    fake.CaptureBlocks(3);
    ASSERT_TRUE(WaitUntil([&] { return owner.count == 8; }));
    driver.Close();
    CloseHandle(gate);
    EXPECT_TRUE(FakeDevice::CarryTheRamp(owner.data, 1024));
    EXPECT_EQ(owner.count, 8);
}

TEST_F(DirectSoundDriver, LatencyIsHalfTheBuffersPlusTheFifo)
{
    AudioDriverSettings s = StereoSettings("WAVE_MAPPER", 256, 5);
    s.fifoFrames = 100;
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    EXPECT_EQ(driver.GetLatency(), 612);
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(driver), "Already Running!");
}

TEST_F(DirectSoundDriver, RefusalsAndDeviceFailures)
{
    AudioDriverSettings s = StereoSettings("None", 256, 4);
    EXPECT_EQ(driver.Open(&s), AudioOpenNoDevice);
    EXPECT_EQ(Error(driver), "No Input Device Selected");
    s.deviceName = "";
    EXPECT_EQ(driver.Open(&s), AudioOpenNoDevice);
    s.deviceName = "WAVE_MAPPER";
    s.bufferCount = 33;
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(driver), "Invalid buffer count!");
    s.bufferCount = 32;
    fake.captureCreateResult = DSERR_NODRIVER;
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(driver), "DirectSoundCaptureCreate failed: 88780078");
    fake.captureCreateResult = S_OK;
    s.bits = 0;
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(driver), "CreateCaptureBuffer failed: 80070057");
    EXPECT_EQ(driver.IsOpen(), 0);
    driver.Close();
    EXPECT_EQ(fake.liveObjects, 0);
    EXPECT_EQ(driver.Open(nullptr), AudioOpenFailed);

    AI_DirectSound output(false);
    Own(output);
    s.deviceName = "Off";
    EXPECT_EQ(output.Open(&s), AudioOpenNoDevice);
    EXPECT_EQ(Error(output), "No Output Device Selected");
}

TEST_F(DirectSoundDriver, AFailedWaitEndsTheThreadInsteadOfDeliveringStaleBlocks)
{
    AudioDriverSettings s = StereoSettings("WAVE_MAPPER", 256, 4);
    fake.failWait = true;
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    ASSERT_TRUE(WaitUntil([&] { return driver.HasFailed(); }));
    EXPECT_EQ(Error(driver), "WaitForMultipleObjects failed: ffffffff");
    driver.Close();
    EXPECT_EQ(fake.waits, 1);
    EXPECT_EQ(owner.count, 0);
    EXPECT_EQ(fake.lockCalls, 0);
}

TEST_F(DirectSoundDriver, AFailingLockEndsTheThread)
{
    AudioDriverSettings s = StereoSettings("WAVE_MAPPER", 256, 4);
    fake.failLockAfter = 2;
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    fake.CaptureBlocks(4);
    ASSERT_TRUE(WaitUntil([&] { return driver.HasFailed(); }));
    EXPECT_EQ(owner.count, 2);
    EXPECT_EQ(driver.IsOpen(), 1);
    EXPECT_EQ(Error(driver), "DSBCaptureLock failed: 80070057"); // the owner shows why
    driver.Close();
    EXPECT_EQ(owner.count, 2);
    EXPECT_EQ(fake.liveObjects, 0);
}

TEST_F(DirectSoundDriver, ASilentDeviceFailsAfterTheStallLimitAndASlowOneNever)
{
    for (const StallCase& c : StallCases()) {
        AI_DirectSound stream(true);
        Own(stream);
        RunStallCase(stream, fake, owner, c, [&] { fake.CaptureBlocks(1); });
    }
}

TEST(DirectSoundCycles, OpenCloseWhileCapturing)
{
    FakeDirectSound fake;
    RecordingClient client;
    CAudioInterface ai;
    ai.SetClient(&client);
    ai.CreateDriver(true, AudioTypeDirectSound);
    ASSERT_EQ(ai.GetDriverType(), AudioTypeDirectSound);
    AudioDriverSettings s = StereoSettings("WAVE_MAPPER", 64, 4);
    fake.StartStreaming();
    ResourceUse before = ResourceUse::Now();
    ASSERT_NO_FATAL_FAILURE(OpenCloseCycles(ai, client, AudioTypeDirectSound, s, 300, false));
    fake.StopStreaming();
    std::vector<DWORD>().swap(fake.lockOffsets);
    ResourceUse after = ResourceUse::Now();
    EXPECT_EQ(client.afterClose, 0);
    EXPECT_EQ(fake.liveObjects, 0);
    EXPECT_LE(after.handles, before.handles + 2);
    EXPECT_LE(after.heapBytes, before.heapBytes + 4096);
}
