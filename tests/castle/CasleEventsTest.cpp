// The castle owner's conversations: which one he holds when, what is said, and the fee, taken once.
#include "CastleSupport.h"
#include "castle/Casle_Dude.h"
#include "castle/Casle_Events.h"
#include "engine/Event_ChatInfo.h"
#include "engine/Level.h"
#include "engine/Poly.h"
#include "support/ReplayHarness.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

// A floor with the owner at x 100, the player beside him and the entrance (group 2) further on.
MapWriter HallWriter()
{
    MapWriter writer = CastleFloor();
    writer.AddBox(400.0, 0.0, 420.0, 100.0, 0, Casle_EntranceGroup, true, false, 64.0);
    writer.AddRefPoint(1, 100.0, 0.0);
    writer.AddRefPoint(200, 60.0, 0.0);
    return writer;
}

double EntranceBottom(Map const& map)
{
    Poly const* door = map.polys[int(CastlePolyOf(map, Casle_EntranceGroup))];
    double bottom = door->GetVertexPoint(0).y;
    for (int i = 1; i < door->Points(); i++)
        bottom = std::min(bottom, door->GetVertexPoint(i).y);
    return bottom;
}

} // namespace

TEST(CasleEventsTest, TheOwnerChoosesByTheRecordAsItStandsAtTheTick)
{
    GameEvents progress;
    Casle_Events script(&progress, nullptr);
    auto id = [&](Tick t) { return script.FindTalkId(Casle_Dude_TalkId, t); };
    progress.gems = 20;
    EXPECT_EQ(id(0), Casle_Talk_Introduction);
    progress[Casle_Event_Introduced] = 100;
    EXPECT_EQ(id(99), Casle_Talk_Introduction);
    EXPECT_EQ(id(100), Casle_Talk_Paying);
    progress.gems = 7;
    EXPECT_EQ(id(100), Casle_Talk_Paying);
    progress.gems = 6;
    EXPECT_EQ(id(100), Casle_Talk_NotEnough);
    progress[Casle_Event_FeePaid] = 200;
    EXPECT_EQ(id(199), Casle_Talk_NotEnough);
    EXPECT_EQ(id(200), Casle_Talk_AfterPaying);
    progress[Event_Socks] = 300;
    EXPECT_EQ(id(300), Casle_Talk_AfterSocks) << "the socks come before the fee";
    EXPECT_EQ(script.FindTalkId(7, 300), Casle_Talk_AfterSocks);
}

TEST(CasleEventsTest, EachConversationSaysItsLinesAndEndsAtItsLength)
{
    GameEvents progress;
    std::unique_ptr<Map> map = ReadSmallMap(HallWriter());
    Casle_Events script(&progress, nullptr);
    script.map = map.get();
    progress[Casle_Event_Introduced] = GameEvent_HasHappened;
    // What each conversation says (hero lines marked "+") and the tick it ends at.
    auto run = [&](Tick t) {
        std::string said;
        for (int tick = 0; tick <= script.ChatLength(Casle_Dude_TalkId, t); tick++)
        {
            Event_ChatInfo info;
            script.Chatting(Casle_Dude_TalkId, tick, &info, t + tick);
            said += info.heroText != nullptr ? std::string("+") + info.heroText + "|" : "";
            said += info.otherText != nullptr ? std::string(info.otherText) + "|" : "";
            said += (info.flags & Chat_End) != 0 ? std::to_string(tick) : "";
        }
        return said;
    };
    progress.gems = 6;
    EXPECT_EQ(run(100), "Do you have 7 gems for entrance to my dungeon?|"
                        "+No, not yet.  I guess I'd better go and find some more.|550");
    EXPECT_EQ(progress.gems, 6);
    progress.gems = 7;
    EXPECT_EQ(run(1000), "+It's been hard work to get these gems but you can have them.|"
                         "Thank you, the entrance to the dungeon is just through there.|550");
    EXPECT_EQ(progress.gems, 0);
    EXPECT_EQ(progress[Casle_Event_FeePaid], 1250);
    EXPECT_EQ(EntranceBottom(*map), 0.0 + Casle_EntranceRise);
    EXPECT_EQ(run(2000), "Good luck with the socks!|300");
    progress[Event_Socks] = GameEvent_HasHappened;
    EXPECT_EQ(run(2000), "I hope you find those socks useful!|300");
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
        Pointf const start = map->GetRefPoint(200);
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        script = built.Own(new Casle_Events(gameEvents, message));
        script->player = player;
        script->map = map;
        player->levelEvents = script;
        built.Initialise(&Casle_Dude::Initialise, &Casle_Dude::Finalise);
        script->dude = built.Own(new Casle_Dude(map, 1));
        objects->AddObject(static_cast<Dude*>(script->dude));
    }

    Map const* GetMap() const { return map; }
    Casle_Events* script = nullptr;
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

    void Step(std::vector<int> const& held, int times = 1)
    {
        for (int i = 0; i < times; i++)
            level->Poll(keyScript.Next(held));
    }
    // Presses and lets go of the action key until done() or the steps run out.
    template <class Done>
    bool PressUntil(Done&& done, int steps)
    {
        for (int i = 0; i < steps && !done(); i++)
            Step(i % 2 == 0 ? std::vector<int>{KeyIndex_GameAction} : std::vector<int>{});
        return done();
    }

    std::unique_ptr<Hall_Level> level;
};

} // namespace

TEST_F(CasleOwnerTest, TheIntroductionRunsStraightOnIntoTheFeeAlsoWhenSkipped)
{
    events.gems = 7;
    Step({});
    Step({KeyIndex_GameAction});
    Tick const pressed = level->GetTick() - 1;
    for (int i = 0; i < 6260 && level->script->talkId == Casle_Talk_Introduction; i++)
        Step({});
    EXPECT_LE(events[Casle_Event_Introduced] - pressed, 6251);
    EXPECT_GE(events[Casle_Event_Introduced] - pressed, 6250);
    Step({}, 300);
    EXPECT_EQ(events.gems, 0);
    EXPECT_EQ(events[Casle_Event_FeePaid], events[Casle_Event_Introduced] + 251) << "the fee's tick 0 follows at once";
    EXPECT_EQ(EntranceBottom(*level->GetMap()), Casle_EntranceRise);
    Step({}, 400);
    Step({KeyIndex_GameAction});
    Step({});
    EXPECT_EQ(level->script->talkId, Casle_Talk_AfterPaying);

    // Skipped line by line with the action key, the introduction leads into the fee just the same.
    level.reset();
    events = GameEvents();
    events[Event_TimeTravel] = GameEvent_HasHappened;
    events.gems = 7;
    level = std::make_unique<Hall_Level>(&events);
    EXPECT_TRUE(PressUntil([&] { return events.gems == 0; }, 200));
    EXPECT_NE(events[Casle_Event_Introduced], GameEvent_HasntHappened);
}

TEST_F(CasleOwnerTest, TravellingBackBeforeThePaymentAndPayingAgainTakesNoMoreGems)
{
    events[Casle_Event_Introduced] = GameEvent_HasHappened;
    events.gems = 14;
    Step({}, 700);
    ASSERT_TRUE(PressUntil([&] { return events.gems == 7; }, 50));
    Tick const paid = events[Casle_Event_FeePaid];
    Step({}, 700);

    // Back far enough that the past self's talk does not stand in the way, and talk again.
    ReplayHarness travel(*level, keyScript);
    travel.ComeToRestBy(100);
    Step({KeyIndex_GameJump});
    Step({});
    ASSERT_FALSE(level->IsTimeTravelling());
    ASSERT_TRUE(PressUntil([&] { return events[Casle_Event_FeePaid] < paid; }, 50));
    EXPECT_EQ(events.gems, 7);
    EXPECT_EQ(EntranceBottom(*level->GetMap()), Casle_EntranceRise);
}
