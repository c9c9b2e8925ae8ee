#include "audio/KernelStreaming/filter.h"
#include "tests/audio/KernelStreaming/KsTestSupport.h"
#include <gtest/gtest.h>
#include <cstdlib>

namespace {

const char kPath[] = "\\\\?\\fake#filter";

FakeKsPin PinOf(ULONG communication, ULONG dataFlow)
{
    FakeKsPin pin = FakeKs::CapturePin();
    pin.communication = communication;
    pin.dataFlow = dataFlow;
    return pin;
}

std::vector<ULONG> Ids(const CKsPtrList<CKsPin>& list)
{
    std::vector<ULONG> ids;
    for (auto* node = list.GetHead(); node; node = node->pNext)
        ids.push_back(node->pData->GetId());
    return ids;
}

class FilterTest : public ::testing::Test {
protected:
    void SetUp() override { fake.filters = {FakeKs::CaptureFilter(kPath, "Mic")}; }
    FakeKsFilter& FakeFilter() { return fake.filters[0]; }
    CFakeKsPlatform fake;
};

TEST_F(FilterTest, ConstructionAndOpening)
{
    HRESULT hr = S_OK;
    CKsFilter unnamed(nullptr, &hr, "x");
    EXPECT_EQ(hr, E_INVALIDARG);
    EXPECT_EQ(unnamed.Instantiate(), E_FAIL);
    CKsFilter filter(kPath, &hr, "Mic");
    EXPECT_EQ(hr, S_OK);
    EXPECT_STREQ(filter.m_szFriendlyName, "Mic");
    EXPECT_EQ(filter.GetFilterKind(), 0u);
    EXPECT_EQ(filter.Instantiate(), S_OK);
    EXPECT_EQ(fake.OpenHandleCount(), 1);
    FakeFilter().openFails = true;
    CKsFilter refused(kPath, &hr, "Mic");
    EXPECT_EQ(refused.Instantiate(), E_FAIL);
}

TEST_F(FilterTest, PinsAreSortedByFlowAndCommunication)
{
    FakeFilter().pins = {
        PinOf(KSPIN_COMMUNICATION_SINK, KSPIN_DATAFLOW_OUT),  PinOf(KSPIN_COMMUNICATION_BOTH, KSPIN_DATAFLOW_IN),
        PinOf(KSPIN_COMMUNICATION_NONE, KSPIN_DATAFLOW_OUT),  PinOf(KSPIN_COMMUNICATION_SOURCE, KSPIN_DATAFLOW_OUT),
        PinOf(KSPIN_COMMUNICATION_BRIDGE, KSPIN_DATAFLOW_IN), PinOf(KSPIN_COMMUNICATION_NONE, KSPIN_DATAFLOW_IN)};
    auto filter = OpenFakeFilter(kPath);
    ASSERT_TRUE(filter);
    EXPECT_EQ(filter->EnumeratePins(), S_OK);
    EXPECT_EQ(filter->m_listPins.GetCount(), 6u);
    EXPECT_EQ(Ids(filter->m_listOutSinkPins), std::vector<ULONG>({0}));
    EXPECT_EQ(Ids(filter->m_listInSinkPins), std::vector<ULONG>({1}));
    EXPECT_EQ(Ids(filter->m_listInSourcePins), std::vector<ULONG>({1}));
    EXPECT_EQ(Ids(filter->m_listNonePins), std::vector<ULONG>({2, 5}));
    EXPECT_EQ(Ids(filter->m_listOutSourcePins), std::vector<ULONG>({3}));
    filter->DestroyLists();
    EXPECT_TRUE(filter->m_listPins.IsEmpty());
    EXPECT_TRUE(filter->m_listInSinkPins.IsEmpty());
}

TEST_F(FilterTest, FilterWithoutUsablePinsIsNotViable)
{
    FakeFilter().pins = {PinOf(KSPIN_COMMUNICATION_BRIDGE, KSPIN_DATAFLOW_IN),
                         PinOf(KSPIN_COMMUNICATION_BRIDGE, KSPIN_DATAFLOW_OUT)};
    auto filter = OpenFakeFilter(kPath);
    EXPECT_EQ(filter->EnumeratePins(), E_FAIL);
    EXPECT_EQ(filter->m_listPins.GetCount(), 2u);
    FakeFilter().failPinCount = true;
    auto countless = OpenFakeFilter(kPath);
    EXPECT_EQ(countless->EnumeratePins(), E_FAIL);
    EXPECT_TRUE(countless->m_listPins.IsEmpty());
}

TEST_F(FilterTest, TopologyNodesKeepTheirOrder)
{
    FakeFilter().nodes = {KSCATEGORY_AUDIO, KSCATEGORY_CAPTURE, KSCATEGORY_RENDER};
    auto filter = OpenFakeFilter(kPath);
    EXPECT_EQ(filter->EnumerateNodes(), S_OK);
    ASSERT_EQ(filter->m_listNodes.GetCount(), 3u);
    ULONG expected = 0;
    for (auto* node = filter->m_listNodes.GetHead(); node; node = node->pNext, ++expected) {
        EXPECT_EQ(node->pData->GetId(), expected);
        EXPECT_TRUE(IsEqualGUID(node->pData->GetType(), FakeFilter().nodes[expected]));
    }
    FakeFilter().nodes.clear();
    EXPECT_EQ(filter->EnumerateNodes(), S_OK);
    EXPECT_TRUE(filter->m_listNodes.IsEmpty());
}

// Answers KSPROPERTY_TOPOLOGY_NODES with a claimed count the block cannot hold.
class CShortNodesPlatform : public CFakeKsPlatform {
public:
    BOOL DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inLen, LPVOID out, DWORD outLen, LPDWORD returned,
                         LPOVERLAPPED overlapped) override
    {
        const KSPROPERTY* request = (const KSPROPERTY*)in;
        if (code != IOCTL_KS_PROPERTY || !IsEqualGUID(request->Set, KSPROPSETID_Topology))
            return CFakeKsPlatform::DeviceIoControl(handle, code, in, inLen, out, outLen, returned, overlapped);
        GUID nodes[2] = {KSCATEGORY_AUDIO, KSCATEGORY_AUDIO};
        std::vector<BYTE> answer = FakeKs::MultipleItem(50, nodes, sizeof(nodes));
        *returned = (DWORD)answer.size();
        if (outLen < answer.size()) {
            SetLastError(ERROR_MORE_DATA);
            return FALSE;
        }
        memcpy(out, answer.data(), answer.size());
        return TRUE;
    }
};

TEST(FilterNodes, ShortNodeAnswerIsRejected)
{
    CShortNodesPlatform fake;
    fake.filters = {FakeKs::CaptureFilter(kPath, "Mic")};
    auto filter = OpenFakeFilter(kPath);
    EXPECT_EQ(filter->EnumerateNodes(), E_FAIL);
    EXPECT_TRUE(filter->m_listNodes.IsEmpty());
}

TEST_F(FilterTest, EmptyMultiAnswerStillGetsABlock)
{
    FakeFilter().pins[0].rawAnswers.push_back({KSPROPERTY_PIN_INTERFACES, {}});
    auto filter = OpenFakeFilter(kPath);
    void* block = nullptr;
    ULONG size = 99;
    int calls = fake.ioctlCalls;
    EXPECT_EQ(filter->GetPinPropertyMulti(0, KSPROPSETID_Pin, KSPROPERTY_PIN_INTERFACES, &block, &size), S_OK);
    EXPECT_NE(block, nullptr);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(fake.ioctlCalls, calls + 2);
    free(block);
    EXPECT_EQ(filter->GetPinPropertyMulti(0, KSPROPSETID_Pin, KSPROPERTY_PIN_INTERFACES, nullptr), E_INVALIDARG);
}
} // namespace
