// Fixed and growing pointer lists.
#include "util/PtrList.h"

#include <gtest/gtest.h>

#include "Stamp.h"

TEST(PtrList, FixedListCountsEverySlot)
{
    PtrList<Stamp> list(PtrList_Fixed, 4);
    list.AddItem(new Stamp(1));
    list.AddItem(new Stamp(2));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list[3], nullptr);
    EXPECT_FALSE(list.ListFull());
    list.AddItem(new Stamp(3));
    list.AddItem(new Stamp(4));
    EXPECT_TRUE(list.ListFull());
    EXPECT_DEATH(list.AddItem(nullptr), "count < size");
    EXPECT_DEATH(list[4], "i >= 0 && i < Count\\(\\)");
}

TEST(PtrList, VariableListDoublesAndKeepsItems)
{
    PtrList<Stamp> list(PtrList_Variable, 32);
    Stamp* stamps[33];
    for (int i = 0; i < 33; i++)
    {
        stamps[i] = new Stamp(i);
        list.AddItem(stamps[i]);
    }
    EXPECT_EQ(list.Count(), 33);
    EXPECT_FALSE(list.ListFull());
    for (int i = 0; i < 33; i++)
        EXPECT_EQ(list[i], stamps[i]);
}

TEST(PtrList, EmptyGrowingListStillGrows)
{
    PtrList<Stamp> list(PtrList_Variable, 0);
    for (int i = 0; i < 10; i++)
        list.AddItem(new Stamp(i));
    EXPECT_EQ(list.Count(), 10);
    EXPECT_EQ(list[9]->time, 9);

    PtrList<Stamp> shell;
    shell.Init(PtrList_Variable, 0);
    shell.NewItem(new Stamp(1));
    EXPECT_EQ(shell.Count(), 1);
}

TEST(PtrList, NewItemReusesHolesBeforeAppending)
{
    PtrList<Stamp> list(PtrList_Variable, 4);
    for (int i = 0; i < 4; i++)
        list.AddItem(new Stamp(i));
    delete list[2];
    list[2] = nullptr;

    Stamp* filler = new Stamp(10);
    list.NewItem(filler);
    EXPECT_EQ(list[2], filler);
    EXPECT_EQ(list.Count(), 4);

    list.NewItem(new Stamp(11));
    EXPECT_EQ(list.Count(), 5);
    EXPECT_EQ(list[4]->time, 11);

    PtrList<Stamp> fixed(PtrList_Fixed, 3);
    fixed.NewItem(new Stamp(1));
    fixed.NewItem(new Stamp(2));
    EXPECT_EQ(fixed[1]->time, 2);
    EXPECT_EQ(fixed[2], nullptr);
}

TEST(PtrList, PositionIsByIdentity)
{
    Stamp a(1);
    Stamp twin(1);
    PtrList<Stamp> list(PtrList_Variable, 4);
    list.owns = false;
    list.AddItem(&twin);
    list.AddItem(&a);
    list.AddItem(&a);
    EXPECT_EQ(list.GetPos(&a), 1);
    Stamp stranger(1);
    EXPECT_EQ(list.GetPos(&stranger), -1);
    EXPECT_FALSE(list.IsIn(&stranger));
    EXPECT_TRUE(list.IsIn(&twin));
}

TEST(PtrList, OwnershipDecidesDeletion)
{
    int before = Stamp::alive;
    {
        PtrList<Stamp> owning(PtrList_Fixed, 3);
        owning[0] = new Stamp(1);
        owning[2] = new Stamp(2);
    }
    EXPECT_EQ(Stamp::alive, before);

    Stamp kept(1);
    {
        PtrList<Stamp> borrowing(PtrList_Variable, 4);
        borrowing.owns = false;
        borrowing.AddItem(&kept);
    }
    EXPECT_EQ(Stamp::alive, before + 1);
}
