// The closing overlay: no ray before the first group with a rate, the rays placed by their group's
// turn, the disc from step 301 that covers the screen and then fades, and nothing after.
#include "final/FinalTestSupport.h"
#include "final/Final_Overlay.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>

class FinalOverlayTest : public MediaTestSupport_Gl
{
protected:
    // The screen after drawing step c over black; no GL error may be left.
    int Drawn(int c)
    {
        ClearScreen();
        Final_Overlay::Plot(c);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "step " << c;
        return LitPixels();
    }
};

TEST_F(FinalOverlayTest, NothingUntilTheFirstGroupWithARateThenItsRaysWhereItsTurnPutsThem)
{
    // The first group's rate is not finite; alone it draws nothing.
    EXPECT_TRUE(Util::Equal(Final_Overlay::RayDivisor(0), 0.0));
    for (int c : {-1, 0, 1, 15, 30})
        EXPECT_EQ(Drawn(c), 0) << "step " << c;
    for (int i = 1; i <= 16; ++i)
        EXPECT_FALSE(Util::Equal(Final_Overlay::RayDivisor(i), 0.0)) << "group " << i;

    // At 60 the second group is 300 long, turned by 30 over its divisor; four rays a quarter
    // turn apart, white along their middles and thin beside them.
    EXPECT_GT(Drawn(60), 0);
    double const turn = 30.0 / Final_Overlay::RayDivisor(1);
    for (int k = 0; k < 4; ++k)
    {
        double const a = turn + k * Util::HalfTurn / 2.0;
        for (double const off : {0.0, 0.12})
        {
            int const x = static_cast<int>(std::lround(320.0 + 150.0 * std::sin(a + off)));
            int const y = static_cast<int>(std::lround(300.0 + 150.0 * std::cos(a + off)));
            if (off == 0.0)
                EXPECT_EQ(Pixel(x, y), (std::array<int, 3>{255, 255, 255})) << "ray " << k;
            else
                EXPECT_TRUE(IsBlack(x, y)) << "beside ray " << k;
        }
    }
}

TEST_F(FinalOverlayTest, TheDiscGrowsFrom301CoversTheScreenAt500AndFadesOutBy600)
{
    int const rays = Drawn(300);
    EXPECT_GT(Drawn(301), rays) << "the disc's first four units";
    EXPECT_EQ(Drawn(500), 640 * 480);
    Drawn(550);
    for (auto const& [x, y] : {std::pair{0, 0}, std::pair{639, 479}, std::pair{320, 300}})
        for (int channel : Pixel(x, y))
            EXPECT_NEAR(channel, 127, 2) << "half faded at " << x << ", " << y;
    for (int c : {600, 601, 650, 700})
        EXPECT_EQ(Drawn(c), 0) << "step " << c;
}
