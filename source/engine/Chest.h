// Chests: locked by a grid puzzle, opened once, revealing the pick-up inside.
#pragma once

#include "engine/Object.h"
#include "util/Pointf.h"

class Image;
class PickUp;

// A chest stands closed until its puzzle is solved; from the opening tick on it is gone and its
// pick-up is found. Going back before that tick shows it closed, but it never opens again.
class Chest final : public Object
{
public:
    Chest(Pointf position, int puzzleId, PickUp* pickUp, double chestScale);
    Chest(Chest const&) = delete;
    Chest& operator=(Chest const&) = delete;

    static void Initialise();
    static void Finalise();

    int GetId() const { return id; }
    // Writes where the chest stands and its scale; true while it has never been opened.
    bool Openable(Pointf& point, double& pointScale) const;
    void Open(Tick t);
    // Closed chests are shown; from the opening tick on the chest is gone.
    bool ShownAt(Tick t) const { return openTime == -1 || t < openTime; }

    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;

private:
    Pointf pos;
    double scale = 1.0;
    int id = 0;                // the grid puzzle that locks it
    PickUp* content = nullptr; // not owned
    Tick openTime = -1;

    static Image* image;
};
