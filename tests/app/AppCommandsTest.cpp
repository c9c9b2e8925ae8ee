#include "app/AppCommands.h"
#include "app/NotifyRoute.h"
#include "app/SizeLimits.h"
#include "app/dialogs/DialogControls.h"
#include "gui/controls/CDropList.h"
#include "gui/controls/CImageControl.h"
#include "gui/controls/CMeterViewControl.h"
#include "gui/controls/CPopupMenu.h"
#include <gtest/gtest.h>
#include <cstring>
#include <iterator>

namespace {

// Every id's store and follow-up through the window: MainWindowViewsTest.
TEST(AppCommands, OtherIdsStoreNothingAndTheToggleFlips)
{
    using E = CommandEffect;
    AnalyserSettings s;
    LoadDefaults(&s);
    const AnalyserSettings before = s;
    for (int id : {0, -1, 499, 500, 503, 504, 505, 506, 507, 508, 511, 535, 0x4100004})
        EXPECT_EQ(ApplySettingCommand(s, id), E::Ignored) << id;
    EXPECT_EQ(std::memcmp(&s, &before, sizeof s), 0);

    // The toggle flips and flips back; a hand-edited 7 counts as on.
    s.itu_only = 7;
    EXPECT_TRUE(IsCommandTicked(*FindSettingCommand(526), s));
    EXPECT_EQ(ApplySettingCommand(s, 526), E::Toggle);
    EXPECT_EQ(s.itu_only, 0);
    ApplySettingCommand(s, 526);
    EXPECT_EQ(s.itu_only, 1);

    EXPECT_STREQ(CommandText(507), "About Quillmere RTA");
    EXPECT_STREQ(CommandText(500), "Dock Window");
    EXPECT_STREQ(CommandText(530), "Power Sum (ITU BS.1770)");
    EXPECT_STREQ(CommandText(505), "");
}

// Each of the window's senders gets its own action for each of its
// requests; records from anyone else, or of kinds and codes no member sends,
// never act for a member. The base handler hears everything but the
// opening of a pane's own menu.
TEST(AppCommands, NotificationsRouteBySenderIdentityAndKind)
{
    int rta, scope1, scope2, meters, popup, stranger;
    const NotifySenders senders = {&rta, &scope1, &scope2, &meters, &popup};
    const int32_t pane = CImageControl::kNotificationKind;
    const int32_t menu = PopupMenuNotify::Kind;
    const int32_t phase = CMeterViewControl::kPhaseKind;
    auto route = [&](int32_t kind, int32_t code, const void* sender, const NotifySenders& from) {
        ControlNotification record;
        record.kind = kind;
        record.code = code;
        record.sender = const_cast<void*>(sender);
        return RouteNotification(record, from);
    };
    using A = NotifyAction;
    const void* panes[] = {&rta, &scope1, &scope2, &meters};
    const struct {
        int32_t kind, code;
        A perPane[4]; // as sent by rta, scope1, scope2, meters
    } requests[] = {
        {pane, NotifyCode::DrawRequest, {A::DrawRta, A::DrawScope1, A::DrawScope2, A::None}},
        {pane, NotifyCode::Rebuilt, {A::FitRta, A::FitScope1, A::FitScope2, A::None}},
        {pane, NotifyCode::RightUp, {A::RtaMenu, A::ScopeMenu1, A::ScopeMenu2, A::MetersMenu}},
        {pane, NotifyCode::Cancelled, {A::None, A::None, A::None, A::None}},
        {phase, CMeterViewControl::kPhaseCode, {A::None, A::None, A::None, A::None}}, // the meter panel's
        {menu, DropListNotify::Closed, {A::None, A::None, A::None, A::None}},
        {kButtonNotifyKind, NotifyCode::Click, {A::None, A::None, A::None, A::None}},
    };
    const bool ownMenu[] = {false, false, true, false, false, false, false};
    for (int r = 0; r < int(std::size(requests)); ++r) {
        for (int p = 0; p < 4; ++p) {
            const NotifyRoute got = route(requests[r].kind, requests[r].code, panes[p], senders);
            EXPECT_EQ(int(got.action), int(requests[r].perPane[p])) << r << "/" << p;
            EXPECT_EQ(got.base == BaseCall::Skipped, ownMenu[r]) << r << "/" << p;
        }
        // A stranger, nobody, or a pane not made yet: no member's action.
        const A strangers = ownMenu[r] ? A::WindowMenu : A::None;
        for (const void* other : {(const void*)&stranger, (const void*)nullptr})
            EXPECT_EQ(int(route(requests[r].kind, requests[r].code, other, senders).action), int(strangers)) << r;
        EXPECT_EQ(int(route(requests[r].kind, requests[r].code, &rta, NotifySenders()).action), int(strangers)) << r;
    }
    // A chosen item is a command only from the window's own popup.
    EXPECT_EQ(int(route(menu, DropListNotify::Selected, &popup, senders).action), int(A::Command));
    EXPECT_EQ(int(route(menu, DropListNotify::Selected, &stranger, senders).action), int(A::None));
    EXPECT_EQ(int(route(DropListNotify::Kind, DropListNotify::Selected, &popup, senders).action), int(A::None));
}

TEST(AppCommands, SizeLimitsFollowCaptionAndDockedEdge)
{
    struct Case {
        CaptionState caption;
        int docked;
        SizeLimits expected;
    };
    const Case cases[] = {
        {CaptionState::Shown, 0, {78, 56, 3840, 1920}},  {CaptionState::Hidden, 0, {78, 32, 3840, 1920}},
        {CaptionState::Shown, 1, {40, 56, 3840, 1920}},  {CaptionState::Hidden, 3, {40, 32, 3840, 1920}},
        {CaptionState::Shown, 2, {78, 32, 3840, 1920}},  {CaptionState::Shown, 4, {78, 32, 3840, 1920}},
        {CaptionState::Shown, -10, {78, 56, 3840, 1920}}};
    for (const Case& c : cases) {
        const SizeLimits l = MainWindowSizeLimits(c.caption, 24, c.docked);
        EXPECT_EQ(l.minWidth, c.expected.minWidth) << c.docked;
        EXPECT_EQ(l.minHeight, c.expected.minHeight) << c.docked;
        EXPECT_EQ(l.maxWidth, c.expected.maxWidth);
        EXPECT_EQ(l.maxHeight, c.expected.maxHeight);
    }
}

} // namespace
