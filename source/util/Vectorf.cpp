// A 2D velocity of doubles.
#include "util/Vectorf.h"

#include "util/Util.h"

#include <cmath>

Vectorf Vectorf::operator()(double vx, double vy)
{
    x = vx;
    y = vy;
    return *this;
}

void Vectorf::SetAngleSpeed(double angle, double speed)
{
    x = std::sin(angle) * speed;
    y = std::cos(angle) * speed;
}

double Vectorf::GetAngle() const
{
    return std::atan2(x, y);
}

double Vectorf::GetRevAngle() const
{
    return Util::Angle(std::atan2(x, y) + Util::HalfTurn);
}

double Vectorf::GetSpeed() const
{
    return std::sqrt(x * x + y * y);
}

bool Vectorf::operator==(Vectorf const& v) const
{
    return Util::Equal(x, v.x) && Util::Equal(y, v.y);
}
