// Char_Base: the recorded part of a character: frame word, feet position, tilt and scale.
#pragma once

#include "util/Pointf.h"
#include "util/Tick.h"

#include <cstdint>

class Image;
class Map;
class Target;

// The frame word holds the sprite frame index in its low 24 bits and the facing bit above.
constexpr std::uint32_t FrameMask = 0x00FFFFFF;
constexpr std::uint32_t LeftFrame = 0x01000000;
constexpr std::uint32_t RightFrame = 0;

// Body coordinates: dx runs to the body's right, dy up the body, both turned with the tilt.
// Past selves record exactly this part of the player tick by tick.
class Char_Base
{
public:
    Char_Base();

    // The point dx to the body's right and dy up it from at (from pos when at is null).
    Pointf GetSpecificPos(double dx, double dy, Pointf const* at) const;
    // The same, with the sine and cosine of the angle given.
    static Pointf GetSpecificPos(double dx, double dy, Pointf const* at, double s, double c)
    {
        return Pointf(at->x + dx * c + dy * s, at->y - dx * s + dy * c);
    }
    // The body coordinates of point p.
    void GetCoordFromPos(Pointf const* p, double& dx, double& dy) const;
    // |dx| + |dy| to the target at tick t; the largest finite double when it cannot be aimed at.
    double DistanceEst(Map const* map, Tick t, Target const* target) const;
    // Draws image standing at pos, tilted and mirrored by the facing, w by h before scaling.
    void Render(Map const* map, Image const* image, double w, double h) const;
    // One vertex at the screen position h/2 up the body, for callers' own line drawing.
    void RenderMidPoint(Map const* map, int h) const;

    Pointf GetPos() const { return pos; }
    void SetPos(Pointf const* newPos) { pos = *newPos; }
    double GetScale() const { return scale; }

    std::uint32_t frame = 0; // frame index and facing bit
    Pointf pos;              // the point between the feet, map units
    double angle = 0.0;      // tilt, radians from +y, clockwise positive
    double scale = 1.0;      // size factor
};
