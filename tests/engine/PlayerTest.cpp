// The player: hits and dying, the camera, hanging, stats across a size change, actions and conversations.
#include "engine/Player.h"

#include "engine/CharStats.h"
#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/Dude.h"
#include "engine/Enemy.h"
#include "engine/Event_ChatInfo.h"
#include "engine/GameEvents.h"
#include "engine/HangOn.h"
#include "engine/LevelEvents.h"
#include "engine/ObjectList.h"
#include "engine/Sign.h"
#include "engine/Target.h"
#include "engine/Teleport.h"
#include "engine/TimeFrames.h"
#include "media/Game_Sounds.h"
#include "support/SmallMap.h"
#include "support/SpeakingFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{

class StingingEnemy final : public Enemy
{
public:
    int IsPlayerHit(Tick, Pointf const*) override { return 1; }
};

// A target standing in front of the player.
class Post final : public Target
{
public:
    Post() : Target(Sound_None) {}
    bool GetTargetPos(Map const*, Tick, Pointf& at) const override
    {
        at = Pointf(100.0, 10.0);
        return true;
    }
};

class CountingHangOn final : public HangOn
{
public:
    void PlayerHanging(Tick) override { hangs++; }
    void PlayerJumped(Tick) override { jumps++; }
    int hangs = 0;
    int jumps = 0;
};

// A script that says one line of the villager's at its first step and ends at `length`;
// with length 0 it never says or ends anything.
class Script final : public LevelEvents
{
public:
    explicit Script(int chatLength) : LevelEvents(nullptr, nullptr), length(chatLength) {}

    int Chatting(int talker, int tick, Event_ChatInfo* info, Tick) override
    {
        steps.push_back(tick);
        talkers.push_back(talker);
        if (length == 0)
            return 0;
        if (tick == 0)
            info->otherText = "Hello.";
        if (tick == length)
            info->flags |= Chat_End;
        return 0;
    }
    int ChatLength(int, Tick) override { return length; }

    int length;
    std::vector<int> steps;
    std::vector<int> talkers;
};

class PlayerTest : public SpeakingFixture
{
protected:
    PlayerTest()
    {
        Player::Initialise();
        sounds.mute = 1;
        MapWriter writer = FloorWriter();
        writer.AddRefPoint(1, 30.0, 0.0);   // a villager's place, in front of the player
        writer.AddRefPoint(2, -600.0, 0.0); // the far end of a teleport
        writer.AddRefPoint(3, 0.0, 0.0);
        map = ReadSmallMap(writer);
    }

    ~PlayerTest() override
    {
        player.reset();
        Player::Finalise();
    }

    Player& MakePlayer(ObjectList* list = nullptr)
    {
        Pointf const start(0.0, 0.0);
        player = std::make_unique<Player>(map.get(), list != nullptr ? list : &objects, &events, &sounds, &start, 1.0);
        return *player;
    }

    // One level step with the given keys; the clock advances as the level's would.
    void Step(std::uint32_t keys = 0)
    {
        player->keys = keys;
        player->Move(clock << 8);
        clock++;
    }

    Game_Sounds sounds;
    GameEvents events;
    ObjectList objects;
    std::unique_ptr<Map> map;
    std::unique_ptr<Player> player;
    Tick clock = 1;
};

int HitPoints(Player const& player)
{
    int current = 0;
    player.GetHitPoints(&current, nullptr);
    return current;
}

TEST_F(PlayerTest, HitsGraceDyingAndTheGhost)
{
    StingingEnemy enemy;
    objects.AddEnemy(&enemy);
    Player& hero = MakePlayer();
    int most = 0;
    hero.GetHitPoints(nullptr, &most);
    ASSERT_EQ(HitPoints(hero), most);

    Step();
    EXPECT_EQ(HitPoints(hero), most - 1);
    for (int i = 0; i < 200; i++)
        Step();
    EXPECT_EQ(HitPoints(hero), most - 1);
    Step();
    EXPECT_EQ(HitPoints(hero), most - 2);
    EXPECT_EQ(hero.IsPlayerDead(), 0);

    hero.Die();
    double const x = hero.GetPos().x;
    for (int i = 0; i < 100; i++)
    {
        Step(Character_Right | Character_Jump);
        hero.Render(map.get(), clock << 8); // blinking, then the dying frames
        hero.RenderHUD(map.get(), clock << 8);
    }
    EXPECT_EQ(hero.IsPlayerDead(), 1);
    EXPECT_EQ(hero.GetPos().x, x); // a dying body takes no input
    Step();
    EXPECT_EQ(hero.IsPlayerDead(), 2);

    // Socks found in an earlier level make a ghost that plays on, unless death is forced.
    events[5] = GameEvent_HasHappened;
    EXPECT_EQ(hero.IsPlayerDead(), 3);
    hero.forceDeath = true;
    EXPECT_EQ(hero.IsPlayerDead(), 2);
}

TEST_F(PlayerTest, GrantsSurviveASizeChange)
{
    Player& hero = MakePlayer();
    int before = 0;
    hero.GetHitPoints(nullptr, &before);
    ASSERT_FALSE(hero.GetStats()->airJump);

    hero.CanDoubleJump();
    hero.TotalHPUp();
    hero.SetScale(2.0);
    for (int i = 0; i < 100; i++)
        Step();
    EXPECT_EQ(hero.GetScale(), 2.0);
    EXPECT_TRUE(hero.GetStats()->airJump);
    int most = 0;
    hero.GetHitPoints(nullptr, &most);
    EXPECT_EQ(most, before + 1);
    EXPECT_EQ(HitPoints(hero), before + 1);
}

// Hearts bought in earlier visits to the market are worn full from the level's start.
TEST_F(PlayerTest, HeartsOfEarlierLevelsAreWornFromTheStart)
{
    events[6] = GameEvent_HasHappened;
    Player& hero = MakePlayer();
    int most = 0;
    hero.GetHitPoints(nullptr, &most);
    EXPECT_EQ(most, 5);
    EXPECT_EQ(HitPoints(hero), 5);
    player.reset();

    events[7] = GameEvent_HasHappened;
    MakePlayer().GetHitPoints(nullptr, &most);
    EXPECT_EQ(most, 6);
    EXPECT_EQ(HitPoints(*player), 6);
}

TEST_F(PlayerTest, CameraEasesItsZoomAndObeysTheWorld)
{
    Player& hero = MakePlayer();
    EXPECT_DOUBLE_EQ(map->view.scale, FAR_SCALE); // placed at once when built

    hero.SetCameraScale(2.0, CameraMove_Ease8);
    Step();
    EXPECT_NEAR(std::log(map->view.scale / FAR_SCALE), std::log(2.0 / FAR_SCALE) / 8, 1e-9);

    // A jump to a world target keeps the player's x with the follow bit and takes the target's y.
    hero.SetCameraScale(1.0, CameraMove_Jump);
    Pointf const target(500.0, 300.0);
    hero.SetCameraPos(&target, CameraMove_Jump, Player_Camera_FollowX);
    Pointf const centre = map->GetPos();
    EXPECT_NEAR(centre.x, hero.GetRelativePos(0, 0.8).x, 1e-9);
    EXPECT_NEAR(centre.y, 300.0, 1e-9);
}

TEST_F(PlayerTest, HangingAndTheDelayBeforeTheSamePointCatchesAgain)
{
    // A low ceiling stops the jump off the hang point, so the player stays within its reach.
    MapWriter writer = FloorWriter();
    writer.AddBox(-100.0, 32.0, 100.0, 60.0, 0, 0, true, false, 64.0);
    map = ReadSmallMap(writer);
    CountingHangOn point;
    point.hangPos = Pointf(0.0, 10.0);
    objects.AddHangOn(&point);
    Player& hero = MakePlayer();

    Step(); // caught after the physics
    Step();
    EXPECT_EQ(point.hangs, 1);
    EXPECT_EQ(hero.GetPos(), point.hangPos);

    Step(Character_Jump);
    EXPECT_EQ(point.jumps, 1);
    for (int i = 0; i < 11; i++)
        Step();
    EXPECT_EQ(point.hangs, 1);
    Step();
    EXPECT_EQ(point.hangs, 2);
}

TEST_F(PlayerTest, VillagersRefuseWhenAPastSelfTalksToThem)
{
    Script script(400);
    Dude dude(map.get(), 4, 1);
    objects.AddObject(&dude);
    Player& hero = MakePlayer();
    hero.levelEvents = &script;
    Pointf const pastSelf(50.0, 0.0);
    Event_ChatInfo silent;
    bool changed = false;

    // The line the hero says, skipped through to its end.
    auto refusal = [&]() {
        Event_ChatInfo info;
        hero.Chatting(0, &info);
        while (hero.SkipChat(clock) != 0)
        {
        }
        return std::string(info.heroText != nullptr ? info.heroText : "");
    };

    dude.TalkTo(&pastSelf, &silent, clock, changed);
    Step(Character_Fire);
    EXPECT_EQ(refusal(), "They can't talk, they are already talking to a past version of me.");

    dude.TalkTo(&pastSelf, &silent, clock + 100, changed);
    Step(Character_Fire);
    EXPECT_EQ(refusal(), "They can't talk, they are about to talk to a past version of me.");

    dude.dudeFlags = Dude_Busy;
    dude.TalkTo(&pastSelf, &silent, clock + 5000, changed);
    Step(Character_Fire);
    EXPECT_EQ(refusal(), "They can't talk, they seem busy.");
    EXPECT_TRUE(script.steps.empty());

    // Free again: the conversation starts and runs its first step at once.
    dude.dudeFlags = 0;
    clock += 6000;
    Step(Character_Fire);
    EXPECT_EQ(script.steps, std::vector<int>{0});
    EXPECT_EQ(script.talkers, std::vector<int>{4});
    EXPECT_EQ(dude.CheckChat(1, clock - 1), 1);
}

TEST_F(PlayerTest, ConversationsEndWhenTheScriptStallsOrTheHeroWalksAway)
{
    Script stalled(0);
    Script talking(1000);
    Dude dude(map.get(), 0, 1);
    Player& hero = MakePlayer();
    hero.levelEvents = &stalled;
    hero.StartChat(&dude);
    EXPECT_EQ(hero.SkipChat(clock), Player_SkipLimit);
    EXPECT_EQ(hero.SkipChat(clock), 0);

    hero.levelEvents = &talking;
    hero.StartChat(&dude);
    Step();
    EXPECT_NEAR(std::log(map->view.scale), std::log(FAR_SCALE) + std::log(CHAT_SCALE / FAR_SCALE) / 8, 1e-9);
    while (hero.GetPos().x > -40.0)
        Step(Character_Left);
    EXPECT_EQ(hero.SkipChat(clock), 0);
}

TEST_F(PlayerTest, TheActionKeyTakesTheFirstThingInReach)
{
    Image signPicture(Image_Generated(1), 8, 8);
    Chest chest(Pointf(10.0, 0.0), 3, nullptr, 1.0);
    Sign sign(Pointf(-10.0, 0.0), 1.0, &signPicture, 0x42);
    sign.AddText("Keep off the grass.");
    Dude dude(map.get(), 1, 1);
    Script script(400);

    // Each round offers one thing less: chest, sign, teleport, villager, a target in sight;
    // in the last the key is released without having been seen held, so nothing is aimed at.
    for (int round = 0; round < 6; round++)
    {
        ObjectList reach;
        Post post;
        if (round < 1)
            reach.AddObject(&chest);
        if (round < 2)
            reach.AddObject(&sign);
        if (round < 3)
            reach.AddTeleport(new Teleport(3, 2, 30.0));
        if (round < 4)
            reach.AddObject(&dude);
        reach.AddTarget(&post);
        Player& hero = MakePlayer(&reach);
        hero.levelEvents = &script;
        script.steps.clear();
        Step(round < 5 ? std::uint32_t(Character_Aim) : 0u);
        Step(Character_Fire);

        Event_ChatInfo info;
        hero.Chatting(0, &info);
        EXPECT_EQ(hero.OpeningChest(), round == 0 ? &chest : nullptr) << round;
        EXPECT_EQ(info.heroText != nullptr && std::string(info.heroText) == "Keep off the grass.", round == 1) << round;
        for (int i = 0; i < 100; i++)
            Step();
        EXPECT_EQ(hero.GetPos() == map->GetRefPoint(2), round == 2) << round;
        EXPECT_EQ(script.steps.empty(), round != 3) << round;
        EXPECT_EQ(post.BeenHit(clock, nullptr), round == 4) << round;
        player.reset();
    }
}

// The range's prize and the boost bought in the market each double the blade's blow; a prize won
// in this very level waits for the next one, while a bought boost is worn at once.
TEST_F(PlayerTest, TheThrownBladeStrikesWithTheSwordStrength)
{
    struct Boosts
    {
        Tick range;
        Tick bought;
        int blow;
    };
    Boosts const cases[] = {
        {GameEvent_HasntHappened, GameEvent_HasntHappened, 1},
        {GameEvent_HasntHappened, GameEvent_HasHappened, 2},
        {GameEvent_HasHappened, GameEvent_HasntHappened, 2},
        {GameEvent_HasHappened, GameEvent_HasHappened, 4},
        {5, GameEvent_HasHappened, 2},
    };
    for (Boosts const& boosts : cases)
    {
        events[1] = boosts.range;
        events[2] = boosts.bought;
        ObjectList reach;
        Post post;
        reach.AddTarget(&post);
        MakePlayer(&reach);
        Step(Character_Aim);
        Step(Character_Fire);
        for (int i = 0; i < 100; i++)
            Step();
        EXPECT_EQ(post.GetHitPoints(clock, 10), 10 - boosts.blow) << boosts.range << " " << boosts.bought;
        player.reset();
    }
}

TEST_F(PlayerTest, AColouredItemOpensItsColoursOnly)
{
    MapWriter writer = FloorWriter();
    writer.AddBox(40.0, 0.0, 60.0, 100.0, 0, Red_Group, true, false, 64.0);
    writer.AddRefPoint(5, 10.0, 0.0);
    map = ReadSmallMap(writer);
    TimeFrames recordings;
    Collectable::Initialise(&recordings);
    Image picture(Image_Generated(1), 8, 8);
    Collectable key(map.get(), 5, &picture, 0, Collectable_Flags(Collectable_Red | Collectable_Blue));
    objects.AddObject(&key);
    Player& hero = MakePlayer();
    hero.colourGroups = true;

    Step(Character_Fire);
    ASSERT_EQ(hero.GetHeldObject(), &key);
    while (hero.GetPos().x < 50.0 && clock < 200)
        Step(Character_Right);
    // It cannot be put down inside the wall it lets the player through.
    Step(Character_Fire);
    EXPECT_EQ(hero.GetHeldObject(), &key);
    while (hero.GetPos().x < 80.0 && clock < 400)
        Step(Character_Right);
    Step(Character_Fire);
    EXPECT_EQ(hero.GetHeldObject(), nullptr);
    EXPECT_FALSE(key.GetPlayerHolding());

    // Empty-handed, only white walls would let him through.
    for (int i = 0; i < 100; i++)
        Step(Character_Left);
    EXPECT_GT(hero.GetPos().x, 59.9);
}

} // namespace

// The most gems a slot may hold once ran off the screen's right edge: the row wraps.
TEST(PlayerHud, GemIconsFitTheScreenWithoutOverlapForEveryCount)
{
    for (double const width : {24.0, 30.0, 48.0})
    {
        double const top = 432.0;
        double const height = width;
        std::vector<Pointf> corners;
        for (int i = 0; i < GameEvents_MaxGems; i++)
        {
            Pointf const c = Player::GemIconCorner(i, width, height, top);
            EXPECT_GE(c.x, 0.0) << width << " " << i;
            EXPECT_LE(c.x + width, 640.0) << width << " " << i;
            EXPECT_LE(c.y, top) << width << " " << i;
            EXPECT_GE(c.y - height, 0.0) << width << " " << i;
            for (Pointf const& other : corners)
                EXPECT_TRUE(std::fabs(other.x - c.x) >= width || std::fabs(other.y - c.y) >= height)
                    << width << " " << i;
            corners.push_back(c);
        }
        EXPECT_EQ(Player::GemIconCorner(1, width, height, top).y, top) << "a row starts full width";
    }
}
