// Hit_Target: a target the player shoots with the axe; down, it counts as an activator that is on.
#pragma once

#include "engine/Activator.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"

#include <vector>

class Image;
class Map;
class Path;

enum Hit_Target_Type : int
{
    Hit_Target_Normal = 0,
    Hit_Target_Anti = 1,
};

constexpr int Hit_Target_Max_Blockers = 8;
constexpr double Switch_Size = 6.0; // half a target's width at scale 1
constexpr char const* switchimage = "gfx/general/target.png";
constexpr char const* switchantiimage = "gfx/general/antitarget.png";

// Hit, a target drops and stays down, working doors and lifts, until one of its block targets
// is hit after it; then it stands again and can be hit again. A permanent target never drops
// and serves as a block target that resets others. Every answer comes from the hit records up
// to the tick asked, so travelling back shows each target as it was then.
class Hit_Target final : public Object, public Target, public Activator
{
public:
    Hit_Target(Pointf position, Hit_Target_Type type, bool permanent, double scale);
    Hit_Target(Hit_Target const&) = delete;
    Hit_Target& operator=(Hit_Target const&) = delete;
    ~Hit_Target() override;

    static void Initialise();
    static void Finalise();

    // The target moves along the path, looked up at t + phase; the path is not owned.
    void SetPath(Path const* path, int phase);
    // The other target is told of this one so that its hits reach what this one works.
    void AddBlockTarget(Hit_Target const* other);

    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;

    // Whether the target stands (can be seen and hit) at t.
    bool TargetOn(Tick t) const;
    // The latest tick at or before t at which a block target was hit, or -1.
    Tick LastBlockTime(Tick t) const;
    // The earliest tick at or after t at which a block target was hit, or -1.
    Tick FirstBlockFrom(Tick t) const;

    bool GetTargetPos(Map const* map, Tick t, Pointf& pos) const override;
    void Render(Map const* map, Tick t) const override;

    bool IsActive(Tick t) const override;
    Tick LastActiveTime(Tick t) const override;
    Tick LastInactiveTime(Tick t) const override;
    bool ReportsChanges() const override;

private:
    Pointf PositionAt(Tick t) const;

    Path const* path = nullptr;
    int phase = 0;
    Pointf position;
    double scale;
    Hit_Target_Type type;
    bool permanent; // never drops and never becomes active
    Hit_Target const* blockers[Hit_Target_Max_Blockers] = {};
    // The targets that have this one as a block target: its hits change their answers. Kept by
    // them through a pointer to const, as bookkeeping that changes no answer of this one.
    mutable std::vector<Hit_Target*> blocked;

    static Image* image;
    static Image* antiimage;
};
