// The den against the ways past the dragon that skip the fight: holding a direction with a jump now and
// then, or random keys, never completes it; and the map as drawn hides nothing the hero stands on.
#include "final/FinalWorldSupport.h"
#include "support/DrawOrder.h"
#include "support/ShortcutRun.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class FinalShortcut : public FinalWorldFixture
{
protected:
    ShortcutRun::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }
};

} // namespace

TEST_F(FinalShortcut, HoldingADirectionOrRandomKeysNeverCompleteTheDen)
{
    for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
    {
        Den();
        ShortcutRun::Result const r = ShortcutRun::Hold(Stepper(), direction);
        EXPECT_NE(r.action, Level_Completed) << r.how;
    }
    for (unsigned seed : ShortcutRun::Seeds)
    {
        Den();
        ShortcutRun::Result const r = ShortcutRun::Random(Stepper(), seed);
        EXPECT_NE(r.action, Level_Completed) << r.how;
    }
}

TEST_F(FinalShortcut, TheMapHidesNoGroundBehindALaterPicture)
{
    Final& den = Den();
    DrawOrder::Check const check(*den.GetMap());
    std::vector<DrawOrder::Hidden> const hidden = check.Find();
    EXPECT_TRUE(hidden.empty()) << check.Report(hidden);
}
