#include "audio/KernelStreaming/audpin.h"
#include "audio/KernelStreaming/pin.h"
#include "tests/audio/KernelStreaming/KsTestSupport.h"
#include <gtest/gtest.h>

namespace {

const char kPath[] = "\\\\?\\fake#pin";

class PinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.filters = {FakeKs::CaptureFilter(kPath, "Mic")};
        fake.filters[0].pins[0].category = KSCATEGORY_AUDIO;
    }
    FakeKsPin& FakePin() { return fake.filters[0].pins[0]; }
    std::unique_ptr<CKsFilter> Filter() { return OpenFakeFilter(kPath); }

    CFakeKsPlatform fake;
};

TEST_F(PinTest, DescriptionComesFromThePinProperties)
{
    auto filter = Filter();
    ASSERT_TRUE(filter);
    HRESULT hr = E_FAIL;
    CKsPin pin(filter.get(), 0, &hr);
    EXPECT_EQ(hr, 0);
    ULONG value = 0;
    EXPECT_EQ(pin.GetCommunication(&value), S_OK);
    EXPECT_EQ(value, (ULONG)KSPIN_COMMUNICATION_SINK);
    EXPECT_EQ(pin.GetDataFlow(&value), S_OK);
    EXPECT_EQ(value, (ULONG)KSPIN_DATAFLOW_OUT);
    EXPECT_EQ(pin.GetInterfaceCount(), 1u);
    EXPECT_EQ(pin.GetMediumCount(), 1u);
    EXPECT_EQ(pin.GetDataRangeCount(), 1u);
    EXPECT_EQ(pin.GetInstances().PossibleCount, 1u);
    EXPECT_EQ(pin.GetGlobalInstances().PossibleCount, 4u);
    EXPECT_TRUE(IsEqualGUID(pin.GetCategory(), KSCATEGORY_AUDIO));
    EXPECT_EQ(std::wstring(pin.GetName()), L"Capture");
    EXPECT_EQ(pin.GetDataFlow(nullptr), E_INVALIDARG);
}

TEST_F(PinTest, PinWhoseEveryPropertyFailsIsStillBuilt)
{
    for (ULONG id : {0, 2, 3, 5, 6, 7, 8, 11, 12})
        FakePin().failingProperties.insert(id);
    auto filter = Filter();
    HRESULT hr = E_FAIL;
    CKsPin pin(filter.get(), 0, &hr);
    EXPECT_EQ(hr, 1);
    ULONG value = 9;
    pin.GetCommunication(&value);
    EXPECT_EQ(value, 0u);
    pin.GetDataFlow(&value);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(pin.GetInterfaceCount(), 0u);
    EXPECT_EQ(pin.GetMediumCount(), 0u);
    EXPECT_EQ(pin.GetDataRangeCount(), 0u);
    EXPECT_EQ(pin.GetName()[0], 0);
}

TEST_F(PinTest, MalformedListAnswersAreRejected)
{
    KSIDENTIFIER item = FakeKs::Identifier(KSINTERFACESETID_Standard, 0);
    // A count far beyond the block, a block shorter than its header, a size past the block,
    // a name longer than the answer may be.
    FakePin().rawAnswers.push_back({KSPROPERTY_PIN_INTERFACES, FakeKs::MultipleItem(100000, &item, sizeof(item))});
    FakePin().rawAnswers.push_back({KSPROPERTY_PIN_MEDIUMS, std::vector<BYTE>(4, 0xFF)});
    std::vector<BYTE> ranges = FakeKs::MultipleItem(1, FakeKs::AudioRange(2, 16, 16, 8000, 48000));
    ((KSMULTIPLE_ITEM*)ranges.data())->Size = 0x7FFFFFFF;
    FakePin().rawAnswers.push_back({KSPROPERTY_PIN_DATARANGES, ranges});
    FakePin().name = std::wstring(300, L'n');
    auto filter = Filter();
    HRESULT hr = E_FAIL;
    CKsPin pin(filter.get(), 0, &hr);
    EXPECT_EQ(hr, 1);
    EXPECT_EQ(pin.GetInterfaceCount(), 0u);
    EXPECT_EQ(pin.GetMediumCount(), 0u);
    EXPECT_EQ(pin.GetDataRangeCount(), 0u);
    EXPECT_EQ(pin.GetName()[0], 0);
}

TEST_F(PinTest, PlainPinHasNothingToInstantiate)
{
    auto filter = Filter();
    HRESULT hr = E_FAIL;
    CKsPin pin(filter.get(), 0, &hr);
    EXPECT_EQ(pin.Instantiate(FALSE), S_OK);
    EXPECT_FALSE(CKsIrpTarget::IsValidHandle(pin.GetHandle()));
    EXPECT_EQ(fake.loadLibraryCalls, 0);
}

TEST_F(PinTest, KsUserIsLoadedOnceAndPinsAreCreated)
{
    auto filter = Filter();
    HRESULT hr = E_FAIL;
    CKsAudCapturePin pin(filter.get(), 0, &hr);
    ASSERT_EQ(hr, S_OK);
    WAVEFORMATEX format = FakeKs::Pcm(2, 48000);
    ASSERT_EQ(pin.SetFormat(&format), S_OK);
    EXPECT_EQ(pin.Instantiate(FALSE), S_OK);
    EXPECT_TRUE(CKsIrpTarget::IsValidHandle(pin.GetHandle()));
    pin.ClosePin();
    EXPECT_EQ(pin.Instantiate(TRUE), S_OK);
    EXPECT_EQ(fake.loadLibraryCalls, 1);
    EXPECT_EQ(((KSPIN_CONNECT*)fake.lastConnect.data())->Interface.Id, (ULONG)KSINTERFACE_STANDARD_LOOPED_STREAMING);
    EXPECT_EQ(fake.OpenHandleCount(), 2);
}

TEST_F(PinTest, LoaderAndCreateFailuresBecomeHresults)
{
    auto filter = Filter();
    HRESULT hr = E_FAIL;
    CKsAudCapturePin pin(filter.get(), 0, &hr);
    WAVEFORMATEX format = FakeKs::Pcm(2, 48000);
    pin.SetFormat(&format);
    fake.failLoadLibrary = true;
    EXPECT_EQ(pin.Instantiate(FALSE), (HRESULT)0x80070002);
    EXPECT_FALSE(CKsIrpTarget::IsValidHandle(pin.GetHandle()));
    fake.failLoadLibrary = false;
    FakePin().createResult = ERROR_NOT_SUPPORTED;
    EXPECT_EQ(pin.Instantiate(FALSE), (HRESULT)0x80070032);
    FakePin().createResult = 0xC0000001;
    EXPECT_EQ(pin.Instantiate(FALSE), (HRESULT)0xC0000001);
    EXPECT_FALSE(CKsIrpTarget::IsValidHandle(pin.GetHandle()));
}

TEST_F(PinTest, StateChangesAndClosing)
{
    auto filter = Filter();
    HRESULT hr = E_FAIL;
    CKsAudCapturePin pin(filter.get(), 0, &hr);
    int calls = fake.ioctlCalls;
    pin.ClosePin();
    EXPECT_EQ(fake.ioctlCalls, calls);
    WAVEFORMATEX format = FakeKs::Pcm(2, 48000);
    pin.SetFormat(&format);
    ASSERT_EQ(pin.Instantiate(FALSE), S_OK);
    FakePin().refuseRun = true;
    EXPECT_EQ(pin.SetState(KSSTATE_PAUSE), S_OK);
    EXPECT_EQ(pin.GetState(), (ULONG)KSSTATE_PAUSE);
    EXPECT_EQ(pin.SetState(KSSTATE_RUN), E_FAIL);
    EXPECT_EQ(pin.GetState(), (ULONG)KSSTATE_PAUSE);
    pin.ClosePin();
    EXPECT_EQ(pin.GetState(), (ULONG)KSSTATE_STOP);
    EXPECT_FALSE(CKsIrpTarget::IsValidHandle(pin.GetHandle()));
    EXPECT_EQ(fake.OpenHandleCount(), 1);
    ASSERT_EQ(fake.stateChanges.size(), 2u);
    EXPECT_EQ(fake.stateChanges[1], (ULONG)KSSTATE_STOP);
}

TEST_F(PinTest, ReadsPendOrFail)
{
    auto filter = Filter();
    HRESULT hr = E_FAIL;
    CKsAudCapturePin pin(filter.get(), 0, &hr);
    WAVEFORMATEX format = FakeKs::Pcm(2, 48000);
    pin.SetFormat(&format);
    ASSERT_EQ(pin.Instantiate(FALSE), S_OK);
    std::vector<short> data(64);
    KSSTREAM_HEADER header = {};
    header.Size = sizeof(header);
    header.Data = data.data();
    header.FrameExtent = 128;
    OVERLAPPED overlapped = {};
    overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(pin.ReadData(&header, &overlapped), S_OK);
    EXPECT_EQ(fake.PendingReadCount(), 1);
    EXPECT_EQ(pin.SetState(KSSTATE_RUN), S_OK);
    EXPECT_EQ(WaitForSingleObject(overlapped.hEvent, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(header.DataUsed, 128u);
    EXPECT_EQ(data[63], FakeKsSample(63));
    fake.failReadsAfter = 0;
    EXPECT_EQ(pin.ReadData(&header, &overlapped), E_FAIL);
    EXPECT_EQ(pin.ReadData(nullptr, &overlapped), E_INVALIDARG);
    EXPECT_EQ(pin.WriteData(&header, nullptr), E_INVALIDARG);
    pin.ClosePin();
    CloseHandle(overlapped.hEvent);
}
} // namespace
