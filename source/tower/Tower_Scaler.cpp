// Tower_Scaler: giving the player the zone's size, and drawing the zone.
#include "tower/Tower_Scaler.h"

#include "engine/Map.h"
#include "engine/Player.h"

#include <GL/gl.h>

#include <cmath>

Tower_Scaler::Tower_Scaler(Pointf at, double sizeOfZone, double sizeGiven, Player* livePlayer)
    : pos(at), zoneScale(sizeOfZone), playerScale(sizeGiven),
      area(at.x - Scaler_Base_Width * sizeOfZone, at.y - sizeOfZone, at.x + Scaler_Base_Width * sizeOfZone,
           at.y + sizeOfZone),
      player(livePlayer)
{
}

void Tower_Scaler::PlayerAtPos(Tick, Pointf const* playerPos)
{
    if (area.Contains(playerPos))
        player->SetScale(playerScale);
}

void Tower_Scaler::RenderFore(Map const* map, Tick t) const
{
    glColor4d(0.0, 0.0, 0.0, 0.3);
    RenderPortal(map, t, zoneScale);
    glColor4d(1.0, 0.0, 0.0, 0.3);
    RenderPortal(map, t + Scaler_SwayLead, playerScale);
}

void Tower_Scaler::PortalCorners(Tick t, double s, Pointf corners[4]) const
{
    double const top = (Scaler_Top_Width + Scaler_Sway * std::sin(double(t) / Scaler_SwayTicks)) * s;
    corners[0] = Pointf(pos.x - Scaler_Base_Width * s, pos.y);
    corners[1] = Pointf(pos.x + Scaler_Base_Width * s, pos.y);
    corners[2] = Pointf(pos.x + top, pos.y + Scaler_Height * s);
    corners[3] = Pointf(pos.x - top, pos.y + Scaler_Height * s);
}

void Tower_Scaler::RenderPortal(Map const* map, Tick t, double s) const
{
    Pointf corners[4];
    PortalCorners(t, s, corners);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    for (Pointf const& corner : corners)
    {
        Pointf const on = corner.WorldToScreen(&map->view);
        glVertex2d(on.x, on.y);
    }
    glEnd();
}
