#pragma once
#include "gui/controls/CPopupMenu.h"
#include <cstdint>

class CListener;

// What the native window hands its window menu when the taskbar button asks
// for it.
struct WindowMenuRequest {
    int32_t x = 0, y = 0;           // screen position of the menu's top-left corner
    int32_t width = 50;             //
    int32_t height = 50;            // handed on, not read by the popup
    CListener* window = nullptr;    // the native window's listener part: runs the chosen command
    uint8_t options[3] = {1, 1, 1}; // kept, not read
    int32_t visibleRows = 10;       // most items shown at once
    intptr_t container = 0;         // the window's windowMenuOption: its CControlContainer
};

// The skinned system menu of a top-level window, made with the window and
// deleted when it is released. Each request fills the menu anew from the
// window's options and present state (Restore, Move, Minimize, Maximize, a
// separator, then Exit for the main window or Close), each item's value the
// window command it stands for, and opens it; the chosen item goes to the
// window, which runs the command. GUI thread only.
class CWindowMenu : public CListener {
public:
    // Null when the allocation fails.
    static CWindowMenu* Create();
    // Null is allowed.
    static void Delete(CWindowMenu* menu);
    // Menus alive in the process, for leak checks.
    static int GetLiveCount();

    // Nothing without the window or its container in the request, nor while
    // the menu is open.
    virtual void BuildItems(const WindowMenuRequest& request);
    int OnNotify(void* record) override;

    const WindowMenuRequest& GetRequest() const { return m_request; }
    CPopupMenu& GetMenu() { return m_menu; }

protected:
    CWindowMenu();
    virtual ~CWindowMenu();

private:
    void AddItem(const char* name, int32_t command, bool enabled);

    CPopupMenu m_menu;
    WindowMenuRequest m_request;
};
