#include "audio/GuidText.h"
#include "audio/PipelineDevice.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {

// A SetupAPI stand-in that can fail at any step or report a chosen device path.
struct FakeSetup {
    static FakeSetup* current;
    int failStep = 0; // 1 class devs, 2 enumeration (no more items), 3 enumeration, 4 detail, 5 open
    std::string path = "\\\\?\\root#quill#0000";
    std::string opened;
    int destroyed = 0;

    static HDEVINFO WINAPI ClassDevs(const GUID* guid, PCSTR, HWND, DWORD flags)
    {
        if (current->failStep == 1 || !IsEqualGUID(*guid, PipelineInterfaceClass) || flags != 0x12) {
            SetLastError(0xE000020B);
            return INVALID_HANDLE_VALUE;
        }
        return (HDEVINFO)0x77;
    }
    static WINBOOL WINAPI Enum(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD, PSP_DEVICE_INTERFACE_DATA data)
    {
        if (data->cbSize != 28)
            return FALSE;
        if (current->failStep == 2 || current->failStep == 3) {
            SetLastError(current->failStep == 2 ? ERROR_NO_MORE_ITEMS : ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        return TRUE;
    }
    static WINBOOL WINAPI Detail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA, PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail,
                                 DWORD size, PDWORD, PSP_DEVINFO_DATA)
    {
        if (current->failStep == 4 || detail->cbSize != 5 || size != 265)
            return FALSE;
        // Fills the whole path area, as a device path of that length would.
        size_t room = size - sizeof(DWORD);
        size_t n = current->path.size() < room ? current->path.size() + 1 : room;
        memcpy(detail->DevicePath, current->path.c_str(), n);
        return TRUE;
    }
    static WINBOOL WINAPI Destroy(HDEVINFO)
    {
        current->destroyed++;
        return TRUE;
    }
    static HANDLE WINAPI Create(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES, DWORD disposition, DWORD,
                                HANDLE)
    {
        current->opened = path;
        if (current->failStep == 5 || access != GENERIC_READ || share != 0 || disposition != OPEN_EXISTING)
            return INVALID_HANDLE_VALUE;
        return (HANDLE)0x99;
    }

    FakeSetup()
    {
        current = this;
        SetPipelineApi(&api);
    }
    ~FakeSetup() { SetPipelineApi(nullptr); }
    PipelineApi api = {ClassDevs, Enum, Detail, Destroy, Create};
};
FakeSetup* FakeSetup::current = nullptr;

} // namespace

TEST(PipelineDevice, AbsentHereAndReportedWithItsText)
{
    char text[256];
    memset(text, 'x', sizeof(text));
    EXPECT_EQ(OpenPipelineDevice(text), (HANDLE)0);
    EXPECT_STREQ(text, "Error 0x80700002 opening Quillmere Pipeline");
    EXPECT_EQ(OpenPipelineDevice(nullptr), (HANDLE)0);
}

TEST(PipelineDevice, EachFailingStepNamesItself)
{
    FakeSetup setup;
    const char* texts[] = {"",
                           "Error 0x80700001 opening Quillmere Pipeline",
                           "Error 0x80700002 opening Quillmere Pipeline",
                           "Error 0x80700003 opening Quillmere Pipeline",
                           "Error 0x80700004 opening Quillmere Pipeline",
                           "Error 0x80700005 opening Quillmere Pipeline"};
    for (int step = 1; step <= 5; step++) {
        setup.failStep = step;
        setup.destroyed = 0;
        char text[256];
        EXPECT_EQ(OpenPipelineDevice(text), (HANDLE)0) << step;
        EXPECT_STREQ(text, texts[step]);
        EXPECT_EQ(setup.destroyed, step == 1 ? 0 : 1) << step;
    }
    setup.failStep = 1;
    OpenPipelineDevice(nullptr);
    EXPECT_EQ(GetLastError(), 0x800F020Bu);
}

TEST(PipelineDevice, OpensThePathWithTheClassGuidAppended)
{
    FakeSetup setup;
    char text[256];
    EXPECT_EQ(OpenPipelineDevice(text), (HANDLE)0x99);
    EXPECT_STREQ(text, "No Error");
    EXPECT_EQ(setup.opened, "\\\\?\\root#quill#0000\\573cbfbd-ef12-4135-b3b7-64b1263ffce4");
    EXPECT_EQ(OpenPipelineDevice(nullptr), (HANDLE)0x99);
    EXPECT_EQ(setup.destroyed, 2);
}

TEST(PipelineDevice, APathTooLongForTheGuidFailsInsteadOfOverrunning)
{
    FakeSetup setup;
    char text[256];
    setup.path = std::string(223, 'p'); // 223 + 1 + 36 = 260 characters still fit
    EXPECT_EQ(OpenPipelineDevice(text), (HANDLE)0x99);
    EXPECT_EQ(setup.opened.size(), 260u);
    setup.opened.clear();
    setup.path = std::string(224, 'p');
    EXPECT_EQ(OpenPipelineDevice(text), (HANDLE)0);
    EXPECT_STREQ(text, "Error 0x80700004 opening Quillmere Pipeline");
    setup.path = std::string(400, 'p'); // fills the record without a terminator
    EXPECT_EQ(OpenPipelineDevice(text), (HANDLE)0);
    EXPECT_STREQ(text, "Error 0x80700004 opening Quillmere Pipeline");
    EXPECT_TRUE(setup.opened.empty());
}

TEST(PipelineDevice, SetupErrorsTakeTheirHResultForm)
{
    const DWORD cases[][2] = {{0xE000020B, 0x800F020B}, {5, 5}, {0xC0000005, 0xC0000005}};
    for (const auto& c : cases) {
        SetLastError(c[0]);
        SetLastErrorAsHResult();
        EXPECT_EQ(GetLastError(), c[1]);
    }
}

TEST(GuidText, FormatsParsesAndRoundTrips)
{
    char text[GuidTextLength + 1];
    EXPECT_EQ(FormatGuid(text, &PipelineInterfaceClass), 36);
    EXPECT_STREQ(text, "573cbfbd-ef12-4135-b3b7-64b1263ffce4");
    GUID back = ParseGuid(text);
    EXPECT_TRUE(IsEqualGUID(back, PipelineInterfaceClass));
    GUID odd = {0x00000001, 0xabcd, 0x0f00, {0, 1, 2, 0xfe, 0xff, 0x10, 0x20, 0x80}};
    FormatGuid(text, &odd);
    EXPECT_STREQ(text, "00000001-abcd-0f00-0001-02feff102080");
    EXPECT_TRUE(IsEqualGUID(ParseGuid(text), odd));
    EXPECT_EQ(FormatGuid(nullptr, &odd), 0);
}

TEST(GuidText, OtherLengthsGiveTheZeroGuid)
{
    GUID zero = {};
    for (const char* text : {"WAVE_MAPPER", "", "573cbfbd-ef12-4135-b3b7-64b1263ffce",
                             "573cbfbd-ef12-4135-b3b7-64b1263ffce44", (const char*)nullptr})
        EXPECT_TRUE(IsEqualGUID(ParseGuid(text), zero)) << (text ? text : "null");
    GUID junk = ParseGuid("zzzzzzzz-zzzz-zzzz-zzzz-zzzzzzzzzzzz");
    EXPECT_TRUE(IsEqualGUID(junk, zero));
}
