#include "GuiTestSupport.h"
#include "ProgramCopy.h"
#include "tests/audio/CaptureDeviceMissing.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>
#include <algorithm>
#include <vector>

namespace {

const DWORD kSignalMs = 20000;     // at most: a loaded machine's sound server may start late
const DWORD kLookMs = 250;         // between two looks at the window
const int kMenuRowOffset = 12;     // from the cursor into the middle of a menu's first row
const DWORD kMenuOpensMs = 5000;   // at most, from the click to the popup on the screen
const DWORD kChoiceShowsMs = 8000; // at most, from a choice to the views it asks for

// The window's picture as its own device context has it, 0xRRGGBB per pixel.
std::vector<uint32_t> Picture(HWND window, int& width, int& height)
{
    RECT rect;
    GetWindowRect(window, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    std::vector<uint32_t> pixels(size_t(width) * height);
    HDC source = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(source);
    HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    SelectObject(memory, old);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

struct Lit {
    int bars = 0;  // the RTA's yellow bars
    int meter = 0; // bright saturated meter colours in the upper quarter
    int trace = 0; // the oscilloscope's pale green
};

Lit CountLit(HWND window)
{
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = Picture(window, width, height);
    Lit lit;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[size_t(y) * width + x];
            const int r = p >> 16, g = (p >> 8) & 255, b = p & 255;
            const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
            const bool top = y < height / 4; // the meter in the default layout
            lit.meter += top && hi > 180 && hi - lo > 120;
            lit.bars += !top && r > 180 && g > 140 && b < 90;
            lit.trace += !top && g > 200 && g > r + 30 && g > b + 20;
        }
    return lit;
}

// Whether a window other than the program's main window (its popup) lies at the point.
bool PopupAt(HWND window, POINT at)
{
    const HWND found = WindowFromPoint(at);
    return found && GetAncestor(found, GA_ROOT) != window;
}

void RightClickThenFirstItem(HWND window, int x, int y)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MoveCursorTo(rect.left + x, rect.top + y);
    SendMouseButton(MouseButton::Right, KeyAction::Press);
    SendMouseButton(MouseButton::Right, KeyAction::Release);
    const POINT row = {rect.left + x + 40, rect.top + y + kMenuRowOffset};
    for (DWORD waited = 0; !PopupAt(window, row) && waited < kMenuOpensMs; waited += kLookMs)
        Sleep(kLookMs);
    Sleep(kLookMs); // the popup's first build lays out its rows
    MoveCursorTo(row.x, row.y);
    Sleep(200);
    SendMouseButton(MouseButton::Left, KeyAction::Press);
    Sleep(200); // the list takes the press before the release
    SendMouseButton(MouseButton::Left, KeyAction::Release);
    for (DWORD waited = 0; PopupAt(window, row) && waited < kMenuOpensMs; waited += kLookMs)
        Sleep(kLookMs);
    MoveCursorTo(0, 0);
}

// Looks until the views show what is asked, or the time is up.
template <class Shown>
Lit LitOnceShown(HWND window, Shown shown, DWORD withinMs = kSignalMs)
{
    Lit lit = CountLit(window);
    for (DWORD waited = 0; !shown(lit) && waited < withinMs; waited += kLookMs) {
        Sleep(kLookMs);
        lit = CountLit(window);
    }
    return lit;
}

} // namespace

// The program on the test sound server's capture device: lit views, and a
// choice made in a menu that the next start shows again.
TEST(ProgramEndToEnd, MeasuresTheTestSignalAndKeepsAChoiceMade)
{
    if (CaptureDeviceMissing(waveInGetNumDevs() > 0))
        GTEST_SKIP() << kNoSoundServer;
    ProgramCopy program("quill-e2e");
    const std::string ini = program.IniPath();
    WritePrivateProfileStringA("Input", "Interface", "Wave", ini.c_str());
    WritePrivateProfileStringA("Input", "devicename_Wave", "Default Device", ini.c_str());
    WritePrivateProfileStringA("Settings", "cp.main_preference", "1", ini.c_str()); // "Prefer Oscilloscope"
    HWND window = program.Start();
    ASSERT_TRUE(window);
    const Lit scope = LitOnceShown(window, [](const Lit& l) { return l.trace > 500 && l.meter > 2000; });
    EXPECT_GT(scope.trace, 500);
    EXPECT_GT(scope.meter, 2000);
    EXPECT_LT(scope.bars, 100); // no RTA in this layout

    // The scope's menu: "Prefer RTA". Input from another process may miss the
    // popup's first moments, so the choice is tried again, each time once the RTA
    // had its time to show: on a loaded machine it comes late, not never.
    const auto rtaShown = [](const Lit& l) { return l.bars > 500; };
    for (int attempt = 0; attempt < 4 && !rtaShown(CountLit(window)); ++attempt) {
        RightClickThenFirstItem(window, 400, 250);
        LitOnceShown(window, rtaShown, kChoiceShowsMs);
    }
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
    const std::vector<std::string> lines = program.SettingsLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "cp.main_preference=0"), lines.end());

    window = program.Start();
    ASSERT_TRUE(window);
    const Lit rta = LitOnceShown(window, [](const Lit& l) { return l.bars > 500 && l.meter > 2000; });
    EXPECT_GT(rta.bars, 500);
    EXPECT_GT(rta.meter, 2000);
    EXPECT_LT(rta.trace, 100);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.WaitForExit(), 0);
}
