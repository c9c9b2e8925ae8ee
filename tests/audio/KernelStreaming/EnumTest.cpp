#include "audio/KernelStreaming/audfilter.h"
#include "audio/KernelStreaming/devlist.h"
#include "audio/KernelStreaming/enum.h"
#include "tests/audio/KernelStreaming/FakeKsPlatform.h"
#include <gtest/gtest.h>

namespace {

const GUID kCaptureClasses[2] = {KSCATEGORY_AUDIO, KSCATEGORY_CAPTURE};
const char kUsbPath[] = "\\\\?\\USB#VID_1234&PID_5678&MI_01#6&abc&0&";
const char kUsbClass[] = "#{6994ad04-93ef-11d0-a3cc-00a0c9223196}\\global";
const char kUsbKey[] = "SYSTEM\\CurrentControlSet\\Enum\\USB\\VID_1234&PID_5678&MI_01\\6&abc&0&";

std::vector<std::string> Names(const CKsFilterEnum& enumerator)
{
    std::vector<std::string> names;
    for (auto* node = enumerator.m_listFilters.GetHead(); node; node = node->pNext)
        names.push_back(node->pData->m_szFriendlyName);
    return names;
}

class EnumTest : public ::testing::Test {
protected:
    HRESULT EnumCapture() { return enumerator.EnumFilters(2, kCaptureClasses, 2, TRUE, FALSE, TRUE); }
    // A generic USB audio interface; instance tells its devices apart.
    typedef std::vector<std::pair<std::string, std::pair<DWORD, std::string>>> Values;
    FakeKsFilter UsbFilter(Values values, char instance = '1')
    {
        FakeKsFilter filter =
            FakeKs::CaptureFilter(kUsbPath + std::string(1, instance) + kUsbClass, "USB Audio Device");
        filter.usbKey = kUsbKey + std::string(1, instance);
        filter.usbValues = values;
        return filter;
    }

    CFakeKsPlatform fake;
    HRESULT created = E_FAIL;
    CKsFilterEnum enumerator{&created};
};

TEST_F(EnumTest, ListsOnlyCaptureInterfacesWithAnActiveAlias)
{
    FakeKsFilter render = FakeKs::CaptureFilter("\\\\?\\fake#render", "Speakers");
    render.classes = {{KSCATEGORY_AUDIO, SPINT_ACTIVE}, {KSCATEGORY_RENDER, SPINT_ACTIVE}};
    FakeKsFilter removed = FakeKs::CaptureFilter("\\\\?\\fake#removed", "Gone");
    removed.classes[1].second = SPINT_ACTIVE | SPINT_REMOVED;
    FakeKsFilter inactive = FakeKs::CaptureFilter("\\\\?\\fake#inactive", "Idle");
    inactive.classes[1].second = 0;
    fake.filters = {render, removed, FakeKs::CaptureFilter("\\\\?\\fake#cap", "Line In"), inactive};
    EXPECT_EQ(created, S_OK);
    EXPECT_EQ(EnumCapture(), S_OK);
    ASSERT_EQ(Names(enumerator), std::vector<std::string>({"Line In"}));
    CKsFilter* filter = enumerator.m_listFilters.GetHead()->pData;
    EXPECT_EQ(filter->GetFilterKind(), 2u);
    EXPECT_STREQ(filter->m_szDevicePath, "\\\\?\\fake#cap");
    EXPECT_NE(dynamic_cast<CKsAudCaptureFilter*>(filter), nullptr);
    EXPECT_EQ(filter->m_listOutSinkPins.GetCount(), 1u);

    KsDeviceList list;
    EXPECT_EQ(BuildKsDeviceList(&list, &enumerator), 1);
    EXPECT_STREQ(list[0]->name, "Line In");
    EXPECT_STREQ(list[0]->path, "\\\\?\\fake#cap");
    EXPECT_EQ(BuildKsDeviceList(&list, nullptr), 0);
    EXPECT_TRUE(list.empty());
    ClearKsDeviceList(&list);
}

TEST_F(EnumTest, MissingClassesFailWithoutAsking)
{
    fake.filters = {FakeKs::CaptureFilter("\\\\?\\fake#cap", "Mic")};
    EXPECT_EQ(enumerator.EnumFilters(2, nullptr, 2, TRUE, FALSE, TRUE), E_FAIL);
    GUID none[2] = {GUID_NULL, KSCATEGORY_CAPTURE};
    EXPECT_EQ(enumerator.EnumFilters(2, none, 2, TRUE, FALSE, TRUE), E_FAIL);
    EXPECT_EQ(fake.classDevsCalls, 0);
    EXPECT_TRUE(enumerator.m_listFilters.IsEmpty());
    fake.failClassDevs = true;
    EXPECT_EQ(EnumCapture(), E_FAIL);
    EXPECT_TRUE(enumerator.m_listFilters.IsEmpty());
}

TEST_F(EnumTest, FiltersThatFailAreDroppedAndNoneLeftIsAFailure)
{
    FakeKsFilter closed = FakeKs::CaptureFilter("\\\\?\\fake#closed", "Closed");
    closed.openFails = true;
    FakeKsFilter pinless = FakeKs::CaptureFilter("\\\\?\\fake#pinless", "Pinless");
    pinless.pins.clear();
    fake.filters = {closed, pinless};
    EXPECT_EQ(EnumCapture(), E_FAIL);
    EXPECT_TRUE(enumerator.m_listFilters.IsEmpty());
    EXPECT_EQ(fake.OpenHandleCount(), 0);
}

TEST_F(EnumTest, EnumeratingAgainReplacesTheFilters)
{
    fake.filters = {FakeKs::CaptureFilter("\\\\?\\fake#a", "A"), FakeKs::CaptureFilter("\\\\?\\fake#b", "B")};
    fake.filters[1].nodes = {KSCATEGORY_AUDIO};
    EXPECT_EQ(EnumCapture(), S_OK);
    EXPECT_EQ(enumerator.EnumFilters(2, kCaptureClasses, 2, TRUE, TRUE, TRUE), S_OK);
    EXPECT_EQ(Names(enumerator), std::vector<std::string>({"A", "B"}));
    EXPECT_EQ(enumerator.m_listFilters.GetTail()->pData->m_listNodes.GetCount(), 1u);
    EXPECT_EQ(fake.OpenHandleCount(), 2);
    EXPECT_EQ(enumerator.EnumFilters(0, kCaptureClasses, 1, FALSE, FALSE, FALSE), S_OK);
    EXPECT_EQ(fake.OpenHandleCount(), 0);
    EXPECT_EQ(enumerator.m_listFilters.GetHead()->pData->GetFilterKind(), 0u);
}

TEST_F(EnumTest, RegistryNamesAreTerminatedAndNotCarriedOver)
{
    FakeKsFilter unterminated = FakeKs::CaptureFilter("\\\\?\\fake#a", "Mic");
    unterminated.unterminatedName = true;
    FakeKsFilter unnamed = FakeKs::CaptureFilter("\\\\?\\fake#b", "");
    unnamed.hasFriendlyName = false;
    FakeKsFilter longName = FakeKs::CaptureFilter("\\\\?\\fake#c", std::string(400, 'n'));
    fake.filters = {unterminated, unnamed, longName};
    EXPECT_EQ(EnumCapture(), S_OK);
    EXPECT_EQ(Names(enumerator), std::vector<std::string>({"Mic", "", ""}));
}

TEST_F(EnumTest, GenericUsbDevicesTakeTheirDeviceName)
{
    FakeKsFilter named = UsbFilter({{"FriendlyName", {REG_SZ, "Desk Mic"}}, {"DeviceDesc", {REG_SZ, "x;Other"}}});
    FakeKsFilter described = UsbFilter(
        {{"DeviceDesc", {REG_SZ, "@usbaudio.inf;Studio Box"}}, {"LocationInformation", {REG_SZ, "Port 2"}}}, '2');
    FakeKsFilter located = UsbFilter({{"LocationInformation", {REG_SZ, "Port_#0001"}}}, '3');
    FakeKsFilter binary =
        UsbFilter({{"FriendlyName", {REG_BINARY, "raw"}}, {"LocationInformation", {REG_SZ, "Port 3"}}}, '4');
    FakeKsFilter other = UsbFilter({{"FriendlyName", {REG_SZ, "Desk Mic"}}}, '5');
    other.friendlyName = "Headset";
    fake.filters = {named, described, located, binary, other};
    ASSERT_EQ(EnumCapture(), S_OK);
    EXPECT_EQ(Names(enumerator),
              std::vector<std::string>({"Desk Mic", "Studio Box", "Port_#0001", "USB Audio Device", "Headset"}));
}

TEST_F(EnumTest, OlderWindowsReadsOnlyTheLocation)
{
    fake.versionMajor = 5;
    fake.filters = {UsbFilter({{"FriendlyName", {REG_SZ, "Desk Mic"}}, {"LocationInformation", {REG_SZ, "Port 1"}}}),
                    FakeKs::CaptureFilter("\\\\?\\root#fake#0#{x}\\g", "usb audio device")};
    ASSERT_EQ(EnumCapture(), S_OK);
    EXPECT_EQ(Names(enumerator), std::vector<std::string>({"Port 1", "usb audio device"}));
}
} // namespace
