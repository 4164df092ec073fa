// Chasm_HangOn: a floating flower of the canyon that sways, sinks under the player, dips when he
// jumps off and drifts away while he hangs from it with the fan.
#pragma once

#include "engine/HangOn.h"
#include "engine/Object.h"
#include "engine/TimeSet.h"
#include "util/Pointf.h"

#include <cstdint>

class Image;

// The player hangs from the flower's hang point. Hanging sinks it, 80 units for every 200 ticks
// hung, eased with a sine; each jump off it dips it a further 40 over 60 ticks, for good; hanging
// with the fan pushes it left, each run of fan hanging speeding up from rest and coasting to a stop
// after it. Its place at a tick is a function of the tick and the three records of what the player
// did on it, which only grow at their end: after a travel back, what the player does before the
// latest record is not written, and the flower follows the future it recorded. A fixed flower never
// sinks or dips, but it drifts.
class Chasm_HangOn final : public Object, public HangOn
{
public:
    static constexpr double HangOn_HangXPoint = 0.5;        // hang point across the picture, from the left
    static constexpr double HangOn_HangYPoint = 0.2;        // and up it, from the lower edge
    static constexpr int HangOn_CycleLength = 200;          // hanging ticks per full sinking cycle
    static constexpr double HangOn_CycleDist = 40.0;        // sinking per half cycle
    static constexpr int HangOn_PushDownLength = 60;        // ticks of a jump's dip; least spacing of two jumps
    static constexpr double HangOn_PushDownDist = 40.0;     // depth of one dip
    static constexpr double HangOn_Drift_Accell = 0.02;     // units per tick per tick
    static constexpr double HangOn_Drift_Decell = 0.05;     // units per tick per tick
    static constexpr double HangOn_Drift_MaxSpeed = 1.0;    // units per tick
    static constexpr int HangOn_Drift_AccellTime = 50;      // ticks from rest to top speed
    static constexpr double HangOn_Drift_AccellDist = 25.0; // units covered reaching top speed
    static constexpr double HangOn_SwayDist = 5.0;          // units either way
    static constexpr double HangOn_SwayTicks = 60.0;        // ticks per radian of sway

    // Rests at the point; its sway phase is drawn from the C library's sequence.
    Chasm_HangOn(Pointf at, bool isFixed);
    Chasm_HangOn(Chasm_HangOn const&) = delete;
    Chasm_HangOn& operator=(Chasm_HangOn const&) = delete;
    ~Chasm_HangOn() override = default;

    static void Initialise();
    static void Finalise();

    // The hang point at t.
    Pointf PosAtTime(Tick t) const;
    // How far left the fan has pushed it by t, in whole units.
    double CalcDrift(Tick t) const;

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;

    void PlayerHanging(Tick t) override;
    void PlayerHangingWithFan(Tick t) override;
    void PlayerJumped(Tick t) override;
    // Every flower answers to the fan.
    std::uint32_t GetInfo(Tick t) override;

    Pointf GetBasePos() const { return basePos; }
    double GetPhase() const { return phase; }
    bool IsFixed() const { return fixed; }
    TimeSet const& HangTimes() const { return hangTimes; }
    TimeSet const& FanTimes() const { return fanTimes; }
    TimeSet const& JumpTimes() const { return jumpTimes; }

private:
    // Nothing is written at t once any record lies at or after it.
    bool MayRecord(Tick t) const;
    // The distance of a fan run of n ticks from rest; speed becomes the speed at its end.
    static double CalcAccellDrift(int n, double& speed);
    // The distance coasted from speed over a gap of n ticks; speed is left as it is.
    static double CalcDecelDrift(int n, double speed);

    Pointf basePos;     // where it rests
    double phase = 0.0; // radians of sway
    bool fixed = false; // records no hanging and no jumps
    TimeSet hangTimes;  // ticks hung without the fan
    TimeSet fanTimes;   // ticks hung with the fan
    TimeSet jumpTimes;  // ticks jumped off

    static Image* img;
};
