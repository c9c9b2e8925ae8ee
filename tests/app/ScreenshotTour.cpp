// Shows the main window in its states and writes a PNG of the screen for
// each into the folder given as the first argument; scripts/screenshots runs
// it under a virtual display with a sound source.
#include "tests/app/ArtworkSource.h"
#include "tests/app/MainWindowPopups.h"
#include "tests/gui/skin/PngEncode.h"
#include "app/CMainWindow.h"
#include "gui/window/CPhysicalWindow.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

const DWORD kSignalMs = 3000; // the averages and the meter's windows fill
const DWORD kSettleMs = 400;  // a menu or a window paints

std::string g_folder = ".";

// What each picture shows, for the folder's index; the popups' come with them.
const char* const kCaptions[][2] = {
    {"01-first-start-settings.png", "the first start: no device chosen yet, the I/O settings window says so"},
    {"02-signal-default-layout.png", "the default layout with the demo tones: loudness meter above the RTA"},
    {"03-signal-one-scope.png", "\"Prefer Oscilloscope\": the meter above one oscilloscope"},
    {"04-signal-two-scopes-1400x400.png", "\"Prefer Two Oscilloscopes\" at 1400 x 400: two scopes beside the RTA"},
    {"09-menu-tray.png", "the tray icon's menu"},
    {"11-signal-vertical-meter.png", "\"Prefer Vertical\": the meter standing beside the RTA"}};

const char* Caption(const char* name)
{
    for (const auto& caption : kCaptions)
        if (!strcmp(caption[0], name))
            return caption[1];
    for (const MainWindowPopup& popup : MainWindowPopups())
        if (!strcmp(popup.picture, name))
            return popup.shows;
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

RECT ScreenArea()
{
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// The rectangle of the screen, as the user sees it, as an RGB PNG; a
// popup that the screen shows as one colour is called out in the index.
bool Shoot(const char* name, RECT area, const char* remark = "")
{
    const RECT whole = ScreenArea();
    IntersectRect(&area, &area, &whole); // past the screen's edge the screen reads back black
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
    printf("%s%s: %s%s\n", written ? "" : "NOT WRITTEN ", name, Caption(name), remark);
    return written;
}

RECT WindowArea(CTopLevelWindow& window)
{
    RECT rect;
    GetWindowRect(window.GetWindow().GetHwnd(), &rect);
    return rect;
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

    // Opens the popup as a user does, waits for its picture and shoots the screen.
    void ShootPopup(const MainWindowPopup& popup)
    {
        if (popup.kind != PopupKind::SettingsList)
            m_window.GetSettingsWindow().Destroy(); // what the lists left open
        const HWND window = popup.open(m_window);
        const bool shown = PumpUntil([window] { return ShowsAPicture(window); });
        Pump(kSettleMs);
        Shoot(popup.picture, ScreenArea(), !window ? " (DID NOT OPEN)" : shown ? "" : " (SHOWN AS ONE COLOUR)");
        if (window && popup.kind == PopupKind::Window)
            SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        else if (window)
            SendMessageA(window, WM_ACTIVATE, WA_INACTIVE, 0);
        Pump(kSettleMs);
    }
    void ShootTrayMenu()
    {
        m_window.ShowTrayMenu();
        Pump(kSettleMs);
        Shoot("09-menu-tray.png", ScreenArea());
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
        for (const MainWindowPopup& popup : MainWindowPopups())
            session.ShootPopup(popup);
        Pump(kSignalMs); // the scope's menu showed the scope
        Shoot("03-signal-one-scope.png", WindowArea(session.Window()));
        session.ShootTrayMenu();
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
