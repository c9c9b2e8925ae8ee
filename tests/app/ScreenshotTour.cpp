// Shows the main window in its states and writes a PNG of the screen for
// each into the folder given as the first argument; scripts/screenshots runs
// it under a virtual display with a sound source.
#include "tests/app/ArtworkSource.h"
#include "tests/gui/skin/PngEncode.h"
#include "app/CMainWindow.h"
#include "gui/window/CPhysicalWindow.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

const DWORD kSignalMs = 3000; // the averages and the meter's windows fill
const DWORD kSettleMs = 400;  // a menu or a window paints

std::string g_folder = ".";

// What each picture shows, for the folder's index.
const char* const kCaptions[][2] = {
    {"01-first-start-settings.png", "the first start: no device chosen yet, the I/O settings window says so"},
    {"02-signal-default-layout.png", "the default layout with the demo tones: loudness meter above the RTA"},
    {"03-signal-one-scope.png", "\"Prefer Oscilloscope\": the meter above one oscilloscope"},
    {"04-signal-two-scopes-1400x400.png", "\"Prefer Two Oscilloscopes\" at 1400 x 400: two scopes beside the RTA"},
    {"05-menu-rta.png", "the RTA pane's menu with the window menu below"},
    {"06-menu-meters.png", "the meter's menu with the window menu below"},
    {"07-menu-scope.png", "the oscilloscope's menu with the window menu below"},
    {"08-menu-window.png", "the window menu (a right click on the window)"},
    {"09-menu-tray.png", "the tray icon's menu"},
    {"10-about.png", "the about window"},
    {"11-signal-vertical-meter.png", "\"Prefer Vertical\": the meter standing beside the RTA"}};

const char* Caption(const char* name)
{
    for (const auto& caption : kCaptions)
        if (!strcmp(caption[0], name))
            return caption[1];
    return "";
}
std::string g_iniPath;

void Pump(DWORD ms)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

// The visible top-level windows of this thread, bottom first.
std::vector<HWND> ThreadWindows()
{
    std::vector<HWND> windows;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsWindowVisible(w) && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
            windows.insert(windows.begin(), w);
    return windows;
}

// The rectangle of the screen as an RGB PNG, put together from each window's
// own picture (the desktop's copy of a window may lag behind it).
bool Shoot(const char* name, RECT area)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    for (HWND window : ThreadWindows()) {
        RECT rect;
        GetWindowRect(window, &rect);
        HDC source = GetWindowDC(window);
        BitBlt(memory, rect.left - area.left, rect.top - area.top, rect.right - rect.left, rect.bottom - rect.top,
               source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
    }
    GdiFlush();
    PngPicture picture;
    picture.width = width;
    picture.height = height;
    picture.colorType = 2; // RGB
    const uint8_t* pixels = static_cast<const uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i)
        picture.rows.insert(picture.rows.end(), {pixels[4 * i + 2], pixels[4 * i + 1], pixels[4 * i]});
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const std::vector<uint8_t> png = EncodePng(picture);
    const bool written = !png.empty() && WriteWholeFile(g_folder + "\\" + name, std::string(png.begin(), png.end()));
    printf("%s%s: %s\n", written ? "" : "NOT WRITTEN ", name, Caption(name));
    return written;
}

RECT WindowArea(CTopLevelWindow& window)
{
    RECT rect;
    GetWindowRect(window.GetWindow().GetHwnd(), &rect);
    return rect;
}

RECT ScreenArea()
{
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void WriteSettings(const char* section, const char* key, const char* value)
{
    WritePrivateProfileStringA(section, key, value, g_iniPath.c_str());
}

// One main window from the settings file as it stands, created, fed for a while, then closed.
class Session {
public:
    Session(int width, int height)
    {
        m_window.SetInstance(GetModuleHandleA(nullptr));
        m_created = m_window.Create(20, 20, width, height) != 0;
        Pump(kSignalMs);
    }
    ~Session()
    {
        CPhysicalWindow::DismissOpenMenu();
        m_window.GetSettingsWindow().Destroy();
        m_window.GetAboutWindow().Destroy();
        m_window.OnEvent(&m_window.GetWindow(), EventSource::Window, WindowEvent::CloseCommand, 0, 0, nullptr);
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    CMainWindow& Window() { return m_window; }
    bool Created() const { return m_created; }

    void ShootMenu(const char* name, const std::function<void(CMainWindow&)>& show)
    {
        RECT rect = WindowArea(m_window);
        SetCursorPos(rect.left + 120, rect.top + 60);
        show(m_window);
        Pump(kSettleMs);
        Shoot(name, ScreenArea());
        CPhysicalWindow::DismissOpenMenu();
        Pump(kSettleMs);
    }

private:
    CMainWindow m_window;
    bool m_created = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        g_folder = argv[1];
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof(path));
    g_iniPath = path;
    g_iniPath = g_iniPath.substr(0, g_iniPath.rfind('.')) + ".ini";
    DeleteFileA(g_iniPath.c_str());

    // The first start: no device chosen yet, so the settings window opens and says so.
    {
        Session first(800, 400);
        if (!first.Created())
            return 1;
        Shoot("01-first-start-settings.png", ScreenArea());
    }
    DeleteFileA(g_iniPath.c_str());
    WriteSettings("Input", "Interface", "Wave"); // the demo tones' device
    WriteSettings("Input", "devicename_Wave", "Default Device");
    {
        Session session(800, 400);
        Shoot("02-signal-default-layout.png", WindowArea(session.Window()));
        session.ShootMenu("05-menu-rta.png", &CMainWindow::ShowRtaMenu);
        session.ShootMenu("06-menu-meters.png", &CMainWindow::ShowMetersMenu);
        session.ShootMenu("08-menu-window.png", &CMainWindow::ShowWindowMenu);
        session.Window().OnContextCommand(533); // "Prefer Oscilloscope"
        Pump(kSignalMs);
        Shoot("03-signal-one-scope.png", WindowArea(session.Window()));
        session.ShootMenu("07-menu-scope.png", [](CMainWindow& w) { w.ShowScopeMenu(0); });
        session.Window().ShowAboutWindow();
        Pump(kSettleMs);
        Shoot("10-about.png", ScreenArea());
        session.Window().GetAboutWindow().Destroy();
        // Last: the tray's popup is no menu, so nothing but a click outside closes it.
        session.ShootMenu("09-menu-tray.png", &CMainWindow::ShowTrayMenu);
    }
    WriteSettings("Settings", "cp.main_preference", "2");
    WritePrivateProfileStringA("Master", nullptr, nullptr, g_iniPath.c_str()); // not at the last place and size
    {
        Session session(1400, 400);
        Shoot("04-signal-two-scopes-1400x400.png", WindowArea(session.Window()));
    }
    WriteSettings("Settings", "cp.main_preference", "0");
    WriteSettings("Settings", "cp.itu_position", "1");
    WritePrivateProfileStringA("Master", nullptr, nullptr, g_iniPath.c_str());
    {
        Session session(800, 400);
        Shoot("11-signal-vertical-meter.png", WindowArea(session.Window()));
    }
    DeleteFileA(g_iniPath.c_str());
    return 0;
}
