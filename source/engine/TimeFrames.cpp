// Past selves: recording and replaying the player, and items that follow a carrier through time.
#include "engine/TimeFrames.h"

#include "engine/Player_Sprites.h"
#include "media/Image.h"
#include "util/Error.h"
#include "util/Util.h"

#include <GL/gl.h>

#include <cassert>
#include <cmath>
#include <cstdlib>

namespace
{

constexpr int FirstCapacity = 256;
constexpr int TrailLength = 100;
constexpr double TrailBreak = 100.0;

} // namespace

void PastPos::Convert(Char_Base const* c)
{
    Pointf const p = c->GetPos();
    x = static_cast<float>(p.x);
    y = static_cast<float>(p.y);
    angle = static_cast<float>(c->angle);
    scale = static_cast<float>(c->scale);
    frame = c->frame;
}

Char_Base PastPos::GetChar() const
{
    Char_Base c;
    c.frame = frame;
    c.pos = Pointf(x, y);
    c.angle = angle;
    c.scale = scale;
    return c;
}

TimeFrame::TimeFrame(Tick t) : startTime(t)
{
}

TimeFrame::~TimeFrame()
{
    std::free(data);
}

void TimeFrame::AddEcho(Char_Base const* c)
{
    if (count == capacity)
    {
        int const grownCapacity = capacity == 0 ? FirstCapacity : capacity * 2;
        auto* grown = static_cast<PastPos*>(std::realloc(data, sizeof(PastPos) * std::size_t(grownCapacity)));
        if (grown == nullptr)
            throw Error(Error_OutOfMemory);
        data = grown;
        capacity = grownCapacity;
    }
    data[count].Convert(c);
    count++;
}

void TimeFrame::Close()
{
    if (count == 0 || count == capacity)
        return;
    // Giving room back never fails in practice; when it does, the recording keeps its room.
    if (auto* cut = static_cast<PastPos*>(std::realloc(data, sizeof(PastPos) * std::size_t(count))))
    {
        data = cut;
        capacity = count;
    }
}

std::optional<Char_Base> TimeFrame::GetAtTime(Tick t) const
{
    assert(t >= startTime && "time >= startTime");
    if (count == 0)
        return std::nullopt;
    Tick const last = startTime + count - 1;
    return data[(t < last ? t : last) - startTime].GetChar();
}

bool TimeFrame::ValidTime(Tick t) const
{
    return t >= startTime && t < startTime + count;
}

void TimeFrame::Render(Map const* map, Tick t) const
{
    if (ValidTime(t))
    {
        Char_Base const state = data[t - startTime].GetChar();
        Player_Sprites::Render(map, &state, Player_Render_Past);
    }
    Image::CheckGlError();
}

void TimeFrame::RenderTimeTrail(Map const* map, Tick t) const
{
    if (t < startTime - TrailLength || t > startTime + count + TrailLength)
        return;
    int i = t < startTime ? startTime - t : 0;
    glDisable(GL_TEXTURE_2D);
    glLineWidth(4.0f);
    glBegin(GL_LINE_STRIP);
    Pointf previous(0.0, 0.0);
    for (; ValidTime(t + i) && i < TrailLength; i++)
    {
        Char_Base const state = data[t + i - startTime].GetChar();
        Pointf const p = state.GetPos();
        double const jump = std::fabs(p.x - previous.x) + std::fabs(p.y - previous.y);
        if (jump > TrailBreak && std::fabs(jump - TrailBreak) >= Util::Eps)
        {
            glEnd();
            glBegin(GL_LINE_STRIP);
        }
        previous = p;
        glColor3d((TrailLength - i) / double(TrailLength), i / double(TrailLength), 0.0);
        Player_Sprites::RenderMidPoint(map, &state);
    }
    glEnd();
}

TimeFrames::TimeFrames() : frames(new PtrList<TimeFrame>(PtrList_Variable, 32))
{
    NewFrame(0);
}

TimeFrames::~TimeFrames()
{
    delete frames;
}

void TimeFrames::NewFrame(Tick t)
{
    if (frames->Count() > 0)
        GetCurrentFrame()->Close();
    frames->AddItem(new TimeFrame(t));
}

void TimeFrames::AddEcho(Char_Base const* c)
{
    GetCurrentFrame()->AddEcho(c);
}

TimeFrame* TimeFrames::GetCurrentFrame() const
{
    return (*frames)[frames->Count() - 1];
}

void TimeFrames::Render(Map const* map, Tick t) const
{
    for (int i = 0; i < frames->Count(); i++)
        if ((*frames)[i] != nullptr)
            (*frames)[i]->Render(map, t);
}

Past_Follow::Past_Follow(Tick t, TimeFrame const* f) : start(t), end(t + 1), frame(f)
{
}

std::optional<Char_Base> Past_Follow::FindAtTime(Tick t) const
{
    if (!Covers(t))
        return std::nullopt;
    return frame->GetAtTime(t);
}

bool Past_Follow::AddTime(TimeFrame const* f, Tick t)
{
    if (f != frame || t != end)
        return false;
    end++;
    return true;
}

Past_Follower::Past_Follower() : follows(PtrList_Variable, 32)
{
}

void Past_Follower::AddFollow(TimeFrames const* timeFrames, Tick t)
{
    TimeFrame const* cur = timeFrames->GetCurrentFrame();
    for (int i = 0; i < follows.Count(); i++)
    {
        Past_Follow* run = follows[i];
        if (run == nullptr)
            continue;
        if (run->AddTime(cur, t))
            return;
        assert(!run->Covers(t) && "follows[i]->FindAtTime(time) == NULL");
    }
    follows.AddItem(new Past_Follow(t, cur));
}

std::optional<Char_Base> Past_Follower::FindAtTime(Tick t) const
{
    for (int i = follows.Count() - 1; i >= 0; i--)
        if (follows[i] != nullptr && follows[i]->Covers(t))
            return follows[i]->FindAtTime(t);
    return std::nullopt;
}
