#pragma once
#include "app/PaneLayout.h"
#include <initializer_list>
#include <string>

// The slots in the order given as "x,y,width,height", a "-" after a hidden
// one, separated by spaces.
inline std::string SlotsText(const PaneSlots& slots, std::initializer_list<int> order)
{
    std::string text;
    for (int i : order) {
        const PaneSlot& s = slots[i];
        text += (text.empty() ? "" : " ") + std::to_string(s.x) + "," + std::to_string(s.y) + "," +
                std::to_string(s.width) + "," + std::to_string(s.height) + (s.visible ? "" : "-");
    }
    return text;
}
