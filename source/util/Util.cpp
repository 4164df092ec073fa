// Angle maths, the float remainder, random numbers and easing curves.
#include "util/Util.h"

#include <cmath>
#include <cstdlib>

namespace
{
// Beyond this many turns stepping by whole turns would take too long (or, for
// huge values, never change the number): reduce with fmod first.
constexpr double StepLimit = 1.0e6 * Util::FullTurn;

// Truncates towards zero into 32 bits; out-of-range values saturate and NaN gives 0.
std::int32_t TruncInt32(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return INT32_MAX;
    if (v <= -2147483648.0)
        return INT32_MIN;
    return static_cast<std::int32_t>(v);
}

std::uint32_t nextSerial = 0;
} // namespace

double Util::Angle(double x)
{
    if (!std::isfinite(x))
        return x;
    if (std::fabs(x) > StepLimit)
        x = std::fmod(x, FullTurn);
    while (x <= -HalfTurn)
        x += FullTurn;
    while (x > HalfTurn)
        x -= FullTurn;
    return x;
}

double Util::DiffAngle(double a, double b)
{
    double d = a - b;
    if (!std::isfinite(d))
        return d;
    if (d < -StepLimit)
        d = std::fmod(d, FullTurn);
    for (;;)
    {
        if (Equal(d, 0.0))
            return d;
        if (d < 0)
            d += FullTurn;
        else
            return d;
    }
}

double Util::FltMod(double a, double b)
{
    std::int32_t q = TruncInt32(a / b);
    std::int32_t bi = TruncInt32(b);
    // The product wraps like the 32-bit multiply it stands for.
    std::int32_t product = static_cast<std::int32_t>(static_cast<std::uint32_t>(bi) * static_cast<std::uint32_t>(q));
    return a - static_cast<double>(product);
}

double Util::Ran()
{
    return (std::rand() & 0x7fff) / 32767.0;
}

std::int32_t Util::Random(Tick t)
{
    std::uint32_t x = static_cast<std::uint32_t>(t);
    x ^= x << 16;
    x *= 0x383D0Bu;
    x ^= x << 16;
    x *= 0xCC7BFu;
    std::int32_t s = static_cast<std::int32_t>(x);
    s ^= s >> 16; // arithmetic shift: the sign bit is copied in
    return s;
}

std::int32_t Util::Random(Tick t, std::uint32_t serial)
{
    return Random(static_cast<Tick>(static_cast<std::uint32_t>(t) + serial));
}

std::uint32_t Util::NextSerial()
{
    return ++nextSerial;
}

void Util::RestartSerials()
{
    nextSerial = 0;
}

double Util::BounceyFall(double h, double g, double b, double t, bool* touched)
{
    double t0 = std::sqrt(2.0 * h / g);
    if (touched != nullptr)
        *touched = false;
    if (t < t0)
        return h - (g * 0.5) * t * t;
    t -= t0;
    double v = g * t0 * b;
    for (;;)
    {
        if (!std::isfinite(t))
            return 0;
        if (t < 0 && !Equal(t, 0.0))
            return 0;
        if (touched != nullptr && t < 1 && !Equal(t, 1.0))
            *touched = true;
        double hop = (v + std::fabs(v)) / g;
        if (hop == 0 || !std::isfinite(hop))
            return 0;
        if (hop > t)
            return v * t - (g * 0.5) * t * t;
        v *= b;
        t -= hop;
    }
}

double Util::FunkyMove(double value, double target, int n, double factor)
{
    for (int i = 0; i < n; i++)
        value += (target - value) * factor;
    return value;
}
