// People for the generator's pictures, drawn from a look and a pose in a 32 x 32 frame scaled to the
// canvas; facing right, feet on the bottom edge.
#include "tools/Figure.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

constexpr double Pi = 3.14159265358979323846;

// Where the body's joints sit in the 32 x 32 frame.
constexpr double HipX = 16.0;
constexpr double HipY = 21.4;
constexpr double LegLength = 8.7;
constexpr double ShoulderY = 14.2;
constexpr double ArmLength = 8.0;
constexpr double HeadX = 17.0;
constexpr double HeadY = 7.6;
constexpr double HeadR = 6.0;

struct Limb
{
    double x, y; // the far end
};

Limb End(double x, double y, double length, double angle)
{
    // Angle 0 hangs straight down; positive swings forward (to the right).
    return Limb{x + length * std::sin(angle), y + length * std::cos(angle)};
}

void Leg(Canvas& c, Figure_Look const& look, Canvas_Pen const& ink, double angle, double lift, bool far)
{
    double const shade = far ? 0.78 : 1.0;
    Limb const foot = End(HipX, HipY, LegLength - 2.6 * std::max(0.0, lift), angle);
    c.Draw(Canvas_Shape::Capsule(HipX, HipY, foot.x, foot.y, 4.0),
           Canvas_Paint::Lit(look.legs.Shade(shade), HipY, foot.y), ink);
    c.Draw(Canvas_Shape::Ellipse(foot.x + 1.3, foot.y + 0.2, 2.8, 1.75), look.boots.Shade(shade), ink);
}

Limb Arm(Canvas& c, Figure_Look const& look, Canvas_Pen const& ink, double angle, bool far)
{
    double const shade = far ? 0.78 : 1.0;
    double const x = far ? HipX - 0.8 : HipX + 0.4;
    Limb const hand = End(x, ShoulderY, ArmLength, angle);
    Rgba const sleeve = look.dress == Figure_Clothes::Overalls ? look.trim : look.clothes;
    c.Draw(Canvas_Shape::Capsule(x, ShoulderY, hand.x, hand.y, 3.4), sleeve.Shade(shade), ink);
    c.Draw(Canvas_Shape::Circle(hand.x, hand.y, 1.75), look.skin.Shade(shade), ink);
    return hand;
}

// The outline of the clothes from the shoulders to the hem, wider at the hem.
Canvas_Shape Garment(double build, double hemY, double hemHalf)
{
    double const top = 4.4 * build;
    return Canvas_Shape::Blob({HipX - top, 12.6, HipX, 12.0, HipX + top, 12.6, HipX + top + 0.8, 16.5, HipX + hemHalf,
                               hemY, HipX, hemY + 0.3, HipX - hemHalf, hemY, HipX - top - 0.8, 16.5});
}

void Body(Canvas& c, Figure_Look const& look, Canvas_Pen const& ink)
{
    double const b = look.build;
    switch (look.dress)
    {
    case Figure_Clothes::Tunic:
        c.Draw(Garment(b, 23.4, 5.8 * b), Canvas_Paint::Lit(look.clothes, 12.0, 23.5), ink);
        c.Draw(Canvas_Shape::Rect(HipX - 5.1 * b, 19.4, 10.2 * b, 1.7), look.trim, ink);
        break;
    case Figure_Clothes::Dress:
        c.Draw(Garment(b, 27.8, 7.6 * b), Canvas_Paint::Lit(look.clothes, 12.0, 28.0), ink);
        c.Draw(Canvas_Shape::Rect(HipX - 4.6 * b, 18.0, 9.2 * b, 1.4), look.trim, ink);
        break;
    case Figure_Clothes::Robe:
        c.Draw(Garment(b, 30.3, 6.8 * b), Canvas_Paint::Lit(look.clothes, 12.0, 30.5), ink);
        c.Line(HipX + 2.0, 13.0, HipX + 3.5, 30.0, Canvas_Pen{look.trim, 1.2});
        break;
    case Figure_Clothes::Coat:
        c.Draw(Garment(b, 27.0, 6.6 * b), Canvas_Paint::Lit(look.clothes, 12.0, 27.0), ink);
        c.Fill(Canvas_Shape::Polygon({HipX + 1.8, 12.6, HipX + 4.0 * b, 13.0, HipX + 4.6 * b, 26.6, HipX + 2.8, 26.8}),
               look.trim);
        c.Line(HipX + 1.8, 12.8, HipX + 2.8, 26.6, Canvas_Pen{look.clothes.Shade(0.6), 0.8});
        break;
    case Figure_Clothes::Overalls:
        c.Draw(Garment(b, 22.0, 5.4 * b), Canvas_Paint::Lit(look.trim, 12.0, 22.0), ink);
        c.Draw(Canvas_Shape::RoundRect(HipX - 4.8 * b, 17.0, 9.6 * b, 6.4, 1.5),
               Canvas_Paint::Lit(look.clothes, 17.0, 23.4), ink);
        c.Draw(Canvas_Shape::Rect(HipX + 0.8, 14.4, 3.6 * b, 3.2), look.clothes, ink);
        c.Line(HipX + 1.2, 14.6, HipX - 2.0, 12.6, Canvas_Pen{look.clothes.Shade(0.8), 1.3});
        break;
    case Figure_Clothes::Apron:
        c.Draw(Garment(b, 23.6, 6.0 * b), Canvas_Paint::Lit(look.clothes, 12.0, 23.6), ink);
        c.Draw(Canvas_Shape::Polygon({HipX + 0.5, 14.8, HipX + 4.2 * b, 14.8, HipX + 5.8 * b, 27.0, HipX + 0.4, 27.0}),
               Canvas_Paint::Lit(look.trim, 14.8, 27.0), ink);
        c.Line(HipX - 4.0 * b, 19.0, HipX + 1.0, 19.0, Canvas_Pen{look.trim.Shade(0.8), 1.0});
        break;
    }
}

void HairBehind(Canvas& c, Figure_Look const& look, Canvas_Pen const& ink)
{
    if (look.hairStyle == Figure_Hair::Long && look.hatStyle != Figure_Hat::Hood)
        c.Draw(Canvas_Shape::Blob({12.0, 3.0, 16.0, 1.4, 18.5, 3.5, 15.0, 10.0, 14.5, 15.5, 11.5, 16.0, 10.2, 10.0}),
               Canvas_Paint::Lit(look.hair, 1.0, 16.0), ink);
}

void Head(Canvas& c, Figure_Look const& look, Canvas_Pen const& ink)
{
    Rgba const dark{35, 25, 30, 255};
    // The nose first, so that the head's outline closes over its root.
    c.Draw(Canvas_Shape::Circle(HeadX + 5.8, HeadY + 0.9, 1.3), look.skin.Shade(0.95), ink);
    c.Draw(Canvas_Shape::Circle(HeadX, HeadY, HeadR),
           Canvas_Paint::Radial(HeadX + 1.5, HeadY - 1.8, HeadR * 1.4, look.skin.Shade(1.12), look.skin.Shade(0.82)),
           ink);
    c.Draw(Canvas_Shape::Ellipse(HeadX - 1.6, HeadY + 0.8, 1.1, 1.5), look.skin.Shade(0.88),
           Canvas_Pen{ink.colour, 0.6});
    c.Fill(Canvas_Shape::Ellipse(HeadX + 3.1, HeadY - 0.6, 0.95, 1.25), dark);
    c.Fill(Canvas_Shape::Circle(HeadX + 3.4, HeadY - 1.0, 0.35), Rgba{255, 255, 255, 255});
    c.Line(HeadX + 3.2, HeadY + 3.3, HeadX + 4.5, HeadY + 3.0, Canvas_Pen{look.skin.Shade(0.55), 0.7});
}

void HairOnTop(Canvas& c, Figure_Look const& look, Canvas_Pen const& ink)
{
    if (look.hatStyle == Figure_Hat::Hood)
        return;
    Canvas_Paint const hair = Canvas_Paint::Lit(look.hair, 1.0, 10.0);
    switch (look.hairStyle)
    {
    case Figure_Hair::Bald:
        c.Draw(Canvas_Shape::Blob({11.2, 6.5, 12.6, 5.8, 13.0, 9.5, 11.6, 10.2}), hair, ink);
        break;
    case Figure_Hair::Bun:
        c.Draw(Canvas_Shape::Circle(12.2, 2.6, 2.4), hair, ink);
        [[fallthrough]];
    case Figure_Hair::Short:
    case Figure_Hair::Long:
        c.Draw(Canvas_Shape::Blob({11.0, 8.6, 11.4, 3.8, 14.5, 1.4, 18.6, 1.2, 22.0, 2.9,
                                   22.9, 5.0, 19.4, 4.2, 16.4, 4.8, 14.6, 7.2, 13.4, 10.6}),
               hair, ink);
        break;
    }
}

void Beard(Canvas& c, Figure_Look const& look, Canvas_Pen const& ink)
{
    if (look.beard.a == 0)
        return;
    c.Draw(Canvas_Shape::Blob({22.8, 9.6, 22.4, 13.2, 20.2, 18.2, 17.4, 15.2, 15.6, 11.2, 18.8, 11.0}),
           Canvas_Paint::Lit(look.beard, 9.0, 18.0), ink);
}

std::vector<double> HalfEllipse(double cx, double cy, double rx, double ry)
{
    std::vector<double> xy;
    for (int i = 0; i <= 12; ++i)
    {
        double const a = Pi + Pi * i / 12.0;
        xy.push_back(cx + rx * std::cos(a));
        xy.push_back(cy + ry * std::sin(a));
    }
    return xy;
}

void Hat(Canvas& c, Figure_Look const& look, Canvas_Pen const& ink)
{
    Rgba const gold{240, 200, 50, 255};
    switch (look.hatStyle)
    {
    case Figure_Hat::None:
        break;
    case Figure_Hat::Cap:
        c.Draw(Canvas_Shape::Ellipse(23.0, 4.6, 3.4, 1.0), look.hat.Shade(0.75), ink);
        c.Draw(Canvas_Shape::Polygon(HalfEllipse(16.8, 4.8, 6.3, 4.6)), Canvas_Paint::Lit(look.hat, 0.2, 4.8), ink);
        break;
    case Figure_Hat::Helmet:
        c.Draw(Canvas_Shape::Polygon(HalfEllipse(16.8, 4.9, 6.6, 4.9)), Canvas_Paint::Lit(look.hat, 0.0, 5.0), ink);
        c.Draw(Canvas_Shape::RoundRect(9.4, 4.4, 15.4, 1.7, 0.8), look.hat.Shade(0.8), ink);
        c.Fill(Canvas_Shape::Circle(23.2, 2.7, 2.6),
               Canvas_Paint::Radial(23.2, 2.7, 2.6, Rgba{255, 250, 200, 200}, Rgba{255, 240, 150, 0}));
        c.Draw(Canvas_Shape::Circle(22.6, 2.7, 1.3), Rgba{255, 250, 210, 255}, ink);
        break;
    case Figure_Hat::Crown:
        c.Draw(Canvas_Shape::Polygon(
                   {11.6, 4.4, 11.2, 0.8, 13.6, 2.6, 15.6, 0.3, 17.6, 2.6, 19.8, 0.3, 21.6, 2.6, 22.6, 0.8, 22.4, 4.4}),
               Canvas_Paint::Lit(gold, 0.3, 4.4), ink);
        c.Fill(Canvas_Shape::Circle(17.0, 3.2, 0.8), Rgba{200, 30, 40, 255});
        break;
    case Figure_Hat::Hood:
        c.Draw(Canvas_Shape::Blob({22.6, 3.2, 18.6, 0.4, 12.6, 1.2, 9.6, 6.2, 10.2, 12.6, 13.4, 14.4, 15.0, 10.6, 15.6,
                                   5.4, 19.6, 3.4}),
               Canvas_Paint::Lit(look.hat, 0.4, 14.4), ink);
        break;
    case Figure_Hat::Straw:
        c.Draw(Canvas_Shape::Polygon(HalfEllipse(16.6, 3.4, 4.4, 3.2)), Canvas_Paint::Lit(look.hat, 0.2, 3.4), ink);
        c.Draw(Canvas_Shape::Ellipse(16.8, 3.6, 8.8, 1.3), look.hat.Shade(0.9), ink);
        c.Line(12.4, 2.8, 20.8, 2.8, Canvas_Pen{look.trim, 0.9});
        break;
    case Figure_Hat::Mirror:
        c.Line(11.4, 4.4, 21.6, 2.8, Canvas_Pen{look.hat.Shade(0.7), 1.1});
        c.Draw(Canvas_Shape::Circle(21.8, 2.6, 2.1),
               Canvas_Paint::Radial(21.2, 2.0, 2.4, Rgba{250, 250, 255, 255}, Rgba{150, 160, 175, 255}), ink);
        break;
    }
}

void Held(Canvas& c, Figure_Look const& look, Canvas_Pen const& ink, Limb hand, double armAngle)
{
    Rgba const wood{130, 85, 45, 255};
    switch (look.holds)
    {
    case Figure_Holds::Nothing:
    case Figure_Holds::Bag:
        break;
    case Figure_Holds::Staff:
        c.Draw(Canvas_Shape::Capsule(hand.x + 0.6, 1.0, hand.x + 0.9, 31.4, 1.7), wood, ink);
        c.Draw(Canvas_Shape::Circle(hand.x + 0.6, 1.6, 1.5), wood.Shade(0.8), ink);
        break;
    case Figure_Holds::Pick:
    {
        // The handle runs on along the arm; the head crosses it at the far end.
        Limb const end = End(hand.x, hand.y, 6.5, armAngle);
        c.Draw(Canvas_Shape::Capsule(hand.x, hand.y, end.x, end.y, 1.4), wood, ink);
        double const across = armAngle + Pi / 2;
        Limb const a = End(end.x, end.y, 4.2, across);
        Limb const b = End(end.x, end.y, -3.2, across);
        c.Draw(Canvas_Shape::Capsule(a.x, a.y, b.x, b.y, 1.5), Rgba{170, 175, 185, 255}, ink);
        break;
    }
    }
}

void Bag(Canvas& c, Figure_Look const& look, Canvas_Pen const& ink)
{
    if (look.holds != Figure_Holds::Bag)
        return;
    c.Line(HipX + 2.4, 12.8, HipX - 4.2, 19.4, Canvas_Pen{look.trim.Shade(0.7), 1.1});
    c.Draw(Canvas_Shape::RoundRect(HipX - 7.6, 18.2, 5.2, 5.0, 1.2), Canvas_Paint::Lit(look.trim, 18.2, 23.2), ink);
}

} // namespace

void DrawFigure(Canvas& canvas, Figure_Look const& look, Figure_Pose const& pose)
{
    Canvas::Frame const sized = canvas.Scaled(canvas.Width() / 32.0, canvas.Height() / 32.0, 0.0, 0.0);
    // A figure tipping over moves back as it turns, so that its head stays in the picture.
    Canvas::Frame const moved = canvas.Moved(-14.0 * std::sin(pose.tilt), 0.0);
    Canvas::Frame const tilted = canvas.Turned(pose.tilt, HipX, 31.6);
    Canvas_Pen const ink{look.ink, 0.9};
    Canvas& c = canvas;

    double const legSwing = 0.6 * pose.stride;
    double const armSwing = 0.55 * pose.arms;
    bool const pick = look.holds == Figure_Holds::Pick;
    double const nearArm = pick ? 2.7 - 1.9 * pose.tool : 0.22 + armSwing;

    if (look.cape.a != 0)
    {
        double const flap = 1.4 * std::fabs(pose.stride);
        c.Draw(Canvas_Shape::Blob({14.6, 12.6, 11.6, 13.6, 8.6, 20.0, 7.4 - flap, 25.6, 10.2, 25.0 + flap / 2, 12.8,
                                   24.0, 14.8, 18.0}),
               Canvas_Paint::Lit(look.cape, 12.0, 26.0), ink);
    }
    Arm(c, look, ink, -0.22 - armSwing, true);
    Leg(c, look, ink, -legSwing, -pose.lift, true);
    Leg(c, look, ink, legSwing, pose.lift, false);
    Bag(c, look, ink);
    Body(c, look, ink);
    HairBehind(c, look, ink);
    Head(c, look, ink);
    HairOnTop(c, look, ink);
    Beard(c, look, ink);
    Hat(c, look, ink);
    double const shoulderX = HipX + 0.4;
    Limb const hand = End(shoulderX, ShoulderY, ArmLength, nearArm);
    if (look.holds == Figure_Holds::Staff)
        Held(c, look, ink, hand, nearArm);
    Arm(c, look, ink, nearArm, false);
    if (pick)
        Held(c, look, ink, hand, nearArm);
}

Figure_Look Figure_Tinted(Figure_Look const& look, Rgba hue)
{
    auto tint = [hue](Rgba c) {
        double const light = (0.3 * c.r + 0.59 * c.g + 0.11 * c.b) / 255.0;
        return hue.Shade(0.8 + 0.6 * light).WithAlpha(c.a);
    };
    Figure_Look out = look;
    out.ink = hue.Shade(0.3);
    for (Rgba* c :
         {&out.skin, &out.clothes, &out.trim, &out.legs, &out.boots, &out.hair, &out.hat, &out.cape, &out.beard})
        *c = tint(*c);
    return out;
}
