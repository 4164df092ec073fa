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
} // namespace

TEST(RefObj, CountsHoldersAndNeverCopiesTheCount)
{
    Record* shared = new Record(1);
    shared->TakeRef();
    Record* assigned = new Record(2);
    *assigned = *shared;
    EXPECT_EQ(assigned->value, 1);
    EXPECT_TRUE(assigned->Destroy());
    EXPECT_TRUE((new Record(*shared))->Destroy());

    *shared = Record(5);
    EXPECT_FALSE(shared->Destroy());
    EXPECT_EQ(Record::alive, 1);
    EXPECT_TRUE(shared->Destroy());
    EXPECT_EQ(Record::alive, 0);
}
