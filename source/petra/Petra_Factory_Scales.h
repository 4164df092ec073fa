// Petra_Factory_Scales: the factory's weighing machine, which weighs the jars on its pan once per press.
#pragma once

#include "engine/Object.h"
#include "petra/Petra_Ids.h"
#include "util/Tick.h"

class Activator;
class Collectable;
class GameFont;
class Image;
class Map;
class Message;
struct KeyData;

constexpr int Factory_Scales_Tube_Count = 5;
constexpr char const* arrowfile = "gfx/general/uparrow.png";

// One tube of five makes jars of two kilograms, the others of one. Each press of the weigh plate
// counts the jars on the pan, draws the faulty tube at random and shows the weight; the hero then
// points at a tube with left and right and confirms with the action key. Only a weighing in which
// every tube has a different count can be answered right. The machine keeps no record of its
// weighings: it is right only in a level without time travel.
class Petra_Factory_Scales final : public Object
{
public:
    // jars is borrowed, not copied: jar j belongs to tube j / jarsPerTube.
    Petra_Factory_Scales(Collectable** jars, int jarsPerTube, Activator* plate, Message* messages, GameFont* textFont);
    ~Petra_Factory_Scales() override;
    Petra_Factory_Scales(Petra_Factory_Scales const&) = delete;
    Petra_Factory_Scales& operator=(Petra_Factory_Scales const&) = delete;

    // Weighs on each press of the plate.
    void MoveToTime(Map const* map, Tick t) override;
    void CalcWeights(Map const* map, Tick t);
    // The choice while active: 0 still open, 1 made and wrong (or the weighing has no answer),
    // 2 made and right.
    int Poll(Map const* map, KeyData const* keys);
    bool Complete() const;
    // The arrow under the selected tube and the weight.
    void Plot(Map const* map, Tick t) const;

    bool active = false; // a choice is open
    bool valid = false;  // the last weighing can be answered
    int faultyTube = 0;  // the two-kilogram tube of the last weighing
    int weight = 0;      // of the last weighing, kilograms
    int selected = 0;    // the tube under the arrow, kept from one weighing to the next

private:
    Message* message;
    GameFont* font;
    Activator* activator;
    Collectable** jars;
    int jarsPerTube;
    bool wasActive = false; // the plate was down at the previous step
    Image* arrow = nullptr;
};
