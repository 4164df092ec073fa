// Test support for the village: the axe thrown by keys from where the player stands, at one target
// or round the market sign's tiles until every tile stands upright.
#pragma once

#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Level.h"
#include "engine/Target.h"
#include "treevillage/TreeV_MarketSign.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <vector>

constexpr int AxeThrows_Wait = 80;    // steps for a thrown axe to land and come back
constexpr int AxeThrows_Attempts = 8; // target changes tried before a throw is given up

struct AxeThrows
{
    // One step of the level with the keys held.
    std::function<void(std::vector<int> const& held)> step;

    // The tick of the latest hit recorded on target, pending ones included, or -1.
    static Tick LatestHit(Target const* target)
    {
        Tick when = GameEvent_HasntHappened;
        return target->BeenHit(Level_TotalTime, &when) ? when : GameEvent_HasntHappened;
    }

    void Idle(int steps) const
    {
        for (int i = 0; i < steps; i++)
            step({});
    }

    // One throw: aims with the action key (at the target aimed at last, while it can be, else at
    // the nearest), moves the aim on `turns` targets with the next-target key, lets go and waits
    // for the axe.
    void Throw(int turns) const
    {
        step({KeyIndex_GameAction});
        step({KeyIndex_GameAction});
        for (int i = 0; i < turns; i++)
        {
            step({KeyIndex_GameAction, KeyIndex_GameNextTarget});
            step({KeyIndex_GameAction});
        }
        step({});
        Idle(AxeThrows_Wait);
    }

    // Throws until want records a hit, moving the aim on after each throw that missed it; whether
    // it did.
    bool HitWith(Target const* want) const
    {
        for (int attempt = 0; attempt < AxeThrows_Attempts; attempt++)
        {
            Tick const before = LatestHit(want);
            Throw(attempt > 0 ? 1 : 0);
            if (LatestHit(want) != before)
                return true;
        }
        return false;
    }

    // Turns the market sign's tiles upright. The aim goes round the targets in sight in a fixed
    // order: one round, a throw at each, shows where each tile lies in it, and then each throw
    // moves the aim on to the next tile still turned.
    void MendSign(TreeV_MarketSign const* sign) const
    {
        auto hitTile = [&](std::vector<Tick>& seen) {
            int hit = -1;
            for (int i = 0; i < TreeV_MarketSign_Segments; i++)
            {
                Tick const now = LatestHit(sign->GetSwitch(i));
                if (now != seen[std::size_t(i)])
                    hit = i;
                seen[std::size_t(i)] = now;
            }
            return hit;
        };
        std::vector<Tick> seen(TreeV_MarketSign_Segments, GameEvent_HasntHappened);
        hitTile(seen);
        std::vector<int> round; // the tile at each place of the round after the first throw, or -1
        int first = -1;
        for (int throws = 0; throws < 3 * AxeThrows_Attempts; throws++)
        {
            Throw(1);
            int const tile = hitTile(seen);
            if (tile >= 0 && tile == first)
                break;
            if (first < 0)
                first = tile;
            if (first >= 0)
                round.push_back(tile);
        }
        ASSERT_GE(first, 0) << "no tile in sight";
        // The aim is on the first tile of the round again.
        int at = 0;
        int const size = int(round.size());
        for (int throws = 0; !sign->IsComplete(Level_TotalTime) && throws < 4 * AxeThrows_Attempts; throws++)
        {
            int turns = 1;
            for (; turns <= size; turns++)
            {
                int const tile = round[std::size_t((at + turns) % size)];
                if (tile >= 0 && sign->GetSwitch(tile)->GetRotation(Level_TotalTime) != 0)
                    break;
            }
            if (turns > size)
                turns = 0; // only the tile aimed at is still turned
            Throw(turns);
            at = (at + turns) % size;
        }
    }
};
