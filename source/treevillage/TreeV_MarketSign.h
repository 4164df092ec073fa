// TreeV_MarketSign and TreeV_SignSegment: the market's sign of six tiles turned by hits.
#pragma once

#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Image;
class Map;

constexpr int TreeV_MarketSign_Segments = 6;
constexpr double Sign_Size = 18.0;

// One tile of the sign. Each hit turns it a further quarter; its turn at a tick is the count of
// the hits up to then, so travelling back turns it back.
class TreeV_SignSegment final : public Object, public Target
{
public:
    TreeV_SignSegment(Pointf const* at, Image const* picture, int startTurn);
    TreeV_SignSegment(TreeV_SignSegment const&) = delete;
    TreeV_SignSegment& operator=(TreeV_SignSegment const&) = delete;
    ~TreeV_SignSegment() override = default;

    // Quarter turns at t, 0 upright.
    int GetRotation(Tick t) const;
    // The angle drawn at t: the latest turn eased in over its first steps.
    double DrawnAngle(Tick t) const;

    void Render(Map const* map, Tick t) const override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

private:
    // The number of hits at or before t.
    int HitsUpTo(Tick t) const;

    Pointf position;
    Image const* picture; // shared
    int startTurn;        // quarter turns, 0 to 3
};

// The picture cut into six tiles, three above three, set wrong until shot straight. It tells the
// conversations when it reads right and the world when one tile has been shot far too often.
class TreeV_MarketSign final
{
public:
    // The tiles' top-left one stands at the reference point; solved builds them upright.
    TreeV_MarketSign(Map const* map, unsigned int refPoint, bool solved);
    TreeV_MarketSign(TreeV_MarketSign const&) = delete;
    TreeV_MarketSign& operator=(TreeV_MarketSign const&) = delete;
    ~TreeV_MarketSign();

    static void Initialise();
    static void Finalise();

    TreeV_SignSegment* GetSwitch(int id) const;
    bool IsComplete(Tick t) const;
    // Some tile has taken twelve or more damage by t.
    bool ShouldHelp(Tick t) const;

private:
    static inline Image* signImages[TreeV_MarketSign_Segments] = {};

    TreeV_SignSegment* segments[TreeV_MarketSign_Segments] = {};
};
