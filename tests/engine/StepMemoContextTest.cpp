// Step_Memo with contexts: a step learnt with a context is given back only where the caller finds
// it holding, from a search and from the last state alike, and learning it again replaces it.
#include "engine/Step_Memo.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace
{

struct Ctx_State
{
    std::uint32_t at;
};

struct Ctx_Effect
{
    std::uint32_t step = 0;
};

struct Ctx_Context
{
    std::uint32_t where = 0;
};

using Ctx_Memo = Step_Memo<Ctx_State, Ctx_Effect, Ctx_Context>;

// Learns the steps of a loop 0 -> 1 -> 2 -> 0, the step from 1 with the context "where".
void LearnLoop(Ctx_Memo& memo, std::uint32_t where)
{
    for (Tick t = 0; t < 8; t++)
    {
        Ctx_State const s{std::uint32_t(t % 3)};
        Ctx_State const next{std::uint32_t((t + 1) % 3)};
        std::uint32_t const h = Ctx_Memo::Hash(s);
        if (!memo.Learning(h, t))
            continue;
        if (s.at == 1)
            memo.Learn(s, h, next, Ctx_Effect{s.at}, Ctx_Context{where});
        else
            memo.Learn(s, h, next, Ctx_Effect{s.at});
    }
}

} // namespace

TEST(StepMemoContext, AStepLearntWithAContextIsGivenBackOnlyWhereItHolds)
{
    Ctx_Memo memo;
    LearnLoop(memo, 7);
    ASSERT_EQ(memo.Size(), 3);
    EXPECT_EQ(memo.WithContext(), 1);
    auto holdsAt = [](std::uint32_t where) { return [where](Ctx_Context const& c) { return c.where == where; }; };

    Ctx_State const one{1};
    Ctx_State next{};
    Ctx_Effect effect;
    EXPECT_FALSE(memo.Next(one, Ctx_Memo::Hash(one), next, effect)) << "without a check, never";
    EXPECT_FALSE(memo.Next(one, Ctx_Memo::Hash(one), next, effect, holdsAt(8)));
    ASSERT_TRUE(memo.Next(one, Ctx_Memo::Hash(one), next, effect, holdsAt(7)));
    EXPECT_EQ(next.at, 2u);
    EXPECT_EQ(effect.step, 1u);

    // Going on from the last state given back: 2 -> 0 -> 1, then 1 -> 2 only where it holds.
    auto same = [](std::uint32_t at) { return [at](Ctx_State const& s) { return s.at == at; }; };
    Ctx_State const* after = memo.NextFromLast(same(2), effect, holdsAt(8));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->at, 0u);
    EXPECT_EQ(memo.NextFromLast(same(1), effect, holdsAt(8)), nullptr) << "not where the last state is";
    after = memo.NextFromLast(same(0), effect, holdsAt(8));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(memo.NextFromLast(same(1), effect, holdsAt(8)), nullptr);
    after = memo.NextFromLast(same(1), effect, holdsAt(7));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->at, 2u);

    // Learnt again elsewhere, the step holds there and no longer at the first place; learnt
    // without a context, it holds everywhere.
    memo.Learn(one, Ctx_Memo::Hash(one), Ctx_State{2}, Ctx_Effect{1}, Ctx_Context{9});
    EXPECT_FALSE(memo.Next(one, Ctx_Memo::Hash(one), next, effect, holdsAt(7)));
    EXPECT_TRUE(memo.Next(one, Ctx_Memo::Hash(one), next, effect, holdsAt(9)));
    EXPECT_EQ(memo.WithContext(), 1);
    memo.Learn(one, Ctx_Memo::Hash(one), Ctx_State{2}, Ctx_Effect{1});
    EXPECT_TRUE(memo.Next(one, Ctx_Memo::Hash(one), next, effect));
    EXPECT_EQ(memo.WithContext(), 0);
}
