// Spider: the climbing thread, the swings that hits start, contact and drawing with its thread.
#include "creatures/Spider.h"

#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "engine/TimeSet2.h"
#include "media/Image.h"
#include "util/Error.h"

#include <GL/gl.h>

#include <cassert>
#include <cmath>
#include <cstdio>

namespace
{
char const* const spiderbasefile = "gfx/spider/spider00.png";
// Keeps the ticks of a whole climb, down and up, well inside an int.
constexpr double Spider_MaxWayTicks = 1.0e8;
} // namespace

Image* Spider::frame = nullptr;

Spider::Spider(Map const* map, unsigned int ref, double maxLength, int startHitPoints)
    : Target(Sound_MonsterHit2), anchor(map->GetRefPoint(ref)), maximumLength(maxLength), position(anchor),
      hitPoints(startHitPoints)
{
    // A length of 20.2 itself comes out just below one tick in doubles.
    double const ticks = std::trunc((maxLength - Spider_MinLength) / Spider_Speed);
    if (!(ticks >= 1.0 && ticks <= Spider_MaxWayTicks))
    {
        char text[2 * Error::TextSize]; // Error keeps what fits
        std::snprintf(text, sizeof text,
                      "%s: spider at point %u (%g, %g): a thread of length %g leaves no way to climb; it must be "
                      "longer than %g",
                      map->GetFileName(), ref, anchor.x, anchor.y, maxLength, Spider_MinLength + Spider_Speed);
        throw Error(Error_ParseFile, text);
    }
    wayTicks = static_cast<int>(ticks);
    double const side = Spider_MinLength + std::sin(Spider_SwingSpeed) * maxLength;
    reachBox =
        Rectf(anchor.x - side, anchor.y - (maxLength + Spider_MinLength), anchor.x + side, anchor.y + Spider_MinLength);
    rect = Rectf(-Spider_Width / 2.0, -Spider_Height / 2.0, Spider_Width / 2.0, Spider_Height / 2.0);
    busyRecord = new TimeSet();
    swingRecord = new TimeSet2();
}

Spider::~Spider()
{
    busyRecord->Destroy();
    swingRecord->Destroy();
}

void Spider::Initialise()
{
    assert(frame == nullptr && "frame == NULL");
    frame = new Image(spiderbasefile, 0, false);
}

void Spider::Finalise()
{
    delete frame;
    frame = nullptr;
}

void Spider::MoveToTime(Map const*, Tick t)
{
    // A dead spider keeps where it was.
    if (AliveAt(t))
        position = PositionAtTime(t);
}

void Spider::Render(Map const* map, Tick t) const
{
    if (!AliveAt(t))
        return;
    Pointf const top = anchor.WorldToScreen(&map->view);
    Pointf const bottom = position.WorldToScreen(&map->view);
    glColor4f(0.8f, 0.8f, 0.8f, 1.0f);
    glLineWidth(1.0f);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    glVertex2f(static_cast<float>(top.x), static_cast<float>(top.y));
    glVertex2f(static_cast<float>(bottom.x), static_cast<float>(bottom.y));
    glEnd();
    frame->Render(position - Pointf(0.5, 0.0), 0.0, Spider_Width, Spider_Height, Image_Centre | Image_Middle,
                  &map->view);
}

void Spider::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    if (reachBox.Contains(playerPos))
        busyRecord->Add(t);
}

bool Spider::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = anchor;
    radius = 4.0 * maximumLength;
    objScale = 1.0;
    return true;
}

int Spider::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    Target::Hit(t, damage, flags);
    Tick next = 0;
    bool const freeAhead = !busyRecord->CheckUp(t, &next) || next > t + Spider_SwingTime;
    int lastFlags = 0;
    Tick last = 0;
    bool const swungLately = swingRecord->CheckDown(t, &lastFlags, &last) && t - last <= Spider_SwingTime;
    if (freeAhead && !swungLately)
    {
        busyRecord->AddRange(TimeRange(t, t + Spider_SwingTime));
        swingRecord->Add(t, static_cast<int>(flags));
    }
    return ChangeDeathTime(GetDeathTime(hitPoints));
}

int Spider::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    return playerPos->DistanceEst(&position) < Spider_Hit_Dist ? 1 : 0;
}

bool Spider::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    out = PositionAtTime(t);
    return AliveAt(t);
}

double Spider::ThreadLength(Tick t) const
{
    int m = t % (2 * wayTicks);
    if (m < 0)
        m += 2 * wayTicks;
    if (m < wayTicks)
        return Spider_MinLength + m * Spider_Speed;
    return maximumLength - (m - wayTicks) * Spider_Speed;
}

double Spider::SwingAngle(Tick t) const
{
    int flags = 0;
    Tick start = 0;
    // A swing starting at t itself shows no angle yet, whatever the record holds before it.
    if (swingRecord->Find(t, &flags))
        return 0.0;
    if (!swingRecord->CheckDown(t, &flags, &start))
        return 0.0;
    Tick const dt = t - start;
    if (dt >= Spider_SwingTime)
        return 0.0;
    double const angle = std::sin(dt / 10.0) * (Spider_SwingSpeed - dt * Spider_SwingDecel);
    return (flags & 1) != 0 ? -angle : angle;
}

Pointf Spider::PositionAtTime(Tick t) const
{
    double const length = ThreadLength(t);
    double const angle = SwingAngle(t);
    return Pointf(anchor.x + std::sin(angle) * length, anchor.y - length * std::cos(angle));
}
