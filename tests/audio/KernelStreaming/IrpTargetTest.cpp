#include "audio/KernelStreaming/irptgt.h"
#include "audio/KernelStreaming/kstrace.h"
#include "tests/audio/KernelStreaming/FakeKsPlatform.h"
#include <gtest/gtest.h>
#include <string>

namespace {

// Answers every control with a scripted error and byte count.
class CScriptedPlatform : public CFakeKsPlatform {
public:
    DWORD error = ERROR_MORE_DATA;
    DWORD count = 64;
    BOOL DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inLen, LPVOID out, DWORD outLen, LPDWORD returned,
                         LPOVERLAPPED overlapped) override
    {
        ++ioctlCalls;
        *returned = count;
        SetLastError(error);
        return FALSE;
    }
};

class IrpTargetTest : public ::testing::Test {
protected:
    void SetUp() override { fake.filters = {FakeKs::CaptureFilter("\\\\?\\fake#cap", "Mic")}; }
    HANDLE OpenFilter()
    {
        return fake.CreateFileA("\\\\?\\fake#cap", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_OVERLAPPED, nullptr);
    }
    CFakeKsPlatform fake;
};

KSP_PIN PinRequest(ULONG id)
{
    KSP_PIN request = {};
    request.Property.Set = KSPROPSETID_Pin;
    request.Property.Id = id;
    request.Property.Flags = KSPROPERTY_TYPE_GET;
    return request;
}

TEST_F(IrpTargetTest, InvalidHandlesFailWithoutReachingTheDriver)
{
    ULONG count = 99;
    EXPECT_EQ(CKsIrpTarget::SyncIoctl(nullptr, IOCTL_KS_PROPERTY, nullptr, 0, nullptr, 0, &count), E_FAIL);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(CKsIrpTarget::SyncIoctl(INVALID_HANDLE_VALUE, IOCTL_KS_PROPERTY, nullptr, 0, nullptr, 0, nullptr),
              E_FAIL);
    EXPECT_EQ(fake.ioctlCalls, 0);
    CKsIrpTarget target(INVALID_HANDLE_VALUE);
    void* block = nullptr;
    EXPECT_EQ(target.GetPropertyMulti(KSPROPSETID_Topology, KSPROPERTY_TOPOLOGY_NODES, &block), E_FAIL);
    EXPECT_EQ(block, nullptr);
    EXPECT_EQ(fake.ioctlCalls, 0);
}

TEST_F(IrpTargetTest, SizeQueryReportsTheNeededSize)
{
    HANDLE filter = OpenFilter();
    KSP_PIN request = PinRequest(KSPROPERTY_PIN_DATARANGES);
    ULONG count = 0;
    EXPECT_EQ(CKsIrpTarget::SyncIoctl(filter, IOCTL_KS_PROPERTY, &request, sizeof(request), nullptr, 0, &count), S_OK);
    EXPECT_EQ(count, sizeof(KSMULTIPLE_ITEM) + sizeof(KSDATARANGE_AUDIO));
    std::vector<BYTE> answer(count);
    EXPECT_EQ(
        CKsIrpTarget::SyncIoctl(filter, IOCTL_KS_PROPERTY, &request, sizeof(request), answer.data(), count, &count),
        S_OK);
    EXPECT_EQ(((KSMULTIPLE_ITEM*)answer.data())->Count, 1u);
    fake.CloseHandle(filter);
}

TEST(IrpTargetScripted, SizeQueryErrorsCountOnlyForAnEmptyPropertyRequest)
{
    CScriptedPlatform fake;
    HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    for (DWORD error : {(DWORD)ERROR_MORE_DATA, (DWORD)ERROR_INSUFFICIENT_BUFFER}) {
        fake.error = error;
        ULONG count = 0;
        EXPECT_EQ(CKsIrpTarget::SyncIoctl(handle, IOCTL_KS_PROPERTY, nullptr, 0, nullptr, 0, &count), S_OK);
        EXPECT_EQ(count, 64u);
        BYTE out[4];
        EXPECT_EQ(CKsIrpTarget::SyncIoctl(handle, IOCTL_KS_PROPERTY, nullptr, 0, out, 4, &count), E_FAIL);
        EXPECT_EQ(count, 0u);
        count = 5;
        EXPECT_EQ(CKsIrpTarget::SyncIoctl(handle, IOCTL_KS_READ_STREAM, nullptr, 0, nullptr, 0, &count), E_FAIL);
        EXPECT_EQ(count, 0u);
    }
    fake.error = ERROR_GEN_FAILURE;
    EXPECT_EQ(CKsIrpTarget::SyncIoctl(handle, IOCTL_KS_PROPERTY, nullptr, 0, nullptr, 0, nullptr), E_FAIL);
    CloseHandle(handle);
}

TEST_F(IrpTargetTest, PendingRequestsReportTheirFinalStatus)
{
    HANDLE filter = OpenFilter();
    fake.pendProperties = true;
    KSP_PIN request = PinRequest(KSPROPERTY_PIN_DATAFLOW);
    ULONG flow = 0;
    ULONG count = 0;
    EXPECT_EQ(
        CKsIrpTarget::SyncIoctl(filter, IOCTL_KS_PROPERTY, &request, sizeof(request), &flow, sizeof(flow), &count),
        S_OK);
    EXPECT_EQ(flow, (ULONG)KSPIN_DATAFLOW_OUT);
    EXPECT_EQ(count, sizeof(ULONG));
    // A pended size query still answers the size.
    EXPECT_EQ(CKsIrpTarget::SyncIoctl(filter, IOCTL_KS_PROPERTY, &request, sizeof(request), nullptr, 0, &count), S_OK);
    EXPECT_EQ(count, sizeof(ULONG));
    // A request that pends and then fails is a failure, not a success.
    fake.pendThenFail = {KSPROPERTY_PIN_DATAFLOW};
    EXPECT_EQ(
        CKsIrpTarget::SyncIoctl(filter, IOCTL_KS_PROPERTY, &request, sizeof(request), &flow, sizeof(flow), &count),
        E_FAIL);
    EXPECT_EQ(count, 0u);
    fake.CloseHandle(filter);
}

TEST(IrpTarget, WaveFormatSizeFollowsTheTag)
{
    WAVEFORMATEX pcm = FakeKs::Pcm(2, 48000);
    pcm.cbSize = 1234;
    EXPECT_EQ(CKsIrpTarget::GetWfxSize(&pcm), 18u);
    WAVEFORMATEXTENSIBLE ext = FakeKs::Extensible(2, 48000, 16, KSDATAFORMAT_SUBTYPE_PCM);
    EXPECT_EQ(CKsIrpTarget::GetWfxSize(&ext.Format), 40u);
    EXPECT_EQ(CKsIrpTarget::GetWfxSize(nullptr), 0u);
}

TEST(IrpTarget, SafeCloseHandleClosesOnce)
{
    HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_TRUE(CKsIrpTarget::SafeCloseHandle(handle));
    EXPECT_EQ(handle, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(CKsIrpTarget::SafeCloseHandle(handle));
    EXPECT_EQ(handle, INVALID_HANDLE_VALUE);
    HANDLE none = nullptr;
    EXPECT_TRUE(CKsIrpTarget::SafeCloseHandle(none));
    EXPECT_EQ(none, nullptr);
    EXPECT_FALSE(CKsIrpTarget::IsValidHandle(nullptr));
    EXPECT_FALSE(CKsIrpTarget::IsValidHandle(INVALID_HANDLE_VALUE));
}

TEST_F(IrpTargetTest, TraceIsSilentUntilTheThresholdIsRaised)
{
    CKsIrpTarget::SyncIoctl(nullptr, IOCTL_KS_PROPERTY, nullptr, 0, nullptr, 0, nullptr);
    EXPECT_TRUE(fake.traces.empty());
    g_nKsTraceLevel = 6;
    CKsIrpTarget::SyncIoctl(nullptr, IOCTL_KS_PROPERTY, nullptr, 0, nullptr, 0, nullptr);
    KsTrace(1, "%s", std::string(400, 'a').c_str());
    g_nKsTraceLevel = 0;
    ASSERT_EQ(fake.traces.size(), 3u);
    EXPECT_EQ(fake.traces[0], "CKsIrpTarget::SyncIoctl Invalid Handle");
    EXPECT_EQ(fake.traces[1].rfind("irptgt, line ", 0), 0u);
    EXPECT_NE(fake.traces[1].find(", returning 0x80004005"), std::string::npos);
    EXPECT_EQ(fake.traces[2].size(), 259u);
}

TEST_F(IrpTargetTest, MultipleItemAnswersAreCheckedAgainstTheirBlock)
{
    std::vector<BYTE> good = FakeKs::MultipleItem(2, std::vector<BYTE>(32));
    EXPECT_TRUE(KsIsValidMultipleItem(good.data(), (ULONG)good.size(), 16));
    EXPECT_FALSE(KsIsValidMultipleItem(good.data(), (ULONG)good.size(), 24));
    EXPECT_FALSE(KsIsValidMultipleItem(good.data(), 4, 16));
    EXPECT_FALSE(KsIsValidMultipleItem(good.data(), 30, 16));
    std::vector<BYTE> huge = FakeKs::MultipleItem(0x20000000, std::vector<BYTE>(32));
    EXPECT_FALSE(KsIsValidMultipleItem(huge.data(), (ULONG)huge.size(), 16));
    EXPECT_FALSE(KsIsValidMultipleItem(nullptr, 100, 16));
}
} // namespace
