#include "app/PaneLayout.h"
#include "common/DebugTrace.h"
#include "gui/controls/ControlCommand.h"
#include "gui/CListener.h"
#include <windows.h>
#include <algorithm>
#include <cstdint>

namespace {
const int kMargin = 8, kGap = 4;
const int kSmallMargin = 4, kSmallGap = 2;
const int kSmallWindow = 100; // below this width or height the small margin and gap

// The shape of the whole usable area.
const double kMeterOnlyTallness = 2.5; // height over width
const int kMeterOnlyWidth = 150;
const double kWideStripRatio = 9.0; // width over height
const int kWideStripMinHeight = 40;
const int kVerticalMeterMinWidth = 300;

// Meter sizes: fractions of the window or area, with floors.
const double kWideMeterShare = 0.5;
const int kWideMeterMin = 70, kNarrowWideMeter = 60, kNarrowWindow = 250;
const double kVerticalMeterShare = 0.09;
const int kVerticalMeterMin = 70;
const double kHorizontalMeterShare = 0.05;
const int kHorizontalMeterMin = 60;
const double kHorizontalMeterMaxShare = 0.5;

// Forced preferences for cramped pane areas.
const int kRtaMinWidth = 204, kMinPaneHeight = 65, kScopeMinHeight = 170;

// Pane counts: ratios are single precision, compared with these in double.
const double kBigRatio = 1.2, kBiggerRatio = 1.6;
const double kTwoStackedRatio = 0.9, kThreeStackedRatio = 1.3;
const int kThreeStackedMinHeight = 264;
const double kSideRatio = 3.0, kThreeSideRatio = 4.5, kThreeSideRtaRatio = 6.0;
const int kThreeScopesMinWidth = 820, kThreeScopesMinHeight = 150;
const int kThreeSideMinWidth = 620, kTwoSideMinWidth = 412;

struct Area {
    int x, y, cx, cy;
};

struct Spacing {
    int margin, gap;
};

enum class Shape { Panes, MeterOnly, WideMeter };

void Put(PaneSlot& slot, int x, int y, int width, int height, CListener* control)
{
    slot.x = x;
    slot.y = y;
    slot.width = width;
    slot.height = height;
    slot.control = control;
}

Shape ShapeOf(const Area& a, bool* wideStrip, int meterOnlySetting)
{
    bool meterOnly = a.cx < kMeterOnlyWidth || double(a.cy) / a.cx > kMeterOnlyTallness;
    // A usable height of 0 makes the ratio infinite: a strip too low for panes.
    if (double(a.cx) / a.cy > kWideStripRatio) {
        *wideStrip = true;
        if (meterOnlySetting || a.cy < kWideStripMinHeight)
            meterOnly = true;
        else if (!meterOnly)
            return Shape::WideMeter;
    }
    return meterOnly ? Shape::MeterOnly : Shape::Panes;
}

// Places the meter and answers the area left for the panes.
Area PlaceMeter(const PaneLayoutRequest& r, Shape shape, Area a, const Spacing& s, PaneSlot& slot)
{
    const int position = a.cx < kVerticalMeterMinWidth ? 0 : r.meterPosition;
    if (shape == Shape::MeterOnly) {
        Put(slot, a.x, a.y, a.cx, a.cy, r.meter);
    } else if (shape == Shape::WideMeter) {
        int mw = std::max(int(r.width * kWideMeterShare), kWideMeterMin);
        if (r.width < kNarrowWindow)
            mw = kNarrowWideMeter;
        Put(slot, a.x, a.y, mw, a.cy, r.meter);
        a.x += mw + s.gap;
        a.cx -= mw + s.gap;
    } else if (position == int(MeterPosition::Vertical)) {
        const int mw = std::max(int(r.width * kVerticalMeterShare), kVerticalMeterMin);
        Put(slot, r.width - mw - s.margin, a.y, mw, a.cy, r.meter);
        a.cx -= mw + s.gap;
    } else {
        // Any other stored position counts as horizontal, so the panes always get an area.
        int mh = std::max(int(a.cx * kHorizontalMeterShare), kHorizontalMeterMin);
        mh = std::min(mh, int(a.cy * kHorizontalMeterMaxShare));
        Put(slot, a.x, a.y, a.cx, mh, r.meter);
        a.y += mh + s.gap;
        a.cy -= mh + s.gap;
    }
    return a;
}

struct PaneCount {
    double count = 1.0;
    bool side = false;   // side by side, else stacked
    bool big = false;    // two stacked: two thirds and one third
    bool bigger = false; // three stacked: a half and two quarters
};

PaneCount CountStacked(int pref, const Area& a, float heightRatio, bool narrow)
{
    PaneCount n;
    if (pref == int(MainPreference::Rta)) {
        n.big = heightRatio > kBigRatio;
        n.bigger = heightRatio > kBiggerRatio;
        if (n.big)
            n.count = 1.5;
        if (n.bigger) {
            n.big = false;
            n.count = 2.0;
        }
        return n;
    }
    DebugTrace("check_use_cy %i\n", a.cy);
    if (heightRatio > kTwoStackedRatio)
        n.count = 2.0;
    if (heightRatio > kThreeStackedRatio && a.cy > kThreeStackedMinHeight && !narrow)
        n.count = 3.0;
    return n;
}

PaneCount CountPanes(int pref, const Area& a, float widthRatio, float heightRatio, bool narrow)
{
    PaneCount n = CountStacked(pref, a, heightRatio, narrow);
    if (widthRatio > kSideRatio) {
        n.side = true;
        n.count = 2.0;
    }
    if (widthRatio > kThreeSideRatio && (pref != int(MainPreference::Rta) || widthRatio > kThreeSideRtaRatio)) {
        n.side = true;
        n.count = 3.0;
    }
    if (!n.side)
        return n;
    if (pref == int(MainPreference::TwoScopes) && n.count == 3.0 &&
        (a.cx < kThreeScopesMinWidth || a.cy < kThreeScopesMinHeight))
        n.count = 2.0;
    if (n.count == 3.0 && a.cx < kThreeSideMinWidth)
        n.count = 2.0;
    if (n.count == 2.0 && a.cx < kTwoSideMinWidth)
        n.count = 1.0;
    return n;
}

int ForcedPreference(int pref, const Area& a, bool wideMeter, bool* narrow)
{
    DebugTrace("******* %i\n", a.cy);
    if (a.cx < kRtaMinWidth && pref == int(MainPreference::Rta)) {
        pref = int(MainPreference::TwoScopes);
        *narrow = true;
    }
    if (a.cy < kMinPaneHeight)
        pref = int(MainPreference::TwoScopes);
    if (a.cy < kScopeMinHeight && pref == int(MainPreference::Scope) && !wideMeter)
        pref = int(MainPreference::TwoScopes);
    return pref;
}

void PlacePanes(const PaneLayoutRequest& r, Area a, int gap, bool wideMeter, PaneSlots& slots)
{
    const float widthRatio = float(double(a.cx) / a.cy);
    const float heightRatio = float(double(a.cy) / a.cx);
    DebugTrace("height_ratio=%.02f  ", heightRatio);
    DebugTrace("width_ratio=%.02f\n", widthRatio);
    bool narrow = false;
    int pref = ForcedPreference(r.mainPreference, a, wideMeter, &narrow);
    PaneCount n = CountPanes(pref, a, widthRatio, heightRatio, narrow);
    DebugTrace("use_cx=%i ", a.cx);
    DebugTrace("use_cy=%i ", a.cy);
    int paneW = a.cx, paneH = a.cy;
    if (n.side)
        paneW = int((a.cx + gap) / n.count) - gap;
    else
        paneH = int((a.cy + gap) / n.count) - gap;
    if (n.big)
        n.count = 2.0;
    if (n.bigger)
        n.count = 3.0;
    if (n.count == 3.0 && pref == int(MainPreference::Scope))
        pref = int(MainPreference::TwoScopes);
    struct Pane {
        int slot;
        CListener* control;
    };
    const Pane rta{RtaPaneSlot, r.rta}, scope1{ScopePane1Slot, r.scope1}, scope2{ScopePane2Slot, r.scope2};
    const Pane order[3][3] = {{rta, scope1, scope2}, {scope1, rta, scope2}, {scope1, scope2, rta}};
    const bool known = pref == int(MainPreference::Scope) || pref == int(MainPreference::TwoScopes);
    const Pane* panes = order[known ? pref : 0];
    for (int i = 0; i < 3; ++i) {
        PaneSlot& slot = slots[panes[i].slot];
        Put(slot, a.x, a.y, paneW, paneH, panes[i].control);
        slot.visible = i < n.count;
        if (n.side) {
            a.x += paneW + gap;
            continue;
        }
        a.y += paneH + gap;
        if (i == 0 && (n.big || n.bigger))
            paneH = (gap + paneH) / 2 - gap;
    }
}

bool Active(const PaneSlot& slot)
{
    return slot.visible && slot.width > 0 && slot.height > 0;
}
} // namespace

PaneFlags LayoutPanes(const PaneLayoutRequest& r, PaneSlots& slots)
{
    const bool small = r.width < kSmallWindow || r.height < kSmallWindow;
    const Spacing s = small ? Spacing{kSmallMargin, kSmallGap} : Spacing{kMargin, kGap};
    PaneFlags flags;
    const Area usable{s.margin, r.captionHeight + s.margin, r.width - 2 * s.margin,
                      r.height - 2 * s.margin - r.captionHeight};
    const Shape shape = ShapeOf(usable, &flags.wideStrip, r.meterOnly);
    const Area panes = PlaceMeter(r, shape, usable, s, slots[MeterSlot]);
    if (shape == Shape::MeterOnly) {
        for (int i : {ScopePane1Slot, ScopePane2Slot, RtaPaneSlot})
            slots[i].visible = false;
    } else {
        PlacePanes(r, panes, s.gap, shape == Shape::WideMeter, slots);
    }
    flags.rtaActive = Active(slots[RtaPaneSlot]);
    flags.scope1Active = Active(slots[ScopePane1Slot]);
    flags.scope2Active = Active(slots[ScopePane2Slot]);
    DebugTrace("bRtaActive=%i ", int(flags.rtaActive));
    DebugTrace("bScope1Active=%i ", int(flags.scope1Active));
    DebugTrace("bScope2Active=%i ", int(flags.scope2Active));
    return flags;
}

void PlacePaneControls(const PaneSlots& slots, int height, LayoutPass pass, void* sender)
{
    for (const PaneSlot& slot : slots) {
        if (!slot.control)
            continue;
        RECT rect = {slot.x, slot.y, slot.x + slot.width, slot.y + slot.height};
        const int visible = slot.visible && rect.bottom <= height;
        const int at = int(reinterpret_cast<intptr_t>(&rect)); // the commands carry the rectangle in p2
        slot.control->OnEvent(sender, EventSource::Request, ControlCommand::Show, visible, 0, nullptr);
        slot.control->OnEvent(sender, EventSource::Request, ControlCommand::Bounds, 0, at, nullptr);
        slot.control->OnEvent(sender, EventSource::Request, ControlCommand::Place, 0, at, nullptr);
        if (pass == LayoutPass::First)
            slot.control->OnEvent(sender, EventSource::Request, ControlCommand::Rebuild, 0, at, nullptr);
    }
}
