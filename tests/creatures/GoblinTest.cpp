// Goblin: the blocked turn, the limits, the bite's reach and replay through the key frames.
#include "creatures/Goblin.h"

#include "creatures/CreatureTestSupport.h"

#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace
{

struct Goblin_State
{
    Pointf pos;
    bool left;
    std::uint32_t frame;
    double speed;

    bool operator==(Goblin_State const& o) const
    {
        return pos.x == o.pos.x && pos.y == o.pos.y && left == o.left && frame == o.frame && speed == o.speed;
    }
};

Goblin_State StateOf(Goblin const* g)
{
    return {g->GetPos(), g->WalkingLeft(), g->frame, g->speed};
}

} // namespace

class GoblinTest : public CreatureTestSupport
{
protected:
    // The goblin's state at every tick up to last, played forward.
    std::vector<Goblin_State> Play(Goblin const* g, Tick last)
    {
        std::vector<Goblin_State> states;
        while (world->GetTick() <= last)
        {
            Step();
            states.push_back(StateOf(g));
        }
        return states;
    }
};

TEST_F(GoblinTest, TurnsOnTheStepItDidNotMoveAndAtItsLimits)
{
    MakeWorld({CreatureZone_GoblinWall, CreatureZone_GoblinTurn});
    std::vector<Goblin_State> wall = Play(world->wallGoblin, 1500);
    std::vector<Goblin_State> turn;
    {
        // The turning goblin over the same ticks, replayed from its log.
        for (Tick t = 0; t <= 1500; ++t)
        {
            world->turnGoblin->MoveToTime(world->GetMap(), t);
            turn.push_back(StateOf(world->turnGoblin));
        }
    }

    int blocks = 0;
    for (std::size_t t = 1; t < wall.size(); ++t)
    {
        if (!(wall[t].pos == wall[t - 1].pos) || wall[t - 1].left)
            continue;
        // Stopped by the wall while walking right, short of its right limit: turned on that step.
        ++blocks;
        EXPECT_TRUE(wall[t].left) << "tick " << t;
        EXPECT_LT(wall[t].pos.x, world->wallGoblin->RightLimit());
        EXPECT_NEAR(wall[t].pos.x, world->Ref(CreatureZone_GoblinWall, 0).x - 100 + GoblinWall_WallX, 1.0);
    }
    EXPECT_GE(blocks, 2);

    // The free goblin turns only after the step that took it past a limit.
    double const left = world->turnGoblin->LeftLimit();
    double const right = world->turnGoblin->RightLimit();
    int turns = 0;
    for (std::size_t t = 1; t < turn.size(); ++t)
    {
        if (turn[t].left == turn[t - 1].left)
            continue;
        ++turns;
        if (turn[t].left)
            EXPECT_GT(turn[t].pos.x, right);
        else
            EXPECT_LT(turn[t].pos.x, left);
        EXPECT_NE(turn[t].pos.x, turn[t - 1].pos.x);
    }
    EXPECT_GE(turns, 3);
    EXPECT_GT(turn.back().pos.x, left - Goblin::Goblin_Width);
    EXPECT_LT(turn.back().pos.x, right + Goblin::Goblin_Width);
}

TEST_F(GoblinTest, LimitsInTheWrongOrderEndEveryStepBetweenThemWalkingLeft)
{
    MakeWorld({CreatureZone_GoblinTurn});
    Goblin const* g = world->swappedGoblin;
    ASSERT_GT(g->LeftLimit(), g->RightLimit());
    int between = 0;
    for (int i = 0; i < 1200; ++i)
    {
        Step();
        double const x = g->GetPos().x;
        if (x > g->RightLimit() + Util::Eps && x < g->LeftLimit() - Util::Eps)
        {
            ++between;
            EXPECT_TRUE(g->WalkingLeft()) << "x " << x;
        }
    }
    EXPECT_GT(between, 100);
}

TEST_F(GoblinTest, HurtsEveryStepWithinReachOfItsMiddleWhileAlive)
{
    MakeWorld({CreatureZone_GoblinTurn});
    Goblin* g = world->turnGoblin;
    for (int i = 0; i < 300; ++i)
    {
        Step();
        Tick const t = world->GetTick() - 1;
        Pointf const middle = g->GetRelativePos(0.0, 0.5);
        Pointf const near(middle.x + 11.9, middle.y);
        Pointf const edge(middle.x + 6.0, middle.y - 6.0);
        ASSERT_EQ(g->IsPlayerHit(t, &near), 1) << "tick " << t;
        ASSERT_EQ(g->IsPlayerHit(t, &edge), 0) << "tick " << t;
    }
    Tick const now = world->GetTick() - 1;
    for (int i = 0; i < Creature_World::Goblin_HitPoints; ++i)
        g->Hit(now + 10, 1, 0);
    Pointf const middle = g->GetRelativePos(0.0, 0.5);
    EXPECT_EQ(g->IsPlayerHit(now + 9, &middle), 1);
    EXPECT_EQ(g->IsPlayerHit(now + 10, &middle), 0);
    Pointf aim;
    EXPECT_TRUE(g->GetTargetPos(world->GetMap(), now + 9, aim));
    EXPECT_FALSE(g->GetTargetPos(world->GetMap(), now + 10, aim));
}

TEST_F(GoblinTest, TravelBackAndForwardShowsTheSameStatesAtKeyFrameEdges)
{
    MakeWorld({CreatureZone_GoblinTurn});
    Map const* map = world->GetMap();
    // Goblins whose key frames fall at offsets 0, 10 and 63; the others built on the way go.
    std::map<int, std::unique_ptr<Goblin>> goblins;
    CreatureWorld_Zone const z = CreatureZone_GoblinTurn;
    for (int tries = 0; tries < 3 * Enemy_MaxFrameGap && goblins.size() < 3; ++tries)
    {
        auto g = std::make_unique<Goblin>(map, CreatureWorld_Ref(z, GoblinTurnRef_Goblin),
                                          CreatureWorld_Ref(z, GoblinTurnRef_Left),
                                          CreatureWorld_Ref(z, GoblinTurnRef_Right), Goblin_Normal, 1);
        int const offset = g->KeyFrameOffset();
        if ((offset == 0 || offset == 10 || offset == 63) && goblins.count(offset) == 0)
            goblins[offset] = std::move(g);
    }
    ASSERT_EQ(goblins.size(), 3u);

    Tick const last = 1400;
    for (auto& [offset, g] : goblins)
    {
        SCOPED_TRACE("offset " + std::to_string(offset));
        std::vector<Goblin_State> live;
        for (Tick t = 0; t <= last; ++t)
        {
            g->MoveToTime(map, t);
            live.push_back(StateOf(g.get()));
        }
        // An earlier tick's aim point comes from the log's copies, as the state does.
        Pointf aim;
        EXPECT_TRUE(g->GetTargetPos(map, 300, aim));
        EXPECT_DOUBLE_EQ(aim.x, live[300].pos.x);
        EXPECT_DOUBLE_EQ(aim.y, live[300].pos.y + Goblin::Goblin_TargetPos * Goblin::Goblin_Height);

        // Back 500 ticks and forward again, tick by tick.
        for (Tick t = last - 500; t <= last; ++t)
        {
            g->MoveToTime(map, t);
            ASSERT_TRUE(StateOf(g.get()) == live[t]) << "tick " << t;
        }
        // The ticks either side of every key frame, asked out of order.
        for (Tick k = Enemy_MaxFrameGap * (last / Enemy_MaxFrameGap - 1); k >= 0; k -= Enemy_MaxFrameGap)
            for (Tick t : {k + offset - 1, k + offset, k + offset + 1})
            {
                if (t < 0 || t > last)
                    continue;
                g->MoveToTime(map, t);
                ASSERT_TRUE(StateOf(g.get()) == live[t]) << "tick " << t;
                EXPECT_TRUE(g->GetTargetPos(map, t / 2, aim));
                EXPECT_DOUBLE_EQ(aim.x, live[t / 2].pos.x) << "aim at tick " << t / 2;
            }
    }
}

TEST_F(GoblinTest, WalkingAgainstAMovingGroupReplaysAsPlayed)
{
    MakeWorld({CreatureZone_GoblinGroup});
    ReplayHarness harness(*world, keyScript);
    ReplayWatch_CreatureWorld(harness, *world);
    for (int i = 0; i < 1600; ++i)
        harness.Step(std::vector<int>{});

    // The gate both stopped the goblin (shut, from one side or the other) and, raised, let it through.
    double const gate = world->Ref(CreatureZone_GoblinGroup, CreatureRef_Start).x - 100 + GoblinGroup_GateX;
    auto field = [&harness](Tick t, char const* name) {
        for (Replay_Field const& f : harness.recorded.at(t))
            if (f.object == "goblin 0" && f.field == name)
                return f.value;
        return -1.0;
    };
    int stopped = 0;
    bool through = false;
    for (Tick t = 1; t < 1600; ++t)
    {
        double const x = field(t, "x");
        bool const atFace = std::fabs(x - gate) < 1.0 || std::fabs(x - gate - GoblinGroup_GateWidth) < 1.0;
        if (x == field(t - 1, "x") && atFace)
            ++stopped;
        through = through || x > gate + GoblinGroup_GateWidth;
    }
    EXPECT_GT(stopped, 0);
    EXPECT_TRUE(through);

    std::mt19937 random(5);
    harness.Travel(random, 1500);
    EXPECT_EQ(harness.mismatch, "");
    EXPECT_GT(harness.compared, 500);
}

// A state the memo holds but for its fall speed is stepped afresh, not answered with the step the
// memo learnt: thrown up where it walked its loop, the goblin leaves the ground.
TEST_F(GoblinTest, AStateThatDiffersFromTheMemosOnlyInItsFallSpeedIsSteppedAfresh)
{
    MakeWorld({CreatureZone_GoblinTurn});
    Goblin* const g = world->turnGoblin;
    Play(g, 1500);
    ASSERT_GT(g->MemoStates(), 0) << "the goblin walked no loop";
    Map const* map = world->GetMap();
    Tick const next = world->GetTick() + 1;
    Goblin stepped(g);
    Goblin moved(g);
    stepped.fallSpeed = -20.0;
    moved.fallSpeed = -20.0;
    stepped.Step(map);
    moved.Move(map, next);
    EXPECT_FALSE(stepped.onGround);
    EXPECT_EQ(moved.onGround, stepped.onGround);
    EXPECT_EQ(moved.GetPos().y, stepped.GetPos().y);
    EXPECT_EQ(moved.fallSpeed, stepped.fallSpeed);
}
