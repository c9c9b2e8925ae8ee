#include "AudioTestSupport.h"
#include "FakeDirectSound.h"
#include "audio/AI_DirectSound.h"
#include "audio/DSoundFillSink.h"
#include "audio/DSoundManager.h"
#include "audio/DSoundStreamingBuffer.h"
#include <gtest/gtest.h>
#include <cstring>
#include <new>

namespace {

// When not negative: the nothrow allocations that still succeed before one fails.
std::atomic<int> nothrowPassesBeforeFailure{-1};

class CountingSink : public DSoundFillSink {
public:
    void Fill(void* buffer, int bytes) override
    {
        sizes.push_back(bytes);
        memset(buffer, ++marker, bytes);
    }
    void OnPosition(int, int) override {}
    std::vector<int> sizes;
    char marker = 0;
};

WAVEFORMATEX Stereo16()
{
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 48000;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = 192000;
    return format;
}

class DSoundOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (HANDLE& event : events)
            event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        ASSERT_EQ(manager.Initialize(nullptr, GetDesktopWindow(), DSSCL_PRIORITY), S_OK);
        WAVEFORMATEX format = Stereo16();
        ASSERT_EQ(manager.CreateStreaming(&streaming, &format, 0x18100, GUID_NULL, 4, 1024, events, &sink), S_OK);
        ASSERT_NE(streaming, nullptr);
    }
    void TearDown() override
    {
        delete streaming;
        for (HANDLE event : events)
            CloseHandle(event);
    }

    FakeDirectSound fake;
    CountingSink sink;
    DSoundManager manager;
    DSoundStreamingBuffer* streaming = nullptr;
    HANDLE events[4];
};

} // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (nothrowPassesBeforeFailure >= 0 && nothrowPassesBeforeFailure-- == 0)
        return nullptr;
    return malloc(size ? size : 1);
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}

TEST_F(DSoundOutput, NotificationsSitInTheMiddleOfEachBlock)
{
    EXPECT_EQ(fake.streamingDesc.dwBufferBytes, 4096u);
    EXPECT_EQ(fake.streamingDesc.dwFlags, 0x18100u);
    EXPECT_EQ(fake.streamingDesc.dwSize, 36u);
    ASSERT_EQ(fake.positions.size(), 4u);
    DWORD want[4] = {512, 1536, 2560, 3584};
    for (int i = 0; i < 4; i++) {
        EXPECT_EQ(fake.positions[i].dwOffset, want[i]);
        EXPECT_EQ(fake.positions[i].hEventNotify, events[i]);
    }
    EXPECT_EQ(fake.cooperativeLevel, (DWORD)DSSCL_PRIORITY);
}

TEST_F(DSoundOutput, PrefillSilencesAllAndFillsTheFirstHalfBlockByBlock)
{
    ASSERT_EQ(streaming->FillBufferWithDSound(streaming->GetBuffer(0), 2), S_OK);
    ASSERT_EQ(sink.sizes.size(), 2u);
    EXPECT_EQ(sink.sizes[0], 1024);
    EXPECT_EQ(sink.sizes[1], 1024);
    EXPECT_EQ(fake.memory[0], 1);
    EXPECT_EQ(fake.memory[1024], 2);
    EXPECT_EQ(fake.memory[2048], 0);
    EXPECT_EQ(fake.memory[4095], 0);
    EXPECT_EQ(streaming->FillBufferWithDSound(nullptr, 2), CO_E_NOTINITIALIZED);
    EXPECT_EQ(streaming->GetBuffer(1), nullptr);
}

TEST_F(DSoundOutput, EachNotificationRefillsTheBlockHalfABufferAhead)
{
    int refills[][2] = {{0, 2}, {1, 3}, {2, 0}, {3, 1}, {5, 3}};
    for (auto& r : refills) {
        ASSERT_EQ(streaming->HandleNotification(r[0], 0), S_OK);
        EXPECT_EQ(streaming->GetLastOffset(), (DWORD)r[1] * 1024) << r[0];
    }
    EXPECT_EQ(fake.lockOffsets.back(), 3072u);
    ASSERT_EQ(streaming->HandleNotification(0, 3), S_OK);
    EXPECT_EQ(streaming->GetLastOffset(), 3u * 1024);
    EXPECT_EQ(sink.sizes.size(), 6u);
}

TEST_F(DSoundOutput, ALostBufferIsRestoredAndThatRefillSkipped)
{
    fake.lost = true;
    ASSERT_EQ(streaming->HandleNotification(0, 0), S_OK);
    EXPECT_EQ(fake.restoreCalls, 1);
    EXPECT_TRUE(sink.sizes.empty());
    ASSERT_EQ(streaming->HandleNotification(0, 0), S_OK);
    EXPECT_EQ(sink.sizes.size(), 1u);

    fake.lost = true;
    fake.restoreLostReplies = 2;
    BOOL restored = FALSE;
    EXPECT_EQ(streaming->RestoreBuffer(streaming->GetBuffer(0), &restored), S_OK);
    EXPECT_TRUE(restored);
    EXPECT_EQ(fake.restoreCalls, 4);
    EXPECT_EQ(streaming->RestoreBuffer(streaming->GetBuffer(0), &restored), S_FALSE);
    EXPECT_FALSE(restored);
    EXPECT_EQ(streaming->RestoreBuffer(nullptr, &restored), CO_E_NOTINITIALIZED);
}

TEST_F(DSoundOutput, ABufferThatStaysLostIsGivenUp)
{
    fake.lost = true;
    fake.restoreLostReplies = -1;
    EXPECT_EQ(streaming->HandleNotification(0, 0), DSERR_BUFFERLOST);
    EXPECT_EQ(fake.restoreCalls, (int)DSoundBuffer::MaxRestoreAttempts);
    std::atomic<bool> cancel{true};
    streaming->SetCancelFlag(&cancel);
    EXPECT_EQ(streaming->Reset(), DSERR_BUFFERLOST);
    EXPECT_EQ(fake.restoreCalls, (int)DSoundBuffer::MaxRestoreAttempts + 1);
    EXPECT_EQ(fake.setPositionCalls, 0);
}

TEST_F(DSoundOutput, ResetPlayAndStop)
{
    EXPECT_EQ(streaming->Reset(), S_OK);
    EXPECT_EQ(fake.setPositionCalls, 1);
    EXPECT_EQ(streaming->Play(0, DSBPLAY_LOOPING, 0, (DWORD)-1, 0), S_OK);
    EXPECT_EQ(fake.playFlags, (DWORD)DSBPLAY_LOOPING);
    EXPECT_EQ(streaming->GetFreeBuffer(), streaming->GetBuffer(0));
    EXPECT_EQ(streaming->Stop(), S_OK);
    fake.failLockAfter = 0;
    EXPECT_EQ(streaming->HandleNotification(1, 0), DSERR_INVALIDPARAM);
}

TEST(DSoundManager, FailuresAreReportedNeverASilentNullBuffer)
{
    FakeDirectSound fake;
    DSoundManager manager;
    DSoundStreamingBuffer* streaming = nullptr;
    WAVEFORMATEX format = Stereo16();
    HANDLE events[2] = {};
    EXPECT_EQ(manager.SetPrimaryBufferFormat(2, 48000, 16), CO_E_NOTINITIALIZED);
    EXPECT_EQ(manager.CreateStreaming(&streaming, &format, 0, GUID_NULL, 2, 64, events, nullptr), CO_E_NOTINITIALIZED);
    ASSERT_EQ(manager.Initialize(nullptr, nullptr, DSSCL_PRIORITY), S_OK);
    EXPECT_EQ(manager.SetPrimaryBufferFormat(2, 44100, 16), S_OK);
    EXPECT_EQ(fake.primaryFormat.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(fake.primaryFormat.nBlockAlign, 4);
    EXPECT_EQ(manager.CreateStreaming(nullptr, &format, 0, GUID_NULL, 2, 64, events, nullptr), E_INVALIDARG);
    int objects = fake.liveObjects;

    // The positions array is the first nothrow allocation, the buffer object the second.
    for (int passing : {0, 1}) {
        nothrowPassesBeforeFailure = passing;
        streaming = reinterpret_cast<DSoundStreamingBuffer*>(1);
        EXPECT_EQ(manager.CreateStreaming(&streaming, &format, 0, GUID_NULL, 2, 64, events, nullptr), E_OUTOFMEMORY);
        EXPECT_EQ(streaming, nullptr);
        EXPECT_EQ(fake.liveObjects, objects) << "the DirectSound buffer is released";
    }
    nothrowPassesBeforeFailure = -1;

    fake.streamingCreateResult = DSERR_BADFORMAT;
    EXPECT_EQ(manager.CreateStreaming(&streaming, &format, 0, GUID_NULL, 2, 64, events, nullptr), DSERR_BADFORMAT);
    EXPECT_EQ(streaming, nullptr);
}

class DirectSoundOutputDriver : public ::testing::Test {
protected:
    DirectSoundOutputDriver() : driver(false)
    {
        OwnDriver(driver, owner);
        owner.fill = [this](void* block, int bytes) { memset(block, ++marker, bytes); };
    }
    std::string Error() { return ErrorText(driver); }

    FakeDirectSound fake;
    RecordingOwner owner;
    char marker = 0;
    AI_DirectSound driver;
};

TEST_F(DirectSoundOutputDriver, OpenPrefillsPlaysAndRefillsAhead)
{
    AudioDriverSettings s = StereoSettings("Default Device", 256, 4);
    ASSERT_EQ(driver.Open(&s), AudioOpenOk) << Error();
    EXPECT_EQ(fake.streamingDesc.dwBufferBytes, 4096u);
    EXPECT_EQ(fake.primaryFormat.nSamplesPerSec, 48000u);
    EXPECT_EQ(fake.playFlags, (DWORD)DSBPLAY_LOOPING);
    EXPECT_EQ(fake.setPositionCalls, 1);
    ASSERT_EQ(owner.count, 2);
    EXPECT_EQ(fake.memory[0], 1);
    EXPECT_EQ(fake.memory[1024], 2);
    EXPECT_EQ(fake.memory[2048], 0);

    for (int block = 0; block < 4; block++) {
        fake.SignalOutputBlock(block);
        ASSERT_TRUE(WaitUntil([&] { return owner.count == 3 + block; }));
    }
    driver.Close();
    EXPECT_EQ(fake.memory[2048], 3);
    EXPECT_EQ(fake.memory[3072], 4);
    EXPECT_EQ(fake.memory[0], 5);
    EXPECT_EQ(fake.memory[1024], 6);
    ASSERT_EQ(fake.lockOffsets.size(), 5u);
    EXPECT_EQ(fake.lockOffsets[1], 2048u);
    EXPECT_EQ(fake.lockOffsets[2], 3072u);
    EXPECT_EQ(fake.lockOffsets[3], 0u);
    EXPECT_EQ(fake.lockOffsets[4], 1024u);
    EXPECT_EQ(fake.liveObjects, 0);
}

TEST_F(DirectSoundOutputDriver, ABufferLostForGoodEndsCleanly)
{
    AudioDriverSettings s = StereoSettings("Default Device", 256, 4);
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    fake.lost = true;
    fake.restoreLostReplies = -1;
    fake.SignalOutputBlock(1);
    ASSERT_TRUE(WaitUntil([&] { return fake.restoreCalls > 0; }));
    driver.Close();
    EXPECT_EQ(driver.IsOpen(), 0);
    EXPECT_EQ(fake.liveObjects, 0);
    EXPECT_EQ(owner.count, 2);
}

TEST_F(DirectSoundOutputDriver, AFailingLockEndsTheThread)
{
    AudioDriverSettings s = StereoSettings("Default Device", 256, 4);
    fake.failLockAfter = 2; // the prefill and one refill
    ASSERT_EQ(driver.Open(&s), AudioOpenOk);
    fake.SignalOutputBlock(0);
    ASSERT_TRUE(WaitUntil([&] { return owner.count == 3; }));
    fake.SignalOutputBlock(1);
    ASSERT_TRUE(WaitUntil([&] { return driver.HasFailed(); }));
    driver.Close();
    EXPECT_EQ(fake.liveObjects, 0);
}

TEST_F(DirectSoundOutputDriver, OpenFailuresNameTheirStep)
{
    AudioDriverSettings s = StereoSettings("Default Device", 256, 4);
    fake.streamingCreateResult = DSERR_BADFORMAT;
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(), "DSoundManager::CreateStreaming failed (bad format?): 88780064");
    fake.streamingCreateResult = DSERR_OUTOFMEMORY;
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(), "DSoundManager::CreateStreaming failed: 8007000e");
    fake.streamingCreateResult = S_OK;
    fake.failLockAfter = 0;
    EXPECT_EQ(driver.Open(&s), AudioOpenFailed);
    EXPECT_EQ(Error(), "DSoundManager::FillBufferWithDSound failed: 80070057");
    driver.Close();
    EXPECT_EQ(fake.liveObjects, 0);
}
