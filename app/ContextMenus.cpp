#include "app/ContextMenus.h"
#include "app/AppCommands.h"
#include "gui/window/CTopLevelWindow.h"
#include "gui/window/WindowCommand.h"
#include "gui/window/WindowGeometry.h"

namespace {
const char* const kDockHint = "To enable docking, move the window close to a screen edge.\n\nWhen the window is ready "
                              "to dock, an arrow will\nalso appear in the title bar.";
const int32_t kRequestPlacement = 17; // the popup's placement on the cursor's monitor

enum class RowKind { Command, Spacer, Divider, WideSpacer, WideCommand };
struct MenuRow {
    RowKind kind;
    int id;
};
const MenuRow kSpacer = {RowKind::Spacer, 0};
const MenuRow kDivider = {RowKind::Divider, 0};

MenuRow Row(int id)
{
    return {RowKind::Command, id};
}

const MenuRow kPreferenceRows[] = {Row(AppCommand::PreferRta), Row(AppCommand::PreferScope),
                                   Row(AppCommand::PreferTwoScopes), kSpacer};
const MenuRow kMeterRows[] = {Row(AppCommand::MetersHorizontal),
                              Row(AppCommand::MetersVertical),
                              kSpacer,
                              Row(AppCommand::TimeConstant3),
                              Row(AppCommand::TimeConstant10),
                              Row(AppCommand::TimeConstant30),
                              kSpacer,
                              Row(AppCommand::PowerSum),
                              Row(AppCommand::DualMono),
                              {RowKind::WideSpacer, 0},
                              {RowKind::WideCommand, AppCommand::MetersOnly},
                              kDivider};
const MenuRow kRtaRows[] = {Row(AppCommand::RtaLeft),     Row(AppCommand::RtaRight),    kSpacer,
                            Row(AppCommand::ThirdOctave), Row(AppCommand::SixthOctave), kSpacer,
                            Row(AppCommand::Averages1),   Row(AppCommand::Averages5),   Row(AppCommand::Averages10),
                            Row(AppCommand::Averages25),  Row(AppCommand::Averages50),  Row(AppCommand::Averages100),
                            Row(AppCommand::Averages250), Row(AppCommand::Averages500), kDivider};

CDropListItem* NewItem(const char* text, int value)
{
    CDropListItem* item = new CDropListItem;
    item->name = text;
    item->value = value;
    return item;
}

CDropListItem* NewRow(RowKind kind)
{
    CDropListItem* item = new CDropListItem;
    item->Clear();
    (kind == RowKind::Divider ? item->separator : item->spacer) = 1;
    return item;
}

void AddCheckItem(CDropListItemList& items, int id, bool ticked)
{
    CDropListItem* item = NewItem(CommandText(id), id);
    item->iconId = MenuMark::Check;
    item->marked = ticked;
    items.Add(item);
}

void AddWindowCommand(CDropListItemList& items, const char* text, int command, CListener* target)
{
    CDropListItem* item = NewItem(text, command);
    item->listener = target;
    items.Add(item);
}

template <size_t N>
void AddRows(CDropListItemList& items, const MenuRow (&rows)[N], const AnalyserSettings& settings, StripShape strip)
{
    for (const MenuRow& row : rows) {
        const bool wideOnly = row.kind == RowKind::WideSpacer || row.kind == RowKind::WideCommand;
        if (wideOnly && strip != StripShape::Wide)
            continue;
        if (row.kind != RowKind::Command && row.kind != RowKind::WideCommand) {
            items.Add(NewRow(row.kind));
            continue;
        }
        const SettingCommand* command = FindSettingCommand(row.id);
        CDropListItem* item = NewItem(command->text, command->id);
        item->iconId = command->effect == CommandEffect::Toggle ? MenuMark::Check : MenuMark::Choice;
        item->marked = IsCommandTicked(*command, settings);
        items.Add(item);
    }
}

const char* DockText(int edge)
{
    static const char* const texts[] = {"Dock to left", "Dock to top", "Dock to right", "Dock to bottom"};
    return edge >= DockEdge::Left && edge <= DockEdge::Bottom ? texts[edge - DockEdge::Left] : nullptr;
}
} // namespace

WindowMenuState ReadWindowMenuState(CTopLevelWindow& window)
{
    CPhysicalWindow& native = window.GetWindow();
    WindowMenuState state;
    state.dockedEdge = native.GetDockedEdge();
    state.nearestEdge = state.dockedEdge ? state.dockedEdge : native.NearestDockEdge();
    state.titleBarShown = window.IsTitleBarShown();
    state.topmostWhenDocked = native.GetTopmostWhenDocked();
    state.topmostLevel = native.GetTopmostLevel();
    state.canRestore = native.CanRestore();
    state.canMove = native.CanMove();
    state.canMinimize = native.CanMinimize();
    state.canMaximize = native.CanMaximize();
    return state;
}

CDropListItem* MakeDockItem(const WindowMenuState& state)
{
    CDropListItem* item = NewItem(CommandText(AppCommand::Dock), AppCommand::Dock);
    if (state.dockedEdge > 0) {
        item->name = "Undock Window";
        item->marked = 1;
        item->iconId = MenuMark::Check;
        return item;
    }
    const char* text = (state.nearestEdge & DockEdge::TooFar) ? nullptr : DockText(state.nearestEdge);
    if (!text) {
        item->disabled = 1;
        item->toolTip = kDockHint;
        return item;
    }
    item->name = text;
    item->marked = 1; // ticked without a picture: the row lines up with the others
    return item;
}

void AddWindowMenuItems(CDropListItemList& items, const WindowMenuState& state, CListener* windowTarget)
{
    const bool docked = state.dockedEdge > 0;
    items.Add(NewItem(CommandText(AppCommand::About), AppCommand::About));
    items.Add(NewRow(RowKind::Spacer));
    items.Add(NewItem(CommandText(AppCommand::IoSettings), AppCommand::IoSettings));
    items.Add(NewRow(RowKind::Spacer));
    if (!docked)
        AddCheckItem(items, AppCommand::ShowTitleBar, state.titleBarShown);
    items.Add(MakeDockItem(state));
    if (docked)
        AddCheckItem(items, AppCommand::DockedTopmost, state.topmostWhenDocked);
    else
        AddCheckItem(items, AppCommand::AlwaysOnTop, state.topmostLevel != 0);
    items.Add(NewRow(RowKind::Spacer));
    const int before = items.Count();
    if (state.canRestore && !docked)
        AddWindowCommand(items, "Restore", WindowCommand::Restore, windowTarget);
    if (state.canMove)
        AddWindowCommand(items, "Move", WindowCommand::Move, windowTarget);
    if (state.canMinimize)
        AddWindowCommand(items, "Minimize", WindowCommand::Minimize, windowTarget);
    if (state.canMaximize)
        AddWindowCommand(items, "Maximize", WindowCommand::MaximizeOrRestore, windowTarget);
    if (items.Count() != before)
        items.Add(NewRow(RowKind::Spacer));
    AddWindowCommand(items, "Exit", WindowCommand::Close, windowTarget);
}

void AddPaneMenuItems(CDropListItemList& items, PaneMenu menu, const AnalyserSettings& settings, StripShape strip)
{
    if (menu == PaneMenu::Meters) {
        AddRows(items, kMeterRows, settings, strip);
        return;
    }
    AddRows(items, kPreferenceRows, settings, strip);
    if (menu == PaneMenu::Rta)
        AddRows(items, kRtaRows, settings, strip);
}

CContextMenus::CContextMenus(CTopLevelWindow& window, CListener& owner) : m_window(window), m_owner(owner)
{}

bool CContextMenus::IsOpen()
{
    return m_popup.GetDropList().IsOpen();
}

void CContextMenus::ShowWindowMenu(MenuOrigin origin)
{
    if (IsOpen())
        return;
    GetItems().Clear();
    AppendWindowMenuAndOpen(origin);
}

void CContextMenus::ShowPaneMenu(PaneMenu menu, const AnalyserSettings& settings, StripShape strip)
{
    if (IsOpen())
        return;
    GetItems().Clear();
    AddPaneMenuItems(GetItems(), menu, settings, strip);
    AppendWindowMenuAndOpen(MenuOrigin::Window);
}

void CContextMenus::AppendWindowMenuAndOpen(MenuOrigin origin)
{
    AddWindowMenuItems(GetItems(), ReadWindowMenuState(m_window), &m_window.GetWindow());
    PopupMenuParams request;
    CPhysicalWindow::GetCursorScreenPos(request.x, request.y);
    request.width = kWidth;
    request.visibleRows = kVisibleRows;
    const uint8_t tray = origin == MenuOrigin::Tray;
    request.notAMenu = tray;
    request.closeOnOutsideClick = tray;
    request.container = &m_window.GetContainer();
    request.owner = &m_owner;
    request.placement = kRequestPlacement;
    m_request = request;
    m_popup.Open(request);
}
