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
    ShortcutRun::Each([this] { Den(); }, Stepper(),
                      [](ShortcutRun::Result const& r) { EXPECT_NE(r.action, Level_Completed) << r.how; });
}

TEST_F(FinalShortcut, TheMapHidesNoGroundBehindALaterPicture)
{
    Final& den = Den();
    EXPECT_TRUE(DrawOrder::NothingHidden(*den.GetMap()));
}
