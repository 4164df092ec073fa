// Plato_MineCart: the track, the laps and the tilt.
#include "plateau/Plato_MineCart.h"

#include "engine/Map.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>

namespace
{

constexpr unsigned int MineCart_Connections[MineCart_Length] = {
    60, 61, 62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 75, 74, 73, 72, 71, 76, 77, 78, 79, 80,
    81, 82, 83, 82, 84, 85, 86, 87, 88, 89, 90, 91, 92, 92, 91, 90, 89, 93, 94, 95, 96, 97, 98, 99, 100};

bool IsStop(int segment)
{
    return MineCart_Connections[segment] == MineCart_Connections[segment + 1];
}

} // namespace

Plato_MineCart::Plato_MineCart(Map const* map) : cartImage(nullptr)
{
    for (int i = 0; i < MineCart_Length - 1; i++)
    {
        if (IsStop(i))
        {
            segLength[i] = MineCart_Speed * MineCart_WaitTime;
            continue;
        }
        Pointf const a = map->GetRefPoint(MineCart_Connections[i]);
        Pointf const b = map->GetRefPoint(MineCart_Connections[i + 1]);
        segLength[i] = a.Distance(&b);
        totalLength += segLength[i];
    }
    period = static_cast<int>(totalLength / MineCart_Speed) + 2 * MineCart_WaitTime;
    // Loaded last: a map without the track's reference points throws above, and the destructor
    // of an object whose construction failed does not run.
    cartImage = new Image("gfx/plateau/minecart.png", 0, false);
}

Plato_MineCart::~Plato_MineCart()
{
    delete cartImage;
}

Pointf Plato_MineCart::FindCartPos(Map const* map, Tick t, int cart, double& angle) const
{
    Tick const offset = static_cast<Tick>(period) * cart / MineCart_Count;
    double d = static_cast<double>((t + offset) % period) * MineCart_Speed;
    int i = 0;
    while (d > segLength[i] && !Util::Equal(d, segLength[i]))
    {
        d -= segLength[i];
        i++;
        assert(i < MineCart_Length - 1 && "segment < MineCart_Length - 1");
    }
    if (IsStop(i))
    {
        i--;
        d = segLength[i];
    }
    Pointf const a = map->GetRefPoint(MineCart_Connections[i]);
    Pointf const b = map->GetRefPoint(MineCart_Connections[i + 1]);
    if (b.x <= a.x || Util::Equal(b.x, a.x))
        angle = std::atan2(b.y - a.y, a.x - b.x);
    else
        angle = std::atan2(a.y - b.y, b.x - a.x);
    // Two distinct entries at one point make a segment of no length: the cart is at its end.
    if (segLength[i] <= 0.0)
        return b;
    double const f = d / segLength[i];
    return Pointf(a.x + (b.x - a.x) * f, a.y + (b.y - a.y) * f);
}

void Plato_MineCart::Render(Map const* map, Tick t) const
{
    for (int cart = 0; cart < MineCart_Count; cart++)
    {
        double angle = 0.0;
        Pointf const at = FindCartPos(map, t, cart, angle);
        cartImage->Render(at, angle, MineCart_Width, MineCart_Height, Image_Centre | Image_Bottom, &map->view);
    }
}
