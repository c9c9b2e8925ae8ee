#include "gui/window/BitmapRegion.h"
#include "gui/window/CWindowMenu.h"
#include "tests/common/TraceCapture.h"
#include "WindowTestSupport.h"
#include <gtest/gtest.h>
#include <climits>
#include <memory>
#include <vector>

namespace {

const uint32_t Key = 0xFFFF00FFu;
const uint32_t Solid = 0xFF204060u;

std::string ClassOf(HWND hwnd)
{
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

HHOOK g_refuseHook = nullptr;

LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND)
        return 1; // the system then fails CreateWindowEx
    return CallNextHookEx(g_refuseHook, code, wParam, lParam);
}

} // namespace

// Names count up program-wide and never go back; each class goes with its
// window, whether destroyed directly or by the deferred close, and so do the
// back bitmap and the window menu. Created is the first event (what comes
// before the object is attached goes to the default procedure), and a second
// Create changes nothing.
TEST(PhysicalWindow, ClassPerWindowIsCountedAndUnregisteredWithIt)
{
    const int sections = CBitmapDC::GetLiveSectionCount();
    const int menus = CWindowMenu::GetLiveCount();
    RecordingListener listener;
    CPhysicalWindow first, second, third;
    first.SetListener(&listener);
    ASSERT_EQ(first.Create(TestWindowParams()), 0);
    ASSERT_FALSE(listener.events.empty());
    EXPECT_EQ(listener.events[0].code, WindowEvent::Created);
    EXPECT_EQ(listener.events[0].sender, &first);
    const HWND hwnd = first.GetHwnd();
    EXPECT_EQ(first.Create(TestWindowParams(kQuietX + 10, kQuietY + 10, 200, 100)), 0);
    EXPECT_EQ(first.GetHwnd(), hwnd);
    EXPECT_EQ(first.GetWidth(), 64);
    ASSERT_EQ(second.Create(TestWindowParams()), 0);
    const std::string firstName = ClassOf(first.GetHwnd()), secondName = ClassOf(second.GetHwnd());
    EXPECT_EQ(firstName, first.GetWindowClassName());
    // ctest runs each test in a process of its own: these are the first classes.
    if (::testing::UnitTest::GetInstance()->test_to_run_count() == 1) {
        EXPECT_EQ(firstName, "PhysicalWindow_00000000");
        EXPECT_EQ(secondName, "PhysicalWindow_00000001");
    }
    EXPECT_EQ(std::stoul(secondName.substr(15), nullptr, 16), std::stoul(firstName.substr(15), nullptr, 16) + 1);
    EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), sections + 2);
    EXPECT_EQ(CWindowMenu::GetLiveCount(), menus + 2);

    first.Destroy();
    EXPECT_FALSE(IsClassRegistered(firstName));
    EXPECT_FALSE(first.IsCreated());
    second.PostDeferredClose();
    EXPECT_TRUE(IsClassRegistered(secondName)); // closes only once its message comes
    PumpMessages();
    EXPECT_FALSE(IsClassRegistered(secondName));
    EXPECT_EQ(second.GetHwnd(), nullptr);
    EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), sections);
    EXPECT_EQ(CWindowMenu::GetLiveCount(), menus);

    ASSERT_EQ(third.Create(TestWindowParams()), 0);
    EXPECT_EQ(std::stoul(ClassOf(third.GetHwnd()).substr(15), nullptr, 16),
              std::stoul(secondName.substr(15), nullptr, 16) + 1);
}

// A window destroyed from outside releases itself; its class goes as soon as
// the system allows, at the latest with the next toolkit window.
TEST(PhysicalWindow, DestroyedFromOutsideReleasesItselfAndLaterItsClass)
{
    RecordingListener listener;
    CPhysicalWindow window, next;
    ASSERT_EQ(window.Create(TestWindowParams()), 0);
    window.SetListener(&listener);
    const std::string name = window.GetWindowClassName();
    PumpMessages();
    listener.Clear();
    DestroyWindow(window.GetHwnd());
    ASSERT_FALSE(listener.events.empty());
    EXPECT_EQ(listener.Count(WindowEvent::Destroyed), 1);
    EXPECT_EQ(listener.events.back().code, WindowEvent::Destroyed);
    EXPECT_FALSE(window.IsCreated());
    ASSERT_EQ(next.Create(TestWindowParams()), 0);
    EXPECT_FALSE(IsClassRegistered(name));
    // Created again, the object is a new window with a new class.
    ASSERT_EQ(window.Create(TestWindowParams()), 0);
    EXPECT_NE(name, window.GetWindowClassName());
}

TEST(PhysicalWindow, StylesAndBackBitmapAsAsked)
{
    CPhysicalWindow owner;
    ASSERT_EQ(owner.Create(TestWindowParams()), 0);
    const struct {
        const char* name;
        void (*set)(WindowCreateParams&, CPhysicalWindow*);
        DWORD styleIn, styleOut, exIn, exOut;
        bool menu;
    } cases[] = {
        {"top-level", [](WindowCreateParams&, CPhysicalWindow*) {}, WS_POPUP | WS_MINIMIZEBOX, WS_CHILD, 0,
         WS_EX_TOOLWINDOW, true},
        {"child",
         [](WindowCreateParams& p, CPhysicalWindow* o) {
             p.parentWindow = o;
             p.child = 1;
         },
         WS_CHILD, WS_POPUP | WS_MINIMIZEBOX, 0, 0, false},
        {"owned by handle", [](WindowCreateParams& p, CPhysicalWindow* o) { p.parentHandle = o->GetHwnd(); }, WS_POPUP,
         WS_MINIMIZEBOX | WS_CHILD, 0, 0, false},
        {"tool popup",
         [](WindowCreateParams& p, CPhysicalWindow* o) {
             p.parentWindow = o;
             p.toolPopup = 1;
         },
         WS_POPUP | WS_CLIPSIBLINGS, WS_MINIMIZEBOX, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, 0, false},
    };
    for (const auto& c : cases) {
        WindowCreateParams params = TestWindowParams();
        c.set(params, &owner);
        CPhysicalWindow window;
        ASSERT_EQ(window.Create(params), 0) << c.name;
        const DWORD style = StyleOf(window.GetHwnd()), ex = ExStyleOf(window.GetHwnd());
        EXPECT_EQ(style & c.styleIn, c.styleIn) << c.name;
        EXPECT_EQ(style & c.styleOut, 0) << c.name;
        EXPECT_EQ(ex & c.exIn, c.exIn) << c.name;
        EXPECT_EQ(ex & c.exOut, 0) << c.name;
        EXPECT_EQ(window.GetWindowMenu() != nullptr, c.menu) << c.name;
    }

    // The back bitmap starts blue, as the given image, as red noise, or not at all.
    {
        CBitmapDC image;
        image.Create(8, 8, 32);
        image.Fill(0xFF000000u);
        image.FillRect(2, 3, 8, 8, Solid);

        WindowCreateParams params[4];
        for (WindowCreateParams& p : params)
            p = TestWindowParams(kQuietX, kQuietY, 4, 4);
        params[0].fillBlue = 1;
        params[1].hasInitialImage = 1;
        params[1].initialImage = &image;
        params[1].initialImageX = 2;
        params[1].initialImageY = 3;
        params[3].listenerPaints = 1;
        CPhysicalWindow windows[4];
        for (int i = 0; i < 4; ++i)
            ASSERT_EQ(windows[i].Create(params[i]), 0);
        GdiFlush();
        uint32_t noiseRed = 0;
        for (int p = 0; p < 16; ++p) {
            EXPECT_EQ(windows[0].GetBackBitmap()->GetBits()[p], 0x000000FFu);
            EXPECT_EQ(windows[1].GetBackBitmap()->GetBits()[p], Solid);
            const uint32_t noise = windows[2].GetBackBitmap()->GetBits()[p];
            EXPECT_EQ(noise & 0xFF00FFFFu, 0u) << "only red is noise";
            noiseRed |= noise;
        }
        EXPECT_NE(noiseRed, 0u);
        EXPECT_EQ(windows[3].GetBackBitmap(), nullptr);
    }
}

// Border 16 looks only at the corner squares, a negative border only at the
// frame, 0 (or a bitmap too small for the border) at everything; alpha keys on 0.
TEST(PhysicalWindow, RegionAndShowBitmap)
{
    CBitmapDC bitmap;
    bitmap.Create(40, 40, 32);
    const POINT corner = {1, 1}, edge = {20, 2}, middle = {20, 20}, farCorner = {38, 39};
    const struct {
        int border;
        uint32_t key;
        bool cutCorner, cutEdge, cutMiddle;
    } cases[] = {
        {16, Key, true, false, false},
        {-4, Key, true, true, false},
        {0, Key, true, true, true},
        {21, Key, true, true, true}, // 2 x 21 is more than 40
        {INT_MIN, Key, true, true, true},
        {INT_MAX / 2 + 1, Key, true, true, true},
        {16, kRegionKeyAlpha, true, false, false},
    };
    for (const auto& c : cases) {
        bitmap.Fill(Solid);
        for (POINT p : {corner, edge, middle, farCorner})
            bitmap.GetBits()[p.y * 40 + p.x] = c.key == kRegionKeyAlpha ? 0x00FFFFFFu : Key;
        HRGN region = CreateRegionFromBitmap(bitmap, c.key, c.border);
        EXPECT_EQ(!PtInRegion(region, corner.x, corner.y), c.cutCorner) << c.border;
        EXPECT_EQ(!PtInRegion(region, farCorner.x, farCorner.y), c.cutCorner) << c.border;
        EXPECT_EQ(!PtInRegion(region, edge.x, edge.y), c.cutEdge) << c.border;
        EXPECT_EQ(!PtInRegion(region, middle.x, middle.y), c.cutMiddle) << c.border;
        EXPECT_TRUE(PtInRegion(region, 0, 0) && PtInRegion(region, 39, 39) && PtInRegion(region, 2, 1));
        EXPECT_FALSE(PtInRegion(region, 40, 0));
        DeleteObject(region);
    }

    // On a window, the shape it gets is the one computed.
    CPhysicalWindow window;
    ASSERT_EQ(window.Create(TestWindowParams(kQuietX, kQuietY, 40, 40)), 0);
    EXPECT_NE(window.SetRegionFromBitmap(&bitmap, kRegionKeyAlpha, 16), 0);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window.GetHwnd(), shape), ERROR);
    EXPECT_FALSE(PtInRegion(shape, corner.x, corner.y));
    EXPECT_TRUE(PtInRegion(shape, middle.x, middle.y));
    DeleteObject(shape);
    EXPECT_EQ(window.SetRegionFromBitmap(nullptr, Key, 16), 0);

    CBitmapDC empty;
    HRGN none = CreateRegionFromBitmap(empty, Key, 0);
    RECT box;
    EXPECT_EQ(GetRgnBox(none, &box), NULLREGION);
    DeleteObject(none);

    // ShowBitmap copies into the back bitmap and puts that on screen.
    {
        CPhysicalWindow window;
        ASSERT_EQ(window.Create(TestWindowParams(kQuietX, kQuietY, 20, 20)), 0);
        CBitmapDC* back = window.GetBackBitmap();
        back->Fill(0);
        CBitmapDC source;
        source.Create(10, 10, 32);
        source.Fill(0xFF000001u);
        source.FillRect(2, 3, 6, 8, Solid);
        EXPECT_NE(window.ShowBitmap(&source, 2, 3, 4, 5, 11, 12), 0);
        GdiFlush();
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool in = x >= 11 && x < 15 && y >= 12 && y < 17;
                ASSERT_EQ(back->GetBits()[y * 20 + x], in ? Solid : 0u) << x << "," << y;
            }
        // Its own back bitmap is only put on screen.
        EXPECT_NE(window.ShowBitmap(back, 0, 0, 0, 0, 0, 0), 0);
        EXPECT_EQ(back->GetBits()[12 * 20 + 11], Solid);
        EXPECT_EQ(window.ShowBitmap(nullptr, 0, 0, 0, 0, 0, 0), 0);
        window.Destroy();
        EXPECT_EQ(window.ShowBitmap(&source, 0, 0, 0, 0, 0, 0), 0);
    }
}

// A refused window leaves no class, no menu and no bitmap behind; a window
// whose size gives no bitmap still lives, with an empty one.
TEST(PhysicalWindow, BadInputLeavesNothingBehind)
{
    const int sections = CBitmapDC::GetLiveSectionCount();
    const int menus = CWindowMenu::GetLiveCount();
    TraceCapture trace;
    CPhysicalWindow refused;
    g_refuseHook = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_refuseHook, nullptr);
    EXPECT_EQ(refused.Create(TestWindowParams()), -1);
    UnhookWindowsHookEx(g_refuseHook);
    EXPECT_FALSE(IsClassRegistered(refused.GetWindowClassName()));
    EXPECT_FALSE(refused.IsCreated());
    EXPECT_EQ(CWindowMenu::GetLiveCount(), menus);
    EXPECT_EQ(CBitmapDC::GetLiveSectionCount(), sections);
    EXPECT_NE(trace.Text().find("WINDOW CREATION FAILED: "), std::string::npos);

    WindowCreateParams orphan = TestWindowParams();
    orphan.parentHandle = reinterpret_cast<HWND>(0x7ff0); // no such window
    orphan.child = 1;
    EXPECT_EQ(refused.Create(orphan), -1);
    EXPECT_FALSE(IsClassRegistered(refused.GetWindowClassName()));

    CPhysicalWindow flat;
    ASSERT_EQ(flat.Create(TestWindowParams(kQuietX, kQuietY, 0, 30)), 0);
    EXPECT_FALSE(flat.GetBackBitmap()->IsCreated());
    flat.ShowBitmap(flat.GetBackBitmap(), 0, 0, 0, 0, 0, 0);
    char text[8] = "x";
    refused.GetText(text, sizeof(text));
    EXPECT_STREQ(text, "");
    refused.SetText("nothing to set");
}
