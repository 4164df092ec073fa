// Test support: the doors a puzzle opens, as the map places them, and a watch over a run of held or
// random keys that finds every step in which the player's feet pass such a door from the side its
// puzzle keeps him on while the door is shut, and every landing beyond a door he never went through
// open.
//
// A door is a map group; where it stands shut is where the map has it. A standing door (it closes a
// way along a floor) is passed across the upright line through its middle, anywhere from the floor
// under its foot up to the ceiling over it, found by probing the static map along that line: over
// the door counts (a jump over it), under it too (a door that stops short of its floor). Where
// nothing closes the way over the door, as high as a player standing on that floor reaches with two
// jumps (DoorPlace_Reach heights of his own). A lid over a hole is passed across the level line
// through its middle, within its width.
//
// Beyond a door (`FindBeyond`) is the stretch behind it along its floor, up to the next door, a wall
// or where the floor gives out (a gap a plate or a swivel fills goes on), as high as the ceiling over
// it; the door table may add rectangles where the far side runs further (a gallery only reached from
// behind a door). Feet landing there are a fault unless he started there, went through the door while
// it stood open, walked in along the ground or came in across the stretch's far end where it ends in
// a door, a wall or more floor rather than a drop.
//
//     DoorWatch doors(*world, "castle, holding right", {{"door 3", place, [&](Tick t) { return Open(t); }}});
//     ShortcutRun::Hold(doors.Wrap(step), KeyIndex_GameRight);
//     EXPECT_EQ(doors.Report(), "");
#pragma once

#include "engine/Door.h"
#include "engine/KeyData.h"
#include "engine/Level_Type.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Player_Sprites.h"
#include "engine/Poly.h"
#include "puzzles/World_Base.h"
#include "support/ShortcutRun.h"
#include "support/StandingSurfaces.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

// The side of a door its puzzle keeps the player on: the side the way to it comes from.
enum class DoorSide
{
    Left,
    Right,
    Above, // a lid over a hole, walked onto from above
};

inline char const* DoorSideName(DoorSide side)
{
    return side == DoorSide::Left ? "left" : side == DoorSide::Right ? "right" : "above";
}

constexpr double DoorPlace_Reach = 8.0; // heights of his own a player's feet rise with two jumps, and more
constexpr double DoorPlace_Open = std::numeric_limits<double>::infinity();

// One closed part of a door as the map has it shut (a group may close two doorways), and what the
// static map has round it on its line.
struct DoorPlace
{
    Rectf shut;                      // the solid polygons' corners
    DoorSide near = DoorSide::Left;  // the side its puzzle keeps him on
    double floor = 0.0;              // a standing door's: the top of the floor under its foot
    double ceiling = DoorPlace_Open; // the lowest static solid over the door on its line
    std::vector<Rectf> beyond;       // where feet on the ground stand on its far side (none: not watched)
    bool onward = false;             // the first of them ends in no drop: he comes in across its far end from further beyond

    bool Standing() const { return near != DoorSide::Above; }
    double Line() const { return Standing() ? (shut.x0 + shut.x1) / 2.0 : (shut.y0 + shut.y1) / 2.0; }
    // Where a standing door is passed by a player of the size given: from below the floor or the
    // door's foot up to the ceiling, or, under an open sky, as high as two jumps take him.
    double Bottom() const { return std::min(floor, shut.y0) - 1.0; }
    double Top(double scale) const
    {
        double const reach = floor + DoorPlace_Reach * Player_Height * std::max(scale, 1.0);
        return std::min(ceiling, std::max(shut.y1, reach));
    }
    // Whether a standing door fills its way from its floor to the ceiling over it, leaving a player of
    // the size given no room to pass over it.
    bool ToTheCeiling(double scale) const { return Standing() && ceiling < shut.y1 + Player_Height * scale; }
    // Whether a point lies on the near or the far side of the door's line.
    bool Near(Pointf p) const
    {
        switch (near)
        {
        case DoorSide::Left:
            return p.x < Line();
        case DoorSide::Right:
            return p.x > Line();
        case DoorSide::Above:
            break;
        }
        return p.y > Line();
    }
    // Whether the feet at p have come out from under a standing door on its near side: his half
    // width beyond its near face, no higher than it is passed (not lifted over it).
    bool Out(Pointf p, double scale) const
    {
        double const half = Player_Width * scale / 2.0;
        bool const clear = near == DoorSide::Left ? p.x < shut.x0 - half : p.x > shut.x1 + half;
        return Standing() && clear && p.y <= Top(scale);
    }
    bool Beyond(Pointf p) const
    {
        return std::any_of(beyond.begin(), beyond.end(),
                           [&](Rectf const& r) { return p.x >= r.x0 && p.x <= r.x1 && p.y >= r.y0 && p.y < r.y1; });
    }
};

namespace PuzzleDoors_Detail
{

// Where the upright line at x runs through a convex polygon: the lowest and highest y, or false.
inline bool Through(Poly const* poly, double x, double& lo, double& hi)
{
    lo = std::numeric_limits<double>::infinity();
    hi = -lo;
    int const n = poly->Points();
    for (int k = 0; k < n; ++k)
    {
        Pointf const a = poly->points[k]->pos;
        Pointf const b = poly->points[(k + 1) % n]->pos;
        if ((a.x - x) * (b.x - x) > 0.0 || a.x == b.x)
        {
            if (a.x == x)
            {
                lo = std::min(lo, a.y);
                hi = std::max(hi, a.y);
            }
            continue;
        }
        double const y = a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
        lo = std::min(lo, y);
        hi = std::max(hi, y);
    }
    return lo < hi;
}

// The corners of a polygon as the map has it written.
inline Rectf Corners(Poly const* poly)
{
    Rectf r(1e300, 1e300, -1e300, -1e300);
    for (int k = 0; k < poly->Points(); ++k)
    {
        Pointf const p = poly->points[k]->pos;
        r = Rectf(std::min(r.x0, p.x), std::min(r.y0, p.y), std::max(r.x1, p.x), std::max(r.y1, p.y));
    }
    return r;
}

inline bool Touch(Rectf const& a, Rectf const& b)
{
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

} // namespace PuzzleDoors_Detail

// A door shut where given, with the floor and the ceiling the static map has on its line.
inline DoorPlace ProbeDoor(Map const& map, Rectf const& shut, DoorSide near)
{
    using namespace PuzzleDoors_Detail;
    DoorPlace place;
    place.shut = shut;
    place.near = near;
    place.floor = shut.y0;
    if (!place.Standing())
        return place;
    double const x = place.Line();
    double const middle = (shut.y0 + shut.y1) / 2.0;
    double floorTop = -std::numeric_limits<double>::infinity();
    for (unsigned int i = 0; i < map.polyCount; ++i)
    {
        Poly const* poly = map.polys[int(i)];
        double lo = 0.0;
        double hi = 0.0;
        if (!poly->solid || poly->group != 0 || !Through(poly, x, lo, hi))
            continue;
        if (hi <= middle && lo < shut.y0 + 1.0)
            floorTop = std::max(floorTop, hi);
        else if (lo >= middle)
            place.ceiling = std::min(place.ceiling, lo);
    }
    // A door over no floor within a height of his own stands on its own foot.
    if (floorTop > shut.y0 - Player_Height)
        place.floor = floorTop;
    return place;
}

constexpr double Beyond_Level = 0.25; // of the door's height: ground this near its floor is the same floor
constexpr double Beyond_Length = 20.0; // door heights: the stretch looked along, at most
constexpr double Beyond_Look = 0.05;   // door heights between two looks

// Each door's stretch beyond it, found on the static map with the other doors as its ends.
inline void FindBeyond(Map const& map, std::vector<DoorPlace*> const& places)
{
    using namespace PuzzleDoors_Detail;
    for (DoorPlace* p : places)
    {
        // A lid's hole opens on whatever passage runs under it, walked along: its far side is left to its
        // world's tests.
        if (!p->Standing())
            continue;
        double const tall = p->shut.y1 - p->floor;
        double const level = Beyond_Level * tall;
        double const away = p->near == DoorSide::Left ? 1.0 : -1.0;
        double const face = p->near == DoorSide::Left ? p->shut.x1 : p->shut.x0;
        double const reach = Beyond_Length * tall;
        // A wall stands in the way of the door's lower part; ground lies within `level` of its floor.
        double const wallFrom = p->floor + level;
        double const wallTo = p->shut.y1 - level;
        Rectf const area(std::min(face, face + away * reach), p->floor - level, std::max(face, face + away * reach),
                         p->floor + reach);
        std::vector<Poly const*> near; // the static map's, and the moving groups' (a plate, a swivel) as they start
        for (unsigned int i = 0; i < map.polyCount; ++i)
            if (map.polys[int(i)]->solid && Map::BoundsTouch(map.polys[int(i)]->bound, area))
                near.push_back(map.polys[int(i)]);
        double end = face;
        double top = std::numeric_limits<double>::infinity();
        p->onward = false;
        double d = Beyond_Look * tall / 2.0;
        for (; d < reach; d += Beyond_Look * tall)
        {
            double const x = face + away * d;
            if (std::any_of(places.begin(), places.end(), [&](DoorPlace const* q) {
                    return q != p && q->Standing() && x >= q->shut.x0 && x <= q->shut.x1 && q->shut.y0 < wallTo
                           && q->shut.y1 > wallFrom;
                }))
            {
                p->onward = true;
                break;
            }
            bool wall = false;
            bool ground = false;
            double ceiling = std::numeric_limits<double>::infinity();
            for (Poly const* poly : near)
            {
                double lo = 0.0;
                double hi = 0.0;
                if (!Through(poly, x, lo, hi))
                    continue;
                if (poly->group != 0)
                    ground = ground || std::fabs(hi - p->floor) <= level; // a gap it fills goes on
                else if (hi > wallFrom && lo < wallTo)
                    wall = true;
                else if (hi <= wallFrom && hi >= p->floor - level)
                    ground = true;
                else if (lo >= wallTo)
                    ceiling = std::min(ceiling, lo);
            }
            if (wall || !ground)
            {
                p->onward = wall;
                break;
            }
            end = x;
            top = std::min(top, ceiling);
        }
        if (d >= reach)
            p->onward = true;
        if (top == std::numeric_limits<double>::infinity())
            top = p->shut.y1;
        double const line = p->Line();
        p->beyond = {Rectf(std::min(line, end), p->floor - level, std::max(line, end), top)};
    }
}

// The closed parts of a door's group as the map has it (one for each set of its solid polygons
// that touch), each probed on its line.
inline std::vector<DoorPlace> PlaceDoor(Map const& map, unsigned int group, DoorSide near)
{
    using namespace PuzzleDoors_Detail;
    std::vector<Rectf> parts;
    for (unsigned int i = 0; i < map.polyCount; ++i)
    {
        Poly const* poly = map.polys[int(i)];
        if (!poly->solid || poly->group != group)
            continue;
        Rectf r = Corners(poly);
        // Join every part it touches.
        for (auto part = parts.begin(); part != parts.end();)
            if (Touch(*part, r))
            {
                r = Rectf(std::min(r.x0, part->x0), std::min(r.y0, part->y0), std::max(r.x1, part->x1),
                          std::max(r.y1, part->y1));
                part = parts.erase(part);
            }
            else
                ++part;
        parts.push_back(r);
    }
    std::vector<DoorPlace> places;
    for (Rectf const& shut : parts)
        places.push_back(ProbeDoor(map, shut, near));
    return places;
}

// A door watched over a run: its name for the faults, its place, and whether it stands open at a
// tick (its puzzle solved, or held open).
struct WatchedDoor
{
    std::string name;
    DoorPlace place;
    std::function<bool(Tick)> open;
};

constexpr int DoorWatch_Listed = 4; // faults spelt out per watch; the rest are counted
constexpr double DoorWatch_Leap = 100.0; // a move of more heights of his own in one step is a jump of the world's

class DoorWatch
{
public:
    using Stepper = std::function<Level_Action(std::vector<int> const& held)>;

    DoorWatch(World_Base const& watched, std::string runName, std::vector<WatchedDoor> watchedDoors)
        : world(watched), name(std::move(runName)), doors(std::move(watchedDoors)), last(watched.GetPlayer()->GetPos())
    {
        // A run that starts beyond a door came through it.
        for (WatchedDoor const& door : doors)
            through.push_back(door.place.Beyond(last));
        openPassed.assign(doors.size(), false);
    }

    // The run goes on from the middle of another, from which he may have come through any door: only
    // his passing one shut is a fault.
    void GoesOn() { through.assign(doors.size(), true); }

    Stepper Wrap(Stepper step)
    {
        return [this, step = std::move(step)](std::vector<int> const& held) {
            Level_Action const r = step(held);
            After();
            return r;
        };
    }

    // Compares the feet after a step with where they stood before it.
    void After()
    {
        ++steps;
        Player const* player = world.GetPlayer();
        Pointf const now = player->GetPos();
        Pointf const before = last;
        last = now;
        double const scale = player->GetScale();
        bool const leap = std::hypot(now.x - before.x, now.y - before.y) > DoorWatch_Leap * Player_Height * scale;
        Tick const t = world.GetTick();
        for (std::size_t i = 0; i < doors.size(); ++i)
        {
            WatchedDoor const& door = doors[i];
            DoorPlace const& p = door.place;
            bool const beyond = p.Beyond(now);
            // The world put him there; or he walked in along the ground, or came in from past the
            // stretch's far end where it ends in no drop (over a step up, too).
            if (beyond && !p.Beyond(before)
                && (leap || (grounded && player->onGround)
                    || (p.onward && (p.near == DoorSide::Left ? before.x > p.beyond[0].x1 : before.x < p.beyond[0].x0))))
                through[i] = true;
            if (!leap && p.Near(before) && !p.Near(now) && Passed(door, before, now, scale, t))
                through[i] = true;
            if (!beyond || through[i] || !player->onGround)
                continue;
            through[i] = true; // once a run
            Fault("%s: step %d (tick %d), feet (%.1f, %.1f) at size %g stand beyond %s (x %.1f-%.1f, y %.1f-%.1f), "
                  "never gone through open",
                  name.c_str(), steps, static_cast<int>(t), now.x, now.y, scale, door.name.c_str(), p.shut.x0,
                  p.shut.x1, p.shut.y0, p.shut.y1);
        }
        grounded = player->onGround;
    }

    // The faults found, one line each ("" when none); past DoorWatch_Listed, their count.
    std::string Report() const
    {
        if (faults <= DoorWatch_Listed)
            return listed;
        return listed + name + ": and " + std::to_string(faults - DoorWatch_Listed) + " more doors passed\n";
    }

    int Faults() const { return faults; }

    // Whether the feet went across door i's line from its near side, within it, while it stood open.
    bool PassedOpen(std::size_t i) const { return openPassed[i]; }

private:
    // A step whose feet crossed the door's line from its near side: whether it went through the door,
    // a fault while it stood shut.
    bool Passed(WatchedDoor const& door, Pointf before, Pointf now, double scale, Tick t)
    {
        DoorPlace const& p = door.place;
        double const line = p.Line();
        // Where the feet cross the line, along the step.
        double const along = p.Standing() ? (line - before.x) / (now.x - before.x) : (line - before.y) / (now.y - before.y);
        Pointf const at(before.x + (now.x - before.x) * along, before.y + (now.y - before.y) * along);
        bool const within = p.Standing() ? at.y >= p.Bottom() && at.y <= p.Top(scale)
                                         : at.x >= p.shut.x0 && at.x <= p.shut.x1;
        if (within && (door.open(t) || door.open(t - 1)))
            openPassed[std::size_t(&door - doors.data())] = true;
        if (!within || door.open(t) || door.open(t - 1))
            return within;
        Fault("%s: step %d (tick %d), feet (%.1f, %.1f) to (%.1f, %.1f) at size %g passed %s (x %.1f-%.1f, "
              "y %.1f-%.1f) from its %s, shut",
              name.c_str(), steps, static_cast<int>(t), before.x, before.y, now.x, now.y, scale, door.name.c_str(),
              p.shut.x0, p.shut.x1, p.shut.y0, p.shut.y1, DoorSideName(p.near));
        return true; // shut, it is a fault of its own
    }

    template <typename... Args> void Fault(char const* format, Args... args)
    {
        if (++faults > DoorWatch_Listed)
            return;
        char text[400];
        std::snprintf(text, sizeof text, format, args...);
        listed += text;
        listed += "\n";
    }

    World_Base const& world;
    std::string name;
    std::vector<WatchedDoor> doors;
    Pointf last;
    std::vector<bool> through; // each door's: he went through it open, or started beyond it
    std::vector<bool> openPassed; // each door's: its line crossed from its near side while it stood open
    bool grounded = true;      // on the ground after the last step
    int steps = 0;
    int faults = 0;
    std::string listed;
};

// How far a double jump may carry a player towards a door's far side, in heights of his own: sideways
// and down (a fall from a ledge or a ride carries him on), and up.
constexpr double FarSide_Reach = 20.0;
constexpr double FarSide_Rise = 10.0;

// Where a player of the size given starts holding towards the watched far sides that a double jump
// may carry him to from feet anywhere along x0 to x1 between heights y0 and y1: for each way
// (KeyIndex_GameLeft, KeyIndex_GameRight) with such a far side ahead, the place along the stretch
// farthest back within reach of one, so that a hold from there meets each at every timing; NaN where
// none lies ahead that way. A far side he may already stand in is none.
struct FarSide_Starts
{
    double left = std::numeric_limits<double>::quiet_NaN();
    double right = std::numeric_limits<double>::quiet_NaN();
};
inline FarSide_Starts FarSidesWithin(std::vector<DoorPlace const*> const& places, double x0, double x1, double y0,
                                     double y1, double scale)
{
    double const reach = FarSide_Reach * Player_Height * scale;
    double const half = Player_Width * scale / 2.0;
    FarSide_Starts starts;
    for (DoorPlace const* p : places)
        for (Rectf const& r : p->beyond)
        {
            // The stretch behind a door that stands from its floor to the ceiling, no higher than that
            // ceiling, is not reached from below the ceiling but through the door (or in across its far end).
            bool const closed = p->ToTheCeiling(scale) && &r == &p->beyond[0] && y0 >= p->Bottom() && y1 < p->ceiling;
            if (closed || r.y0 > y1 + FarSide_Rise * Player_Height * scale || r.y1 < y0 - reach
                || (x0 >= r.x0 && x1 <= r.x1 && y0 >= r.y0 && y1 < r.y1))
                continue;
            if (x0 < r.x0 - half && r.x0 - x1 <= reach)
                starts.right = std::isnan(starts.right) ? std::max(x0, r.x0 - reach)
                                                        : std::min(starts.right, std::max(x0, r.x0 - reach));
            if (x1 > r.x1 + half && x0 - r.x1 <= reach)
                starts.left = std::isnan(starts.left) ? std::min(x1, r.x1 + reach)
                                                      : std::max(starts.left, std::min(x1, r.x1 + reach));
        }
    return starts;
}

constexpr int OffThePlate_Wait = 600; // steps on the plate, at most, for its door to open
constexpr int OffThePlate_Open = 5;   // steps more once it stands open

// The runs off a plate that holds a door open, for the doors whose plates lie before them: put on the
// plate at `on` at the size given until the door stands open, then from where he stood, and after backing
// off it 12 and 30 steps for a run-up, towards the door walking, or jumping twice or again at the top
// (with the double jump) after a spread of walks. Once he is off the plate the door must come down
// before he reaches it: each run's passes go to `faults`. Returns the number of runs, or -1 when the
// door does not open.
inline int OffThePlate(World_Base& world, DoorWatch::Stepper const& step, std::string const& name, Door const& door,
                       double distance, DoorPlace const& place, Pointf on, std::string& faults, double size = 1.0,
                       int steps = 200)
{
    int const toward = place.near == DoorSide::Left ? KeyIndex_GameRight : KeyIndex_GameLeft;
    int const away = place.near == DoorSide::Left ? KeyIndex_GameLeft : KeyIndex_GameRight;
    auto const open = [&door, distance](Tick t) { return door.IsActive(t) || door.GetPos(t) >= distance; };
    int runs = 0;
    for (int back : {0, 12, 30})
        for (int jumps = 0; jumps < 3; ++jumps)
            for (int walk = 0; walk < 40; walk += jumps == 0 ? 40 : 5)
            {
                PutPlayer(world, on, size);
                for (int i = 0; i < OffThePlate_Wait && door.GetPos(world.GetTick() - 1) < distance; ++i)
                    step({});
                if (door.GetPos(world.GetTick() - 1) < distance)
                    return -1;
                for (int i = 0; i < OffThePlate_Open; ++i)
                    step({});
                for (int i = 0; i < back; ++i)
                    step({away});
                ShortcutRun::Jumps const how = jumps == 1 ? ShortcutRun::Jumps::Twice : ShortcutRun::Jumps::AtTop;
                std::string const run = name + " off its plate, " + std::to_string(back) + " steps back, "
                                        + (jumps == 0 ? std::string("walking") : ShortcutRun::HoldName(toward, how, walk));
                DoorWatch watch(world, run, {{name, place, open}});
                ShortcutRun::Run(watch.Wrap(step), steps, [&](int i) {
                    return jumps == 0 ? std::vector<int>{toward} : ShortcutRun::HeldKeys(toward, i, how, walk);
                }, run);
                faults += watch.Report();
                ++runs;
            }
    return runs;
}
