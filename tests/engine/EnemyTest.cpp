// An enemy's death moving earlier, and the hits it gave the player that are handed back.
#include "engine/Enemy.h"

#include <gtest/gtest.h>

namespace
{
// Exposes the death tick, which the base keeps to its derived creatures.
class TestEnemy final : public Enemy
{
public:
    TestEnemy() = default;
    explicit TestEnemy(TestEnemy const* other) : Enemy(other) {}
    Tick Death() const { return deathTime; }
};
} // namespace

TEST(Enemy, KillingEarlierHandsBackTheLaterHits)
{
    TestEnemy enemy;
    EXPECT_FALSE(enemy.IsDead(1000));
    enemy.TakenHit(40, 1);
    enemy.TakenHit(200, 1);
    enemy.TakenHit(60, 1);
    enemy.TakenHit(250, 4);
    // The first death hands back every later hit.
    EXPECT_EQ(enemy.ChangeDeathTime(200), 4);
    EXPECT_EQ(enemy.Death(), 200);

    EXPECT_EQ(enemy.ChangeDeathTime(50), 2);
    EXPECT_EQ(enemy.Death(), 50);
    EXPECT_FALSE(enemy.IsDead(50));
    EXPECT_TRUE(enemy.IsDead(51));

    // A death never moves later, and "never" changes nothing.
    EXPECT_EQ(enemy.ChangeDeathTime(100), 0);
    EXPECT_EQ(enemy.ChangeDeathTime(50), 0);
    EXPECT_EQ(enemy.ChangeDeathTime(-1), 0);
    EXPECT_EQ(enemy.Death(), 50);
}

TEST(Enemy, ReplayCopySeesHitsGivenAfterItWasMade)
{
    auto* enemy = new TestEnemy;
    auto* copy = new TestEnemy(enemy);
    enemy->TakenHit(100, 3);
    delete enemy;
    EXPECT_EQ(copy->ChangeDeathTime(90), 3);
    delete copy;
}
