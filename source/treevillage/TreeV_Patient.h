// TreeV_Patient: the join-the-spots puzzle on the patient's face in the doctor's surgery.
#pragma once

#include "treevillage/TreeV_Ids.h"
#include "util/Pointf.h"

class GameFont;
class Map;
class Player;
struct KeyData;

constexpr int Patient_Links_Per_Spot = 6;
constexpr int Patient_ZoomSteps = 93;    // steps of zooming in before play
constexpr int Patient_ResultSteps = 131; // steps the result is shown

// The camera closes in on the patient's face, where four pairs of coloured spots must be
// joined in turn, each by a chain of lines between neighbouring spots. A spot once left can't
// be entered again and the other pairs' spots are out of bounds. Left and right pick the next
// line, action draws it and jump gives up; a spot with no line left to draw fails the puzzle.
// Nothing is kept on the level clock: the world holds the player while it runs.
class TreeV_Patient final
{
public:
    explicit TreeV_Patient(Player* player);
    // The patient's point and his spots are read only once the puzzle runs: the world asks for
    // them as it builds, so that a map without one is refused then (Error_ParseFile naming it).
    static void RequireSpots(Map const* map);

    // One step: 0 while it runs, then once 1 solved or 2 failed.
    int Poll(Map const* map, KeyData const* keys);
    void Plot(Map const* map, GameFont const* font) const;

    int State() const { return state; }
    int CurrentSpot() const { return currentSpot; }
    // The spot the offered line leads to, or -1.
    int OfferedSpot() const;
    int Pair() const { return pair; }
    // The spot a line was drawn to from spot s, or -1.
    int DrawnTo(int s) const;
    // Whether spot from still has a link into spot to (faintly drawn while it lasts).
    bool Linked(int from, int to) const;

private:
    void Setup();
    void CheckKeys(KeyData const* keys);
    void RemoveLinks(int s);
    bool LinkValid(int spot, int j) const;
    // The first valid link of the current spot, or -1.
    int FirstValid() const;
    Pointf GetPoint(Map const* map, int i) const;

    Player* player;
    int state = 0; // 0 start, 1 zooming in, 2 playing, 3 showing the result
    int counter = 0;
    int pair = 0;
    int currentSpot = 0;
    int choice = 0; // the offered link of the current spot, or -1
    Pointf textPos;
    int links[Spot_Count][Patient_Links_Per_Spot] = {}; // reference point ids, 0 for none
    int drawnLines[Spot_Count] = {};                    // reference point id joined to, 0 for none
};
