// The castle owner's conversations: which one he holds when, what is said, and the fee, taken once.
#include "CastleSupport.h"
#include "castle/Casle_Dude.h"
#include "castle/Casle_Events.h"
#include "engine/Event_ChatInfo.h"
#include "engine/Level.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/Poly.h"
#include "support/ReplayHarness.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

struct Said
{
    int chatTick;
    bool hero;
    std::string text;
};

constexpr unsigned int OwnerRef = 1;
constexpr unsigned int StartRef = 200;

// A floor with the owner's hall: the owner at x 100, the entrance (group 2) further right.
MapWriter HallWriter()
{
    MapWriter writer = CastleFloor();
    writer.AddBox(400.0, 0.0, 420.0, 100.0, 0, Casle_EntranceGroup, true, false, 64.0);
    writer.AddRefPoint(OwnerRef, 100.0, 0.0);
    writer.AddRefPoint(StartRef, 60.0, 0.0);
    return writer;
}

class CasleEventsTest : public testing::Test
{
protected:
    CasleEventsTest() : map(ReadSmallMap(HallWriter())), script(&progress, nullptr) { script.map = map.get(); }

    // Plays the conversation the owner chooses at level tick t through every step, the clock
    // running on with it.
    std::vector<Said> Run(Tick t, std::vector<int>* ends = nullptr)
    {
        std::vector<Said> said;
        Casle_Conversations const chosen = script.FindTalkId(Casle_Dude_TalkId, t);
        int const length = script.ChatLength(Casle_Dude_TalkId, t);
        for (int tick = 0; tick <= length; tick++)
        {
            Event_ChatInfo info;
            script.Chatting(Casle_Dude_TalkId, tick, &info, t + tick);
            EXPECT_EQ(script.talkId, chosen);
            if ((info.flags & Chat_End) != 0 && ends != nullptr)
                ends->push_back(tick);
            if (info.heroText != nullptr)
                said.push_back({tick, true, info.heroText});
            if (info.otherText != nullptr)
                said.push_back({tick, false, info.otherText});
        }
        return said;
    }

    double Rise() const
    {
        Poly const* door = map->polys[int(CastlePolyOf(*map, Casle_EntranceGroup))];
        double lowest = door->GetVertexPoint(0).y;
        for (int i = 1; i < door->Points(); i++)
            lowest = std::min(lowest, door->GetVertexPoint(i).y);
        return lowest;
    }

    std::unique_ptr<Map> map;
    GameEvents progress;
    Casle_Events script;
};

} // namespace

TEST_F(CasleEventsTest, TheOwnerChoosesByTheRecordAsItStandsAtTheTick)
{
    auto id = [&](Tick t) { return script.FindTalkId(Casle_Dude_TalkId, t); };
    progress.gems = 20;
    EXPECT_EQ(id(0), Casle_Talk_Introduction) << "a first talk is always the introduction";
    progress[Casle_Event_Introduced] = 100;
    EXPECT_EQ(id(99), Casle_Talk_Introduction);
    EXPECT_EQ(id(100), Casle_Talk_Paying);
    progress.gems = 7;
    EXPECT_EQ(id(100), Casle_Talk_Paying);
    progress.gems = 6;
    EXPECT_EQ(id(100), Casle_Talk_NotEnough);
    progress.gems = -3;
    EXPECT_EQ(id(100), Casle_Talk_NotEnough);
    progress[Casle_Event_FeePaid] = 200;
    EXPECT_EQ(id(199), Casle_Talk_NotEnough);
    EXPECT_EQ(id(200), Casle_Talk_AfterPaying);
    progress[Event_Socks] = 300;
    EXPECT_EQ(id(299), Casle_Talk_AfterPaying);
    EXPECT_EQ(id(300), Casle_Talk_AfterSocks) << "the socks come before the fee";
    EXPECT_EQ(script.FindTalkId(7, 300), Casle_Talk_AfterSocks) << "the talker number changes nothing";
    progress[Casle_Event_Introduced] = GameEvent_HasHappened;
    progress[Casle_Event_FeePaid] = GameEvent_HasntHappened;
    progress[Event_Socks] = GameEvent_HasntHappened;
    progress.gems = 7;
    EXPECT_EQ(id(0), Casle_Talk_Paying);
}

TEST_F(CasleEventsTest, EachConversationSaysItsLinesAndEndsAtItsLength)
{
    progress[Casle_Event_Introduced] = 0;
    progress.gems = 7;
    std::vector<int> ends;
    std::vector<Said> said = Run(1000, &ends);
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0].chatTick, 0);
    EXPECT_TRUE(said[0].hero);
    EXPECT_EQ(said[0].text, "It's been hard work to get these gems but you can have them.");
    EXPECT_EQ(said[1].chatTick, 250);
    EXPECT_EQ(said[1].text, "Thank you, the entrance to the dungeon is just through there.");
    EXPECT_EQ(ends, std::vector<int>{550});
    EXPECT_EQ(progress.gems, 0);
    EXPECT_EQ(progress[Casle_Event_FeePaid], 1250);
    EXPECT_EQ(Rise(), Casle_EntranceRise);

    progress[Casle_Event_FeePaid] = GameEvent_HasntHappened;
    progress.gems = 6;
    map->MoveGroup(Casle_EntranceGroup, 0.0, 0.0);
    ends.clear();
    said = Run(2000, &ends);
    ASSERT_EQ(said.size(), 2u);
    EXPECT_EQ(said[0].text, "Do you have 7 gems for entrance to my dungeon?");
    EXPECT_TRUE(said[1].hero);
    EXPECT_EQ(said[1].text, "No, not yet.  I guess I'd better go and find some more.");
    EXPECT_EQ(ends, std::vector<int>{550});
    EXPECT_EQ(progress.gems, 6) << "declining took gems";
    EXPECT_EQ(progress[Casle_Event_FeePaid], GameEvent_HasntHappened);
    EXPECT_EQ(Rise(), 0.0);

    progress[Casle_Event_FeePaid] = 10;
    ends.clear();
    said = Run(3000, &ends);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].text, "Good luck with the socks!");
    EXPECT_EQ(ends, std::vector<int>{300});
    progress[Event_Socks] = GameEvent_HasHappened;
    ends.clear();
    said = Run(3000, &ends);
    ASSERT_EQ(said.size(), 1u);
    EXPECT_EQ(said[0].text, "I hope you find those socks useful!");
    EXPECT_EQ(ends, std::vector<int>{300});
    EXPECT_EQ(Casle_Events::ChatLength(Casle_Talk_Introduction), 6300);
}

TEST_F(CasleEventsTest, PayingAgainAfterATravelBackOnlyMovesTheStampEarlier)
{
    progress[Casle_Event_Introduced] = GameEvent_HasHappened;
    progress.gems = 14;
    Run(1000);
    EXPECT_EQ(progress.gems, 7);
    EXPECT_EQ(progress[Casle_Event_FeePaid], 1250);
    // Back before the stamp the fee is asked for again, and the seven gems left would pay it.
    EXPECT_EQ(script.FindTalkId(Casle_Dude_TalkId, 400), Casle_Talk_Paying);
    Run(400);
    EXPECT_EQ(progress.gems, 7) << "the fee was taken twice";
    EXPECT_EQ(progress[Casle_Event_FeePaid], 650);
    EXPECT_EQ(Rise(), Casle_EntranceRise);
    Run(500);
    EXPECT_EQ(progress[Casle_Event_FeePaid], 650) << "a later payment moved the stamp";
}

namespace
{

// The owner's hall as a level: the owner, his scripts and the player beside him.
class Hall_Level final : public Level
{
public:
    explicit Hall_Level(GameEvents* events) : Level(events)
    {
        map = built.Own(ReadSmallMap(HallWriter()).release());
        Pointf const start = map->GetRefPoint(StartRef);
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        script = built.Own(new Casle_Events(gameEvents, message));
        script->player = player;
        script->map = map;
        player->levelEvents = script;
        built.Initialise(&Casle_Dude::Initialise, &Casle_Dude::Finalise);
        owner = built.Own(new Casle_Dude(map, int(OwnerRef)));
        objects->AddObject(static_cast<Dude*>(owner));
        script->dude = owner;
    }

    Map* GetMap() const { return map; }

    Casle_Events* script = nullptr;
    Casle_Dude* owner = nullptr;
};

class CasleOwnerTest : public CastleLevelTest
{
protected:
    void SetUp() override
    {
        CastleLevelTest::SetUp();
        if (!HasFatalFailure())
            level = std::make_unique<Hall_Level>(&events);
    }
    void TearDown() override
    {
        level.reset();
        CastleLevelTest::TearDown();
    }

    Level_Action Step(std::vector<int> const& held) { return level->Poll(keyScript.Next(held)); }

    // Presses and lets go of the action key until done() or the steps run out.
    template <class Done>
    bool PressUntil(Done&& done, int steps)
    {
        for (int i = 0; i < steps && !done(); i++)
            Step(i % 2 == 0 ? std::vector<int>{KeyIndex_GameAction} : std::vector<int>{});
        return done();
    }

    double Rise() const
    {
        Map const& map = *level->GetMap();
        return map.polys[int(CastlePolyOf(map, Casle_EntranceGroup))]->GetVertexPoint(0).y;
    }

    std::unique_ptr<Hall_Level> level;
};

} // namespace

TEST_F(CasleOwnerTest, TheIntroductionRunsStraightOnIntoTheFee)
{
    events.gems = 7;
    double const shut = Rise();
    Step({});
    Step({KeyIndex_GameAction});
    Tick const pressed = level->GetTick() - 1;
    for (int i = 0; i < 6260 && level->script->talkId == Casle_Talk_Introduction; i++)
        Step({});
    EXPECT_GE(events[Casle_Event_Introduced], pressed + 6250);
    EXPECT_LE(events[Casle_Event_Introduced], pressed + 6251);
    EXPECT_EQ(level->script->talkId, Casle_Talk_Paying);
    for (int i = 0; i < 300; i++)
        Step({});
    EXPECT_EQ(events.gems, 0);
    EXPECT_EQ(events[Casle_Event_FeePaid], events[Casle_Event_Introduced] + 251) << "the fee's tick 0 follows at once";
    EXPECT_EQ(Rise(), shut + Casle_EntranceRise);

    // Once that conversation is over, the owner wishes him luck.
    for (int i = 0; i < 400; i++)
        Step({});
    Step({KeyIndex_GameAction});
    Step({});
    EXPECT_EQ(level->script->talkId, Casle_Talk_AfterPaying);
}

TEST_F(CasleOwnerTest, SkippingTheIntroductionStillLeadsIntoTheFee)
{
    events.gems = 7;
    Step({});
    EXPECT_TRUE(PressUntil([&] { return events.gems == 0; }, 200));
    EXPECT_NE(events[Casle_Event_Introduced], GameEvent_HasntHappened);
    EXPECT_NE(events[Casle_Event_FeePaid], GameEvent_HasntHappened);
}

TEST_F(CasleOwnerTest, TravellingBackBeforeThePaymentAndPayingAgainTakesNoMoreGems)
{
    events[Casle_Event_Introduced] = GameEvent_HasHappened;
    events.gems = 14;
    for (int i = 0; i < 700; i++)
        Step({});
    ASSERT_TRUE(PressUntil([&] { return events.gems == 7; }, 50));
    Tick const paid = events[Casle_Event_FeePaid];
    double const open = Rise();
    for (int i = 0; i < 700; i++)
        Step({});

    // Back far enough that the past self's talk does not stand in the way, and talk again.
    ReplayHarness travel(*level, keyScript);
    travel.ComeToRestBy(100);
    Step({KeyIndex_GameJump});
    Step({});
    ASSERT_FALSE(level->IsTimeTravelling());
    ASSERT_TRUE(PressUntil([&] { return events[Casle_Event_FeePaid] < paid; }, 50));
    EXPECT_EQ(events.gems, 7);
    EXPECT_EQ(Rise(), open);
}
