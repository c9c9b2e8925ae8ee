#include "ControlTestSupport.h"
#include "gui/controls/CSkinControl.h"
#include "gui/controls/CTextImage.h"
#include "gui/skin/CSkinRenderer.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

ControlCreateParams FaceAt(ContainerHost& host, int x, int y, int width, int height)
{
    ControlCreateParams params;
    params.x = x;
    params.y = y;
    params.width = width;
    params.height = height;
    params.container = &host.container;
    params.skin = host.container.GetSkinRenderer();
    params.controlId = 77;
    params.notifyKind = 1;
    return params;
}

} // namespace

// The sender, kind and id are filled in; a handled record goes nowhere; a
// listener takes precedence over the parent chain.
TEST(SkinControl, NotificationsTakeOneRoad)
{
    ContainerHost host(200, 120, &LoadedSkin());
    NoteListener listener;
    CSkinControl parent, child, plain;
    parent.Create(FaceAt(host, 0, 0, 100, 100));
    ControlCreateParams params = FaceAt(host, 5, 5, 40, 20);
    params.parent = &parent;
    params.listener = &listener;
    child.Create(params);
    plain.Create(FaceAt(host, 120, 0, 40, 20));

    listener.answer = 3;
    ControlNotification record;
    record.code = NotifyCode::Click;
    EXPECT_EQ(child.NotifyParent(record), 3);
    ASSERT_EQ(listener.notes.size(), 1u);
    EXPECT_EQ(listener.notes[0].sender, &child);
    EXPECT_EQ(listener.notes[0].controlId, 77);
    EXPECT_EQ(listener.notes[0].kind, 1);
    EXPECT_TRUE(host.owner.notifications.empty());

    record.handled = 1;
    EXPECT_EQ(child.NotifyParent(record), 0);
    EXPECT_EQ(plain.NotifyParent(record), 0);
    EXPECT_EQ(listener.notes.size(), 1u);
    EXPECT_TRUE(host.owner.notifications.empty());

    ControlNotification toOwner;
    plain.NotifyParent(toOwner);
    ASSERT_EQ(host.owner.notifications.size(), 1u);
    EXPECT_EQ(host.owner.notifications[0], &toOwner);
}

// The indicator is a square of at least 10 pixels however little room the
// face leaves, and sinks one pixel with a pressed face.
TEST(SkinControl, IndicatorSquareNeverBelowTen)
{
    ContainerHost host(300, 120, &LoadedSkin());
    const struct {
        int width, height;
        StretchMode mode;
        int middle;
    } faces[] = {{20, 20, StretchMode::ThreeRows, 0},
                 {12, 30, StretchMode::Corners, 0},
                 {60, 24, StretchMode::Corners, 0},
                 {120, 24, StretchMode::ThreeColumns, 97}};
    for (const auto& f : faces) {
        CSkinControl control;
        ControlCreateParams params = FaceAt(host, 0, 0, f.width, f.height);
        params.stretchMode = f.mode;
        params.middle = f.middle;
        control.Create(params);
        const RECT r = control.GetIndicatorRect();
        EXPECT_GE(r.right - r.left, 10) << f.width;
        EXPECT_EQ(r.right - r.left, r.bottom - r.top) << f.width;
        EXPECT_EQ(r.top, (f.height - (r.bottom - r.top)) / 2) << f.width;
    }
}

// A middle beyond the bitmap skips the face but not the indicator; a text
// record without area is not drawn but still names the window.
TEST(SkinControl, PaintSkipsAFaceWithoutRoom)
{
    RecordingSkin skin;
    skin.Load(nullptr);
    ContainerHost host(200, 120, &skin);
    CTextBuffer record;
    record.text = "Scope";
    record.width = 0;
    for (int middle : {10, 62}) {
        CSkinControl control;
        ControlCreateParams params = FaceAt(host, 10, 10, 60, 24);
        params.stretchMode = StretchMode::ThreeColumns;
        params.middle = middle;
        params.indicator = 1;
        params.indicatorState = 1;
        params.textRecord = &record;
        control.Create(params);
        skin.requests.clear();
        control.Paint();
        ASSERT_EQ(skin.requests.size(), middle > 60 ? 1u : 2u) << middle;
        EXPECT_EQ(skin.requests.back().kind, 10);
        EXPECT_EQ(skin.requests.back().rectValid, 1);
        const SkinDrawRequest& face = skin.requests.front();
        if (middle <= 60) {
            EXPECT_EQ(face.textRecord, nullptr);
            EXPECT_EQ(face.background, host.container.GetSurface());
            EXPECT_EQ(face.backgroundX, 10);
        }
        char text[16] = "";
        GetWindowTextA(control.GetWindow()->GetHwnd(), text, sizeof(text));
        EXPECT_STREQ(text, "Scope");
    }
}
