// TreeV_Marbles: Marbles' catching game, fifteen marbles thrown to the player to drop into jars.
#pragma once

#include "treevillage/TreeV_Ids.h"
#include "util/Tick.h"

class Bezier;
class Image;
class Map;
class Player;
class TreeV_Dude;
struct KeyData;

constexpr int Marbles_Count = 15;    // marbles in a game
constexpr int Marbles_MaxMisses = 3; // one more ends the game
constexpr int Marbles_WalkCap = 600; // steps a walk may take before it counts as arrived
constexpr double Marbles_ThrowX = 2410.0;
constexpr double Marbles_HomeX = 2130.0;
constexpr double Marbles_StartSpeed = 0.005;
constexpr double Marbles_SpeedUp = 1.07;

// Marbles walks to his throwing place and throws marbles of four colours, one at a time and
// each a little faster, in an arc to the player, who steers an arrow over one of four jars;
// an arriving marble drops into the jar under the arrow. Four misses end the game early. Then
// Marbles walks home and the game reports a win or a loss. The colours are cosmetic and never
// replayed (the player is held meanwhile); Marbles' walks are his own replayed records.
class TreeV_Marbles final
{
public:
    TreeV_Marbles(Player* player, TreeV_Dude* marbles);
    ~TreeV_Marbles();
    // The jars' reference points are read only once a game runs: the world asks for them as it
    // builds, so that a map without one is refused then (Error_ParseFile naming it).
    static void RequireJars(Map const* map);
    TreeV_Marbles(TreeV_Marbles const&) = delete;
    TreeV_Marbles& operator=(TreeV_Marbles const&) = delete;

    // One step at tick t: 0 while the game runs, then once 1 won or 2 lost.
    int Poll(Map const* map, Tick t, KeyData const* keys);
    void Plot(Map const* map) const;

    int State() const { return state; }
    int CurrentMarble() const { return currentMarble; }
    int ChosenJar() const { return chosenJar; }
    int Thrown() const { return thrown; }
    int Successes() const { return successes; }
    double Speed() const { return speed; }
    int SuccessSounds() const { return successSounds; }

private:
    void CalcBeziers(Map const* map);
    void NewMarble();
    void Throwing();
    void Finishing();
    int Misses() const { return thrown - successes; }
    // A walk that the map holds up counts as arrived after the cap.
    bool Arrived(bool atPlace);

    Image* arrow = nullptr;
    Image* marbleImages[Marbles_Jars] = {};
    Player* player;
    TreeV_Dude* marbles;
    int state = 0; // 0 idle, 1 walking to his place, 2 throwing, 3 last marble dropping, 4 walking back
    Bezier* throwCurve = nullptr;
    Bezier* jarCurves[Marbles_Jars] = {};
    int currentMarble = -1;
    double u = 0.0; // the flying marble's progress along the throw
    double speed = Marbles_StartSpeed;
    int previousMarble = -1;
    int previousJar = 0;
    int chosenJar = 0;
    int thrown = 0;
    int successes = 0;
    int walkSteps = 0;
    int successSounds = 0; // success sounds played, for the record
};
