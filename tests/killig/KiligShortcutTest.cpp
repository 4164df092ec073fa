// The master's house and dungeon as a player meets them: the map's drawing order hides nothing stood on
// and no door, plate or lift, and the first room's door keeps both a held direction and random keys
// from the dungeon's exit.
#include "engine/KeyData.h"
#include "killig/KiligWorldSupport.h"
#include "support/DrawOrder.h"
#include "support/RandomSeed.h"
#include "support/ShortcutRun.h"

#include <gtest/gtest.h>

namespace
{

class KiligShortcut : public KiligWorldFixture
{
protected:
    ShortcutRun::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }
};

} // namespace

TEST_F(KiligShortcut, NoLaterPolygonHidesWhatAPlayerStandsOnOrAMovingGroup)
{
    Kilig& kilig = Dungeon();
    DrawOrder::Check const check(*kilig.GetMap());
    std::vector<DrawOrder::Hidden> const hidden = check.Find();
    EXPECT_TRUE(hidden.empty()) << check.Report(hidden);
}

TEST_F(KiligShortcut, HoldingADirectionOrRandomKeysDoNotReachTheDungeonsExit)
{
    for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
    {
        Dungeon();
        ShortcutRun::Result const r = ShortcutRun::Hold(Stepper(), direction);
        EXPECT_NE(r.action, Level_Completed) << r.how;
    }
    ForEachSeed(ShortcutRun::Seeds, [this](unsigned seed) {
        Dungeon();
        ShortcutRun::Result const r = ShortcutRun::Random(Stepper(), seed);
        EXPECT_NE(r.action, Level_Completed) << r.how;
    });
}
