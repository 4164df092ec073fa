// Test support: a save slot whose open map paths lead to a given world, and the input script that
// takes the real program from the title through the map into that world.
#pragma once

#include "engine/GameEvents.h"
#include "engine/Level_Type.h"
#include "shell/MapScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class SaveSlotWriter final
{
public:
    // The record is base (hearts, sword, gems held...) with the map's paths opened along the way
    // from the village to world, and further only as the map needs to start the figure there.
    // The castle is off that way: the figure starts beside it and walks over.
    explicit SaveSlotWriter(Level_Type world, GameEvents const& base = GameEvents()) : target(world - 1)
    {
        record.Copy(&base);
        for (int p : Route(0, target))
            Open(p);
        for (int event = Path_FirstEvent; event < Path_FirstEvent + Path_Count; ++event)
        {
            int const from = MapScreen::FindLatestLocation(&record);
            if (from == target)
                return;
            int const p = PathBetween(from, target);
            if (p >= 0 && record.Happened(Path_FirstEvent + p, 0))
            {
                walkKey = WalkKey(from);
                return;
            }
            record[event] = GameEvent_HasHappened;
        }
        ADD_FAILURE() << "no slot starts the map at or beside world " << world;
    }

    GameEvents const& Record() const { return record; }

    // Writes the record as the first slot, saves/save0 of the data folder.
    void Write(std::filesystem::path const& dataFolder) const
    {
        std::filesystem::create_directories(dataFolder / "saves");
        record.Save((dataFolder / "saves/save0").c_str());
    }

    // Script lines that take the first slot once the title is up (the title, the logos and their
    // fades take the first 740 steps), walk over on the map if the figure must, and act there.
    // The world plays from LevelStep() on.
    std::string Script() const
    {
        std::string script = "800 key 0x0D down\n805 key 0x0D up\n";
        int act = 900;
        if (walkKey != 0)
        {
            script += "900 key " + std::to_string(walkKey) + " down\n905 key " + std::to_string(walkKey) + " up\n";
            act = 1000; // a walk along a path takes some 60 steps
        }
        script += std::to_string(act) + " key 0x50 down\n" + std::to_string(act + 10) + " key 0x50 up\n";
        return script;
    }
    int LevelStep() const { return walkKey != 0 ? 1100 : 1000; }

private:
    // The virtual key that walks the figure from location from towards the target: change target
    // back and on (O, K), left and right (Q, W) with the default keys.
    int WalkKey(int from) const
    {
        static constexpr int keys[4] = {0x4F, 0x4B, 0x51, 0x57};
        for (int join = 0; join < 4; ++join)
            if (Location_Joins[from][join] == target)
                return keys[join];
        ADD_FAILURE() << "no key joins location " << from << " to " << target;
        return 0;
    }

    static int PathBetween(int a, int b)
    {
        for (int p = 0; p < Path_Count; ++p)
            if ((Path_Joins[p][0] == a && Path_Joins[p][1] == b) || (Path_Joins[p][0] == b && Path_Joins[p][1] == a))
                return p;
        return -1;
    }

    // The paths from location a to location b, found breadth first over the map's paths.
    static std::vector<int> Route(int a, int b)
    {
        std::vector<int> via(Location_Count, -2); // the path that first reached each location
        std::vector<int> queue{a};
        via[a] = -1;
        for (std::size_t i = 0; i < queue.size(); ++i)
            for (int p = 0; p < Path_Count; ++p)
                for (int end = 0; end < 2; ++end)
                    if (Path_Joins[p][end] == queue[i] && via[Path_Joins[p][1 - end]] == -2)
                    {
                        via[Path_Joins[p][1 - end]] = p;
                        queue.push_back(Path_Joins[p][1 - end]);
                    }
        std::vector<int> route;
        for (int at = b; via[at] >= 0;
             at = Path_Joins[via[at]][0] == at ? Path_Joins[via[at]][1] : Path_Joins[via[at]][0])
            route.push_back(via[at]);
        return route;
    }

    void Open(int path) { record[Path_FirstEvent + path] = GameEvent_HasHappened; }

    GameEvents record;
    int target;      // the world's location on the map
    int walkKey = 0; // the key that walks the figure over to the target; 0 when it starts there
};
