// People for the generator's pictures: a figure seen from the side, facing right, drawn from a look
// (clothes, hair, hat, build, what it carries) and a pose (stride, arms, tilt). The player, the
// villagers, the miners and the hermit are all figures; so is anyone a new world needs.
#pragma once

#include "tools/Canvas.h"

enum class Figure_Hair
{
    Bald,
    Short,
    Long, // down the back to the shoulders
    Bun,  // tied up on the crown
};

enum class Figure_Hat
{
    None,
    Cap,    // a soft cap with a peak
    Helmet, // a miner's hard hat with a lamp
    Crown,
    Hood,   // a robe's hood over the head
    Straw,  // a wide brim
    Mirror, // a doctor's band with its mirror
};

enum class Figure_Clothes
{
    Tunic, // to the hips, belted
    Dress, // a skirt to the shins
    Robe,  // to the feet
    Coat,  // open, long, over the tunic colour
    Overalls,
    Apron,
};

enum class Figure_Holds
{
    Nothing,
    Staff,
    Bag,
    Pick, // swung by the pose's tool angle
};

struct Figure_Look
{
    Rgba skin{240, 200, 160, 255};
    Rgba clothes{40, 90, 200, 255}; // the main colour
    Rgba trim{120, 80, 40, 255};    // belt, apron, coat lining, overall straps
    Rgba legs{60, 50, 60, 255};
    Rgba boots{100, 60, 35, 255};
    Rgba hair{110, 70, 35, 255};
    Rgba hat{200, 60, 40, 255};
    Rgba cape{};               // alpha 0: no cape
    Rgba beard{};              // alpha 0: no beard
    Rgba ink{40, 28, 30, 255}; // the outlines
    Figure_Hair hairStyle = Figure_Hair::Short;
    Figure_Hat hatStyle = Figure_Hat::None;
    Figure_Clothes dress = Figure_Clothes::Tunic;
    Figure_Holds holds = Figure_Holds::Nothing;
    double build = 1.0; // breadth of the body: 0.8 slight to 1.4 stout
};

struct Figure_Pose
{
    double stride = 0.0; // -1 to 1: the near leg back or forward
    double lift = 0.0;   // -1 to 1: the far or the near foot lifted off the ground, as it swings
    double arms = 0.0;   // -1 to 1: the near arm back or forward
    double tilt = 0.0;   // radians about the feet, forward (clockwise) positive
    double tool = 0.0;   // a pick's swing, 0 raised overhead to 1 down in front
};

// The figure fills the canvas: its head near the top edge, its feet on the bottom edge.
void DrawFigure(Canvas& canvas, Figure_Look const& look, Figure_Pose const& pose);

// The same look in shades of one colour, light where the original is light, outlined in a dark
// shade of it: a past self, a ghost.
Figure_Look Figure_Tinted(Figure_Look const& look, Rgba hue);
