#pragma once
#include "gui/CListener.h"
#include <algorithm>
#include <functional>
#include <vector>

struct RecordedEvent {
    void* sender;
    int source;
    int code;
    int p1;
    int p2;
    void* data;
};

// A listener for GUI tests: records every event and notification in order.
// react, when set, runs on each event and its answer is the listener's.
class RecordingListener : public CListener {
public:
    int OnEvent(void* sender, int source, int code, int p1, int p2, void* data) override
    {
        events.push_back({sender, source, code, p1, p2, data});
        return react ? react(events.back()) : 0;
    }
    int OnNotify(void* record) override
    {
        notifications.push_back(record);
        return 0;
    }

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const RecordedEvent& e : events)
            codes.push_back(e.code);
        return codes;
    }
    int Count(int code) const
    {
        return static_cast<int>(
            std::count_if(events.begin(), events.end(), [code](const RecordedEvent& e) { return e.code == code; }));
    }
    // The last event with this code, or null.
    const RecordedEvent* Last(int code) const
    {
        for (auto it = events.rbegin(); it != events.rend(); ++it)
            if (it->code == code)
                return &*it;
        return nullptr;
    }
    void Clear()
    {
        events.clear();
        notifications.clear();
    }

    std::vector<RecordedEvent> events;
    std::vector<void*> notifications;
    std::function<int(const RecordedEvent&)> react;
};
