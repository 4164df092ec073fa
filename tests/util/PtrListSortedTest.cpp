// The shared sorted pointer list: floor search, removal and reference counts.
#include "util/PtrListSorted.h"

#include <gtest/gtest.h>
#include <initializer_list>

#include "Stamp.h"

namespace
{
void Fill(PtrListSorted<Stamp>& list, std::initializer_list<Tick> ticks)
{
    int id = 0;
    for (Tick t : ticks)
        list.AddItem(new Stamp(t, id++));
}

int Find(PtrListSorted<Stamp> const& list, Tick t)
{
    Stamp key(t);
    return list.FindItem(&key);
}
}

TEST(PtrListSorted, FindItemIsAFloorSearch)
{
    PtrListSorted<Stamp> list(PtrList_Variable, 32);
    Fill(list, {10, 20, 30});
    EXPECT_EQ(Find(list, 5), -1);
    EXPECT_EQ(Find(list, 10), 0);
    EXPECT_EQ(Find(list, 25), 1);
    EXPECT_EQ(Find(list, 30), 2);
    EXPECT_EQ(Find(list, 99), 2);

    PtrListSorted<Stamp> equal(PtrList_Variable, 32);
    Fill(equal, {5, 5, 5});
    EXPECT_EQ(Find(equal, 5), 2);
    EXPECT_EQ(Find(equal, 4), -1);

    // Every length around the halving, every key: the floor is the last item not after the key.
    for (int n = 1; n <= 9; n++)
    {
        PtrListSorted<Stamp> runs(PtrList_Variable, 4);
        for (int i = 0; i < n; i++)
            runs.AddItem(new Stamp(10 * (i / 2)));
        for (Tick key = -1; key <= 10 * n; key++)
        {
            int expected = -1;
            for (int i = 0; i < n; i++)
                if (runs[i]->time <= key)
                    expected = i;
            EXPECT_EQ(Find(runs, key), expected) << "n=" << n << " key=" << key;
        }
    }
}

TEST(PtrListSorted, FindItemSkipsEmptyEnds)
{
    PtrListSorted<Stamp> empty(PtrList_Variable, 32);
    EXPECT_EQ(Find(empty, 0), -1);

    PtrListSorted<Stamp> holes(PtrList_Fixed, 6);
    EXPECT_EQ(Find(holes, 0), -1);
    holes[1] = new Stamp(10);
    holes[2] = new Stamp(20);
    holes[3] = new Stamp(30);
    EXPECT_EQ(Find(holes, 5), -1);
    EXPECT_EQ(Find(holes, 10), 1);
    EXPECT_EQ(Find(holes, 29), 2);
    EXPECT_EQ(Find(holes, 1000), 3);
    EXPECT_EQ(holes.LastItem(), 3);
}

TEST(PtrListSorted, SortListOrdersAppendedItems)
{
    PtrListSorted<Stamp> list(PtrList_Variable, 4);
    Fill(list, {30, 10, 20, 10});
    list.SortList();
    EXPECT_EQ(list[0]->time, 10);
    EXPECT_EQ(list[0]->id, 1);
    EXPECT_EQ(list[1]->id, 3);
    EXPECT_EQ(list[2]->time, 20);
    EXPECT_EQ(list[3]->time, 30);
}

TEST(PtrListSorted, RemoveAndDelete)
{
    int before = Stamp::alive;
    PtrListSorted<Stamp> list(PtrList_Variable, 4);
    Fill(list, {1, 2, 3});
    Stamp* a = list.RemoveItem(0);
    EXPECT_EQ(a->time, 1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list[0]->time, 2);
    EXPECT_EQ(list[1]->time, 3);
    delete a;
    EXPECT_DEATH(list.RemoveItem(2), "i < count");
    EXPECT_DEATH(list.RemoveItem(-1), "i >= 0");

    list.AddItem(new Stamp(4));
    list.Delete(1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], nullptr);
    EXPECT_EQ(Stamp::alive, before + 2);
    EXPECT_EQ(list.LastItem(), 2);
    list.Delete(2);
    EXPECT_EQ(list.LastItem(), 0);
    list.Delete(0);
    EXPECT_EQ(list.LastItem(), -1);
    EXPECT_EQ(Stamp::alive, before);

    PtrListSorted<Stamp> fixed(PtrList_Fixed, 2);
    EXPECT_DEATH(fixed.RemoveItem(0), "type == PtrList_Variable");
}

TEST(PtrListSorted, SharedListDiesWithItsLastHolder)
{
    int before = Stamp::alive;
    PtrListSorted<Stamp>* shared = new PtrListSorted<Stamp>(PtrList_Variable, 32);
    Fill(*shared, {1, 2});
    shared->TakeRef();
    shared->Destroy();
    EXPECT_EQ(shared->Refs(), 1);
    EXPECT_EQ(shared->Count(), 2);
    EXPECT_EQ(Stamp::alive, before + 2);
    shared->Destroy();
    EXPECT_EQ(Stamp::alive, before);
}
