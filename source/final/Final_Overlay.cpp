// Final_Overlay: the rays by group, the disc, and their drawing.
#include "final/Final_Overlay.h"

#include "util/Util.h"

#include <GL/gl.h>

#include <cmath>

namespace
{
constexpr double Centre_X = 320.0; // where the rays start and the disc grows from
constexpr double Centre_Y = 300.0;
constexpr double Ray_HalfWidth = 0.04; // radians either side of a ray's line
constexpr int Circle_Corners = 64;
constexpr double Circle_Step = 0.09817477042468126; // a full turn over the corners

void White(double alpha)
{
    glDisable(GL_TEXTURE_2D);
    glColor4d(1.0, 1.0, 1.0, alpha);
    glLineWidth(1.0f);
}
} // namespace

void Final_Overlay::Plot(int c)
{
    if (c < 0 || c > Overlay_FadeStart + Overlay_FadeTime)
        return;
    if (c > Overlay_FadeStart)
    {
        PlotCircle(Overlay_DiscRadius, 1.0 - (c - Overlay_FadeStart) / static_cast<double>(Overlay_FadeTime));
        return;
    }
    double d = c;
    for (int i = 0; d > 0.0 && !Util::Equal(d, 0.0); ++i, d -= Overlay_RayGap)
    {
        // The first group's divisor is 0: it would have no finite corner, so it is left out.
        double const r = RayDivisor(i);
        if (!Util::Equal(r, 0.0))
            PlotSwirly(d * Overlay_RayGrowth, d / r);
    }
    if (c > Overlay_DiscStart)
        PlotCircle((c - Overlay_DiscStart) * Overlay_DiscGrowth, 1.0);
}

void Final_Overlay::PlotSwirly(double radius, double angle)
{
    if (radius > Overlay_RayLength && !Util::Equal(radius, Overlay_RayLength))
        radius = Overlay_RayLength;
    for (int k = 0; k < 4; ++k)
        PlotSwirl(radius, angle + k * Util::HalfTurn / 2.0);
}

void Final_Overlay::PlotSwirl(double radius, double angle)
{
    White(1.0);
    glBegin(GL_TRIANGLES);
    glVertex2d(Centre_X, Centre_Y);
    glVertex2d(Centre_X + radius * std::sin(angle - Ray_HalfWidth),
               Centre_Y + radius * std::cos(angle - Ray_HalfWidth));
    glVertex2d(Centre_X + radius * std::sin(angle + Ray_HalfWidth),
               Centre_Y + radius * std::cos(angle + Ray_HalfWidth));
    glEnd();
}

void Final_Overlay::PlotCircle(double radius, double alpha)
{
    White(alpha);
    glBegin(GL_POLYGON);
    for (int i = 0; i < Circle_Corners; ++i)
    {
        double const a = i * Circle_Step;
        glVertex2d(Centre_X + radius * std::sin(a), Centre_Y + radius * std::cos(a));
    }
    glEnd();
}

double Final_Overlay::RayDivisor(int i)
{
    double const r = (Util::Random(i) & 0x3FF) * 20 / 100.0;
    return (Util::Random(i + 1) & 0x40) != 0 ? -r : r;
}
