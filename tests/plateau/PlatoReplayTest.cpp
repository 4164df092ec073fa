// A provoked cave turtle with a rider and a mortar firing at rocks, replayed over random travel.
#include "engine/GameEvents.h"
#include "engine/Level.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/TimeFrames.h"
#include "engine/TimeSet.h"
#include "media/Game_Sounds.h"
#include "plateau/PlatoSupport.h"
#include "plateau/Plato_CaveTurtle.h"
#include "plateau/Plato_MapMove.h"
#include "plateau/Plato_Mortar.h"
#include "platform/Audio.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "support/KeyScript.h"
#include "support/LevelFixture.h"
#include "support/MapFiles.h"
#include "support/ReplayHarness.h"
#include "support/ReplayLevelFixture.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace
{

constexpr unsigned int Shell = 28;
constexpr unsigned int Home = 106;
constexpr unsigned int MortarRp = 101;
constexpr unsigned int Start = 3;

std::unique_ptr<Map> ReplayMap()
{
    MapWriter writer;
    writer.SetView(-320.0, -240.0, 1.0);
    writer.AddBox(-2000.0, -100.0, 2000.0, 0.0, 0, 0, true, false, 64.0);
    writer.AddBox(1900.0, 0.0, 2000.0, 1500.0, 0, 0, true, false, 64.0);
    writer.AddBox(-2000.0, 0.0, -1900.0, 1500.0, 0, 0, true, false, 64.0);
    writer.AddBox(-50.0, 10.0, 50.0, 45.0, 0, Shell, true, false, 64.0);
    writer.AddBox(300.0, 0.0, 700.0, 400.0, 0, 5, true, false, 64.0);
    writer.AddBox(700.0, 0.0, 1100.0, 600.0, 0, 6, true, false, 64.0);
    writer.AddRefPoint(Home, 0.0, 17.5);
    writer.AddRefPoint(MortarRp, 20.0, 46.0);
    writer.AddRefPoint(Start, 0.0, 46.0);
    AddMissingGroups(writer, 1, Plato_MineLift);
    return MapFiles::Load<Map>(writer);
}

// The keys the mortar gets at a tick of forward play: taken, a shell, a turn, a shell, left.
KeyData MortarKeys(Tick t)
{
    KeyData keys;
    if (t == 3 || t == 10 || t == 70)
        keys.keys[KeyIndex_GameAction] = KeyState_Released;
    if (t > 10 && t < 60)
        keys.keys[KeyIndex_GameRight] = KeyState_Held;
    if (t == 100)
        keys.keys[KeyIndex_GameJump] = KeyState_Pressed;
    return keys;
}

class Plato_ReplayLevel final : public Level
{
public:
    explicit Plato_ReplayLevel(GameEvents* events) : Level(events)
    {
        map = built.Own(ReplayMap().release());
        Pointf const start = map->GetRefPoint(Start);
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        Plato_MapMove* driver = built.Own(new Plato_MapMove(map, objects));
        built.Initialise(&Plato_CaveTurtle::Initialise, &Plato_CaveTurtle::Finalise);
        turtle = built.Own(new Plato_CaveTurtle(player, map, Home, Shell, 260.0, 30));
        objects->AddObject(static_cast<Object*>(turtle));
        objects->AddEnemy(turtle);
        objects->AddTarget(turtle);
        driver->AddObject(turtle);
        mortar = built.Own(new Plato_Mortar(map, message, player, MortarRp));
        driver->AddObject(mortar);
        mapMove = driver;
        map->PreprocessCollision();
    }

    Level_Action Poll(KeyData keys) override
    {
        Level_Action const result = Level::Poll(keys);
        bool const travelling = IsTimeTravelling();
        KeyData gun = travelling ? KeyData() : MortarKeys(GetTick());
        mortar->Poll(map, GetTick(), &gun, travelling);
        return result;
    }

    Player* GetPlayer() const { return player; }
    Map* GetMap() const { return map; }
    TimeFrames* GetTimeFrames() const { return timeFrames; }

    Plato_CaveTurtle* turtle = nullptr;
    Plato_Mortar* mortar = nullptr;
};

} // namespace

class PlatoReplayTest : public ReplayLevelFixture<LevelFixture, Plato_ReplayLevel>
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        WritePlateauImages(data->path.string());
    }

    void SetUp() override
    {
        LevelFixture::SetUp();
        events.eventTimes[Event_Socks] = GameEvent_HasHappened; // the spikes may hurt, never kill
    }
};

TEST_F(PlatoReplayTest, ATurtleItsRiderShellsRocksAndTheGunReplayAfterRandomTravel)
{
    ASSERT_TRUE(BuildLevel());
    Plato_CaveTurtle* turtle = level->turtle;
    Plato_Mortar* mortar = level->mortar;
    Map const* map = level->GetMap();
    ReplayHarness harness(*level, keyScript);
    harness.Watch([turtle, mortar](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, "turtle", "x", turtle->Pos().x);
        ReplayHarness::Add(d, "turtle", "spikes", turtle->Spikes());
        ReplayHarness::Add(d, "turtle", "alive", turtle->Alive(t));
        ReplayHarness::Add(d, "mortar", "angle", mortar->FindAngle(t));
        for (int i = 0; i < mortar->Attacks().Count(); i++)
        {
            Mortar_Attack const* shell = mortar->Attacks()[i];
            if (shell->time > t)
                continue; // not fired yet
            bool const flying = t < shell->time + shell->length;
            ReplayHarness::Add(d, "shell " + std::to_string(i), "flying", flying);
        }
    });
    ReplayWatch_Groups(harness, map);
    ReplayWatch_Selves(harness, level->GetTimeFrames());

    Player const* hero = level->GetPlayer();
    double leftmost = hero->GetPos().x;
    for (int i = 0; i < 700; ++i)
    {
        harness.Step(std::vector<int>{});
        leftmost = std::min(leftmost, hero->GetPos().x);
    }
    EXPECT_LT(leftmost, -200.0) << "the rider was not carried through the charge";
    ASSERT_TRUE(turtle->ChargeTimes()->CheckRange(TimeRange(0, 10)));
    ASSERT_TRUE(turtle->SpikeTimes()->CheckRange(TimeRange(0, 700)));
    ASSERT_EQ(mortar->Attacks().Count(), 2);
    ASSERT_FALSE(mortar->active);
    EXPECT_TRUE(mortar->rockFallTime[4] != GameEvent_HasntHappened
                || mortar->rockFallTime[5] != GameEvent_HasntHappened);
    int const bursts = mortar->BurstsPlayed();
    EXPECT_EQ(bursts, 2);

    harness.TravelEachSeed(200);
    EXPECT_EQ(harness.mismatch, "");
    EXPECT_GT(harness.compared, 24 * harness.seedsTravelled);
    EXPECT_EQ(mortar->BurstsPlayed(), bursts);
    EXPECT_EQ(mortar->Attacks().Count(), 2);
}
