// The camera transform from world coordinates to screen coordinates.
#pragma once

class WorldTransform
{
public:
    double x = 0; // world position shown at the screen origin
    double y = 0;
    double scale = 1; // screen units per world unit
};
