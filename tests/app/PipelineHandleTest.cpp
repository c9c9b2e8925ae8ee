#include "app/CPipelineHandle.h"
#include "audio/PipelineDevice.h"
#include <gtest/gtest.h>

namespace {

// A routing driver that is present: its device is an event, a real handle to watch.
struct PresentDriver {
    static HDEVINFO WINAPI ClassDevs(const GUID*, PCSTR, HWND, DWORD) { return HDEVINFO(1); }
    static WINBOOL WINAPI Enum(HDEVINFO, PSP_DEVINFO_DATA, const GUID*, DWORD, PSP_DEVICE_INTERFACE_DATA)
    {
        return TRUE;
    }
    static WINBOOL WINAPI Detail(HDEVINFO, PSP_DEVICE_INTERFACE_DATA, PSP_DEVICE_INTERFACE_DETAIL_DATA_A detail, DWORD,
                                 PDWORD, PSP_DEVINFO_DATA)
    {
        lstrcpyA(detail->DevicePath, "\\\\?\\root#pipeline#0000");
        return TRUE;
    }
    static WINBOOL WINAPI Destroy(HDEVINFO) { return TRUE; }
    static HANDLE WINAPI Create(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)
    {
        return CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }

    PresentDriver() { SetPipelineApi(&api); }
    ~PresentDriver() { SetPipelineApi(nullptr); }
    PipelineApi api = {ClassDevs, Enum, Detail, Destroy, Create};
};

bool IsOpen(HANDLE handle)
{
    DWORD flags;
    return GetHandleInformation(handle, &flags) != 0;
}

} // namespace

// No driver: handle 0 and nothing to close. A driver that is present: its
// handle is closed once, so a handle opened after the close (the system
// reuses the value) survives the destructor.
TEST(PipelineHandle, AbsentDriverGivesZeroPresentOneIsClosedOnce)
{
    {
        CPipelineHandle pipeline;
        EXPECT_EQ(pipeline.Get(), HANDLE(0));
        pipeline.Close();
        EXPECT_EQ(pipeline.Get(), HANDLE(0));
    }
    PresentDriver driver;
    HANDLE later = 0;
    {
        CPipelineHandle pipeline;
        const HANDLE opened = pipeline.Get();
        ASSERT_TRUE(opened);
        EXPECT_TRUE(IsOpen(opened));
        pipeline.Close();
        EXPECT_FALSE(IsOpen(opened));
        later = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    }
    EXPECT_TRUE(IsOpen(later));
    CloseHandle(later);
    {
        CPipelineHandle pipeline;
        later = pipeline.Get();
    }
    EXPECT_FALSE(IsOpen(later));
}
