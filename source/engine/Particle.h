// Short-lived coloured dots thrown with a velocity, falling and bouncing off the map.
#pragma once

#include "util/Pointf.h"
#include "util/Vectorf.h"

class Map;

struct Doderu_Colour
{
    Doderu_Colour() = default;
    Doderu_Colour(double r, double g, double b) : red(r), green(g), blue(b) {}
    Doderu_Colour operator()(double r, double g, double b)
    {
        red = r;
        green = g;
        blue = b;
        return *this;
    }

    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

class Particle final
{
public:
    // A null velocity stands still; a null colour is red.
    Particle(Pointf const* position, Vectorf const* velocity, Doderu_Colour const* dotColour, int steps);

    // Moves the dot on by the given number of steps; true once its life has run out.
    bool Move(Map* map, int steps);
    void Render(Map* map) const;

    Pointf GetPos() const { return pos; }
    Vectorf GetVel() const { return vel; }

private:
    Doderu_Colour colour;
    Pointf pos;
    Vectorf vel;
    int life = 0; // steps left
};
