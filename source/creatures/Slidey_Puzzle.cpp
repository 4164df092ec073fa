// Slidey_Puzzle and Slidey_Puzzle_Segment: the shuffle, the layout from the clicks, stepping in and out.
#include "creatures/Slidey_Puzzle.h"

#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/Player.h"
#include "media/Cursor.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
constexpr int Slidey_Columns = 4;
constexpr int Click_Damage = 1;
constexpr int Screen_Top = 479; // the mouse counts rows down from the top, the screen up from the bottom

// a < b, with values within Util::Eps of each other counting as equal.
bool StrictlyLess(double a, double b)
{
    return a < b && !Util::Equal(a, b);
}
} // namespace

Slidey_Puzzle_Segment::Slidey_Puzzle_Segment(Pointf const& centre) : Target(Sound_None), pos(centre)
{
    rect =
        Rectf(-Slidey_Puzzle::Tile_Size, -Slidey_Puzzle::Tile_Size, Slidey_Puzzle::Tile_Size, Slidey_Puzzle::Tile_Size);
}

Tick Slidey_Puzzle_Segment::GetHitTime(int n) const
{
    int seen = 0;
    for (int i = 0; i < hits->Count(); i++)
    {
        HitInfo const* hit = (*hits)[i];
        if (hit == nullptr)
            continue;
        if (seen == n)
            return hit->time;
        seen++;
    }
    return GameEvent_HasntHappened;
}

void Slidey_Puzzle_Segment::Render(Map const* map, Tick) const
{
    if (image != nullptr)
        image->Render(pos, 0.0, 2.0 * Slidey_Puzzle::Tile_Size, 2.0 * Slidey_Puzzle::Tile_Size,
                      Image_Centre | Image_Middle, &map->view);
}

bool Slidey_Puzzle_Segment::GetTargetPos(Map const*, Tick, Pointf& out) const
{
    out = pos;
    return false;
}

Slidey_Puzzle::Slidey_Puzzle(Player* thePlayer, Message* theMessage, Map const* map, unsigned int ref, char const* base,
                             int gapTile, bool solved)
    : player(thePlayer), message(theMessage), pos(map->GetRefPoint(ref)), gap(gapTile)
{
    assert(gap >= 0 && gap < Slidey_Puzzle_Segments && "gap >= 0 && gap < Slidey_Puzzle_Segments");
    int number = 0;
    for (int tile = 0; tile < Slidey_Puzzle_Segments; tile++)
    {
        if (tile == gap)
            continue;
        char name[256];
        std::snprintf(name, sizeof name, "%s%.2d.png", base, number++);
        images[tile] = std::make_unique<Image>(name, 0, false);
    }
    for (int i = 0; i < Slidey_Puzzle_Segments; i++)
    {
        places[i] = std::make_unique<Slidey_Puzzle_Segment>(pos + GetPosFromId(i));
        layout[i] = i;
    }
    if (!solved)
    {
        for (int move = 0; move < Shuffle_Moves; move++)
        {
            int const g = FindTile(gap);
            int r = 0;
            do
                r = std::rand() % Slidey_Puzzle_Segments;
            while (!Adjacent(r, g));
            layout[g] = layout[r];
            layout[r] = gap;
        }
    }
    for (int i = 0; i < Slidey_Puzzle_Segments; i++)
    {
        startLayout[i] = layout[i];
        places[i]->SetImage(images[layout[i]].get());
    }
}

Slidey_Puzzle::~Slidey_Puzzle()
{
    // The pointer was shown for the puzzle; the screen the level hands over to expects it hidden.
    if (active)
        Cursor::Show(false);
}

Slidey_Puzzle_Segment* Slidey_Puzzle::GetTile(int id) const
{
    assert(id >= 0 && id < Slidey_Puzzle_Segments && "id >= 0 && id < Slidey_Puzzle_Segments");
    return places[id].get();
}

bool Slidey_Puzzle::IsComplete() const
{
    for (int i = 0; i < Slidey_Puzzle_Segments; i++)
        if (layout[i] != i)
            return false;
    return true;
}

bool Slidey_Puzzle::Adjacent(int a, int b)
{
    if (a == b - 1 && b % Slidey_Columns != 0)
        return true;
    if (a == b + 1 && a % Slidey_Columns != 0)
        return true;
    return a % Slidey_Columns == b % Slidey_Columns && (a == b + Slidey_Columns || a == b - Slidey_Columns);
}

int Slidey_Puzzle::FindTile(int tile) const
{
    int segment = 0;
    while (segment < Slidey_Puzzle_Segments && layout[segment] != tile)
        segment++;
    assert(segment < Slidey_Puzzle_Segments && "segment < Slidey_Puzzle_Segments");
    return segment;
}

Pointf Slidey_Puzzle::GetPosFromId(int i)
{
    return Pointf((i % Slidey_Columns) * Tile_Spacing, (i / Slidey_Columns) * -Tile_Spacing);
}

void Slidey_Puzzle::MoveToTime(Map const*, Tick t)
{
    MovePieces(t);
    for (int i = 0; i < Slidey_Puzzle_Segments; i++)
        places[i]->SetImage(images[layout[i]].get());
}

void Slidey_Puzzle::MovePieces(Tick t)
{
    // Worked out afresh at every tick, wherever the player is: a layout kept from another tick
    // would show that tick's tiles and answer IsComplete for it.
    for (int i = 0; i < Slidey_Puzzle_Segments; i++)
        layout[i] = startLayout[i];
    int next[Slidey_Puzzle_Segments] = {};
    int g = FindTile(gap);
    for (;;)
    {
        int place = -1;
        Tick earliest = 0;
        for (int i = 0; i < Slidey_Puzzle_Segments; i++)
        {
            Tick const when = places[i]->GetHitTime(next[i]);
            if (when == GameEvent_HasntHappened || when >= t)
                continue;
            if (place == -1 || when < earliest)
            {
                place = i;
                earliest = when;
            }
        }
        if (place == -1)
            return;
        // A click on a tile away from the gap stays recorded and moves nothing.
        if (Adjacent(place, g))
        {
            layout[g] = layout[place];
            layout[place] = gap;
            g = place;
        }
        next[place]++;
    }
}

bool Slidey_Puzzle::Poll(Map const* map, KeyData const* keys, Tick t)
{
    // The player frozen for time travel is not here to play: entering or clicking then would
    // change a past already shown.
    bool const present = !player->travelling;
    Pointf const at = player->GetPos();
    double const distance = at.DistanceEst(&pos);
    bool const near = StrictlyLess(distance, Enter_Dist);
    if (present && !active && near && (keys->keys[KeyIndex_GameAction] & KeyState_Released) != 0)
    {
        active = true;
        Cursor::Show(true);
        player->scripted = true;
        player->SetCameraScale(Camera_Scale, CameraMove_Ease8);
        Pointf const centre = pos + Pointf(Camera_OffsetX, Camera_OffsetY);
        player->SetCameraPos(&centre, CameraMove_Ease8, 0);
        message->Display("Click tiles to move them, press jump to leave", Instructions_Time);
    }
    if (!active)
        return false;

    if (present && keys->leftClick != 0)
    {
        Pointf const screen(keys->mouse.x, Screen_Top - keys->mouse.y);
        Pointf const world = screen.ScreenToWorld(&map->view);
        for (auto const& place : places)
        {
            Pointf const centre = place->GetPos();
            if (StrictlyLess(std::fabs(world.x - centre.x), Tile_Size)
                && StrictlyLess(std::fabs(world.y - centre.y), Tile_Size))
                place->Hit(t, Click_Damage, 0);
        }
    }

    if ((keys->keys[KeyIndex_GameJump] & KeyState_Pressed) != 0)
    {
        active = false;
        Cursor::Show(false);
        player->scripted = false;
        message->Clear();
    }
    return active;
}
