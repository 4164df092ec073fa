// Slidey_Puzzle and Slidey_Puzzle_Segment: the 4 x 4 sliding picture puzzle standing in a world.
#pragma once

#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"
#include "util/Tick.h"

#include <memory>

class Image;
class Map;
class Message;
class Player;
struct KeyData;

constexpr int Slidey_Puzzle_Segments = 16;

// One of the sixteen fixed places of the puzzle, drawing whichever tile the layout puts there.
// Every hit recorded on it is one click on it; together the places' hits are the puzzle's history.
class Slidey_Puzzle_Segment final : public Object, public Target
{
public:
    explicit Slidey_Puzzle_Segment(Pointf const& centre);
    Slidey_Puzzle_Segment(Slidey_Puzzle_Segment const&) = delete;
    Slidey_Puzzle_Segment& operator=(Slidey_Puzzle_Segment const&) = delete;
    ~Slidey_Puzzle_Segment() override = default;

    // The tick of its n-th recorded click (0 the first), or GameEvent_HasntHappened.
    Tick GetHitTime(int n) const;

    void Render(Map const* map, Tick t) const override;
    // Gives its centre but is never offered for aiming.
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    Pointf GetPos() const { return pos; }
    Image const* GetImage() const { return image; }
    void SetImage(Image const* shown) { image = shown; }

private:
    Pointf pos;                   // world centre of the place
    Image const* image = nullptr; // the puzzle's; null for the gap
};

// Fifteen picture tiles and a gap. The player steps in with the action key, clicks the tiles
// next to the gap with the mouse to slide them, and jumps to step out. The layout at a tick is
// worked out from the clicks recorded on the places, so it follows the clock through time
// travel; the shuffle is drawn once when the puzzle is built and is part of the level's start.
class Slidey_Puzzle final : public Object
{
public:
    static constexpr double Tile_Size = 6.0;        // half the spacing of the places
    static constexpr double Tile_Spacing = 12.0;    // world units between neighbouring places
    static constexpr double Enter_Dist = 120.0;     // reach of the action key
    static constexpr double Camera_Scale = 4.0;     // the view while working the puzzle
    static constexpr int Shuffle_Moves = 1024;      // slides of the starting shuffle
    static constexpr int Instructions_Time = 200;   // steps the instructions stay
    static constexpr double Camera_OffsetX = 24.0;  // from place 0 to the view's centre
    static constexpr double Camera_OffsetY = -24.0; //

    // Place 0 (the top-left one) stands at the reference point; the pictures are base followed
    // by 00 to 14, skipping the gap's tile id. Unless solved, the layout is shuffled with the C
    // library's generator. Throws when a picture cannot be loaded.
    Slidey_Puzzle(Player* player, Message* message, Map const* map, unsigned int ref, char const* base, int gap,
                  bool solved);
    Slidey_Puzzle(Slidey_Puzzle const&) = delete;
    Slidey_Puzzle& operator=(Slidey_Puzzle const&) = delete;
    // Hides the mouse pointer again when the level goes while the player is at the puzzle.
    ~Slidey_Puzzle() override;

    Slidey_Puzzle_Segment* GetTile(int id) const;
    // Every place holds the tile of its own number at the last tick moved to.
    bool IsComplete() const;
    static bool Adjacent(int a, int b);
    // The place holding the tile at the last tick moved to.
    int FindTile(int tile) const;
    static Pointf GetPosFromId(int i);

    void MoveToTime(Map const* map, Tick t) override;
    // One step of input at tick t; true while the player is working the puzzle.
    bool Poll(Map const* map, KeyData const* keys, Tick t);

    bool IsActive() const { return active; }
    int GetLayout(int place) const { return layout[place]; }
    int GetStartLayout(int place) const { return startLayout[place]; }
    Image const* GetTileImage(int tile) const { return images[tile].get(); }

private:
    // The layout after every click recorded before t, in time order and, at one tick, in place
    // order. A click at t itself counts from t + 1, the step after the one that made it, so a
    // tick shows the same tiles whether it is played or shown again by time travel.
    void MovePieces(Tick t);

    Player* player = nullptr;   // not owned
    Message* message = nullptr; // the level's
    Pointf pos;                 // place 0
    bool active = false;
    std::unique_ptr<Image> images[Slidey_Puzzle_Segments];                 // by tile id; none for the gap
    std::unique_ptr<Slidey_Puzzle_Segment> places[Slidey_Puzzle_Segments]; // by place index
    int gap = 0;                                                           // the tile id that is the gap
    int startLayout[Slidey_Puzzle_Segments] = {};                          // tile id by place, after the shuffle
    int layout[Slidey_Puzzle_Segments] = {};                               // tile id by place at the current tick
};
