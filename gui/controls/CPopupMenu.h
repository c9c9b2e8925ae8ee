#pragma once
#include "gui/controls/CDropList.h"
#include "gui/controls/CDropListItemList.h"
#include <cstdint>

class CControlContainer;

// The record of CPopupMenu::Open; the menu keeps a copy.
struct PopupMenuParams {
    int32_t x = 0; // screen position of the top-left corner
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0; // not read
    int32_t cookie = 0; // returned in the selection record
    int32_t visibleRows = 20;
    uint8_t notAMenu = 0; // the popup's window options (DropListOpenParams)
    uint8_t closeOnOutsideClick = 0;
    CControlContainer* container = nullptr; // of the opening window: its skin and its window
    HWND nativeParent = nullptr;
    CListener* owner = nullptr; // hears the chosen item; set before opening
    int32_t placement = 17;     // DropListPlacement: the cursor's monitor, in whole
};

// What a popup menu tells its owner.
namespace PopupMenuNotify {
enum : int32_t { Kind = NotifyKind::PopupMenu };
}

// A context menu: items the owner puts into GetItems, shown in a drop list
// popup at a screen position. Every record the popup sends comes to the
// owner as kind PopupMenuNotify::Kind with the menu as sender, so a chosen
// item arrives as code DropListNotify::Selected with its value as control
// id. The popup closes itself. GUI thread only.
class CPopupMenu : public CListener {
public:
    CPopupMenu() = default;
    virtual ~CPopupMenu() = default;
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    // Nothing without a container whose skin and window exist.
    void Open(const PopupMenuParams& params);
    int OnNotify(void* record) override;

    CDropListItemList& GetItems() { return m_items; }
    CDropList& GetDropList() { return m_list; }

private:
    // Declared first so the popup, which shows the items, goes before them.
    CDropListItemList m_items;
    CDropList m_list;
    PopupMenuParams m_params;
};
