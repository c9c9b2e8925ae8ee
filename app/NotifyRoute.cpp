#include "app/NotifyRoute.h"
#include "gui/controls/CDropList.h"
#include "gui/controls/CImageControl.h"
#include "gui/controls/CPopupMenu.h"
#include "gui/controls/CMeterViewControl.h"

namespace {

NotifyAction PaneAction(const ControlNotification& record, const NotifySenders& senders)
{
    const void* sender = record.sender;
    if (!sender)
        return NotifyAction::None;
    const NotifyAction draw[] = {NotifyAction::DrawRta, NotifyAction::DrawScope1, NotifyAction::DrawScope2};
    const NotifyAction fit[] = {NotifyAction::FitRta, NotifyAction::FitScope1, NotifyAction::FitScope2};
    const void* panes[] = {senders.rtaPane, senders.scopePane1, senders.scopePane2};
    for (int i = 0; i < 3; ++i) {
        if (sender != panes[i])
            continue;
        if (record.code == NotifyCode::DrawRequest)
            return draw[i];
        if (record.code == NotifyCode::Rebuilt)
            return fit[i];
    }
    return NotifyAction::None;
}

NotifyAction ContextAction(const void* sender, const NotifySenders& senders)
{
    if (sender && sender == senders.meterControl)
        return NotifyAction::MetersMenu;
    if (sender && sender == senders.rtaPane)
        return NotifyAction::RtaMenu;
    if (sender && sender == senders.scopePane1)
        return NotifyAction::ScopeMenu1;
    if (sender && sender == senders.scopePane2)
        return NotifyAction::ScopeMenu2;
    return NotifyAction::WindowMenu;
}
} // namespace

NotifyRoute RouteNotification(const ControlNotification& record, const NotifySenders& senders)
{
    static_assert(CImageControl::kNotificationKind == CMeterViewControl::kContextKind, "one kind for panes and meters");
    if (record.kind == CImageControl::kNotificationKind && record.code == NotifyCode::RightUp) {
        const NotifyAction action = ContextAction(record.sender, senders);
        return {action, action == NotifyAction::WindowMenu ? BaseCall::After : BaseCall::Skipped};
    }
    if (record.kind == CImageControl::kNotificationKind)
        return {PaneAction(record, senders), BaseCall::After};
    const bool chosen = record.kind == PopupMenuNotify::Kind && record.code == DropListNotify::Selected;
    if (chosen && record.sender && record.sender == senders.popupMenu)
        return {NotifyAction::Command, BaseCall::After};
    return {NotifyAction::None, BaseCall::After};
}
