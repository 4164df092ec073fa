// The shared sorted pointer list: floor search, removal and reference counts.
#include "util/PtrListSorted.h"

#include "support/Stamp.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Holes (-1) stand only before the first or after the last item.
int FindIn(std::vector<Tick> const& ticks, Tick key)
{
    PtrListSorted<Stamp> list(PtrList_Fixed, static_cast<int>(ticks.size()));
    for (std::size_t i = 0; i < ticks.size(); i++)
        list[i] = ticks[i] < 0 ? nullptr : new Stamp(ticks[i]);
    Stamp probe(key);
    return list.FindItem(&probe);
}
} // namespace

TEST(PtrListSorted, FindItemIsAFloorSearch)
{
    struct
    {
        std::vector<Tick> ticks;
        Tick key;
        int expected;
    } const cases[] = {
        {{}, 0, -1},
        {{-1, -1}, 0, -1},
        {{10, 20, 30, 40, 50}, 5, -1},
        {{10, 20, 30, 40, 50}, 25, 1},
        {{10, 20, 30, 40, 50}, 99, 4},
        {{3, 5, 5, 5, 5, 8}, 5, 4},
        {{-1, 10, 20, -1, -1}, 5, -1},
        {{-1, 10, 20, -1, -1}, 15, 1},
        {{-1, 10, 20, -1, -1}, 1000, 2},
    };
    for (auto const& c : cases)
        EXPECT_EQ(FindIn(c.ticks, c.key), c.expected) << "key " << c.key << " over " << c.ticks.size();
}

TEST(PtrListSorted, SortRemoveAndDelete)
{
    int before = Stamp::alive;
    PtrListSorted<Stamp> list(PtrList_Variable, 2);
    list.AddItem(new Stamp(30, 0));
    list.AddItem(new Stamp(10, 1));
    list.AddItem(new Stamp(10, 2));
    list.SortList();
    EXPECT_EQ(list[0]->id, 1);
    EXPECT_EQ(list[2]->id, 0);

    Stamp* first = list.RemoveItem(0);
    EXPECT_EQ(first->id, 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0]->id, 2);
    delete first;
    EXPECT_DEATH(list.RemoveItem(2), "i < count");

    list.Delete(1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.LastItem(), 0);
    EXPECT_EQ(Stamp::alive, before + 1);

    PtrListSorted<Stamp> fixed(PtrList_Fixed, 2);
    EXPECT_DEATH(fixed.RemoveItem(0), "type == PtrList_Variable");
}

TEST(PtrListSorted, SharedListDiesWithItsLastHolder)
{
    int before = Stamp::alive;
    auto* shared = new PtrListSorted<Stamp>(PtrList_Variable, 32);
    shared->AddItem(new Stamp(1));
    shared->TakeRef();
    shared->Destroy();
    EXPECT_EQ(Stamp::alive, before + 1);
    shared->Destroy();
    EXPECT_EQ(Stamp::alive, before);
}
