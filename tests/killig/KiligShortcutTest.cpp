// The master's house and dungeon as a player meets them: the map's drawing order hides nothing stood on
// and no door, plate or lift, and the first room's door keeps both a held direction and random keys
// from the dungeon's exit.
#include "killig/KiligWorldSupport.h"
#include "support/DrawOrder.h"
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
    EXPECT_TRUE(DrawOrder::NothingHidden(*kilig.GetMap()));
}

TEST_F(KiligShortcut, HoldingADirectionOrRandomKeysDoNotReachTheDungeonsExit)
{
    ShortcutRun::Each([this] { Dungeon(); }, Stepper(),
                      [](ShortcutRun::Result const& r) { EXPECT_NE(r.action, Level_Completed) << r.how; });
}
