#pragma once
#include <cstdint>
#include <string>

class CListener;

// One line of a drop list: what the popup shows in a row and what it reports
// when the row is chosen. A plain record the owner fills after new and hands
// to a CDropListItemList, which deletes it from then on.
struct CDropListItem {
    // Names the item "Stock N" from a program-wide counter (GUI thread only).
    CDropListItem();
    // Empties the four texts.
    void Clear();

    std::string name;              // shown in the row
    std::string secondText;        // the row's second text
    std::string key;               // for CDropListItemList::FindByKey
    int32_t value = 0;             // command id or value: the id of the selection notification
    int32_t userWord = 0;          // the owner's; the lists never read it
    CListener* listener = nullptr; // hears this item's selection; null: the popup's owner does
    uint8_t separator = 0;         // a horizontal line, 0.67 of a row high
    uint8_t spacer = 0;            // an empty gap, a third of a row high
    uint8_t caption = 0;           // caption look; never highlighted nor selectable
    uint8_t disabled = 0;          // greyed; never selectable
    uint8_t marked = 0;            // shows iconId in the icon column
    int32_t iconId = -1;           // skin icon number (menus use 1000 for entries switched on)
    std::string toolTip;           // shown while the cursor rests on the row; empty: none
    int32_t owned = 0;             // set by CDropListItemList::Add: the item belongs to one list
    int32_t index = -1;            // position in the owning list, stamped by Add
};
