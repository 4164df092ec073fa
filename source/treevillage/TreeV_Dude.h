// TreeV_Dude: the villagers of the tree village, with their sprites, start places and strolls.
#pragma once

#include "engine/Dude.h"
#include "engine/TimeLog.h"
#include "util/Tick.h"

class Image;
class Map;

// The villager id: the talker number and the index of the tables below.
using TreeV_Dude_Id = int;

constexpr int TreeV_Dude_Count = 28;
constexpr int TreeV_Dude_TypeCount = 11;
constexpr int TreeV_Dude_MaxFrames = 5;
constexpr double TreeV_Dude_Width = 24.0;
constexpr double TreeV_Dude_Height = 24.0;
constexpr std::uint32_t TreeV_Dude_NumFrames = 5; // of the walking types 0 to 3
constexpr double TreeV_Dude_FrameRate = 30.0;
constexpr int TreeV_Dude_NoType = -1; // talks, but is neither moved nor drawn

constexpr int TreeV_Dude_StartPts[TreeV_Dude_Count] = {1,   6,   23,  58,  92,  53,  60,  51,  80,  105,
                                                       113, 114, 115, 116, 117, 120, 121, 122, 123, 124,
                                                       125, 127, 128, 129, 130, 131, 134, 143};
constexpr int TreeV_Dude_Types[TreeV_Dude_Count] = {0, 1, 2, 3, 0, 1, 4, 2, -1, 3, 0, 1, 6, 2,
                                                    3, 0, 1, 2, 7, 8, 9, 2, 3,  0, 5, 1, 2, 10};
// Left end, then right end, of a stroll; 0 for a villager that does not stroll.
constexpr int TreeV_Dude_RoveLimits[TreeV_Dude_Count][2] = {
    {0, 0}, {0, 0}, {24, 23}, {58, 59}, {0, 0},     {0, 0},     {0, 0}, {0, 0}, {0, 0}, {0, 0},
    {0, 0}, {0, 0}, {0, 0},   {0, 0},   {118, 119}, {0, 0},     {0, 0}, {0, 0}, {0, 0}, {0, 0},
    {0, 0}, {0, 0}, {0, 0},   {0, 0},   {0, 0},     {132, 133}, {0, 0}, {0, 0}};

// The four strollers walk between two reference points at random.
bool TreeV_Dude_Roving(TreeV_Dude_Id id);
// Marbles walks by the records of his game.
constexpr TreeV_Dude_Id TreeV_Dude_Marbles = 5;

// A villager of the tree village. Most stand where they land and face whoever talks to them;
// four stroll slowly between two points, starting, stopping and turning by the tick hash; Marbles
// walks where his game records. Strollers and Marbles are re-simulated from key frames after time
// travel, so they stand at each tick where they stood when it was first played.
class TreeV_Dude final : public Dude
{
public:
    TreeV_Dude(Map const* map, TreeV_Dude_Id id, int startRp);
    // The copy the key-frame log keeps: shares the records, has no log and no bubble.
    explicit TreeV_Dude(TreeV_Dude const* other);
    ~TreeV_Dude() override;
    TreeV_Dude(TreeV_Dude const&) = delete;
    // Copies the state; the log stays this villager's own.
    TreeV_Dude& operator=(TreeV_Dude const& other);

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void MoveToTime(Map const* map, Tick t, Object_Step const& step) override;
    void Render(Map const* map, Tick t) const override;

    // Advances the state from tick t - 1 to t.
    void Move(Map const* map, Tick t);

    int Type() const { return type; }
    int RoveState() const { return roveState; }
    bool Logged() const { return timeLog != nullptr; }

private:
    void Roving(Map const* map, Tick t);

    static inline Image* dudeImgs[TreeV_Dude_TypeCount][TreeV_Dude_MaxFrames] = {};

    TimeLog<TreeV_Dude>* timeLog = nullptr; // owned by the live villager; null in copies
    int roveState = 0;                      // 0 standing, 1 walking right, 2 walking left
    int type = 0;                           // row of dudeImgs, or TreeV_Dude_NoType
};
