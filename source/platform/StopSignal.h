// SIGTERM and SIGINT, the ways the system and a terminal ask the game to end: a close of the window
// while the game runs, the end of the program at once while it builds a world.
#pragma once

class StopSignal final
{
public:
    // Takes both signals from here on and keeps SDL from taking them when it starts: SDL turns them
    // into a quit event, which nothing reads while a world is built. Call before the window opens.
    static void Install();
    // Whether a signal has come since the last call: the window then hands on a close message.
    static bool TakeClose();
    // The building of a world, during which no message is read: a signal that comes while it is
    // marked, or came before it began, ends the program at once with status 128 plus the
    // signal's number. Nothing may be written to a file while it is marked.
    static void BeginLoading();
    static void EndLoading();
};

// Marks the building of a world for its lifetime (StopSignal::BeginLoading).
class StopSignal_Loading final
{
public:
    StopSignal_Loading() { StopSignal::BeginLoading(); }
    ~StopSignal_Loading() { StopSignal::EndLoading(); }
    StopSignal_Loading(StopSignal_Loading const&) = delete;
    StopSignal_Loading& operator=(StopSignal_Loading const&) = delete;
};
