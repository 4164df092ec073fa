// Test support: a player on the small map of moving groups, standing wherever a test puts him.
#pragma once

#include "engine/GameEvents.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "platform/GameWindow.h"
#include "support/GroupTestSupport.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"

class GroupPlayerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        DataGen::WriteImages(dir.path.string());
        ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
        Player::Initialise();
        sounds.mute = 1;
    }

    void TearDown() override
    {
        player.reset();
        Player::Finalise();
        GameWindow::Close();
    }

    // Built, like a world's, before the things that move groups and the collision grid.
    Player& MakePlayer()
    {
        Pointf const start(0.0, 10.0);
        player = std::make_unique<Player>(map.get(), &objects, &events, &sounds, &start, 1.0);
        return *player;
    }

    // Feet on the group's block, or in the air with group 0.
    void StandOn(unsigned int group)
    {
        player->onGround = group != 0;
        player->groundPoly = group != 0 ? GroupMap::PolyOf(*map, group) : 0;
    }

    TestFolder dir{true};
    Game_Sounds sounds;
    GameEvents events;
    ObjectList objects;
    std::unique_ptr<Map> map = GroupMap::Make();
    std::unique_ptr<Player> player;
};
