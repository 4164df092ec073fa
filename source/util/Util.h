// Angle maths, the float remainder, cosmetic and replayable random numbers, easing curves.
#pragma once

#include "util/Tick.h"

#include <cmath>
#include <cstdint>

class Util
{
public:
    // Tolerance of floating-point equality: p and q are equal when |p - q| < Eps.
    static constexpr double Eps = 1.1920928955078125e-7;
    static constexpr double HalfTurn = 3.1415926535898;
    static constexpr double QuarterTurn = 1.5707963267949;
    static constexpr double FullTurn = 6.2831853071796;

    // True when a and b differ by strictly less than Eps.
    // b - a is exactly -(a - b), so one test on the magnitude answers both sides.
    static bool Equal(double a, double b) { return std::fabs(a - b) < Eps; }

    // The angle normalised into (-HalfTurn, HalfTurn]; infinite or NaN input is returned unchanged.
    static double Angle(double x);
    // a - b raised by whole turns until it is not negative (a value within Eps of 0 is kept).
    static double DiffAngle(double a, double b);
    // a - (int)b * (int)(a / b), in 32-bit integers.
    static double FltMod(double a, double b);

    // A number in [0, 1] from the C library generator: for effects that need not replay.
    static double Ran();

    // The hash of a tick: the same tick always gives the same value.
    static std::int32_t Random(Tick t);
    // The hash of a tick offset by an object's serial number, one sequence per object.
    static std::int32_t Random(Tick t, std::uint32_t serial);
    // A fresh serial number for an object's own random sequence; taken once at construction.
    static std::uint32_t NextSerial();
    // Starts the serial numbers again from the first, so that a level built again hands its
    // objects the same sequences.
    static void RestartSerials();

    // Height after t steps of an object dropped from height h under gravity g that
    // bounces with speed factor b; *touched (when given) is set during the step after an impact.
    static double BounceyFall(double h, double g, double b, double t, bool* touched);
    // value eased n times towards target by factor.
    static double FunkyMove(double value, double target, int n, double factor);
};
