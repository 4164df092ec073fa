// Reference counting of shared records.
#include "util/RefObj.h"

#include <gtest/gtest.h>

namespace
{
struct Record : RefObj
{
    static inline int alive = 0;
    explicit Record(int v) : value(v) { alive++; }
    Record(Record const& other) : RefObj(other), value(other.value) { alive++; }
    Record& operator=(Record const&) = default;
    ~Record() override { alive--; }
    int value;
};
}

TEST(RefObj, LastDestroyDeletes)
{
    Record* shared = new Record(1);
    EXPECT_EQ(shared->Refs(), 1);
    shared->TakeRef();
    EXPECT_EQ(shared->Refs(), 2);
    EXPECT_FALSE(shared->Destroy());
    EXPECT_EQ(Record::alive, 1);
    EXPECT_TRUE(shared->Destroy());
    EXPECT_EQ(Record::alive, 0);
}

TEST(RefObj, CopyingContentsNeverCopiesTheCount)
{
    Record* shared = new Record(1);
    shared->TakeRef();
    shared->TakeRef();

    Record* fresh = new Record(2);
    *fresh = *shared;
    EXPECT_EQ(fresh->value, 1);
    EXPECT_EQ(fresh->Refs(), 1);
    EXPECT_TRUE(fresh->Destroy());

    Record* copied = new Record(*shared);
    EXPECT_EQ(copied->Refs(), 1);
    EXPECT_TRUE(copied->Destroy());

    *shared = Record(5);
    EXPECT_EQ(shared->Refs(), 3);
    EXPECT_FALSE(shared->Destroy());
    EXPECT_FALSE(shared->Destroy());
    EXPECT_TRUE(shared->Destroy());
    EXPECT_EQ(Record::alive, 0);
}
