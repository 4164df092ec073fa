// Plato_MineCart: the five carts that circle the miners' mine.
#pragma once

#include "engine/Object.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Image;

constexpr int MineCart_Length = 51;
constexpr int MineCart_Count = 5;
constexpr double MineCart_Width = 24.0;
constexpr double MineCart_Height = 24.0;
constexpr double MineCart_Speed = 3.0;
constexpr int MineCart_WaitTime = 100;

// Scenery: each cart's place and tilt are a function of the tick along a fixed track of
// reference points; a segment from a point to itself is a stop.
class Plato_MineCart final : public Object
{
public:
    explicit Plato_MineCart(Map const* map);
    ~Plato_MineCart() override;
    Plato_MineCart(Plato_MineCart const&) = delete;
    Plato_MineCart& operator=(Plato_MineCart const&) = delete;

    void Render(Map const* map, Tick t) const override;

    Pointf FindCartPos(Map const* map, Tick t, int cart, double& angle) const;
    int Period() const { return period; }

private:
    Image* cartImage;
    double segLength[MineCart_Length - 1];
    double totalLength = 0.0;
    int period = 0;
};
