// The vine: the fall after a hit, which hits are taken, stages at one tick, the aiming and hanging points.
#include "creatures/CreatureTestSupport.h"
#include "tools/creatures/CreatureSizes.h"

namespace
{

constexpr double Picture = CreatureSize_Vine.height;
constexpr double Start = Vines_TopY - Picture;

} // namespace

class VineTest : public CreatureTestSupport
{
protected:
    Vine Fresh(unsigned int vine) const
    {
        CreatureWorld_Zone const z = CreatureZone_Vines;
        return Vine(world->GetMap(), CreatureWorld_Ref(z, VineRef(vine, 0)), CreatureWorld_Ref(z, VineRef(vine, 1)),
                    CreatureWorld_Ref(z, VineRef(vine, 2)), CreatureWorld_Ref(z, VineRef(vine, 3)));
    }
};

TEST_F(VineTest, AHitDropsItWithConstantAccelerationAndOnlyResting)
{
    Creature_World& w = MakeWorld({CreatureZone_Vines});
    Vine& once = *w.vines[1]; // its three lower heights 100 below the first
    EXPECT_DOUBLE_EQ(once.GetPosAtTime(5000), Start);
    EXPECT_EQ(once.Hit(1000, 1, 0), 0);
    EXPECT_DOUBLE_EQ(once.GetPosAtTime(1000), Start);
    EXPECT_DOUBLE_EQ(once.GetPosAtTime(1019), Start - 90.25);
    EXPECT_DOUBLE_EQ(once.GetPosAtTime(1020), Start - 100.0);
    once.Hit(1010, 1, 0);
    EXPECT_EQ(once.HitCount(), 1) << "falling";
    once.Hit(990, 1, 0);
    EXPECT_EQ(once.HitCount(), 1) << "before a recorded hit";
    once.Hit(1500, 1, 0);
    EXPECT_EQ(once.HitCount(), 1) << "its next heights are its present one";

    // The aiming point is the picture's upper end; the hanging point its lower end, both falling.
    Pointf aim;
    EXPECT_TRUE(once.GetTargetPos(w.GetMap(), 1019, aim));
    EXPECT_EQ(aim, Pointf(w.Ref(CreatureZone_Vines, VineRef(1, 0)).x, Start - 90.25 + Picture));
    once.MoveToTime(w.GetMap(), 1019);
    EXPECT_EQ(once.hangPos, Pointf(aim.x, Start - 90.25));
    once.MoveToTime(w.GetMap(), 10);
    EXPECT_DOUBLE_EQ(once.hangPos.y, Start);

    // Three stages, each a drop of 50 taken at rest.
    Vine& three = *w.vines[0];
    three.Hit(100, 1, 0);
    three.Hit(100, 1, 0);
    EXPECT_EQ(three.HitCount(), 2) << "a second hit at the first's tick comes before the fall";
    EXPECT_DOUBLE_EQ(three.GetPosAtTime(100), Start - 50.0);
    EXPECT_DOUBLE_EQ(three.GetPosAtTime(110), Start - 75.0);
    EXPECT_DOUBLE_EQ(three.GetPosAtTime(115), Start - 100.0);
    three.Hit(200, 1, 0);
    EXPECT_DOUBLE_EQ(three.GetPosAtTime(215), Start - 150.0);
    three.Hit(300, 1, 0);
    EXPECT_EQ(three.HitCount(), 3) << "at the lowest height";

    // Four hits at one tick rest at the fourth height, without reading past the heights.
    Vine four = Fresh(0);
    for (int i = 0; i < 5; ++i)
        four.Hit(50, 1, 0);
    EXPECT_EQ(four.HitCount(), 4);
    EXPECT_DOUBLE_EQ(four.GetPosAtTime(50), Start - 150.0);

    // A vine whose heights all coincide never moves.
    Vine& still = *w.vines[2];
    for (Tick t : {0, 10, 1000})
        still.Hit(t, 1, 0);
    EXPECT_EQ(still.HitCount(), 0);
    EXPECT_DOUBLE_EQ(still.GetPosAtTime(2000), Start);
}
