// Puts the running program's main window into a state for the program's CPU
// benchmark, through the same window commands its own buttons send:
//   program_window wait            until the window exists
//   program_window place X Y W H   normal state at that rectangle
//   program_window maximize | minimize | restore
//   program_window crowd hidden|shown N    N topmost 1 x 1 tool windows of its own
//                                          above the program, kept until killed
//   program_window cover whole|strip N     N hidden topmost windows, then shown
//                                          topmost windows over the program: over
//                                          all of it, or all but a strip between
//                                          the points its cover probe asks; kept
//                                          until killed
// Exit status 0 when the window was found and told.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char kTitle[] = "Quillmere RTA";
const int kWaitMs = 30000; // the program's first start builds its skin
const int kPollMs = 100;
// An open strip this wide lies between the probe's points, which stand at a
// sixth, a half and five sixths of the window.
const int kStripPx = 12;

struct Search {
    HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param)
{
    char title[64] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    if (!IsWindowVisible(hwnd) || std::strcmp(title, kTitle) != 0)
        return TRUE;
    reinterpret_cast<Search*>(param)->found = hwnd;
    return FALSE;
}

HWND FindProgram()
{
    Search search = {nullptr};
    for (int waited = 0; waited < kWaitMs && !search.found; waited += kPollMs) {
        EnumWindows(Visit, LPARAM(&search));
        if (!search.found)
            Sleep(kPollMs);
    }
    return search.found;
}

int Usage()
{
    std::fprintf(stderr, "usage: program_window wait | place X Y W H | maximize | minimize | restore |"
                         " crowd hidden|shown N | cover whole|strip N\n");
    return 2;
}

// A topmost tool window of this program; opaque, as other programs' windows are.
HWND Topmost(const RECT& r, bool shown)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hbrBackground = HBRUSH(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = "ProgramBenchWindow";
    RegisterClassA(&wc); // fails harmlessly once registered
    const HWND hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, r.left, r.top,
                                      r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    if (shown)
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    return hwnd;
}

// Keeps the windows made until killed; "ready" once they stand.
int Keep()
{
    std::printf("ready\n");
    std::fflush(stdout);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}

// The windows many desktops carry: tool tips, input-method and helper windows
// of other programs, most of them hidden, all above the analyser.
int Crowd(const char* state, int count)
{
    const bool shown = !std::strcmp(state, "shown");
    if ((!shown && std::strcmp(state, "hidden")) || count <= 0)
        return Usage();
    for (int i = 0; i < count; ++i)
        Topmost({0, 0, 1, 1}, shown);
    return Keep();
}

// Another program's windows over the analyser, above hidden ones.
int Cover(HWND program, const char* how, int hidden)
{
    const bool strip = !std::strcmp(how, "strip");
    RECT r = {};
    if ((!strip && std::strcmp(how, "whole")) || hidden < 0 || !GetWindowRect(program, &r))
        return Usage();
    for (int i = 0; i < hidden; ++i)
        Topmost({0, 0, 1, 1}, false);
    const int open = r.left + (r.right - r.left) / 3; // between the first and the middle column of points
    if (strip) {
        Topmost({r.left, r.top, open, r.bottom}, true);
        Topmost({open + kStripPx, r.top, r.right, r.bottom}, true);
    } else {
        Topmost(r, true);
    }
    return Keep();
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const char* command = argv[1];
    if (!std::strcmp(command, "crowd"))
        return argc == 4 ? Crowd(argv[2], std::atoi(argv[3])) : Usage();
    const HWND window = FindProgram();
    if (!window) {
        std::fprintf(stderr, "program_window: no window \"%s\"\n", kTitle);
        return 1;
    }
    if (!std::strcmp(command, "wait"))
        return 0;
    if (!std::strcmp(command, "cover"))
        return argc == 4 ? Cover(window, argv[2], std::atoi(argv[3])) : Usage();
    if (!std::strcmp(command, "maximize"))
        return !PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    if (!std::strcmp(command, "minimize"))
        return !PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    if (!std::strcmp(command, "restore"))
        return !PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    if (!std::strcmp(command, "place") && argc == 6)
        return !SetWindowPos(window, nullptr, std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]),
                             std::atoi(argv[5]), SWP_NOZORDER | SWP_NOACTIVATE);
    return Usage();
}
