// Fixed and growing pointer lists.
#include "util/PtrList.h"

#include "support/Stamp.h"

#include <gtest/gtest.h>

TEST(PtrList, FixedListCountsEverySlot)
{
    PtrList<Stamp> list(PtrList_Fixed, 2);
    list.AddItem(new Stamp(1));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list[1], nullptr);
    EXPECT_FALSE(list.ListFull());
    list.AddItem(new Stamp(2));
    EXPECT_DEATH(list.AddItem(nullptr), "count < size");
    EXPECT_DEATH(list[2], "i >= 0 && i < Count\\(\\)");
}

TEST(PtrList, GrowingListsDoubleEvenFromEmptyAndReuseHoles)
{
    for (int initial : {0, 32})
    {
        PtrList<Stamp> list(PtrList_Variable, initial);
        for (int i = 0; i < 33; i++)
            list.AddItem(new Stamp(i));
        EXPECT_EQ(list.Count(), 33);
        EXPECT_EQ(list[32]->time, 32);
        delete list[2];
        list[2] = nullptr;
        list.NewItem(new Stamp(100));
        list.NewItem(new Stamp(101));
        EXPECT_EQ(list[2]->time, 100);
        EXPECT_EQ(list[33]->time, 101);
    }
}

TEST(PtrList, OnlyAnOwningListDeletesItsItems)
{
    int before = Stamp::alive;
    Stamp kept(1);
    {
        PtrList<Stamp> borrowing(PtrList_Variable, 4);
        borrowing.owns = false;
        borrowing.AddItem(&kept);
        PtrList<Stamp> owning(PtrList_Fixed, 3);
        owning[2] = new Stamp(2);
    }
    EXPECT_EQ(Stamp::alive, before + 1);
}
