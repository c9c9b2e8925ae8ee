#include "app/AppCommands.h"
#include "app/NotifyRoute.h"
#include "app/SizeLimits.h"
#include <gtest/gtest.h>
#include <cstring>

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

TEST(AppCommands, NotificationsRouteBySenderIdentityAndKind)
{
    int rta, scope1, scope2, meters, popup, stranger;
    const NotifySenders senders = {&rta, &scope1, &scope2, &meters, &popup};
    using A = NotifyAction;
    struct Case {
        int kind, code;
        const void* sender;
        NotifyAction action;
        BaseCall base;
    };
    const Case cases[] = {{6, 10, &rta, A::DrawRta, BaseCall::After},
                          {6, 10, &scope1, A::DrawScope1, BaseCall::After},
                          {6, 10, &scope2, A::DrawScope2, BaseCall::After},
                          {6, 10, &meters, A::None, BaseCall::After},
                          {6, 12, &rta, A::FitRta, BaseCall::After},
                          {6, 12, &scope1, A::FitScope1, BaseCall::After},
                          {6, 12, &scope2, A::FitScope2, BaseCall::After},
                          {6, 13, &meters, A::MetersMenu, BaseCall::Skipped},
                          {6, 13, &rta, A::RtaMenu, BaseCall::Skipped},
                          {6, 13, &scope1, A::ScopeMenu1, BaseCall::Skipped},
                          {6, 13, &scope2, A::ScopeMenu2, BaseCall::Skipped},
                          {6, 13, &stranger, A::WindowMenu, BaseCall::After},
                          {6, 13, nullptr, A::WindowMenu, BaseCall::After},
                          {6, 10, nullptr, A::None, BaseCall::After},
                          {6, 11, &rta, A::None, BaseCall::After},
                          {7, 1, &meters, A::MeterPhase, BaseCall::After},
                          {7, 1, &stranger, A::MeterPhase, BaseCall::After},
                          {7, 2, &meters, A::None, BaseCall::After},
                          {9, 9, &popup, A::Command, BaseCall::After},
                          {9, 9, &stranger, A::None, BaseCall::After},
                          {9, 11, &popup, A::None, BaseCall::After},
                          {4, 9, &popup, A::None, BaseCall::After},
                          {1, 5, &rta, A::None, BaseCall::After}};
    for (const Case& c : cases) {
        ControlNotification record;
        record.kind = c.kind;
        record.code = c.code;
        record.sender = const_cast<void*>(c.sender);
        const NotifyRoute route = RouteNotification(record, senders);
        EXPECT_EQ(int(route.action), int(c.action)) << c.kind << "/" << c.code;
        EXPECT_EQ(route.base == BaseCall::After, c.base == BaseCall::After) << c.kind << "/" << c.code;
    }
    // Panes not made yet never match an absent sender.
    ControlNotification record;
    record.kind = 6;
    record.code = 13;
    EXPECT_EQ(int(RouteNotification(record, NotifySenders()).action), int(A::WindowMenu));
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
