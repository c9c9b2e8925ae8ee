// Puts the running program's main window into a state for the program's CPU
// benchmark, through the same window commands its own buttons send:
//   program_window wait            until the window exists
//   program_window place X Y W H   normal state at that rectangle
//   program_window maximize | minimize | restore
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
    std::fprintf(stderr, "usage: program_window wait | place X Y W H | maximize | minimize | restore\n");
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const HWND window = FindProgram();
    if (!window) {
        std::fprintf(stderr, "program_window: no window \"%s\"\n", kTitle);
        return 1;
    }
    const char* command = argv[1];
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
