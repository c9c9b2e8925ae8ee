// Puts the running program's main window into a state for the program's CPU
// benchmark, through the same window commands its own buttons send:
//   program_window wait            until the window exists
//   program_window place X Y W H   normal state at that rectangle
//   program_window maximize | minimize | restore
//   program_window crowd hidden|shown N    N topmost 1 x 1 tool windows of its own
//                                          above the program, kept until killed
// Exit status 0 when the window was found and told.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
const char kTitle[] = "Quillmere RTA";
const int kWaitMs = 30000; // the program's first start builds its skin
const int kPollMs = 100;

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
                         " crowd hidden|shown N\n");
    return 2;
}

// The windows many desktops carry: tool tips, input-method and helper windows
// of other programs, most of them hidden, all above the analyser; "ready"
// once they stand.
int Crowd(const char* state, int count)
{
    const bool shown = !std::strcmp(state, "shown");
    if ((!shown && std::strcmp(state, "hidden")) || count <= 0)
        return Usage();
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "ProgramBenchCrowd";
    RegisterClassA(&wc);
    for (int i = 0; i < count; ++i) {
        const HWND hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1,
                                          nullptr, nullptr, nullptr, nullptr);
        if (shown)
            ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    }
    std::printf("ready\n");
    std::fflush(stdout);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
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
