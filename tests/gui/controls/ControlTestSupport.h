#pragma once
#include "GuiTestSupport.h"
#include "RecordingListener.h"
#include "gui/controls/CControl.h"
#include "gui/controls/CControlContainer.h"
#include "gui/controls/ControlNotification.h"
#include "gui/skin/CSkinRenderer.h"
#include <functional>
#include <string>
#include <vector>

// A quietly placed top-level window with its container; the owner records
// what the container relays.
struct ContainerHost {
    using Reaction = std::function<int(const RecordedEvent&)>;
    explicit ContainerHost(int width = 200, int height = 120, CSkinRenderer* skin = nullptr, Reaction react = {})
        : ContainerHost(QuietlyPlaced<WindowCreateParams>(width, height), skin, react)
    {}
    ContainerHost(const WindowCreateParams& place, CSkinRenderer* skin, Reaction react = {})
    {
        owner.react = react;
        ContainerParams params;
        params.width = place.width;
        params.height = place.height;
        params.caption = "Host";
        params.window = &window;
        params.owner = &owner;
        params.skin = skin;
        container.Create(params);
        created = window.Create(place) == 0;
    }
    // The window's listener goes first: the container dies before the window.
    ~ContainerHost()
    {
        container.DestroyChildren();
        window.SetListener(nullptr);
        window.Destroy();
    }

    RecordingListener owner;
    CPhysicalWindow window;
    CControlContainer container;
    bool created = false;
};

// Who got which code, in order, across several receivers.
struct EventLog {
    std::vector<std::string> entries;
    void Add(const std::string& who, int code) { entries.push_back(who + ":" + std::to_string(code)); }
};

// A control that writes every event its dispatcher hands on into a log.
class ProbeControl : public CControl {
public:
    ProbeControl(EventLog& log, const char* name) : m_log(log), m_name(name) {}
    int HandleEvent(CControl* control, int code, int p1, int p2, void* data) override
    {
        m_log.Add(m_name, code);
        return answer;
    }
    int answer = 0;

private:
    EventLog& m_log;
    std::string m_name;
};

inline ControlWindowParams ControlAt(CControlContainer& container, int x, int y, int width, int height,
                                     CControl* parent = nullptr)
{
    ControlWindowParams params;
    params.place = {x, y, width, height, parent, &container};
    return params;
}

// Keeps a copy of every notification record (senders build them on the stack).
struct NoteListener : CListener {
    int OnNotify(void* record) override
    {
        notes.push_back(*static_cast<const ControlNotification*>(record));
        return answer;
    }
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const ControlNotification& n : notes)
            codes.push_back(n.code);
        return codes;
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
    int answer = 0;
};

// A loaded-skin stand-in that keeps every draw request before drawing it.
struct RecordingSkin : CSkinRenderer {
    void DrawElement(const SkinDrawRequest& request) override
    {
        requests.push_back(request);
        CSkinRenderer::DrawElement(request);
    }
    std::vector<SkinDrawRequest> requests;
};

// One loaded skin for the whole test program.
inline CSkinRenderer& LoadedSkin()
{
    static CSkinRenderer* skin = [] {
        auto* loaded = new CSkinRenderer;
        loaded->Load(nullptr);
        return loaded;
    }();
    return *skin;
}
