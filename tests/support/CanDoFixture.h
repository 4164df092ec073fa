// Test support: a world's hint panel over a small floor map, with a player to stand where a hint
// is asked for. The fixture of a world's panel test makes panel in its constructor.
#pragma once

#include "engine/CanDoIndicator.h"
#include "engine/GameEvents.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "support/SmallMap.h"
#include "support/SpeakingFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

template <class Panel>
class CanDoFixture : public SpeakingFixture
{
protected:
    explicit CanDoFixture(double startScale = 1.0) : map(ReadFloorMap())
    {
        Pointf const start(0.0, 0.0);
        player = std::make_unique<Player>(map.get(), &objects, &progress, &sounds, &start, startScale);
    }

    // The hint at (x, y) and tick t: its text, "" for none, and whether it is good news.
    std::string Hint(double x, double y, Tick t, bool* positive = nullptr)
    {
        Pointf const at(x, y);
        player->SetPos(&at);
        CanDo_Indicate indicate{nullptr, false};
        bool const found = panel->FindMessage(&indicate, t);
        EXPECT_EQ(found, indicate.mess != nullptr);
        if (positive != nullptr)
            *positive = indicate.positive;
        return found ? indicate.mess : "";
    }

    GameEvents progress;
    Game_Sounds sounds;
    ObjectList objects;
    std::unique_ptr<Map> map;
    std::unique_ptr<Player> player;
    std::unique_ptr<Panel> panel;
};
