// A 2D point of doubles: arithmetic, distances, directions and turns.
#pragma once

#include "util/Util.h"

class WorldTransform;

// Angles are radians from +y towards +x; equality is within Util::Eps on each axis.
class Pointf
{
public:
    Pointf() : x(0), y(0) {}
    Pointf(double px, double py) : x(px), y(py) {}
    explicit Pointf(Pointf const* p);

    Pointf operator()(double px, double py);
    Pointf operator+(Pointf const& p) const { return Pointf(x + p.x, y + p.y); }
    Pointf operator-(Pointf const& p) const { return Pointf(x - p.x, y - p.y); }
    Pointf operator+=(Pointf const& p);
    Pointf operator-=(Pointf const& p);
    Pointf operator*=(double factor);
    bool operator==(Pointf const& p) const { return Util::Equal(x, p.x) && Util::Equal(y, p.y); }
    bool operator!=(Pointf const& p) const { return !(*this == p); }

    double Distance(Pointf const* p) const;
    // |dx| + |dy|: the cheap distance used for reach and culling.
    double DistanceEst(Pointf const* p) const;
    // The direction from this point to q.
    double Angle(Pointf const* q) const;

    // Turns this point about the centre (the origin when null); +angle turns towards +x.
    void Rotate(Pointf const* centre, double angle);
    void Scale(Pointf const* centre, double factor);

    // Where this point lies along a->b, on one axis: 0 beyond a, 1 at a, 2 between, 3 at b, 4 beyond b.
    int InLine(Pointf const* a, Pointf const* b) const
    {
        bool const vertical = Util::Equal(a->x, b->x);
        double const v = vertical ? y : x;
        double const va = vertical ? a->y : a->x;
        double const vb = vertical ? b->y : b->x;
        if (Util::Equal(v, va))
            return 1;
        if (Util::Equal(v, vb))
            return 3;
        if ((va < v && v < vb) || (vb < v && v < va))
            return 2;
        bool const beyondA = va <= vb ? v < va : v > va;
        return beyondA ? 0 : 4;
    }
    // The turn of this -> a -> b: 0 one way, 1 the other, 2 straight on, 3 back.
    int Clockwise(Pointf const* a, Pointf const* b) const;

    // A null transform is the identity.
    Pointf WorldToScreen(WorldTransform const* t) const;
    Pointf ScreenToWorld(WorldTransform const* t) const;

    double x;
    double y;
};

Pointf operator*(Pointf const& p, double factor);
