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
    params.place.x = x;
    params.place.y = y;
    params.place.width = width;
    params.place.height = height;
    params.place.container = &host.container;
    params.skin = host.container.GetSkinRenderer();
    params.controlId = 77;
    params.notifyKind = 1;
    return params;
}

} // namespace

// The sender, kind and id are filled in; a handled record goes nowhere; a
// listener takes precedence over the parent chain.
// A middle beyond the bitmap skips the face but not the indicator, a square
// of at least 10 pixels however little room the face leaves; a text record
// without area is not drawn but still names the window.
TEST(SkinControl, NotificationsFaceAndIndicator)
{
    ContainerHost host(200, 120, &LoadedSkin());
    NoteListener listener;
    CSkinControl parent, child, plain;
    parent.Create(FaceAt(host, 0, 0, 100, 100));
    ControlCreateParams params = FaceAt(host, 5, 5, 40, 20);
    params.place.parent = &parent;
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

    {
        RecordingSkin skin;
        skin.Load(nullptr);
        ContainerHost host(200, 120, &skin);
        CTextBuffer record;
        record.text = "Scope";
        record.width = 0;
        const struct {
            int width, height;
            StretchMode mode;
            int middle;
            size_t requests; // the face, then the indicator
        } faces[] = {{60, 24, StretchMode::ThreeColumns, 10, 2},
                     {60, 24, StretchMode::ThreeColumns, 62, 1},
                     {20, 20, StretchMode::ThreeRows, 0, 2},
                     {12, 30, StretchMode::Corners, 0, 2}};
        for (const auto& f : faces) {
            CSkinControl control;
            ControlCreateParams params = FaceAt(host, 10, 10, f.width, f.height);
            params.stretchMode = f.mode;
            params.middle = f.middle;
            params.indicator = 1;
            params.indicatorState = 1;
            params.textRecord = &record;
            control.Create(params);
            skin.requests.clear();
            control.Paint();
            ASSERT_EQ(skin.requests.size(), f.requests) << f.width << " " << f.middle;
            const SkinDrawRequest& mark = skin.requests.back();
            EXPECT_EQ(mark.kind, 10);
            EXPECT_EQ(mark.rectValid, 1);
            EXPECT_GE(mark.rect.right - mark.rect.left, 10) << f.width;
            EXPECT_EQ(mark.rect.right - mark.rect.left, mark.rect.bottom - mark.rect.top) << f.width;
            const SkinDrawRequest& face = skin.requests.front();
            if (f.requests == 2) {
                EXPECT_EQ(face.textRecord, nullptr);
                EXPECT_EQ(face.background, host.container.GetSurface());
                EXPECT_EQ(face.backgroundX, 10);
            }
            char text[16] = "";
            GetWindowTextA(control.GetWindow()->GetHwnd(), text, sizeof(text));
            EXPECT_STREQ(text, "Scope");
        }
    }
}
