// A 2D point of doubles: arithmetic, distances, directions and turns.
#pragma once

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
    bool operator==(Pointf const& p) const;
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
    int InLine(Pointf const* a, Pointf const* b) const;
    // The turn of this -> a -> b: 0 one way, 1 the other, 2 straight on, 3 back.
    int Clockwise(Pointf const* a, Pointf const* b) const;

    // A null transform is the identity.
    Pointf WorldToScreen(WorldTransform const* t) const;
    Pointf ScreenToWorld(WorldTransform const* t) const;

    double x;
    double y;
};

Pointf operator*(Pointf const& p, double factor);
