#pragma once
#include <cstdint>

class CListener;

// What the native window hands its window menu when the taskbar button asks
// for it.
struct WindowMenuRequest {
    int32_t x = 0, y = 0;           // screen position of the menu's top-left corner
    int32_t width = 50;             //
    int32_t height = 50;            // handed on, not read by the popup
    CListener* window = nullptr;    // the window's listener part: receives the chosen command
    uint8_t options[3] = {1, 1, 1}; // kept, not read
    int32_t visibleRows = 10;       // most items shown at once
    intptr_t container = 0;         // the window's windowMenuOption
};

// The skinned system menu of a top-level window, made with the window and
// deleted when it is released. For now it only keeps the last request; the
// popup it opens comes with the toolkit's lists.
class CWindowMenu {
public:
    // Null when the allocation fails.
    static CWindowMenu* Create();
    // Null is allowed.
    static void Delete(CWindowMenu* menu);
    // Menus alive in the process, for leak checks.
    static int GetLiveCount();

    virtual void BuildItems(const WindowMenuRequest& request);
    const WindowMenuRequest& GetRequest() const { return m_request; }

protected:
    CWindowMenu();
    virtual ~CWindowMenu();

private:
    WindowMenuRequest m_request;
};
