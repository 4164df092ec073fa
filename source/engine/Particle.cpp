// Particles: gravity, halved bounces off the map, and the dot itself.
#include "engine/Particle.h"

#include "engine/Map.h"
#include "util/Util.h"

#include <GL/gl.h>

#include <cassert>

namespace
{

constexpr double Gravity = 0.2;
constexpr double Bounce = 0.5;

} // namespace

Particle::Particle(Pointf const* position, Vectorf const* velocity, Doderu_Colour const* dotColour, int steps)
    : colour(dotColour != nullptr ? *dotColour : Doderu_Colour(1.0, 0.0, 0.0)),
      pos(position != nullptr ? *position : Pointf(0.0, 0.0)), vel(velocity != nullptr ? *velocity : Vectorf(0.0, 0.0)),
      life(steps)
{
    assert(position != nullptr && "pos != NULL");
}

bool Particle::Move(Map* map, int steps)
{
    Pointf const old = pos;
    vel.y -= steps * Gravity;
    pos.x += steps * vel.x;
    pos.y += steps * vel.y;
    if (map->TryMove(&old, &pos, nullptr, nullptr))
    {
        double const reverse = vel.GetRevAngle();
        double const speed = vel.GetSpeed();
        double const lean = map->Lean(&pos, reverse, LeanDirection(0));
        vel.SetAngleSpeed(Util::Angle(2.0 * lean - reverse), speed * Bounce);
    }
    life -= steps;
    return life < 0;
}

void Particle::Render(Map* map) const
{
    Pointf const q = pos.WorldToScreen(&map->view);
    double const d = map->view.scale;
    glDisable(GL_TEXTURE_2D);
    glColor3d(colour.red, colour.green, colour.blue);
    glBegin(GL_QUADS);
    glVertex2d(q.x - d, q.y - d);
    glVertex2d(q.x - d, q.y + d);
    glVertex2d(q.x + d, q.y + d);
    glVertex2d(q.x + d, q.y - d);
    glEnd();
}
