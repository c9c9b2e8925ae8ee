#include "gui/controls/CDropListItemList.h"
#include "../../common/TraceCapture.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <functional>

namespace {
// Built during static initialisation, before any test: the process's first item.
const std::string g_firstName = CDropListItem().name;

CDropListItem* NewItem(const char* name, const char* key, int32_t value)
{
    CDropListItem* item = new CDropListItem;
    item->name = name;
    item->key = key;
    item->value = value;
    return item;
}

// "a"/"ka"/1, "b"/"kb"/2, "c"/"kc"/2
void Fill(CDropListItemList& list)
{
    list.Add(NewItem("a", "ka", 1));
    list.Add(NewItem("b", "kb", 2));
    list.Add(NewItem("c", "kc", 2));
}
} // namespace

TEST(DropListItem, NamesOwnersFindSelectAndClear)
{
    EXPECT_EQ("Stock 0", g_firstName);
    CDropListItem first, second;
    int n = -1, m = -1;
    ASSERT_EQ(1, std::sscanf(first.name.c_str(), "Stock %d", &n));
    ASSERT_EQ(1, std::sscanf(second.name.c_str(), "Stock %d", &m));
    EXPECT_GE(n, 1);
    EXPECT_EQ(n + 1, m);
    EXPECT_EQ(-1, first.iconId);
    first.secondText = "s";
    first.toolTip = "t";
    first.key = "k";
    first.Clear();
    EXPECT_EQ("", first.name + first.secondText + first.key + first.toolTip);

    // A second Add, to the same list or another, is refused with its trace.
    CDropListItemList list, other;
    CDropListItem* item = NewItem("a", "", 5);
    TraceCapture trace;
    list.Add(item);
    list.Add(item);
    other.Add(item);
    list.Add(nullptr);
    EXPECT_EQ(1, list.Count());
    EXPECT_EQ(0, other.Count());
    EXPECT_EQ(0, item->index);
    char expected[64];
    std::snprintf(expected, sizeof(expected), "ERROR! CDropListItem %x already owned!\n",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(item)));
    EXPECT_EQ(std::string(expected) + expected, trace.Text());

    {
        CDropListItemList list;
        EXPECT_EQ(nullptr, list.SelectByName("a"));
        EXPECT_EQ(-1, list.selected);
        Fill(list);
        struct Case {
            std::function<CDropListItem*()> select;
            int32_t selected; // -1 none
        };
        const Case cases[] = {
            {[&] { return list.SelectByValue(2); }, 1},       {[&] { return list.SelectByName("c"); }, 2},
            {[&] { return list.SelectByKey("ka"); }, 0},      {[&] { return list.SelectByKey("zz"); }, -1},
            {[&] { return list.SelectByName(nullptr); }, -1}, {[&] { return list.SelectByValue(7); }, -1},
        };
        for (const Case& c : cases) {
            EXPECT_EQ(list.ItemAt(c.selected), c.select());
            EXPECT_EQ(c.selected, list.selected);
        }
        EXPECT_EQ(list.ItemAt(1), list.FindByValue(2));
        EXPECT_EQ(list.ItemAt(2), list.FindByKey("kc"));
        EXPECT_EQ(nullptr, list.FindByName(""));

        for (int32_t i = 0; i < list.Count(); ++i)
            EXPECT_EQ(i, list.ItemAt(i)->index);
        EXPECT_EQ(nullptr, list.ItemAt(-1));
        EXPECT_EQ(nullptr, list.ItemAt(list.Count()));
        list.SelectByValue(1);
        list.Clear();
        EXPECT_EQ(0, list.Count());
        EXPECT_EQ(-1, list.selected);
        list.Add(NewItem("d", "", 0));
        EXPECT_EQ(0, list.ItemAt(0)->index);
    }
}
