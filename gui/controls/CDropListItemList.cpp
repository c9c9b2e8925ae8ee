#include "gui/controls/CDropListItemList.h"
#include "common/DebugTrace.h"
#include <cstring>

CDropListItemList::~CDropListItemList()
{
    Clear();
}

void CDropListItemList::Add(CDropListItem* item)
{
    if (!item)
        return;
    if (item->owned) {
        DebugTrace("ERROR! CDropListItem %x already owned!\n",
                   static_cast<unsigned>(reinterpret_cast<uintptr_t>(item)));
        return;
    }
    item->owned = 1;
    item->index = Count();
    m_items.push_back(item);
}

CDropListItem* CDropListItemList::ItemAt(int32_t index) const
{
    return index >= 0 && index < Count() ? m_items[index] : nullptr;
}

void CDropListItemList::Clear()
{
    for (CDropListItem* item : m_items) {
        if (!item)
            continue;
        item->Clear();
        delete item;
    }
    m_items.clear();
    selected = -1;
}

template <typename Match>
CDropListItem* CDropListItemList::FindFirst(Match match) const
{
    for (CDropListItem* item : m_items)
        if (item && match(*item))
            return item;
    return nullptr;
}

CDropListItem* CDropListItemList::FindByName(const char* text) const
{
    const char* wanted = text ? text : "";
    return FindFirst([wanted](const CDropListItem& item) { return std::strcmp(item.name.c_str(), wanted) == 0; });
}

CDropListItem* CDropListItemList::FindByKey(const char* text) const
{
    const char* wanted = text ? text : "";
    return FindFirst([wanted](const CDropListItem& item) { return std::strcmp(item.key.c_str(), wanted) == 0; });
}

CDropListItem* CDropListItemList::FindByValue(int32_t value) const
{
    return FindFirst([value](const CDropListItem& item) { return item.value == value; });
}

CDropListItem* CDropListItemList::Select(CDropListItem* found)
{
    selected = found ? found->index : -1;
    return found;
}

CDropListItem* CDropListItemList::SelectByName(const char* text)
{
    return Select(FindByName(text));
}

CDropListItem* CDropListItemList::SelectByKey(const char* text)
{
    return Select(FindByKey(text));
}

CDropListItem* CDropListItemList::SelectByValue(int32_t value)
{
    return Select(FindByValue(value));
}
