#include "ControlTestSupport.h"
#include "GuiTestSupport.h"
#include "gui/controls/ControlCommand.h"
#include "gui/controls/ControlNotification.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

// A listener that logs into a shared EventLog.
struct LoggingListener : CListener {
    LoggingListener(EventLog& log, const char* name) : log(log), name(name) {}
    int OnEvent(void*, int, int code, int, int, void*) override
    {
        log.Add(name, code);
        return 0;
    }
    EventLog& log;
    std::string name;
};

} // namespace

// The window text is set before the owner hears of the creation; the owner
// then sees 0 before 1. Sizing answers are the owner's, Moved is always 0 and
// reaches the owner once from each source.
TEST(Container, CreationOrderAndRelayAnswers)
{
    std::string textAtCreating;
    ContainerHost host(200, 120, nullptr, [&](const RecordedEvent& e) {
        char text[16] = "";
        if (e.code == ContainerEvent::Creating)
            GetWindowTextA(static_cast<CControlContainer*>(e.sender)->GetWindow()->GetHwnd(), text, sizeof(text));
        textAtCreating += text;
        return 0;
    });
    ASSERT_TRUE(host.created);
    ASSERT_GE(host.owner.events.size(), 3u);
    // Setting the text is an event of its own, passed on as it came.
    const std::vector<int> codes = host.owner.Codes();
    const std::vector<int> first(codes.begin(), codes.begin() + 3);
    EXPECT_EQ(first, (std::vector<int>{WindowEvent::TextSet, ContainerEvent::Creating, WindowEvent::Created}));
    EXPECT_EQ(host.owner.events[1].sender, &host.container);
    EXPECT_EQ(host.owner.events[1].source, EventSource::Relayed);
    EXPECT_EQ(textAtCreating, "Host");

    host.owner.react = [](const RecordedEvent&) { return 7; };
    const struct {
        int code, answer;
    } relays[] = {
        {WindowEvent::Sizing, 7}, {WindowEvent::SizingClamped, 7}, {WindowEvent::Moved, 0}, {WindowEvent::Timer, 0}};
    for (const auto& r : relays) {
        host.owner.Clear();
        int zero = 0;
        EXPECT_EQ(host.container.OnEvent(&host.window, EventSource::Window, r.code, 1, 2, &zero), r.answer) << r.code;
        EXPECT_EQ(host.owner.Count(r.code), r.code == WindowEvent::Moved ? 2 : 1) << "Moved: told, then passed on";
    }
    host.owner.Clear();
    int zero = 0;
    host.container.OnEvent(&host.window, EventSource::Window, WindowEvent::Moved, 1, 2, &zero);
    ASSERT_EQ(host.owner.events.size(), 2u);
    EXPECT_TRUE(host.owner.events[0].sender == &host.container && host.owner.events[0].source == EventSource::Relayed);
    EXPECT_TRUE(host.owner.events[1].sender == &host.window && host.owner.events[1].source == EventSource::Window);
}

// A resize makes the surface anew and rebuilds the caption listener, the
// controls in list order, then the owner; the owner's answer to 14 is the result.
// Offsets place a control in the container's surface however deep it lies:
// the control's first background pixel is the surface's pixel there.
TEST(Container, ResizeOrderAndNestedOffsets)
{
    // The log and the caption outlive the host, whose destruction still reaches them.
    EventLog log;
    LoggingListener caption(log, "caption");
    ContainerHost host;
    ProbeControl a(log, "a"), b(log, "b");
    a.Create(ControlAt(host.container, 0, 0, 20, 20));
    b.Create(ControlAt(host.container, 30, 0, 20, 20));
    host.container.SetCaptionListener(&caption);
    host.owner.react = [&](const RecordedEvent& e) {
        log.Add("owner", e.code);
        return e.code == WindowEvent::Resized ? 5 : 0;
    };
    log.entries.clear();
    RECT rect = {100, 50, 260, 140};
    int zero = 0;
    EXPECT_EQ(
        host.container.OnEvent(&host.window, EventSource::Window, WindowEvent::Resized, 0, int(intptr_t(&rect)), &zero),
        5);
    const std::vector<std::string> expected = {"owner:14",   "caption:12", "caption:12", "caption:12",
                                               "caption:21", "a:21",       "b:21",       "owner:21"};
    EXPECT_EQ(log.entries, expected);
    EXPECT_EQ(host.container.GetSurface()->GetWidth(), 160);
    EXPECT_EQ(host.container.GetSurface()->GetHeight(), 90);
    EXPECT_EQ(host.window.GetWidth(), 160);
    host.container.SetCaptionListener(nullptr);

    {
        ContainerHost host;
        ASSERT_TRUE(host.created);
        CBitmapDC* surface = host.container.GetSurface();
        for (int y = 0; y < surface->GetHeight(); ++y)
            for (int x = 0; x < surface->GetWidth(); ++x)
                surface->GetBits()[y * surface->GetWidth() + x] = uint32_t(y << 8 | x);
        EventLog log;
        ProbeControl outer(log, "outer"), middle(log, "middle"), inner(log, "inner");
        outer.Create(ControlAt(host.container, 10, 20, 100, 80));
        middle.Create(ControlAt(host.container, 5, 6, 60, 50, &outer));
        ControlWindowParams innerParams = ControlAt(host.container, 1, 2, 10, 10, &middle);
        innerParams.backgroundFromContainer = 1;
        inner.Create(innerParams);
        EXPECT_EQ(inner.GetOffsetX(), 16);
        EXPECT_EQ(inner.GetOffsetY(), 28);
        ASSERT_NE(inner.GetWindow()->GetBackBitmap(), nullptr);
        EXPECT_EQ(inner.GetWindow()->GetBackBitmap()->GetBits()[0] & 0xFFFFFF, uint32_t(28 << 8 | 16));
        EXPECT_EQ(host.container.GetChildren(), std::vector<CControl*>{&outer});
        EXPECT_EQ(middle.GetChildren(), std::vector<CControl*>{&inner});

        // Placing a control moves its window and its offset; rebuild reaches its children.
        RECT place = {7, 9, 67, 59};
        log.entries.clear();
        middle.OnEvent(&host.container, EventSource::Request, ControlCommand::Place, 0, int(intptr_t(&place)), nullptr);
        middle.OnEvent(&host.container, EventSource::Relayed, ControlCommand::Rebuild, 0, 0, nullptr);
        EXPECT_EQ(middle.GetOffsetX(), 17);
        EXPECT_EQ(middle.GetOffsetY(), 29);
        log.entries.erase(std::remove(log.entries.begin(), log.entries.end(), "middle:13"),
                          log.entries.end()); // its window moved
        EXPECT_EQ(log.entries, (std::vector<std::string>{"middle:19", "middle:21", "inner:21"}));

        inner.Destroy();
        EXPECT_TRUE(middle.GetChildren().empty());
        host.container.DestroyChildren();
        EXPECT_FALSE(outer.IsCreated());
        EXPECT_TRUE(host.container.GetChildren().empty());

        // A parent gone before its child leaves the child nothing to reach back into.
        ProbeControl orphan(log, "orphan");
        {
            ProbeControl parent(log, "parent");
            parent.Create(ControlAt(host.container, 0, 0, 40, 40));
            orphan.Create(ControlAt(host.container, 1, 1, 10, 10, &parent));
        }
        EXPECT_EQ(orphan.GetParams().place.parent, nullptr);
        EXPECT_EQ(orphan.GetContainer(), nullptr);
        orphan.Destroy();
    }
}

// Before Create a control answers 0 and hands nothing on; a caption height
// needs a title bar; notifications go to the window, then the owner unless handled.
TEST(Container, UncreatedControlsHandledRecordsAndCaption)
{
    ContainerHost host;
    EventLog log;
    ProbeControl control(log, "c");
    control.answer = 9;
    int zero = 0;
    EXPECT_EQ(control.OnEvent(nullptr, EventSource::Window, WindowEvent::LeftButtonDown, 0, 0, &zero), 0);
    EXPECT_EQ(control.OnEvent(nullptr, EventSource::Request, ControlCommand::Place, 0, 0, &zero), 0);
    EXPECT_TRUE(log.entries.empty());
    control.Create(ControlAt(host.container, 0, 0, 10, 10));
    EXPECT_EQ(control.OnEvent(nullptr, EventSource::Window, WindowEvent::LeftButtonDown, 0, 0, &zero), 9);
    EXPECT_EQ(control.OnEvent(nullptr, EventSource::Request, ControlCommand::Place, 0, 0, &zero), 0) << "no rect";

    // Whatever the skin says, a window without a title bar has no caption.
    ContainerHost skinned(200, 120, &LoadedSkin());
    RecordingListener titleBar;
    EXPECT_EQ(skinned.container.GetCaptionHeight(), 0);
    skinned.container.SetCaptionListener(&titleBar);
    EXPECT_GT(skinned.container.GetCaptionHeight(), 0);
    skinned.container.SetCaptionListener(nullptr);
    EXPECT_EQ(skinned.container.GetCaptionHeight(), 0);

    ControlNotification record;
    record.code = NotifyCode::Click;
    host.owner.Clear();
    control.Notify(&record);
    ASSERT_EQ(host.owner.notifications.size(), 1u);
    EXPECT_EQ(host.owner.notifications[0], &record);
    record.handled = 1;
    EXPECT_EQ(control.Notify(&record), 0);
    EXPECT_EQ(host.container.Notify(&record), 0);
    EXPECT_EQ(host.owner.notifications.size(), 1u);
    EXPECT_EQ(control.Notify(nullptr), 0);
}
