// The Black mountains against the ways past them that skip the ogre: holding a direction with a jump now
// and then, or random keys, never leads out at the far end; and the map as drawn hides nothing a player
// stands on and no door or moving group behind a later picture.
#include "black/BlackSupport.h"
#include "support/DrawOrder.h"
#include "support/ShortcutRun.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class BlackShortcut : public BlackWorld
{
protected:
    ShortcutRun::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }
};

} // namespace

TEST_F(BlackShortcut, HoldingADirectionOrRandomKeysNeverLeaveByTheFarEndWithOrWithoutTheSocks)
{
    for (bool socks : {false, true})
    {
        for (int direction : {KeyIndex_GameRight, KeyIndex_GameLeft})
        {
            socks ? MakeWorldWithSocks() : MakeWorld();
            ShortcutRun::Result const r = ShortcutRun::Hold(Stepper(), direction);
            EXPECT_NE(r.action, Level_Completed) << r.how << (socks ? ", with the socks" : "");
        }
        for (unsigned seed : ShortcutRun::Seeds)
        {
            socks ? MakeWorldWithSocks() : MakeWorld();
            ShortcutRun::Result const r = ShortcutRun::Random(Stepper(), seed);
            EXPECT_NE(r.action, Level_Completed) << r.how << (socks ? ", with the socks" : "");
        }
    }
}

TEST_F(BlackShortcut, TheMapHidesNoGroundNoDoorAndNoMovingGroupBehindALaterPicture)
{
    Black& black = MakeWorld();
    DrawOrder::Check const check(*black.GetMap());
    std::vector<DrawOrder::Hidden> const hidden = check.Find();
    EXPECT_TRUE(hidden.empty()) << check.Report(hidden);
}
