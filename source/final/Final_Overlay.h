// Final_Overlay: the white rays and the white disc drawn over the den as the game closes.
#pragma once

// After the dragon's death, a group of four white rays starts from one point of the screen every
// 30 steps, each growing and turning at its own rate; from step 301 a white disc grows over them
// until it covers the screen, and from step 501 it fades away to show the den again. Everything
// is in screen units and a function of the closing step.
class Final_Overlay final
{
public:
    static constexpr int Overlay_RayGap = 30;         // steps between one group of rays and the next
    static constexpr double Overlay_RayGrowth = 10.0; // per step
    static constexpr double Overlay_RayLength = 480.0;
    static constexpr int Overlay_DiscStart = 300; // the disc shows after this step
    static constexpr double Overlay_DiscGrowth = 4.0;
    static constexpr int Overlay_FadeStart = 500; // the disc fades after this step
    static constexpr int Overlay_FadeTime = 100;
    static constexpr double Overlay_DiscRadius = 800.0; // covers the screen

    Final_Overlay() = delete;

    // Draws what step c of the closing sequence shows over the den; c is -1 before it begins.
    static void Plot(int c);
    // The four rays of a group, a quarter turn apart, the first at angle.
    static void PlotSwirly(double radius, double angle);
    // One ray: a thin white triangle from the centre point out to radius.
    static void PlotSwirl(double radius, double angle);
    static void PlotCircle(double radius, double alpha);
    // What ray group i's angle is its length over ten divided by: the sign gives the way it
    // turns. 0 for a group without a rate, which is not drawn.
    static double RayDivisor(int i);
};
