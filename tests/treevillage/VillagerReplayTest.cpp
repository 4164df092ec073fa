// The replay harness over a small level of villagers: strollers, Marbles walking by his records
// and villagers spoken to, with random travel.
#include "engine/Event_ChatInfo.h"
#include "engine/Level.h"
#include "engine/LevelEvents.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "support/LevelFixture.h"
#include "support/ReplayHarness.h"
#include "treevillage/TreeV_Dude.h"
#include "treevillage/VillagerSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

constexpr int Chat_Steps = 100;

// Every villager says one line and ends after Chat_Steps steps.
class Villager_Script final : public LevelEvents
{
public:
    Villager_Script() : LevelEvents(nullptr, nullptr) {}
    int Chatting(int, int tick, Event_ChatInfo* info, Tick) override
    {
        if (tick == 0)
            info->otherText = "Nice day.";
        if (tick == Chat_Steps)
            info->flags |= Chat_End;
        return 0;
    }
    int ChatLength(int, Tick) override { return Chat_Steps; }
};

// The four strollers, Marbles, a villager facing right at x 60 and the patient, with the player
// starting between stroller 3 (x -25) and that villager.
class Villager_Level final : public Level
{
public:
    explicit Villager_Level(GameEvents* events) : Level(events)
    {
        MapWriter writer = FloorWriter();
        struct
        {
            unsigned int id;
            double x;
        } const points[] = {{23, 0},      {24, -1000},  {58, -25},    {59, 300}, {117, 900}, {118, 600}, {119, 1200},
                            {131, -1500}, {132, -1900}, {133, -1400}, {53, 200}, {105, 60},  {80, -200}, {200, 0}};
        for (auto const& p : points)
            writer.AddRefPoint(p.id, p.x, 0.0);
        map = built.Own(ReadSmallMap(writer).release());
        Pointf const start = map->GetRefPoint(200);
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        player->levelEvents = &script;
        built.Initialise(&TreeV_Dude::Initialise, &TreeV_Dude::Finalise);
        for (TreeV_Dude_Id id : {2, 3, 14, 25, TreeV_Dude_Marbles, 9, 8})
        {
            TreeV_Dude* dude = built.Own(new TreeV_Dude(map, id, TreeV_Dude_StartPts[id]));
            objects->AddObject(dude);
            dudes.push_back(dude);
        }
        // Marbles walks right, then back left, as his game would have him.
        for (Tick t = 300; t < 400; t++)
            dudes[4]->Walk(true, t);
        for (Tick t = 700; t < 760; t++)
            dudes[4]->Walk(false, t);
    }

    TimeFrames const* GetTimeFrames() const { return timeFrames; }
    Player* GetPlayer() const { return player; }

    std::vector<TreeV_Dude*> dudes;

private:
    Villager_Script script;
};

class VillagerReplayTest : public LevelFixture
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        WriteVillagerImages(data->Path());
    }

    void SetUp() override
    {
        LevelFixture::SetUp();
        if (!HasFatalFailure())
            level = std::make_unique<Villager_Level>(&events);
    }
    void TearDown() override
    {
        level.reset();
        LevelFixture::TearDown();
    }

    std::unique_ptr<Villager_Level> level;
};

// The keys of play: turn and speak to stroller 3 at once, walk right to the villager at x 60 and speak
// to him, then walk to and fro.
std::vector<int> PlayKeys(int step)
{
    if (step >= 5 && step < 8)
        return {KeyIndex_GameLeft}; // turns to face the stroller
    if (step == 20 || step == 320)
        return {KeyIndex_GameAction};
    if (step >= 200 && step < 230)
        return {KeyIndex_GameRight};
    if (step >= 600)
        return {(step / 200) % 2 == 0 ? KeyIndex_GameLeft : KeyIndex_GameRight};
    return {};
}

TEST_F(VillagerReplayTest, EveryVillagerStandsAndFacesAsFirstShown)
{
    ReplayHarness harness(*level, keyScript);
    for (std::size_t i = 0; i < level->dudes.size(); i++)
    {
        TreeV_Dude const* dude = level->dudes[i];
        std::string const name = "villager " + std::to_string(dude->talkId);
        harness.Watch([dude, name](Tick, Replay_Digest& d) {
            ReplayHarness::Add(d, name, "x", dude->GetPos().x);
            ReplayHarness::Add(d, name, "y", dude->GetPos().y);
            ReplayHarness::Add(d, name, "frame", dude->frame);
        });
    }
    ReplayWatch_Selves(harness, level->GetTimeFrames());

    std::vector<Pointf> starts;
    for (TreeV_Dude const* dude : level->dudes)
        starts.push_back(dude->GetPos());
    for (int step = 0; step < 1500; step++)
        harness.Step(PlayKeys(step));

    // The play did what it is for: both were spoken to, and strollers and Marbles walked.
    TreeV_Dude* stroller = level->dudes[1];
    TreeV_Dude* right = level->dudes[5];
    EXPECT_EQ(stroller->CheckChat(1, 1), 3) << "stroller 3 was not spoken to";
    EXPECT_EQ(right->CheckChat(1, 360), 1) << "villager 9 was not spoken to";
    EXPECT_GT(level->dudes[4]->GetPos().x, starts[4].x + 20.0);
    int walked = 0;
    for (int i = 0; i < 4; i++)
        walked += std::abs(level->dudes[i]->GetPos().x - starts[i].x) > 20.0;
    EXPECT_GT(walked, 0);

    harness.TravelEachSeed(240);
    EXPECT_EQ(harness.mismatch, "");
    EXPECT_GT(harness.compared, 39 * harness.seedsTravelled);
}

} // namespace
