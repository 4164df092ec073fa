// The level's message queue: easing the box in and out and drawing the line shown.
#include "engine/Message.h"

#include "media/GameFont.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/Util.h"

#include <GL/gl.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{

constexpr double EaseDivisor = 8.0;
constexpr double BoxScale = 0.9;
constexpr double TextScale = 0.75;
constexpr double MaxTextWidth = 640.0; // the screen's width: only a longer line is set smaller

} // namespace

Message::Message(GameFont const* gameFont) : font(gameFont), pos(320.0, Message_OffPos)
{
}

Message::~Message()
{
    for (Message_Entry& entry : queue)
        std::free(entry.text);
}

void Message::Display(char const* text, int time)
{
    assert(text != nullptr);
    int i = 0;
    while (i < Message_Queue_Size && queue[i].text != nullptr)
        i++;
    // Worlds may post several lines in one step; losing one beats stopping the game.
    if (i == Message_Queue_Size)
    {
        if (!reportedFull)
            std::fprintf(stderr, "Message queue full: dropped \"%s\"\n", text);
        reportedFull = true;
        return;
    }
    char* copy = HM_strdup(text);
    if (copy == nullptr)
        throw Error();
    queue[i].text = copy;
    queue[i].time = time;
}

int Message::Waiting() const
{
    int n = 0;
    while (n < Message_Queue_Size && queue[n].text != nullptr)
        n++;
    return n;
}

Message_Entry const& Message::GetWaiting(int i) const
{
    assert(i >= 0 && i < Waiting());
    return queue[i];
}

bool Message::Hidden() const
{
    return 1.0 - std::fabs(pos.y - Message_OffPos) > Util::Eps;
}

void Message::Poll()
{
    Message_Entry& shown = queue[0];
    // A line whose time ran out while hidden must still give way to the next one, or the queue
    // would stall behind it.
    if (shown.time == 0 && Hidden() && queue[1].text == nullptr)
        return;
    if (shown.time != 0)
    {
        pos.y += (Message_OnPos - pos.y) / EaseDivisor;
        shown.time--;
    }
    else if (queue[1].text != nullptr)
        AdvanceQueue();
    else
    {
        pos.y += (Message_OffPos - pos.y) / EaseDivisor;
        if (Hidden())
            AdvanceQueue();
    }
}

void Message::Render() const
{
    char const* text = queue[0].text;
    if (text == nullptr)
        return;
    double const h = font->GetHeight();
    // A line too long for the screen is set smaller, its box with it, so that every word shows.
    double const w = font->MeasureText(text, -1);
    double const fit = std::min(1.0, MaxTextWidth / (w * TextScale));
    double const left = 320.0 - w * BoxScale * fit / 2.0;
    double const right = 320.0 + w * BoxScale * fit / 2.0;
    double const bottom = pos.y - h * BoxScale;
    double const top = pos.y + 3.0;

    glDisable(GL_TEXTURE_2D);
    glColor4d(1.0, 1.0, 1.0, 0.4);
    glBegin(GL_QUADS);
    glVertex2d(left, bottom);
    glVertex2d(left, top);
    glVertex2d(right, top);
    glVertex2d(right, bottom);
    glEnd();
    glColor4d(0.0, 0.0, 0.0, 1.0);
    glLineWidth(1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2d(left, bottom);
    glVertex2d(left, top);
    glVertex2d(right, top);
    glVertex2d(right, bottom);
    glEnd();
    font->Render(text, -1, Font_Centre | Font_Top, &pos, TextScale * fit);
}

void Message::Clear()
{
    for (int i = 0; i < Message_Queue_Size; i++)
        AdvanceQueue();
}

void Message::AdvanceQueue()
{
    std::free(queue[0].text);
    for (int i = 0; i + 1 < Message_Queue_Size; i++)
        queue[i] = queue[i + 1];
    queue[Message_Queue_Size - 1] = Message_Entry{};
}
