#include "gui/window/CMoveInputHook.h"
#include "common/CMutex.h"
#include "common/CRunnable.h"
#include "common/CThread.h"
#include "gui/window/WindowEvent.h"
#include <atomic>

namespace {
// The watch thread puts its hooks in at once; bounded so that a stalled system
// cannot keep the Move from starting.
const DWORD kHookWaitMs = 1000;

// The hook hears the pointer in the screen's own pixels; the window is placed
// in the process's coordinates, which differ on a monitor of another scale
// than the system's. Systems before that conversion have one scale.
POINT InProcessCoordinates(HWND window, POINT physical)
{
    using Convert = BOOL(WINAPI*)(HWND, POINT*);
    static const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "PhysicalToLogicalPointForPerMonitorDPI")));
    // The call converts only a point on the given window: a click beside the
    // moved window keeps its pixels, off by the monitor's scale where it has one.
    POINT logical = physical;
    if (convert && !convert(window, &logical))
        logical = physical;
    return logical;
}

// The release of a press; 0 for a release or anything else. The X buttons'
// releases share one message: the button (mouseData's high word) tells them apart.
UINT_PTR ReleaseOf(WPARAM message, DWORD mouseData)
{
    switch (message) {
    case WM_LBUTTONDOWN: return WM_LBUTTONUP;
    case WM_RBUTTONDOWN: return WM_RBUTTONUP;
    case WM_MBUTTONDOWN: return WM_MBUTTONUP;
    case WM_XBUTTONDOWN: return MAKELONG(WM_XBUTTONUP, HIWORD(mouseData));
    default: return 0;
    }
}

// The button input itself, as ReleaseOf names a release.
UINT_PTR ButtonInput(WPARAM message, DWORD mouseData)
{
    return message == WM_XBUTTONUP ? MAKELONG(WM_XBUTTONUP, HIWORD(mouseData)) : message;
}

enum class Coordinates { Physical, Process };

bool IsButton(WPARAM message)
{
    return ReleaseOf(message, 0) != 0 || message == WM_LBUTTONUP || message == WM_RBUTTONUP ||
           message == WM_MBUTTONUP || message == WM_XBUTTONUP;
}

// A release (or a key's repeats and release) that belongs to an input the
// watch swallowed; 0 when none is owed.
struct Owed {
    UINT_PTR what = 0;
    DWORD since = 0; // the last event of it, or when it began to be owed

    void Set(UINT_PTR input)
    {
        what = input;
        since = GetTickCount();
    }
    void ForgetIfStale(DWORD now)
    {
        if (what && now - since >= CMoveInputHook::kOwedReleaseMs)
            what = 0;
    }
};

LRESULT CALLBACK WatchButtons(int code, WPARAM message, LPARAM info);
LRESULT CALLBACK WatchKeys(int code, WPARAM message, LPARAM info);

class CMoveWatch;
CMoveWatch* g_watch = nullptr; // from the first Move to the end of the process

class CMoveWatch : public CRunnable {
public:
    CMoveWatch() : m_armed(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        m_thread.SetRunnable(this);
        g_watch = this;
    }
    ~CMoveWatch() override
    {
        m_thread.Stop();
        g_watch = nullptr;
        CloseHandle(m_armed);
    }

    void Start(HWND window)
    {
        m_lock.Lock();
        m_moving = window;
        const bool hooked = m_hooked;
        m_lock.Unlock();
        if (hooked)
            return;
        m_thread.Start(); // nothing when it runs already
        m_thread.Wake();
        WaitForSingleObject(m_armed, kHookWaitMs);
    }

    void Stop(HWND window)
    {
        HWND moving = window;
        m_moving.compare_exchange_strong(moving, nullptr);
        m_thread.Wake(); // the hooks go once nothing is owed
    }

    // Watch thread.
    void Run(CThread* thread) override
    {
        HANDLE wake = thread->GetWakeEvent();
        while (thread->IsRunning()) {
            Rehook();
            MsgWaitForMultipleObjects(1, &wake, FALSE, m_key.what ? CMoveInputHook::kOwedReleaseMs : INFINITE,
                                      QS_ALLINPUT);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg); // the hooks are called in here
            m_key.ForgetIfStale(GetTickCount());
        }
        m_moving = nullptr;
        m_release.what = m_key.what = 0;
        Rehook();
    }

    // Watch thread; true when the button event goes nowhere else.
    bool TakeButton(WPARAM message, const MSLLHOOKSTRUCT& input)
    {
        const UINT_PTR release = ReleaseOf(message, input.mouseData);
        if (m_release.what && ButtonInput(message, input.mouseData) == m_release.what) {
            m_release.what = 0;
            return true;
        }
        if (release && release == m_release.what)
            m_release.what = 0; // the release of the press before never came
        if (!IsButton(message) || !EndMove(MoveEnd::Place, input.pt, Coordinates::Physical) || !release)
            return false;
        m_release.Set(release);
        return true;
    }

    // Watch thread; true when the key event goes nowhere else.
    bool TakeKey(WPARAM message, DWORD key)
    {
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        if (key && key == m_key.what) {
            m_key.Set(down ? key : 0); // its repeats too
            return true;
        }
        if (!down || (key != VK_ESCAPE && key != VK_RETURN))
            return false;
        POINT at = {};
        GetCursorPos(&at);
        if (!EndMove(key == VK_ESCAPE ? MoveEnd::Cancel : MoveEnd::Place, at, Coordinates::Process))
            return false;
        m_key.Set(key);
        return true;
    }

private:
    // Watch thread: a posted end only, never a wait for the window's thread.
    bool EndMove(MoveEnd how, POINT at, Coordinates given)
    {
        const HWND window = m_moving.exchange(nullptr);
        if (window && given == Coordinates::Physical)
            at = InProcessCoordinates(window, at);
        if (window)
            PostMessageA(window, ToolkitMessage::MoveEnded, static_cast<WPARAM>(how), MAKELPARAM(at.x, at.y));
        return window != nullptr;
    }

    // Watch thread: the hooks are in while a Move runs or a release is owed.
    void Rehook()
    {
        m_lock.Lock();
        const bool wanted = m_moving.load() || m_release.what || m_key.what;
        if (wanted && !m_hooked) {
            const HINSTANCE self = GetModuleHandleA(nullptr);
            m_mouseHook = SetWindowsHookExA(WH_MOUSE_LL, WatchButtons, self, 0);
            m_keyHook = SetWindowsHookExA(WH_KEYBOARD_LL, WatchKeys, self, 0);
            m_hooked = true;
            SetEvent(m_armed);
        } else if (!wanted && m_hooked) {
            if (m_mouseHook)
                UnhookWindowsHookEx(m_mouseHook);
            if (m_keyHook)
                UnhookWindowsHookEx(m_keyHook);
            m_mouseHook = m_keyHook = nullptr;
            m_hooked = false;
            ResetEvent(m_armed);
        }
        m_lock.Unlock();
    }

    CMutex m_lock; // Start's look at the hooks against the watch thread's change of them
    std::atomic<HWND> m_moving{nullptr};
    bool m_hooked = false;       // under the lock: the hooks were asked for (the system may refuse)
    HHOOK m_mouseHook = nullptr; // watch thread
    HHOOK m_keyHook = nullptr;   // watch thread
    HANDLE m_armed;              // set while the hooks are in
    Owed m_release;              // watch thread: the button release
    Owed m_key;                  // watch thread: the key
    CThread m_thread;            // last: it stops before the rest goes
};

LRESULT CALLBACK WatchButtons(int code, WPARAM message, LPARAM info)
{
    if (code == HC_ACTION && g_watch->TakeButton(message, *reinterpret_cast<const MSLLHOOKSTRUCT*>(info)))
        return 1;
    return CallNextHookEx(nullptr, code, message, info);
}

LRESULT CALLBACK WatchKeys(int code, WPARAM message, LPARAM info)
{
    if (code == HC_ACTION && g_watch->TakeKey(message, reinterpret_cast<const KBDLLHOOKSTRUCT*>(info)->vkCode))
        return 1;
    return CallNextHookEx(nullptr, code, message, info);
}
} // namespace

void CMoveInputHook::Start(HWND window)
{
    static CMoveWatch watch;
    watch.Start(window);
}

void CMoveInputHook::Stop(HWND window)
{
    if (g_watch)
        g_watch->Stop(window);
}
