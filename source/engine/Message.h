// The level's queue of on-screen messages, shown one line at a time in a box that slides up from the bottom.
#pragma once

#include "util/Pointf.h"

class GameFont;

constexpr int Message_Queue_Size = 5;
constexpr double Message_OnPos = 30.0;   // y of a shown line
constexpr double Message_OffPos = -10.0; // y of a hidden line

struct Message_Entry
{
    char* text = nullptr; // owned copy, null when the entry is empty
    int time = 0;         // steps the line still stays
};

class Message final
{
public:
    explicit Message(GameFont const* gameFont);
    ~Message();
    Message(Message const&) = delete;
    Message& operator=(Message const&) = delete;

    // Queues a copy of the line. A full queue drops it; the first drop is reported on stderr.
    void Display(char const* text, int time);
    void Poll();
    void Render() const;
    void Clear();
    void AdvanceQueue();

    char const* GetShownText() const { return queue[0].text; }
    // The lines queued, the shown one first; Waiting() of them.
    int Waiting() const;
    Message_Entry const& GetWaiting(int i) const;
    Pointf GetPos() const { return pos; }

private:
    bool Hidden() const;

    GameFont const* font = nullptr;
    Message_Entry queue[Message_Queue_Size];
    Pointf pos;
    bool reportedFull = false;
};
