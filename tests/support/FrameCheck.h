// Test support: what a player sees while a world is played by keys. Wrapped round a stepper, the
// check draws every FrameCheck_Every-th frame over the clear colour (LevelFrame.h) and finds fault
// with a frame where the player's box leaves the screen, stands under FrameCheck_MinHeight pixels
// tall, or where any pixel still shows the clear colour. Views the world shows on purpose are let
// by: while the player is driven by a scripted scene or hidden, while the camera zooms (a move
// between two views), and while the world's own `shown` says so (a view it frames on purpose),
// each for FrameCheck_Settle steps after; a wide view the world holds on purpose may let by the
// player's size alone (FrameCheck_Let::Size), and a world whose cameras frame places may say he
// stands outside all of them (FrameCheck_Let::Off), a fault of its own.
//
//     FrameCheck check(*world, "castle, road exit");
//     RoadWalker walker(*world, road);
//     walker.Walk(check.Wrap([&](std::vector<int> const& held) { return Step(held); }));
//     EXPECT_EQ(check.Report(), "");
//
// Given the map's walls and the places of its exits (Keep), the check also finds fault with every
// step on which the player, not dying, goes outside the walls, and with a level that ends by an
// exit while he stands outside them or away from every exit's place.
//
// Set HM_FRAME_SHOTS to a folder to have each faulted frame written there as a PNG.
#pragma once

#include "engine/Level_Type.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Player_Sprites.h"
#include "puzzles/World_Base.h"
#include "support/LevelFrame.h"
#include "support/StandingSurfaces.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

constexpr int FrameCheck_Every = 50;          // steps between two frames looked at
constexpr double FrameCheck_MinHeight = 12.0; // the player's box is at least this tall, in pixels
// What the screen's arithmetic may lose of a box drawn exactly FrameCheck_MinHeight tall (a view
// that shows the player just so tall, at a height that is no round number).
constexpr double FrameCheck_HeightRounding = 1e-9;
constexpr int FrameCheck_Settle = 40;        // steps a let-by view covers after it ends
constexpr double FrameCheck_Zooming = 0.002; // a change of the view's scale in one step, relative
constexpr int FrameCheck_Listed = 4;         // faults spelt out per check; the rest are counted
constexpr double FrameCheck_ExitJump = 6.0;  // heights of his own a jump may carry him over an exit's place
// Drawing a frame takes milliseconds of a software GL: the sanitized build, slower at everything
// else, draws every fourth frame whose turn comes (the player's box is still checked in each).
#if defined(__SANITIZE_ADDRESS__)
constexpr int FrameCheck_DrawEvery = 4 * FrameCheck_Every;
#else
constexpr int FrameCheck_DrawEvery = FrameCheck_Every;
#endif

// The player's box on the screen, y up from the bottom, as the frame draws it.
struct FrameCheck_Box
{
    double x0, y0, x1, y1;
    double Height() const { return y1 - y0; }
    bool Inside(double w, double h) const { return x0 >= 0.0 && y0 >= 0.0 && x1 <= w && y1 <= h; }
};

// What a world's view framed on purpose lets by.
enum class FrameCheck_Let
{
    Nothing,
    Size,  // a wide view: the player may stand smaller than FrameCheck_MinHeight
    Frame, // a shot of its own: nothing is asked of the frame
    Off,   // he stands where none of the world's cameras frames a place: a floor outside every view
};

class FrameCheck
{
public:
    using Stepper = std::function<Level_Action(std::vector<int> const& held)>;
    // Asked after every step: what the world's present view, framed on purpose, lets by.
    using Shown = std::function<FrameCheck_Let(World_Base const& world)>;

    FrameCheck(World_Base& checked, std::string checkName, Shown isShown = {})
        : world(checked), name(std::move(checkName)), shown(std::move(isShown)), scale(checked.GetMap()->view.scale)
    {
    }

    // Where the player must stay while alive, and where a level may end by an exit.
    void Keep(MapWalls const& outer, std::vector<Rectf> exitPlaces)
    {
        walls = outer;
        exits = std::move(exitPlaces);
    }

    // The player's box: his picture's width and height, scaled, stood at his feet and turned
    // with him, through the map's camera.
    static FrameCheck_Box PlayerBox(World_Base const& w)
    {
        Player const* p = w.GetPlayer();
        double const half = Player_Width * p->GetScale() / 2.0;
        double const tall = Player_Height * p->GetScale();
        FrameCheck_Box box{1e300, 1e300, -1e300, -1e300};
        for (double dx : {-half, half})
            for (double dy : {0.0, tall})
            {
                Pointf const at = w.GetMap()->WorldToScreen(p->GetSpecificPos(dx, dy, nullptr));
                box = {std::min(box.x0, at.x), std::min(box.y0, at.y), std::max(box.x1, at.x), std::max(box.y1, at.y)};
            }
        return box;
    }

    // The stepper given, with the check after each of its steps.
    Stepper Wrap(Stepper step)
    {
        return [this, step = std::move(step)](std::vector<int> const& held) {
            Level_Action const r = step(held);
            After(r);
            return r;
        };
    }

    // Counts a step taken outside Wrap and looks at its frame when its turn comes.
    void After(Level_Action result)
    {
        ++steps;
        if (walls)
            Contain(result);
        double const now = world.GetMap()->view.scale;
        Player const* p = world.GetPlayer();
        bool const zooming = std::fabs(now - scale) > FrameCheck_Zooming * std::max(now, scale);
        scale = now;
        FrameCheck_Let const let = shown ? shown(world) : FrameCheck_Let::Nothing;
        if (zooming || p->scripted || p->hidden || let == FrameCheck_Let::Frame)
            letBy = FrameCheck_Settle;
        else if (letBy > 0)
            --letBy;
        small = let == FrameCheck_Let::Size;
        off = let == FrameCheck_Let::Off;
        if (result == Level_Continue && steps % FrameCheck_Every == 0)
            Look(steps % FrameCheck_DrawEvery == 0);
    }

    // Draws the frame as it stands and notes what is wrong with it; without draw, only the
    // player's box is looked at.
    void Look(bool draw = true)
    {
        ++looked;
        if (letBy > 0)
        {
            ++passed;
            return;
        }
        LevelFrame const frame = draw ? LevelFrame::Draw(world) : LevelFrame();
        FrameCheck_Box const box = PlayerBox(world);
        int const cleared = frame.Cleared();
        bool const inside = box.Inside(LevelFrame::Width, LevelFrame::Height);
        bool const tall = small || box.Height() >= FrameCheck_MinHeight - FrameCheck_HeightRounding;
        if (inside && tall && cleared == 0 && !off)
            return;
        char text[400];
        Pointf const feet = world.GetPlayer()->GetPos();
        auto const& view = world.GetMap()->view;
        std::snprintf(text, sizeof text,
                      "%s: step %d (tick %d), feet (%.0f, %.0f), box (%.0f, %.0f)-(%.0f, %.0f) on the %dx%d "
                      "frame (view %.0f, %.0f at %.3f):%s%s%s %d clear-colour pixels",
                      name.c_str(), steps, static_cast<int>(world.GetTick()), feet.x, feet.y, box.x0, box.y0, box.x1,
                      box.y1, LevelFrame::Width, LevelFrame::Height, view.x, view.y, view.scale,
                      inside ? "" : " out of the frame,", tall ? "" : " under 12 px tall,",
                      off ? " in no view the world frames," : "", cleared);
        if (!Fault(text))
            return;
        if (char const* folder = std::getenv("HM_FRAME_SHOTS"); folder != nullptr && draw)
            Save(frame, std::string(folder) + "/" + Slug() + "-" + std::to_string(steps) + ".png");
    }

    // The faults found, one line each ("" when none); past FrameCheck_Listed, their count.
    std::string Report() const
    {
        if (faults <= FrameCheck_Listed)
            return listed;
        return listed + name + ": and " + std::to_string(faults - FrameCheck_Listed) + " more of "
               + std::to_string(looked) + " frames\n";
    }

    int Looked() const { return looked; }
    int Passed() const { return passed; }
    int Faults() const { return faults; }

private:
    // Counts a fault and lists it while fewer than FrameCheck_Listed are; whether it was listed.
    bool Fault(std::string const& text)
    {
        if (++faults > FrameCheck_Listed)
            return false;
        listed += text + "\n";
        return true;
    }

    // The player within the walls, and a level ended at an exit.
    void Contain(Level_Action result)
    {
        Player const* p = world.GetPlayer();
        Pointf const feet = p->GetPos();
        int const dead = p->IsPlayerDead();
        bool const out = walls->Outside(feet) && dead != 1 && dead != 2;
        char text[300];
        if (out && !wasOut)
        {
            std::snprintf(text, sizeof text,
                          "%s: step %d (tick %d), feet (%.0f, %.0f) outside the walls (%.0f, %.0f)-(%.0f, up)",
                          name.c_str(), steps, static_cast<int>(world.GetTick()), feet.x, feet.y, walls->x0, walls->y0,
                          walls->x1);
            Fault(text);
        }
        wasOut = out;
        if (result != Level_Completed && result != Level_Restart)
            return;
        double const jump = FrameCheck_ExitJump * Player_Height * p->GetScale();
        bool const atExit = std::any_of(exits.begin(), exits.end(), [&](Rectf const& e) {
            return feet.x >= e.x0 && feet.x <= e.x1 && feet.y >= e.y0 && feet.y <= e.y1 + jump;
        });
        bool const outside = walls->Outside(feet);
        if (atExit && !outside)
            return;
        std::snprintf(text, sizeof text,
                      "%s: step %d (tick %d), the level ended (%d) with the feet at (%.0f, %.0f), %s", name.c_str(),
                      steps, static_cast<int>(world.GetTick()), static_cast<int>(result), feet.x, feet.y,
                      !outside ? "at no exit"
                      : atExit ? "outside the walls"
                               : "outside the walls and at no exit");
        Fault(text);
    }

    std::string Slug() const
    {
        std::string s;
        for (char c : name)
            s += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : '-';
        return s;
    }

    static void Save(LevelFrame const& frame, std::string const& file)
    {
        png_image image = {};
        image.version = PNG_IMAGE_VERSION;
        image.width = LevelFrame::Width;
        image.height = LevelFrame::Height;
        image.format = PNG_FORMAT_RGBA;
        // Rows from the bottom: a negative stride writes them top first.
        png_image_write_to_file(&image, file.c_str(), 0, frame.rgba.data(), -LevelFrame::Width * 4, nullptr);
    }

    World_Base& world;
    std::string name;
    Shown shown;
    double scale;       // the view's scale after the last step
    int steps = 0;      // steps seen
    int letBy = 0;      // steps the frames are still let by
    bool small = false; // the player's size is let by after the last step
    bool off = false;   // ...he stands in no view the world frames
    int looked = 0;     // frames whose turn came
    int passed = 0;     // ...let by
    int faults = 0;
    std::string listed;
    std::optional<MapWalls> walls; // kept to, when given
    std::vector<Rectf> exits;      // the places the level may end in
    bool wasOut = false;           // the player stood outside the walls after the last step
};
