// Conversations of the plateau: the hermit's order and its travel, the miners' lines and swing.
#include "engine/Enemy.h"
#include "engine/Event_ChatInfo.h"
#include "plateau/PlatoSupport.h"
#include "plateau/Plato_Aerial.h"
#include "plateau/Plato_Dude.h"
#include "plateau/Plato_Events.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

class Stinger final : public Enemy
{
public:
    int IsPlayerHit(Tick, Pointf const*) override { return 1; }
};

class PlatoEventsTest : public PlateauFixture
{
protected:
    PlatoEventsTest() : scripts(&events, &message)
    {
        scripts.player = &MakePlayer();
        aerial = std::make_unique<Plato_Aerial>(map.get(), &message, player.get(), 24, 25, false);
        scripts.aerial = aerial.get();
    }

    // Runs a conversation from step 0 to its end (or to stop) starting at level tick t.
    int Talk(int talker, Tick t, int stop = -1)
    {
        int const length = scripts.ChatLength(talker, t);
        int const last = stop < 0 ? length : stop;
        for (int k = 0; k <= last; k++)
        {
            Event_ChatInfo info;
            scripts.Chatting(talker, k, &info, t + k);
            lastEnded = (info.flags & Chat_End) != 0;
        }
        return scripts.current;
    }

    Plato_Events scripts;
    std::unique_ptr<Plato_Aerial> aerial;
    bool lastEnded = false;
};

TEST_F(PlatoEventsTest, TheHermitAsksRewardsAndForgetsAfterTravel)
{
    saveGame = false;
    EXPECT_EQ(scripts.FindTalkId(Plato_Hermit_TalkId, 0), 0);
    // Cut before the request: still unasked.
    Talk(Plato_Hermit_TalkId, 100, 1249);
    EXPECT_EQ(scripts.FindTalkId(Plato_Hermit_TalkId, 5000), 0);
    EXPECT_EQ(Talk(Plato_Hermit_TalkId, 1000), 0);
    EXPECT_TRUE(lastEnded);
    EXPECT_EQ(scripts.events[0], 2250);
    EXPECT_EQ(scripts.FindTalkId(Plato_Hermit_TalkId, 2250), 1);
    EXPECT_EQ(scripts.FindTalkId(Plato_Hermit_TalkId, 2249), 0); // travelled back before the request
    EXPECT_EQ(Talk(Plato_Hermit_TalkId, 4000), 1);
    EXPECT_EQ(scripts.ChatLength(Plato_Hermit_TalkId, 4000), 300);

    for (int i = 0; i < 3; i++)
        aerial->angles[i] = Aerial_Correct_Angles[i];
    EXPECT_EQ(scripts.FindTalkId(Plato_Hermit_TalkId, 6000), 2);
    // The boots come at step 250, not at the end.
    Talk(Plato_Hermit_TalkId, 6000, 249);
    EXPECT_FALSE(events.Happened(Event_DoubleJump, 7000));
    Event_ChatInfo info;
    scripts.Chatting(Plato_Hermit_TalkId, 250, &info, 6250);
    EXPECT_STREQ(info.otherText, "boots.  They should let you jump higher than you can just now");
    EXPECT_EQ(events[Event_DoubleJump], 6250);
    EXPECT_TRUE(saveGame);
    EXPECT_STREQ(message.GetShownText(), "Received jump boots");
    EXPECT_EQ(scripts.FindTalkId(Plato_Hermit_TalkId, 6250), 3);
    EXPECT_EQ(scripts.FindTalkId(Plato_Hermit_TalkId, 6249), 2);
    saveGame = false;

    EXPECT_FALSE(scripts.NotHappened(0, 2250));
    scripts.events[0] = GameEvent_HasHappened;
    EXPECT_FALSE(scripts.NotHappened(0, 0));
}

TEST_F(PlatoEventsTest, MinersLinesSandwichAndSwing)
{
    Event_ChatInfo info;
    scripts.Chatting(0, 0, &info, 10);
    EXPECT_STREQ(info.otherText, "Welcome to Camdo's mine!  We dig out valuable minerals and");
    EXPECT_EQ(info.heroText, nullptr);
    // Each miner's talk lasts until 300 steps after his last line.
    int const lengths[] = {800, 1050, 1050, 1800, 1550};
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(scripts.ChatLength(i, 0), lengths[i]) << i;

    // Full health: the tunnel advice.
    EXPECT_EQ(Talk(3, 0), 8);
    static Stinger sting; // the list keeps it beyond the test
    objects.AddEnemy(&sting);
    player->keys = 0;
    player->Move(1 << 8);
    int hp = 0;
    int most = 0;
    player->GetHitPoints(&hp, &most);
    ASSERT_LT(hp, most);
    EXPECT_EQ(scripts.FindTalkId(3, 10), 7);
    EXPECT_EQ(scripts.ChatLength(3, 10), 1300);
    Talk(3, 100, 999);
    player->GetHitPoints(&hp, nullptr);
    EXPECT_LT(hp, most);
    info = Event_ChatInfo();
    scripts.Chatting(3, 1000, &info, 1100);
    EXPECT_STREQ(info.heroText, "Thank you very much, I feel better already.");
    player->GetHitPoints(&hp, nullptr);
    EXPECT_EQ(hp, most);

    std::pair<Tick, int> const frames[] = {{0, 5}, {6, 0}, {35, 0}, {41, 5}, {42, 5}, {38, 2}, {3, 2}};
    for (auto const& [t, f] : frames)
        EXPECT_EQ(Plato_Dude::CalcFrame(t), f) << t;
}

TEST_F(PlatoEventsTest, MinersStandAndTheHermitFacesAsFirstShown)
{
    Plato_Dude::Initialise();
    Plato_Dude miner(map.get(), 2, 57, false);
    Plato_Hermit hermit(map.get(), 26);
    Pointf const left(0.0, 0.0);
    Event_ChatInfo info;
    bool changed = false;
    hermit.TalkTo(&left, &info, 300, changed);
    miner.TalkTo(&left, &info, 300, changed);
    std::uint32_t faced[400];
    for (Tick t = 1; t < 400; t++)
    {
        hermit.MoveToTime(map.get(), t);
        miner.MoveToTime(map.get(), t);
        faced[t] = hermit.frame & ~FrameMask;
        EXPECT_EQ(miner.frame & ~FrameMask, LeftFrame);
        miner.Render(map.get(), t);
        hermit.Render(map.get(), t);
    }
    EXPECT_EQ(faced[300], RightFrame);
    EXPECT_EQ(faced[301], LeftFrame);
    for (Tick t : {350, 100, 301, 300, 50})
    {
        hermit.MoveToTime(map.get(), t);
        EXPECT_EQ(hermit.frame & ~FrameMask, faced[t]) << t;
    }
    Plato_Dude::Finalise();
}

} // namespace
