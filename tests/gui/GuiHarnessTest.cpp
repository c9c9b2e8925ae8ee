#include "GuiTestSupport.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The full name of the font GDI really picked (the face and family names echo a replaced request).
std::string RealFace(const char* requested)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const int height = -11; // 8 points at 96 dpi, the dialog size
    HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, requested);
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<char> metrics(GetOutlineTextMetricsA(dc, 0, nullptr));
    std::string face;
    auto* outline = reinterpret_cast<OUTLINETEXTMETRICA*>(metrics.data());
    if (!metrics.empty() && GetOutlineTextMetricsA(dc, static_cast<UINT>(metrics.size()), outline))
        face = metrics.data() + reinterpret_cast<size_t>(outline->otmpFullName);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return face;
}

std::vector<UINT> g_seen;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_APP)
        g_seen.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

// The prefix the tests run in is the configured one: virtual desktop, dialog fonts.
TEST(GuiHarness, PrefixAndPump)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    const struct {
        const char* requested;
        const char* family;
    } faces[] = {{"Tahoma", "Tahoma"}, {"Microsoft Sans Serif", "Tahoma"}, {"Courier New", "Liberation Mono"}};
    for (const auto& f : faces)
        EXPECT_NE(RealFace(f.requested).find(f.family), std::string::npos)
            << f.requested << " gave " << RealFace(f.requested);

    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "GuiHarnessRecorder";
        ASSERT_TRUE(RegisterClassA(&wc));
        HWND window =
            CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(window);
        PumpMessages();
        g_seen.clear();
        for (UINT m : {WM_APP + 2, WM_APP, WM_APP + 1})
            PostMessageA(window, m, 0, 0);
        EXPECT_EQ(PumpMessages(), 3);
        EXPECT_EQ(g_seen, (std::vector<UINT>{WM_APP + 2, WM_APP, WM_APP + 1}));
        EXPECT_EQ(PumpMessages(), 0);
        DestroyWindow(window);
        EXPECT_TRUE(UnregisterClassA(wc.lpszClassName, wc.hInstance));
    }
}

TEST(GuiHarness, CursorAndSentInputReachTheSystemState)
{
    EXPECT_TRUE(MoveCursorTo(100, 200));
    EXPECT_TRUE(MoveCursorTo(1279, 0));
    const struct {
        bool (*send)(KeyAction);
        int virtualKey;
    } keys[] = {
        {[](KeyAction a) { return SendMouseButton(MouseButton::Left, a); }, VK_LBUTTON},
        {[](KeyAction a) { return SendMouseButton(MouseButton::Right, a); }, VK_RBUTTON},
        {[](KeyAction a) { return SendKey(VK_SHIFT, a); }, VK_SHIFT},
    };
    for (const auto& k : keys) {
        ASSERT_TRUE(k.send(KeyAction::Press));
        EXPECT_TRUE(IsKeyDown(k.virtualKey)) << k.virtualKey;
        ASSERT_TRUE(k.send(KeyAction::Release));
        EXPECT_FALSE(IsKeyDown(k.virtualKey)) << k.virtualKey;
    }
    PumpMessages();
}
