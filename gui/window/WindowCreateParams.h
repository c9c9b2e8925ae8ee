#pragma once
#include <windows.h>
#include <cstdint>
#include <string>

class CBitmapDC;
class CPhysicalWindow;

// The creation record of a native window. Every caller starts from these
// defaults; the window keeps its own copy and reads its options from it for
// its whole life.
struct WindowCreateParams {
    std::string caption;        // the window text
    HICON icon = nullptr;       // class icon, also the small icon
    HICON bigIcon = nullptr;    // when set: ICON_SMALL := icon, ICON_BIG := bigIcon
    HCURSOR cursor = nullptr;   // null: the standard arrow
    int32_t x = 0, y = 0;       // screen position
    int32_t width = 0;          // also the back bitmap's size
    int32_t height = 0;         //
    uint8_t disabled = 0;       // no button events (the native window stays enabled)
    uint8_t listenerPaints = 0; // no back bitmap: the listener hands one over on every paint
    uint8_t resizable = 0;      // the borders are sizing handles
    uint8_t movable = 1;        // dragging moves the window
    uint8_t closable = 1;       // the title bar shows its close button
    uint8_t fillBlue = 0;       // fill the new back bitmap with 0x000000FF
    uint8_t maximizable = 1;
    uint8_t minimizable = 1;
    uint8_t dockable = 0;                    // may dock to a screen edge as a desktop toolbar
    uint8_t topmostWhenDocked = 1;           //
    uint8_t trackMouse = 1;                  // mouse moves start enter/hover/leave tracking
    uint8_t snapEdges = 1;                   // moves and resizes snap to the work-area edges
    int32_t dockedWidth = 270;               // docked to the left or right edge
    int32_t dockedHeight = 156;              // docked to the top or bottom edge
    int32_t topmostLevel = 0;                // 0 normal, 1 topmost, 2 topmost and re-asserted every tick
    CPhysicalWindow* parentWindow = nullptr; // owner or parent toolkit window
    uint8_t child = 0;                       // WS_CHILD of the parent
    uint8_t popupMenu = 0;                   // the program's open popup menu while it lives
    uint8_t swallowClosingClick = 0;         // with popupMenu: the click that closes it goes nowhere
    uint8_t dragAnywhere = 0;                // a left drag anywhere moves the window
    uint8_t taskbarButtonAllowed = 1;        // 0: WS_EX_TOOLWINDOW from the start
    uint8_t activateOnShow = 0;              // foreground, active and focused after showing
    int32_t clampFlags = 0;                  // when set, moved into its monitor with these flags
    HWND parentHandle = nullptr;             // native parent or owner when parentWindow is null
    intptr_t windowMenuOption = 0;           // handed to the window menu opened from the taskbar
    int32_t insets[4] = {};                  // left, top, right, bottom for the monitor clamp
    int32_t verbose = 0;                     // trace moves and sizes, yield on every message
    uint8_t noActivate = 0;                  // shown and moved without activation until first activated
    uint8_t overlappedFrame = 0;             // a standard overlapped window
    uint8_t layered = 0;                     // WS_EX_LAYERED
    int32_t cursorHideMs = 0;                // hide the cursor after this long without input; 0 never
    uint8_t hasInitialImage = 0;             // the back bitmap starts as a copy of initialImage
    const CBitmapDC* initialImage = nullptr; //
    int32_t initialImageX = 0;               // source position in initialImage
    int32_t initialImageY = 0;               //
    uint8_t showOnCreate = 1;                //
    uint8_t toolPopup = 0;                   // a topmost popup that is not a menu
    uint8_t centreOnCursorMonitor = 0;       //
    uint8_t perPixelAlpha = 0;               // layered, presented with per-pixel alpha
    int32_t lifetimeMs = 0;                  // closes this long after creation; 0 never
    uint8_t closeOnOutsideClick = 0;         // destroyed by a button press outside it
    uint8_t savePlacement = 0;               // placement loaded at creation and saved
    std::string iniPath, section, key;       // where the placement is kept
};
