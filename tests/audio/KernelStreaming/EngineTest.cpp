#include "common/CFifo.h"
#include "tests/audio/KernelStreaming/KsEngineSupport.h"
#include <gtest/gtest.h>

namespace {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { AddLineIn(fake); }
    std::unique_ptr<CKsEngine> Engine(int packetBytes = 256, int packetCount = 4)
    {
        KsSettings settings = EngineSettings(packetBytes, packetCount);
        std::unique_ptr<CKsEngine> engine(new CKsEngine(true, &settings));
        engine->SetSink(&sink);
        return engine;
    }
    std::vector<ULONG> StatesAfterOpen() const
    {
        return std::vector<ULONG>(fake.stateChanges.begin() + 2, fake.stateChanges.end());
    }

    CFakeKsPlatform fake;
    CRecordingSink sink;
    WAVEFORMATEX format = FakeKs::Pcm(2, 48000);
};

TEST_F(EngineTest, OpenFailuresSayWhy)
{
    auto engine = Engine();
    EXPECT_EQ(engine->GetDeviceList().size(), 1u);
    EXPECT_EQ(engine->Open("", &format), 0);
    EXPECT_STREQ(engine->GetErrorText(), "No KS input device selected!");
    EXPECT_FALSE(engine->IsStreaming());
    EXPECT_EQ(engine->Open("Line Out", &format), 0);
    EXPECT_STREQ(engine->GetErrorText(), "Input device not found (0x80000049)");
    WAVEFORMATEX unsupported = FakeKs::Pcm(2, 96000);
    EXPECT_EQ(engine->Open("Line In", &unsupported), 0);
    EXPECT_STREQ(engine->GetErrorText(), "Failed to create input pin (0x8000001B)");
    engine->Stop();
    EXPECT_TRUE(fake.stateChanges.empty());
}

TEST_F(EngineTest, EnumerationFailureShowsAsDeviceNotFound)
{
    fake.filters.clear();
    auto engine = Engine();
    EXPECT_STREQ(engine->GetErrorText(), "Couldn't enumerate KernelStreaming filters (0x80000045)");
    EXPECT_TRUE(engine->GetDeviceList().empty());
    EXPECT_EQ(engine->Open("Line In", &format), 0);
    EXPECT_STREQ(engine->GetErrorText(), "Input device not found (0x80000049)");
}

TEST_F(EngineTest, RefusedRunKeepsThePinUntilDestruction)
{
    fake.filters[0].pins[0].refuseRun = true;
    auto engine = Engine();
    EXPECT_EQ(engine->Open("line in", &format), 0);
    EXPECT_STREQ(engine->GetErrorText(), "Couldn't open KS input device");
    EXPECT_FALSE(engine->IsStreaming());
    EXPECT_EQ(fake.OpenHandleCount(), 2);
    engine.reset();
    EXPECT_EQ(fake.OpenHandleCount(), 0);
    EXPECT_EQ(fake.stateChanges, std::vector<ULONG>({KSSTATE_PAUSE, KSSTATE_PAUSE, KSSTATE_STOP, KSSTATE_STOP}));
}

TEST_F(EngineTest, DevicesMatchByNameOrPathInAnyCase)
{
    FakeKsFilter twin = FakeKs::CaptureFilter("\\\\?\\fake#twin", "Line In");
    fake.filters.push_back(twin);
    auto byName = Engine();
    EXPECT_EQ(byName->Open("LINE IN", &format), 1);
    byName.reset();
    auto byPath = Engine();
    EXPECT_EQ(byPath->Open("\\\\?\\FAKE#TWIN", &format), 1);
    EXPECT_TRUE(byPath->IsStreaming());
    EXPECT_EQ(fake.OpenHandleCount(), 3);
}

TEST_F(EngineTest, SilenceFirstThenTheStreamInOrder)
{
    fake.readBudget = 24;
    auto engine = Engine(256, 4);
    ASSERT_EQ(engine->Open(kPath, &format), 1);
    EXPECT_TRUE(engine->IsStreaming());
    ASSERT_TRUE(WaitFor([&] { return sink.captured == 28; }));
    engine->Stop();
    EXPECT_FALSE(engine->IsStreaming());
    ASSERT_EQ(sink.packets.size(), 28u);
    for (int p = 0; p < 4; ++p)
        EXPECT_EQ(sink.packets[p], std::vector<short>(128, 0)) << p;
    long n = 0;
    for (size_t p = 4; p < sink.packets.size(); ++p) {
        ASSERT_EQ(sink.packets[p].size(), 128u);
        for (short sample : sink.packets[p])
            ASSERT_EQ(sample, FakeKsSample(n++)) << "packet " << p;
    }
    EXPECT_EQ(StatesAfterOpen(), std::vector<ULONG>({KSSTATE_PAUSE, KSSTATE_STOP, KSSTATE_STOP}));
    EXPECT_EQ(fake.OpenHandleCount(), 0);
}

TEST_F(EngineTest, DeclinedPacketsGoToTheFifoWithoutOverwrite)
{
    sink.accept = 0;
    fake.readBudget = 10;
    auto engine = Engine(1024, 4);
    ASSERT_EQ(engine->Open(kPath, &format), 1);
    ASSERT_TRUE(WaitFor([&] { return sink.packetsDone == 14; }));
    CFifo* fifo = engine->GetFifo();
    EXPECT_EQ(fifo->GetUsed(), 4096);
    std::vector<short> kept(2048);
    fifo->Get(kept.data(), 4096, false);
    EXPECT_EQ(kept, std::vector<short>(2048, 0));
}

TEST_F(EngineTest, ReadFailureEndsStreamingButStopStillStopsThePin)
{
    fake.failReadsAfter = 6;
    auto engine = Engine(256, 4);
    ASSERT_EQ(engine->Open(kPath, &format), 1);
    ASSERT_TRUE(WaitFor([&] { return engine->HasFailed() && !engine->IsStreaming(); }));
    int delivered = sink.captured;
    engine->Stop();
    EXPECT_EQ(sink.captured, delivered);
    EXPECT_EQ(StatesAfterOpen(), std::vector<ULONG>({KSSTATE_PAUSE, KSSTATE_STOP, KSSTATE_STOP}));
    EXPECT_EQ(fake.OpenHandleCount(), 0);
}

TEST_F(EngineTest, FailedWaitEndsStreaming)
{
    fake.failWaitAfter = 5;
    auto engine = Engine(256, 4);
    ASSERT_EQ(engine->Open(kPath, &format), 1);
    ASSERT_TRUE(WaitFor([&] { return !engine->IsStreaming(); }));
    EXPECT_TRUE(engine->HasFailed());
    engine.reset();
    EXPECT_EQ(fake.OpenHandleCount(), 0);
}

TEST(KsEngineOnThisMachine, RealEnumerationFindsNoSuchDevice)
{
    KsSettings settings = EngineSettings(256, 4);
    CKsEngine engine(true, &settings);
    WAVEFORMATEX format = FakeKs::Pcm(2, 48000);
    EXPECT_EQ(engine.Open("No Such Kernel Streaming Device", &format), 0);
    EXPECT_STREQ(engine.GetErrorText(), "Input device not found (0x80000049)");
}

TEST_F(EngineTest, PacketCountsAreBoundedByTheArray)
{
    auto none = Engine(256, 0);
    EXPECT_EQ(none->GetPacketCount(), 0);
    ASSERT_EQ(none->Open(kPath, &format), 1);
    EXPECT_TRUE(none->IsStreaming());
    none->Stop();
    EXPECT_EQ(sink.captured, 0);
    none.reset();

    fake.readBudget = 40;
    auto many = Engine(64, 20);
    EXPECT_EQ(many->GetPacketCount(), 16);
    ASSERT_EQ(many->Open(kPath, &format), 1);
    ASSERT_TRUE(WaitFor([&] { return sink.captured == 56; }));
    long n = 0;
    for (size_t p = 16; p < sink.packets.size(); ++p) {
        for (short sample : sink.packets[p])
            ASSERT_EQ(sample, FakeKsSample(n++));
    }
}
} // namespace
