// A 2D velocity of doubles, in units per step.
#pragma once

class Vectorf
{
public:
    Vectorf() : x(0), y(0) {}
    Vectorf(double vx, double vy) : x(vx), y(vy) {}

    Vectorf operator()(double vx, double vy);
    // Angle in radians from +y towards +x.
    void SetAngleSpeed(double angle, double speed);
    double GetAngle() const;
    // The direction of the reversed vector, normalised.
    double GetRevAngle() const;
    double GetSpeed() const;
    // Within Util::Eps on each axis.
    bool operator==(Vectorf const& v) const;
    bool operator!=(Vectorf const& v) const { return !(*this == v); }

    double x;
    double y;
};
