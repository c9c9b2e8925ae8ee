#include "audio/CAudioClient.h"
#include "audio/CAudioInterface.h"
#include "tests/audio/KernelStreaming/KsEngineSupport.h"
#include <gtest/gtest.h>

namespace {

// Keeps both planar channels as they arrive.
class CPlanarClient : public CAudioClient {
public:
    std::atomic<int> blocks{0};
    std::vector<int32_t> left;
    std::vector<int32_t> right;

    std::atomic<int> closeResult{-1};
    bool closeOnFirst = false;

    void OnInputPlanar(CAudioInterface* sender, int32_t** channels, int frames) override
    {
        left.insert(left.end(), channels[0], channels[0] + frames);
        right.insert(right.end(), channels[1], channels[1] + frames);
        if (++blocks == 1 && closeOnFirst)
            closeResult = sender->Close();
    }
};

class KsInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        AddLineIn(fake);
        settings = LineInSettings(32, 3);
        audio.SetClient(&client);
        audio.CreateDriver(true, AudioTypeKernelStreaming);
    }

    CFakeKsPlatform fake;
    CPlanarClient client;
    AudioDriverSettings settings;
    CAudioInterface audio;
};

TEST_F(KsInterfaceTest, KnownSamplesArriveInOrderAfterTheSilentPackets)
{
    ASSERT_EQ(audio.GetDriverType(), AudioTypeKernelStreaming);
    EXPECT_EQ(audio.GetNumDevices(), 1);
    fake.readBudget = 10;
    ASSERT_EQ(audio.Open(&settings), AudioOpenOk) << audio.GetErrorText();
    ASSERT_TRUE(WaitFor([&] { return client.blocks == 13; }));
    audio.Close();
    ASSERT_EQ(client.left.size(), 13u * 32);
    for (size_t f = 0; f < 3 * 32; ++f) {
        ASSERT_EQ(client.left[f], 0);
        ASSERT_EQ(client.right[f], 0);
    }
    for (size_t f = 3 * 32; f < client.left.size(); ++f) {
        long n = 2 * (long)(f - 3 * 32);
        ASSERT_EQ(client.left[f], FakeKsSample(n)) << f;
        ASSERT_EQ(client.right[f], FakeKsSample(n + 1)) << f;
    }
    // The device list keeps its own filter open until the driver goes.
    EXPECT_EQ(fake.OpenHandleCount(), 1);
    audio.DestroyDriver();
    EXPECT_EQ(fake.OpenHandleCount(), 0);
}

TEST_F(KsInterfaceTest, ClosingWhileStreamingStopsDelivery)
{
    for (int cycle = 0; cycle < 10; ++cycle) {
        ASSERT_EQ(audio.Open(&settings), AudioOpenOk) << cycle;
        int seen = client.blocks;
        ASSERT_TRUE(WaitFor([&] { return client.blocks > seen + 3; }));
        audio.Close();
        int closed = client.blocks;
        EXPECT_EQ(fake.PendingReadCount(), 0);
        Sleep(5);
        EXPECT_EQ(client.blocks, closed);
        EXPECT_EQ(fake.OpenHandleCount(), 0);
    }
    audio.DestroyDriver();
    EXPECT_EQ(fake.OpenHandleCount(), 0);
}
TEST_F(KsInterfaceTest, CloseFromTheDeviceThreadIsRefusedAndEndsTheStream)
{
    client.closeOnFirst = true;
    ASSERT_EQ(audio.Open(&settings), AudioOpenOk) << audio.GetErrorText();
    ASSERT_TRUE(WaitFor([&] { return client.closeResult != -1; }));
    EXPECT_EQ(client.closeResult, 1);
    EXPECT_STREQ(audio.GetErrorText(), "Close called from the device thread: the stream ends after this block");
    Sleep(30); // packets keep coming while the thread still runs
    EXPECT_EQ(client.blocks, 1);
    EXPECT_EQ(audio.Close(), AudioCloseOk);
    EXPECT_EQ(fake.PendingReadCount(), 0);
    audio.DestroyDriver();
    EXPECT_EQ(fake.OpenHandleCount(), 0);
}
} // namespace
