// Casle_Symbols: the symbol lock, opened by standing on exactly the right two of eight plates.
#pragma once

#include "engine/Activator.h"
#include "engine/Object.h"
#include "util/Tick.h"

class Map;

constexpr int Casle_Symbols_Count = 8;
constexpr int Symbol_Target1 = 3;
constexpr int Symbol_Target2 = 7;

// Eight floor plates, each under a symbol. The lock opens for good at the earliest tick at which
// the fourth and the eighth are down and the six others up; a travel back and the combination
// made earlier moves that tick earlier.
class Casle_Symbols final : public Object, public Activator
{
public:
    Casle_Symbols(Activator const* s0, Activator const* s1, Activator const* s2, Activator const* s3,
                  Activator const* s4, Activator const* s5, Activator const* s6, Activator const* s7);
    ~Casle_Symbols() override = default;
    Casle_Symbols(Casle_Symbols const&) = delete;
    Casle_Symbols& operator=(Casle_Symbols const&) = delete;

    void MoveToTime(Map const* map, Tick t) override;

    bool IsActive(Tick t) const override;
    Tick LastActiveTime(Tick t) const override;
    Tick LastInactiveTime(Tick t) const override;

    Tick GetSolvedTime() const { return solvedTime; }

private:
    Activator const* switches[Casle_Symbols_Count]; // the world's switches
    Tick solvedTime = -1;                           // the earliest tick the combination stood
};
