// Petra world test support: the house built from the generated data, the player stood on its plates or
// walked by keys, and the conversations noted as they start.
#pragma once

#include "engine/CharStats.h"
#include "engine/Event_ChatInfo.h"
#include "engine/KeyData.h"
#include "engine/LevelEvents.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Switch.h"
#include "petra/Petra.h"
#include "petra/PetraSolveWalk.h"
#include "petra/Petra_Events.h"
#include "support/WorldFixture.h"
#include "util/Rectf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

// Passes every conversation step on to the world's script and notes each conversation it starts.
class Petra_Talks final : public LevelEvents
{
public:
    explicit Petra_Talks(Petra_Events* events) : LevelEvents(nullptr, nullptr), script(events) {}

    int Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t) override
    {
        int const result = script->Chatting(talker, chatTick, info, t);
        if (chatTick == 0)
            started.push_back(script->talkId);
        return result;
    }
    int ChatLength(int talker, Tick t) override { return script->ChatLength(talker, t); }

    Petra_Events* script;
    std::vector<int> started; // each conversation, as it starts
};

class PetraWorldFixture : public MutedWorldFixture
{
protected:
    void TearDown() override
    {
        Destroy();
        talks.reset();
        WorldFixture::TearDown();
    }

    // Builds the house with the fixture's progress as it stands; its conversations are noted.
    Petra& MakeWorld()
    {
        Build(Level_Petra);
        Petra& petra = As<Petra>();
        talks = std::make_unique<Petra_Talks>(petra.GetEvents());
        petra.GetPlayer()->levelEvents = talks.get();
        return petra;
    }
    Petra& World() { return static_cast<Petra&>(*world); }
    Player& Hero() { return *world->GetPlayer(); }
    Petra_Events& Script() { return *World().GetEvents(); }
    Map const& TheMap() { return *world->GetMap(); }

    // The middle of a plate's top, as it stands up.
    Pointf PlateTop(unsigned int group)
    {
        Rectf bound;
        world->GetMap()->FindGroupBound(group, &bound);
        return Pointf((bound.x0 + bound.x1) / 2.0, bound.y1);
    }
    // Puts the player, at rest, just over the point; he lands there in the next step.
    void StandAt(Pointf at)
    {
        Pointf const over(at.x, at.y + 0.5);
        Hero().SetPos(&over);
        Hero().speed = Hero().fallSpeed = Hero().jumpSpeed = 0.0;
    }
    void StandOn(unsigned int group) { StandAt(PlateTop(group)); }
    // Stands on a plate until its switch records a press.
    void Press(unsigned int group)
    {
        StandOn(group);
        Switch const* plate = World().GetSwitch(static_cast<int>(group) - 1);
        for (int i = 0; i < 10 && !plate->IsActive(world->GetTick() - 1); ++i)
            Step();
        ASSERT_TRUE(plate->IsActive(world->GetTick() - 1)) << "group " << group;
    }
    Pointf Ref(unsigned int id) { return world->GetMap()->GetRefPoint(id); }

    // Steps until the test holds, at most limit steps; the steps taken, or -1.
    int StepsUntil(std::function<bool()> const& test, int limit, std::vector<int> const& held = {})
    {
        for (int i = 1; i <= limit; ++i)
        {
            EXPECT_EQ(Step(held), Level_Continue);
            if (test())
                return i;
        }
        return -1;
    }
    // The player sent back to the riddle-giver: before it and talking to it.
    bool BackBeforeRiddleGiver()
    {
        Pointf const p = Hero().GetPos();
        Pointf const back = Ref(Petra_Rp_Back);
        return std::fabs(p.x - back.x) < 1e-9 && std::fabs(p.y - back.y) < 2.0;
    }
    int LastTalk() const { return talks->started.empty() ? -1 : talks->started.back(); }

    // Walks, hops and stands still by the keys, as the solving walk does.
    PetraSolveWalk Keys()
    {
        return PetraSolveWalk(As<Petra>(), [this](std::vector<int> const& held) { return Step(held); });
    }
    void WalkTo(double x, int limit = 2000) { Keys().WalkTo(x, limit); }
    void HopTo(double x, int limit = 300) { Keys().HopTo(x, limit); }
    void Settle() { Keys().Settle(); }

    std::unique_ptr<Petra_Talks> talks;
};
