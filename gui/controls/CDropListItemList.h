#pragma once
#include "gui/controls/CDropListItem.h"
#include <cstdint>
#include <vector>

// The ordered items of one drop list box or popup menu, with the selected
// index. The list owns its items: it deletes them when cleared or destroyed.
// Items are never reordered or removed singly (the selections store the index
// Add stamped), so an owner clears the whole list and fills it again.
class CDropListItemList {
public:
    CDropListItemList() = default;
    ~CDropListItemList();
    CDropListItemList(const CDropListItemList&) = delete;
    CDropListItemList& operator=(const CDropListItemList&) = delete;

    // Takes the item and stamps its index. An item that already belongs to a
    // list (this one or another) is refused with a trace line and left where it is.
    void Add(CDropListItem* item);
    int32_t Count() const { return static_cast<int32_t>(m_items.size()); }
    // Null out of range.
    CDropListItem* ItemAt(int32_t index) const;
    // Deletes every item; nothing is selected afterwards.
    void Clear();

    // The first match in index order, or null.
    CDropListItem* FindByName(const char* text) const;
    CDropListItem* FindByKey(const char* text) const;
    CDropListItem* FindByValue(int32_t value) const;

    // Select the first match (selected -1 when none) and return it.
    CDropListItem* SelectByName(const char* text);
    CDropListItem* SelectByKey(const char* text);
    CDropListItem* SelectByValue(int32_t value);

    int32_t selected = -1; // index of the selected item; -1 none

private:
    CDropListItem* Select(CDropListItem* found);
    template <typename Match>
    CDropListItem* FindFirst(Match match) const;

    std::vector<CDropListItem*> m_items;
};
