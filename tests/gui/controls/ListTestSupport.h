#pragma once
#include "GuiTestSupport.h"
#include "RecordingListener.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlNotification.h"
#include "gui/skin/CSkinRenderer.h"
#include <vector>

// A skinned top-level window with its container, quietly placed.
struct SkinnedHost {
    explicit SkinnedHost(WindowCreateParams place = QuietlyPlaced<WindowCreateParams>(200, 160))
    {
        skin.Load(nullptr);
        ContainerParams params;
        params.width = place.width;
        params.height = place.height;
        params.window = &window;
        params.owner = &owner;
        params.skin = &skin;
        container.Create(params);
        created = window.Create(place) == 0;
        PumpMessages();
    }
    // The container goes before the window it listens to.
    ~SkinnedHost()
    {
        container.DestroyChildren();
        window.SetListener(nullptr);
        window.Destroy();
    }
    CSkinRenderer skin;
    RecordingListener owner;
    CPhysicalWindow window;
    CControlContainer container;
    bool created = false;
};

// Keeps a copy of every notification record (senders build them on the stack).
struct NoteLog : CListener {
    int OnNotify(void* record) override
    {
        notes.push_back(*static_cast<const ControlNotification*>(record));
        return 0;
    }
    // code:data1 of every record, in order.
    std::vector<std::pair<int, int>> CodesAndData() const
    {
        std::vector<std::pair<int, int>> out;
        for (const ControlNotification& n : notes)
            out.emplace_back(n.code, n.data1);
        return out;
    }
    int Count(int code) const
    {
        int n = 0;
        for (const ControlNotification& note : notes)
            n += note.code == code;
        return n;
    }
    std::vector<ControlNotification> notes;
};

inline LRESULT SendTo(HWND hwnd, UINT message, WPARAM wParam = 0, int x = 0, int y = 0)
{
    return SendMessageA(hwnd, message, wParam, MAKELPARAM(x, y));
}

// One wheel step up per positive count.
inline void Wheel(HWND hwnd, int steps)
{
    SendMessageA(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(0, steps * WHEEL_DELTA), 0);
}
