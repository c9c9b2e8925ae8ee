#include "app/AppResources.h"
#include "app/ProgramEntry.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

const int kAltDown = 1 << 29; // the context bit of a key message typed with Alt
const int kQuitCode = 5;
const BYTE kKeyDown = 0x80;

struct Seen {
    UINT message;
    WPARAM wParam;
};
std::vector<Seen> g_seen;
int g_starts = 0;
HWND g_window = nullptr;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message == WM_SYSCHAR)
        g_seen.push_back({message, wParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

bool FailingStart(HINSTANCE, int)
{
    ++g_starts;
    return false;
}

// A window, and in the queue: Alt+'?', Alt+'/', Alt+'a' typed into it, then the quit message.
bool TypingStart(HINSTANCE instance, int)
{
    ++g_starts;
    WNDCLASSA type = {};
    type.lpfnWndProc = RecordingProc;
    type.hInstance = instance;
    type.lpszClassName = "QuillEntryTest";
    RegisterClassA(&type);
    g_window =
        CreateWindowA("QuillEntryTest", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr);
    if (!g_window)
        return false;
    // The loop's translation reads the Alt key's state, not only the message's bit.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = kKeyDown;
    SetKeyboardState(keys);
    for (char c : {'?', '/', 'a'})
        PostMessageA(g_window, WM_SYSCHAR, c, kAltDown | 1);
    PostQuitMessage(kQuitCode);
    return true;
}

} // namespace

// A failed start answers 0 without a loop; the loop ends with the quit code,
// the two accelerator keys becoming command 104 that never reach the window.
TEST(ProgramEntry, AFailedStartHasNoLoopTheLoopTakesBothAccelerators)
{
    PostQuitMessage(7); // a loop would end on this one and answer 7
    EXPECT_EQ(RunProgram(GetModuleHandleA(nullptr), SW_SHOW, FailingStart), 0);
    EXPECT_EQ(g_starts, 1);
    MSG left;
    ASSERT_TRUE(PeekMessageA(&left, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(left.message, UINT(WM_QUIT));
    EXPECT_EQ(left.wParam, 7u);
    EXPECT_EQ(RunProgram(GetModuleHandleA(nullptr), SW_SHOW, nullptr), 0);

    EXPECT_EQ(RunProgram(GetModuleHandleA(nullptr), SW_SHOW, TypingStart), kQuitCode);
    EXPECT_EQ(g_starts, 2);
    ASSERT_EQ(g_seen.size(), 3u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(g_seen[i].message, UINT(WM_COMMAND)) << i;
        EXPECT_EQ(LOWORD(g_seen[i].wParam), IDM_ABOUT) << i;
    }
    EXPECT_EQ(g_seen[2].message, UINT(WM_SYSCHAR));
    EXPECT_EQ(g_seen[2].wParam, WPARAM('a'));
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    DestroyWindow(g_window);
}
