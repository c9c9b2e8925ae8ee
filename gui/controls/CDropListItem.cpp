#include "gui/controls/CDropListItem.h"
#include "common/StringFormat.h"

namespace {
int32_t g_itemsBuilt = 0; // names new items; GUI thread only
} // namespace

CDropListItem::CDropListItem()
{
    FormatString(name, "Stock %i", g_itemsBuilt++);
}

void CDropListItem::Clear()
{
    name.clear();
    secondText.clear();
    key.clear();
    toolTip.clear();
}
