// TreeV_RangeTarget: one of the eight targets of the village's shooting range.
#pragma once

#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"

class Image;
class Map;

constexpr int TreeV_RangeTarget_Count = 8;

enum TreeV_RangeTarget_State : int
{
    TreeV_RangeTarget_Hidden = 0,
    TreeV_RangeTarget_Standing = 1,
    TreeV_RangeTarget_Hit = 2,
};

// The world sets every step whether the target is hidden (the challenge not started), standing
// or hit, from the conversation that starts the challenge and from the target's own hits; only a
// standing target is drawn and can be aimed at. The last two bob up and down with the tick.
class TreeV_RangeTarget final : public Object, public Target
{
public:
    // Throws Error_ParseFile naming the map and the reference point when the map lacks it.
    TreeV_RangeTarget(Map const* map, int targId);
    TreeV_RangeTarget(TreeV_RangeTarget const&) = delete;
    TreeV_RangeTarget& operator=(TreeV_RangeTarget const&) = delete;
    ~TreeV_RangeTarget() override;

    static void Initialise();
    static void Finalise();

    Pointf GetPos(Map const* map, Tick t) const;
    bool GetTargetPos(Map const* map, Tick t, Pointf& at) const override;
    void Render(Map const* map, Tick t) const override;

    TreeV_RangeTarget_State state = TreeV_RangeTarget_Hidden; // written by the world each step
    int targId;                                               // 0 .. TreeV_RangeTarget_Count - 1

private:
    Pointf home; // its reference point's position

    static Image* image;
};
