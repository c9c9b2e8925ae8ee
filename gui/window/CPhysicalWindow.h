#pragma once
// CPhysicalWindow's code, one concern per file:
//   CPhysicalWindow.cpp          life from construction to release, the window procedure, size, text, timers
//   CPhysicalWindowCreate.cpp    creation: its own class, styles, the back bitmap, showing
//   CPhysicalWindowEvents.cpp    window messages turned into events (HandleMessage)
//   CPhysicalWindowMouse.cpp     mouse buttons and moves as events
//   CPhysicalWindowTracking.cpp  enter, hover, leave and the moves between them
//   CPhysicalWindowInput.cpp     cursor, buttons and keys, capture and focus
//   CPhysicalWindowOpenMenu.cpp  the program's one open popup menu and the clicks closing it eats
//   CPhysicalWindowDrawing.cpp   showing the back bitmap, layered or copied; the region
//   CPhysicalWindowStates.cpp    minimize, maximize, restore, sizing, snapping, window commands
//   CPhysicalWindowDocking.cpp   docking to a monitor edge as a desktop toolbar, undocking
//   CPhysicalWindowPolicies.cpp  the policy tick, the taskbar button, showing and disabling
//   CPhysicalWindowPlacement.cpp the placement record held, saved and loaded
#include "common/CTrackedValue.h"
#include "gui/graphics/CBitmapDC.h"
#include "gui/CListener.h"
#include "gui/window/CCoverProbe.h"
#include "gui/window/CMessageHook.h"
#include "gui/window/CMoveInputHook.h"
#include "gui/CObjectBase.h"
#include "gui/window/CWindowDragger.h"
#include "gui/window/WindowCreateParams.h"
#include "gui/window/WindowEvent.h"
#include "gui/window/WindowPlacementRecord.h"
#include <windows.h>
#include <cstdint>

class CTickSource;
class CWindowMenu;

enum class MouseSwallow { Left, Right };

// One native window: every toolkit window and every control is one. Each
// instance registers a window class of its own ("PhysicalWindow_" and eight
// lower-case hex digits from a program-wide counter), keeps an off-screen
// 32-bit back bitmap it paints from, and turns the window's messages into
// WindowEvent codes for its event hook and listener (HandleMessage).
//
// Lifecycle: constructed (no window) -> Create -> live -> Destroy, or the
// window destroyed from outside (WM_DESTROY: event Destroyed, then Release).
// Created is the first event and Destroyed the last; a window may be created
// again afterwards. The class is unregistered once the window is really gone
// (the system refuses while the window exists, so a class whose window went
// away inside its own destruction is unregistered at the next toolkit window
// message or Create). PostDeferredClose closes a window from inside its own
// event handling; a listener may even delete the window object from inside an
// event, after which the window touches nothing of itself.
//
// States: normal, minimized, maximized into the work area of its monitor, or
// docked to one edge of it as a desktop toolbar (registered with the shell
// while docked). restoreRect is the normal-state rectangle every state
// returns to. While docked, Minimize and Maximize do nothing and every
// position change outside a size/move loop is forced back onto the docked
// rectangle; after undocking the next kForcedMovesAfterUndock changes are
// forced onto the restored one.
//
// A savePlacement window loads its WindowPlacementRecord at Create (options
// before the window exists, state after), and saves it 10 s after the last
// change of place, size or taskbar button, and on Destroy.
//
// The tick-based logic (mouse tracking, activity, lifetimes, the policy tick)
// reads the clock given to SetTickSource; the shell and foreground-window
// queries go through WindowShellApi. GUI thread only, like every toolkit window.
class CPhysicalWindow : public CListener, public CObjectBase {
public:
    CPhysicalWindow();
    ~CPhysicalWindow() override;
    CPhysicalWindow(const CPhysicalWindow&) = delete;
    CPhysicalWindow& operator=(const CPhysicalWindow&) = delete;

    // 0 on success, also when the window exists already (nothing is done);
    // -1 when the system refuses the window: then nothing stays registered
    // or allocated.
    int Create(const WindowCreateParams& params);
    void Destroy();
    void Release();
    void Reset();
    void PostDeferredClose();

    virtual LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // The window procedure of every toolkit class.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // --- Drawing --------------------------------------------------------
    // Puts (sx, sy, w, h) of src on screen at (dx, dy), through the back
    // bitmap unless src is the back bitmap itself or the listener paints.
    // A w or h below 1 means the whole bitmap. Nothing once the window is gone.
    int ShowBitmap(const CBitmapDC* src, int sx, int sy, int w, int h, int dx, int dy);
    // Shapes the window (see CreateRegionFromBitmap); SetWindowRgn's result.
    int SetRegionFromBitmap(const CBitmapDC* bitmap, uint32_t keyColour, int border);
    // Null for a window whose listener paints.
    CBitmapDC* GetBackBitmap();

    // --- Geometry -------------------------------------------------------
    // Stores the size and makes the back bitmap anew; the window keeps its size.
    void SetSize(int width, int height);
    void SetBounds(int left, int top, int right, int bottom);
    void Move(int x, int y);
    void GetWindowRect(RECT& rect) const;
    int GetWidth() const { return m_params.width; }
    int GetHeight() const { return m_params.height; }
    // Client-area edges inclusive: where a left drag starts a move and a
    // double click maximizes. (-1, -1, -1, -1), outside the client area,
    // from Create until set.
    void SetDragRect(int left, int top, int right, int bottom);

    // --- Thin operations on the window ----------------------------------
    void Invalidate();
    void SetFocus();
    void SetCapture(bool capture);
    bool HasCapture() const { return m_mouse.captured; }
    void SetText(const char* text);
    // Empty text when there is no window.
    void GetText(char* buffer, int size) const;
    HWND GetHwnd() const { return m_life.hwnd; }
    bool IsCreated() const { return m_life.created; }
    const char* GetWindowClassName() const { return m_className; }
    const WindowCreateParams& GetParams() const { return m_params; }
    void SetTimer(UINT_PTR id, UINT ms);
    void KillTimer(UINT_PTR id);
    void SetWindowCursor(HCURSOR cursor);
    bool IsCursorOverWindow() const;
    void GetCursorClientPos(int& x, int& y) const;
    bool IsActive() const;
    bool IsShownAndNotMinimized() const;
    // Shown, not minimized and not clipped away by its parents: a picture put
    // on it now may reach the screen. Asks nothing of other programs' windows.
    bool IsOnScreen();
    // Whether the windows above its top-level window hide every pixel of it
    // (CCoverProbe: a "covered" answer may be a look period old); once per
    // frame rather than per pane.
    bool IsWhollyCovered();
    bool IsMinimized() const;
    bool IsMaximized() const { return m_place.maximized; }
    bool IsDisabled() const { return m_params.disabled != 0; }
    void SetIsMainWindow(bool isMain) { m_policy.mainWindow = isMain; }
    bool IsMainWindow() const { return m_policy.mainWindow; }
    // Null only for windows with a parent or owner.
    CWindowMenu* GetWindowMenu() const { return m_life.windowMenu; }

    // --- States -----------------------------------------------------------
    bool CanMove() const;
    bool CanMaximize() const;
    bool CanRestore() const;
    bool CanMinimize() const;
    bool HasMinMax() const;
    void Minimize();
    // normalRect: the rectangle to return to (null: the window's own); kept
    // as it is when the window is minimized or maximized already. A monitor
    // that cannot be asked stops it before any change.
    void Maximize(const RECT* normalRect);
    void Restore();
    // The window jumps under the cursor's centre and follows it until the
    // left button goes up.
    void StartMove();
    void Activate();
    // EdgeTouch bits while maximized or docked, else 0.
    uint32_t GetEdgeTouch() const;
    int GetFrameMask() const;
    // Sizing handle under a client point, or 0 (not resizable: always 0).
    int HitTestBorder(int x, int y) const;
    // Moves the window (less its insets) into its monitor (MonitorClamp flags).
    void ClampToMonitor(int flags);
    // Window commands (WindowCommand.h); record: a ControlNotification.
    // Always 0.
    int OnNotify(void* record) override;

    // --- Docking ----------------------------------------------------------
    // False for good once the shell refused the registration.
    bool IsDockable() const { return m_params.dockable != 0; }
    // The DockEdge nearest to the rectangle (TooFar added beyond reach), 0
    // when not dockable, maximized or minimized, NoMonitor when the monitor
    // cannot be asked. The outputs (either may be null) get the monitor and
    // its work area.
    int ChooseDockEdge(RECT* monitorOut, RECT* workOut, int left, int top, int right, int bottom) const;
    int NearestDockEdge() const;
    int GetDockedEdge() const { return IsDockable() ? m_dock.edge : 0; }
    // Docks to edge 1..4 (rect null: from the window's rectangle, which
    // becomes restoreRect unless docked already); the edge, or 0 when nothing
    // was done (edge outside 1..4, not dockable, no monitor, refused).
    int DockToEdge(int edge, const RECT* rect);
    // Docks to the nearest edge, however far; the docked edge, or
    // ChooseDockEdge's answer when it did not dock.
    int DockNearest();
    void Undock();
    bool GetTopmostWhenDocked() const { return m_params.topmostWhenDocked != 0; }
    void SetTopmostWhenDocked(bool topmost);
    void RegisterAppBar();
    void UnregisterAppBar();

    // --- Policies ---------------------------------------------------------
    // 0 normal, 1 topmost, 2 topmost above all but menus and other topmost
    // windows, re-asserted on every tick.
    void SetTopmostLevel(int level);
    int GetTopmostLevel() const { return m_params.topmostLevel; }
    void SetShowTaskbarButton(bool show);
    bool GetShowTaskbarButton() const { return m_policy.taskbarButtonWanted; }
    // The button itself (WS_EX_TOOLWINDOW), when the window may have one.
    void SetTaskbarButtonStyle(bool show);
    void Show(bool show);
    void SetDisabled(bool disabled);
    void MarkPlacementDirty();

    // --- Placement (savePlacement windows) ---------------------------------
    void FillPlacement(WindowPlacementRecord& record) const;
    // Takes the record's options and, once the window exists, its state.
    // False, changing nothing, for a record that is not a sound placement.
    bool ApplyPlacement(const WindowPlacementRecord& record);
    // Missing or empty names write nothing; write failures are ignored.
    void SavePlacement(const char* iniPath, const char* section, const char* key) const;
    // Reads and applies the record (into record, or a scratch one); false,
    // with record zeroed, when none was read or it was not applied.
    bool LoadPlacement(const char* iniPath, const char* section, const char* key, WindowPlacementRecord* record);
    // Before Create: loads the held record for params (savePlacement only),
    // which Create then applies; copyOut (may be null) gets it.
    void LoadPlacementInto(const WindowCreateParams& params, WindowPlacementRecord* copyOut);

    static const int kForcedMovesAfterUndock = 10;

    // --- Events -----------------------------------------------------------
    void SetListener(CListener* listener) { m_links.listener = listener; }
    CListener* GetListener() const { return m_links.listener; }
    // Asked before the listener; a non-zero answer is final.
    void SetEventHook(CListener* hook) { m_links.eventHook = hook; }
    void SetStateListener(CListener* listener) { m_links.stateListener = listener; }
    void SetMessageHook(CMessageHook* hook) { m_links.messageHook = hook; }
    int SendEvent(int code, int p1, int p2, void* data);
    // Null restores the system tick count.
    void SetTickSource(CTickSource* ticks);

    void StartMouseTracking();
    void StopMouseTracking();
    void TrackMouse();
    // Stops the timed close of this window and of its owners.
    void CancelLifetimes();
    void StartTickTimer();

    // --- Program-wide -----------------------------------------------------
    static bool IsMenuOpen();
    // Closes the open popup menu unless the cursor is inside it; true when
    // the click that closed it is to be eaten.
    static bool DismissOpenMenu();
    // Makes this window the open popup menu, as a popupMenu window is from its showing.
    void BecomeOpenMenu();
    // Eats the next release of button (traced with this window's address).
    void ArmMouseUpSwallow(MouseSwallow button);
    static bool TakeMouseUpSwallow(MouseSwallow button);

    static void GetCursorScreenPos(int& x, int& y);
    static void ShowCursor(bool show);
    static void SetCursorPos(int x, int y);
    static void QuitMessageLoop(int code);
    // Bit 1 left, bit 2 right.
    static int GetMouseButtons();
    // Bit 1 control, bit 2 alt, bit 4 shift.
    static int GetModifierKeys();
    // Where both read key states: GetAsyncKeyState unless a test stands in
    // (under Wine another process taking the focus drops keys sent to this one).
    using KeyStateReader = SHORT(WINAPI*)(int virtualKey);
    static void SetKeyStateReader(KeyStateReader reader);

private:
    // The clock-driven policies of timer WindowTimer::Tick.
    void PolicyTick();
    // The state and docking rows of the message switch; true when the message
    // returns result without the default step.
    bool DispatchStates(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // SC_MINIMIZE, SC_MAXIMIZE and SC_RESTORE; true when the message returns 0.
    bool RunStateCommand(WPARAM command);
    LRESULT OnHitTest(LPARAM lParam);
    void OnWindowPosChanging(WINDOWPOS* pos);
    void OnSizing(WPARAM edge, RECT* rect);
    void OnAppBarNotify(WPARAM code);
    void OnDockChange();
    void TearOff(POINT at);
    bool IsDocked() const { return m_dock.edge != 0; }
    uint32_t Now() const;
    void GetRectForEvent(RECT& rect) const;

    // Run-time state, one record per concern, each default-initialised: Reset
    // assigns them fresh, so a field added to one is cleared with it.
    struct LifeCycle {
        HWND hwnd = nullptr;
        bool created = false;
        bool destroying = false; // inside WM_DESTROY: the system is destroying the window already
        UINT deviceChangeMessage = 0;
        CWindowMenu* windowMenu = nullptr;
        HRGN region = nullptr;
        HDC presentDC = nullptr; // kept from the first ShowBitmap until the window goes
    };
    // Who hears the window; none owned.
    struct Links {
        CListener* listener = nullptr;
        CListener* eventHook = nullptr;
        CListener* stateListener = nullptr;
        CMessageHook* messageHook = nullptr;
    };
    // Where the window is, and the placement record kept of it.
    struct PlaceState {
        RECT restoreRect = {};
        bool maximized = false;
        bool wasMaximized = false;
        int32_t lastWidth = 0;
        int32_t lastHeight = 0;
        bool inSizeMove = false;
        bool moving = false;
        RECT moveFrom = {}; // where the Move command found the window
        RECT dragRect = {-1, -1, -1, -1};
        bool dirty = false;
        uint32_t changeTick = 0;
        int32_t ownerWords[2] = {};
        WindowPlacementRecord held = {};
    };
    struct DockState {
        int32_t edge = 0; // 0, or 1..4 left, top, right, bottom
        uint32_t edgeTouch = 0;
        RECT heldRect = {};
        int32_t forcedMoves = 0;
        bool covered = false;
        bool undockedByDrag = false;
    };
    struct MouseTracking {
        bool tracking = false;
        bool hoverArmed = false;
        uint32_t hoverStart = 0;
        POINT lastScreenPos = {};
        int lastButtons = 0;
        int hoverItem = 0;
        POINT lastClientPos = {};
        bool captured = false;
    };
    // The window's cursor and its hiding after inactivity.
    struct CursorHide {
        HCURSOR shape = nullptr;
        bool hidden = false;
        uint32_t lastActivity = 0;
        POINT atHide = {};
    };
    struct Policy {
        bool mainWindow = false;
        uint32_t lifetimeStart = 0;
        bool tickTimerRunning = false;
        bool taskbarButtonWanted = true;
        bool taskbarButtonShown = false;
        UINT zOrderFlags = 0; // SWP_NOACTIVATE until first activated, for noActivate windows
    };

    // Kept across Reset: the creation record, the drawing and dragging helpers,
    // the tracking keys and the class name.
    WindowCreateParams m_params;
    CBitmapDC m_backBitmap;
    CWindowDragger m_dragger;
    CTrackedValue m_insideKey;
    CTrackedValue m_itemKey;
    char m_className[32] = "";

    LifeCycle m_life;
    Links m_links;
    PlaceState m_place;
    DockState m_dock;
    MouseTracking m_mouse;
    CursorHide m_cursor;
    Policy m_policy;
    CCoverProbe m_cover;

    // One per running HandleMessage (and Destroy) of this object, innermost
    // first: the destructor marks them, so a frame whose object was deleted
    // inside an event returns without touching it.
    struct LifeGuard {
// The guard unlinks itself when its frame ends, or is never read again once
// its object is gone.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
        explicit LifeGuard(CPhysicalWindow* window) : window(window), outer(window->m_lifeGuards), alive(true)
        {
            window->m_lifeGuards = this;
        }
#pragma GCC diagnostic pop
        ~LifeGuard()
        {
            if (alive)
                window->m_lifeGuards = outer;
        }
        CPhysicalWindow* window;
        LifeGuard* outer;
        bool alive;
    };

    // The program's module: classes are registered, found and unregistered by it.
    static HINSTANCE Module();
    // Classes whose windows were still being destroyed when they were released.
    static void UnregisterPendingClasses();
    bool RegisterOwnClass();
    void ChooseStyles(DWORD& style, DWORD& exStyle, HWND& parent);
    void PlaceForCreation(int& x, int& y) const;
    void ReportCreateFailure();
    void MakeBackBitmap();
    void FinishCreate();
    void ShowAfterCreate();
    int PresentLayered();
    HDC PresentDC();
    void YieldIfVerbose() const;
    static void CloseOtherMenu();
    void ForgetOpenMenu();
    LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, bool& handled,
                     LifeGuard& guard);
    bool DispatchMouse(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, LifeGuard& guard);
    bool DispatchToolkit(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result, LifeGuard& guard);
    bool InDragRect(POINT screen) const;
    bool IsSwallowedMenuClick(MouseSwallow button);
    void OnSize(LPARAM lParam);
    void OnPaint(HWND hwnd);
    void OnMouseMove(HWND hwnd, LPARAM lParam, LRESULT& result);
    bool OnLeftButtonDown(LPARAM lParam, LRESULT& result, LifeGuard& guard);
    bool OnLeftButtonUp(LPARAM lParam, LRESULT& result, LifeGuard& guard);
    // The window follows a drag to the given screen point, or a docked one
    // tears off. A move message's point also takes in the moves queued behind it.
    enum class DragInput { Move, Other };
    void FollowDrag(POINT to, DragInput input = DragInput::Other);
    static POINT CursorPoint();
    void TickDrag();
    // Ends a drag or the Move command, however it ends; the listener may delete this object.
    void FinishDrag();
    // Ends the Move command as its input watch tells: placed, or back where it began.
    // at: the screen point that ended it; null for the cursor.
    void EndMove(MoveEnd how, const POINT* at);
    // Before work that keeps this thread: a close's saves.
    void EndDragBeforeLongWork();
    bool OnDoubleClick(HWND hwnd, MouseSwallow button, LPARAM lParam, LRESULT& result);
    bool OnRightButton(UINT message, LPARAM lParam, LRESULT& result, LifeGuard& guard);
    void OnWindowMenuRequest();
    void OnActivate(WPARAM wParam, LRESULT& result);
    void SendKeyEvent(int code, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void SendRectEvent(int code, LRESULT& result);
    // Of a cursor position read once per tracking tick: under Wine each
    // GetCursorPos is several server round trips.
    bool IsOverWindow(POINT screen) const;
    POINT ClientPosOf(POINT screen) const;
    bool TrackPosition(bool inside, POINT cursor, LifeGuard& guard);
    bool ReportCrossing(bool inside, int oldItem, LifeGuard& guard);
    void SendStateChanged();
    void SnapOnMove(WINDOWPOS& pos);
    // While the user moves the window (a drag or the Move command), its title bar stays on the work area.
    void KeepCaptionWhileMoving(WINDOWPOS& pos) const;
    // A maximized window takes its work area as it is now (another bar came or went, or the display changed).
    void RefitMaximized();
    void TickCursorHide(uint32_t now);
    void TickPlacementSave(uint32_t now);
    void TickCoveredWhileDocked();
    void TickLifetime(uint32_t now);
    void TickTopmost();
    void ShowHiddenCursor();
    void LoadHeldPlacement();
    void ApplyHeldPlacement();
    void ApplyPlacementState(const WindowPlacementRecord& record);
    void FitToSizeLimits(RECT& rect);

    CTickSource* m_ticks;
    LifeGuard* m_lifeGuards = nullptr; // innermost HandleMessage frame of this window
};
