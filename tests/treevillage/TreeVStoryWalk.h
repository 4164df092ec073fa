// Test support for the village: its whole story played by keys alone on the generated data. The
// road walker walks the "story" road from the start (never placing the player), talks to each
// villager on the way and goes in and out of the houses; Marbles' game is won from what the screen
// shows, the patient's spots are joined by reading the offered line off the screen, and the market
// sign is turned upright by throws; then the mended lift carries the player to the main exit. The
// walk steps through any stepper and reads the screen through any frame source: a test's own world
// and frames, or the real program's loop (tests/wholegame).
#pragma once

#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "support/RoadWalker.h"
#include "treevillage/AxeThrows.h"
#include "treevillage/FramePixels.h"
#include "treevillage/TreeV.h"
#include "treevillage/TreeV_Dude.h"
#include "treevillage/TreeV_Events.h"
#include "treevillage/TreeV_Ids.h"
#include "treevillage/TreeV_MarketSign.h"
#include "treevillage/TreeV_Patient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

class TreeVStoryWalk
{
public:
    using Stepper = std::function<Level_Action(std::vector<int> const& held)>;
    // The frame the player sees now, 640 by 480.
    using FrameSource = std::function<FramePixels()>;

    static constexpr int Game_Limit = 20000;   // steps a mini-game may take
    static constexpr int Zoom_Limit = 400;     // steps for the view to close in on the patient
    static constexpr double Zoomed_In = 281.0; // the view's scale once the patient's spots take keys
    static constexpr int Think_Time = 260;     // steps a thought of the player's is shown
    static constexpr int Marble_Pixels = 8;    // pixels of a hue that make a marble in flight
    static constexpr double Person_HalfWidth = 16.0;
    static constexpr double Person_Height = 30.0;

    TreeVStoryWalk(TreeV& walked, Stepper stepper, FrameSource frames)
        : village(walked), step(std::move(stepper)), frame(std::move(frames))
    {
    }

    // Walks the whole story from where the player stands at the start; the test fails on the way
    // where the story does not go on. result is the step result that ended the level.
    void Play()
    {
        Road const road = RoadWalker::WorldRoad(Level_TreeV, "story");
        // The conversations met along the road, in order.
        std::vector<TreeV_Conversations> const heard = {30, 19, 25, 29, 27, 16, 17, 31};
        std::size_t talk = 0;
        std::size_t from = 0;
        for (std::size_t i = 0; i < road.points.size() && result == Level_Continue; i++)
        {
            Road_Point const& p = road.points[i];
            bool const station = p.kind == Road_Press || p.kind == Road_Throw;
            if (!station && i + 1 < road.points.size())
                continue;
            auto const talker = Talkers().find(p.name);
            int length = 0;
            if (talker != Talkers().end())
            {
                ASSERT_LT(talk, heard.size());
                EXPECT_EQ(Slots().FindTalkId(talker->second, Now()), heard[talk]) << "at " << p.name;
                length = Slots().ChatLength(talker->second, Now());
                talk++;
            }
            ASSERT_TRUE(WalkTo(road, from, i)) << "to " << p.name;
            from = i + 1;
            Idle(length + 10);
            if (p.name == "Marbles")
            {
                ASSERT_TRUE(Slots().marblesRunning) << "Marbles' game did not start";
                PlayMarbles();
                ASSERT_TRUE(Slots().Happened(TreeV_Event_MarblesWon, Now())) << "Marbles' game was lost";
                if (onGame)
                    onGame("marbles-won");
                Idle(TreeV_Events::ChatLength(
                         Slots().FindTalkId(Talkers().at("Marbles"), Slots().GetSlot(TreeV_Event_MarblesWon)))
                     + 10);
            }
            else if (p.name == "patient")
            {
                JoinSpots();
                ASSERT_TRUE(Slots().Happened(TreeV_Event_PatientSolved, Now()))
                    << "the patient's spots were not joined";
                if (onGame)
                    onGame("patient-solved");
            }
            else if (p.name == "market sign")
            {
                axe.MendSign(village.GetMarketSign());
                Idle(AxeThrows_Wait);
                ASSERT_TRUE(village.GetMarketSign()->IsComplete(Now())) << "the sign was not mended";
            }
        }
        EXPECT_EQ(talk, heard.size());
        EXPECT_TRUE(Slots().Happened(TreeV_Event_Bandage, Now()));
        EXPECT_TRUE(Slots().Happened(TreeV_Event_Oil, Now()));
    }

    // Called as each mini-game begins ("marbles", "patient") and once it is won ("marbles-won",
    // "patient-solved"), e.g. for a screenshot.
    std::function<void(char const* game)> onGame;

    Level_Action result = Level_Continue;

private:
    // A box of the screen or of the world.
    struct Box
    {
        double x0, y0, x1, y1;
        bool Holds(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
    };

    // The villager met at each talking station of the road, by the station's name.
    static std::map<std::string, int> const& Talkers()
    {
        static std::map<std::string, int> const talkers = {
            {"lift man", 7}, {"Marbles", 5}, {"doctor", 6}, {"patient", 8}, {"hardware seller", 4},
        };
        return talkers;
    }

    // The patient's puzzle solved: each pair's chain of spots after its first, in the order drawn.
    static constexpr int Patient_Lines[] = {5, 2, 6, 12, 7, 17, 11, 18, 26, 28, 27, 20,
                                            13, 8, 3, 22, 21, 24, 15, 9, 4, 1, 0};

    TreeV_Events& Slots() { return *village.GetEvents(); }
    Tick Now() const { return village.GetTick(); }

    void Idle(int steps)
    {
        for (int i = 0; i < steps && result == Level_Continue; i++)
            result = step({});
    }
    void Press(int key)
    {
        result = step({key});
        if (result == Level_Continue)
            result = step({});
    }

    // Walks the road's points from first up to and including last.
    bool WalkTo(Road const& road, std::size_t first, std::size_t last)
    {
        Road part(road.name);
        for (std::size_t i = first; i <= last; i++)
            part.Add(road.points[i]);
        RoadWalker walker(village, part);
        RoadWalk_Result const r = walker.Walk(step);
        result = r.action;
        EXPECT_TRUE(r.done) << r.report;
        return r.done;
    }

    // A box round a person standing at feet, on the screen.
    Box Round(Pointf feet) const
    {
        Map const* map = village.GetMap();
        Pointf const a = map->WorldToScreen(Pointf(feet.x - Person_HalfWidth, feet.y - 2.0));
        Pointf const b = map->WorldToScreen(Pointf(feet.x + Person_HalfWidth, feet.y + Person_Height));
        return {a.x, a.y, b.x, b.y};
    }

    // The room the player stands in, as a box of the world: as far as its camera zone reaches from
    // him, up from his feet.
    Box RoomAround() const
    {
        Pointf const p = village.GetPlayer()->GetPos();
        int const zone = TreeV::CameraZone(p);
        Box room{p.x, p.y, p.x, p.y};
        while (TreeV::CameraZone(Pointf(room.x0 - 1.0, p.y)) == zone)
            room.x0 -= 1.0;
        while (TreeV::CameraZone(Pointf(room.x1 + 1.0, p.y)) == zone)
            room.x1 += 1.0;
        while (TreeV::CameraZone(Pointf(p.x, room.y1 + 1.0)) == zone)
            room.y1 += 1.0;
        return room;
    }

    // The hues of the marbles in flight in the frame: everything of a marble's colour inside the
    // room, away from the jars and the arrow above them, the doorway's bush and the two people.
    std::set<int> MarblesSeen(FramePixels const& seen, Box const& room)
    {
        Map const* map = village.GetMap();
        std::vector<Box> away;
        for (unsigned int rp : Jar_Points)
        {
            Pointf const a = map->WorldToScreen(map->GetRefPoint(rp) + Pointf(-16.0, -34.0));
            Pointf const b = map->WorldToScreen(map->GetRefPoint(rp) + Pointf(16.0, 20.0));
            away.push_back({a.x, a.y, b.x, b.y});
        }
        for (auto const& teleport : TreeV_Teleports)
        {
            Pointf const a = map->WorldToScreen(map->GetRefPoint(teleport[1]) + Pointf(-18.0, -2.0));
            Pointf const b = map->WorldToScreen(map->GetRefPoint(teleport[1]) + Pointf(18.0, 48.0));
            away.push_back({a.x, a.y, b.x, b.y});
        }
        away.push_back(Round(village.GetPlayer()->GetPos()));
        away.push_back(Round(village.GetDude(Talkers().at("Marbles"))->GetPos()));
        Pointf const low = map->WorldToScreen(Pointf(room.x0, room.y0));
        Pointf const high = map->WorldToScreen(Pointf(room.x1, room.y1));
        int counts[Marbles_Jars] = {};
        for (int y = std::max(40, int(low.y)); y < std::min(430, int(high.y)); y++)
            for (int x = std::max(0, int(low.x)); x < std::min(FramePixels::Width, int(high.x)); x++)
            {
                int const hue = FramePixels::HueOf(seen.At(x, y));
                if (hue < 0 || hue >= Marbles_Jars)
                    continue;
                if (std::none_of(away.begin(), away.end(), [&](Box const& box) { return box.Holds(x, y); }))
                    counts[hue]++;
            }
        std::set<int> hues;
        for (int hue = 0; hue < Marbles_Jars; hue++)
            if (counts[hue] >= Marble_Pixels)
                hues.insert(hue);
        return hues;
    }

    // Marbles' game played from the screen: a marble of a colour not in flight before is the one
    // just thrown, and the arrow (which starts over the first jar) is moved under the jar of its
    // colour. Consecutive marbles differ, and the one before the last has dropped into its jar
    // before the next is thrown, so the new one is the colour seen that is neither of those two.
    void PlayMarbles()
    {
        if (onGame)
            onGame("marbles");
        int current = -1;
        int dropping = -1;
        int arrow = 0;
        Box const room = RoomAround();
        for (int steps = 0; Slots().marblesRunning && steps < Game_Limit && result == Level_Continue; steps++)
        {
            std::set<int> const seen = MarblesSeen(frame(), room);
            if (seen.count(dropping) == 0)
                dropping = -1;
            for (int hue : seen)
                if (hue != current && hue != dropping)
                {
                    dropping = current;
                    current = hue;
                }
            // A frame every other step is enough: the fastest marble flies for some seventy.
            if (current >= 0 && arrow != current)
            {
                int const key = arrow < current ? KeyIndex_GameRight : KeyIndex_GameLeft;
                Press(key);
                arrow += key == KeyIndex_GameRight ? 1 : -1;
            }
            else
            {
                Idle(2);
            }
        }
    }

    // The patient's puzzle: before each line the right key turns the offered line (thick and pure
    // red, unlike the red spots) until the frame shows it towards the next spot of the plan.
    void JoinSpots()
    {
        Map const* map = village.GetMap();
        for (int steps = 0; !(Slots().patientRunning && map->view.scale > Zoomed_In) && steps < Zoom_Limit; steps++)
            Idle(1);
        ASSERT_GT(map->view.scale, Zoomed_In) << "the view did not close in on the patient";
        if (onGame)
            onGame("patient");
        auto at = [&](int spot) { return map->WorldToScreen(map->GetRefPoint(unsigned(Spot_RefPt_Start + spot))); };
        auto offeredTowards = [&](int from, int to) {
            FramePixels const seen = frame();
            Pointf const a = at(from), b = at(to);
            int red = 0;
            seen.ForEach((a.x + b.x) / 2.0 - 1.0, (a.y + b.y) / 2.0 - 1.0, (a.x + b.x) / 2.0 + 2.0,
                         (a.y + b.y) / 2.0 + 2.0,
                         [&](FramePixels_Rgb c) { red += c[0] > 230 && c[1] < 40 && c[2] < 40 ? 1 : 0; });
            return red >= 3;
        };
        int pair = 0;
        int spot = Patient_KeySpots[0][0];
        for (int next : Patient_Lines)
        {
            for (int turns = 0; !offeredTowards(spot, next) && turns < 6; turns++)
                Press(KeyIndex_GameRight);
            ASSERT_TRUE(offeredTowards(spot, next)) << "no line offered from spot " << spot << " to spot " << next;
            Press(KeyIndex_GameAction);
            spot = next;
            if (spot == Patient_KeySpots[pair][1] && ++pair < Patient_Pairs)
                spot = Patient_KeySpots[pair][0];
        }
        for (int steps = 0; Slots().patientRunning && steps < Game_Limit; steps++)
            Idle(1);
        Idle(Think_Time);
    }

    TreeV& village;
    Stepper step;
    FrameSource frame;
    AxeThrows const axe{[this](std::vector<int> const& held) { result = step(held); }};
};
