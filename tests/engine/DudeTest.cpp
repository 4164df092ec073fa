// Villagers: conversation clashes with past selves, the side they were spoken from, and replay copies.
#include "engine/Dude.h"

#include "engine/Event_ChatInfo.h"
#include "support/SmallMap.h"
#include "support/SpeakingFixture.h"

#include <gtest/gtest.h>

namespace
{

// A villager whose bubble can be seen.
class ProbeDude final : public Dude
{
public:
    using Dude::Dude;
    bool Speaking() const { return bubble != nullptr; }
};

class DudeTest : public SpeakingFixture
{
protected:
    DudeTest()
    {
        MapWriter writer = FloorWriter();
        writer.AddRefPoint(7, 100.0, 0.0);
        map = ReadSmallMap(writer);
    }

    // A silent step of conversation from a talker standing at x.
    static bool TalkFrom(Dude& dude, double x, Tick t, std::uint32_t flags = 0, char const* line = nullptr)
    {
        Event_ChatInfo info;
        info.flags = flags;
        info.otherText = line;
        info.showTime = 5;
        Pointf const at(x, 0.0);
        bool changed = false;
        return dude.TalkTo(&at, &info, t, changed);
    }

    std::unique_ptr<Map> map;
};

TEST_F(DudeTest, CheckChatTellsHowAPastConversationClashes)
{
    Dude dude(map.get(), 3, 7);
    EXPECT_EQ(dude.GetPos(), Pointf(100.0, 0.0));
    TalkFrom(dude, 50.0, 100);
    TalkFrom(dude, 150.0, 101);

    EXPECT_EQ(dude.CheckChat(50, 100), 1);  // spoken to at that very tick
    EXPECT_EQ(dude.CheckChat(50, 60), 2);   // would run into tick 100
    EXPECT_EQ(dude.CheckChat(40, 60), 0);   // ends just before it
    EXPECT_EQ(dude.CheckChat(400, 102), 0); // starts after both
    EXPECT_FALSE(TalkFrom(dude, 50.0, 200, Chat_End));
    EXPECT_EQ(dude.CheckChat(1, 200), 0); // an ended conversation records nothing

    dude.dudeFlags = Dude_Busy;
    EXPECT_EQ(dude.CheckChat(1, 0), 3);   // however far ahead the past self talks
    EXPECT_EQ(dude.CheckChat(1, 101), 3); // busy wins over talking now
    EXPECT_EQ(dude.CheckChat(1, 102), 0);

    int talker = -1;
    EXPECT_TRUE(dude.Chat(talker));
    EXPECT_EQ(talker, 3);
}

TEST_F(DudeTest, TurnsTowardsWhereItWasSpokenFrom)
{
    Dude dude(map.get(), 0, 7);
    EXPECT_TRUE(TalkFrom(dude, 99.0, 10));
    // Standing at the villager's own x, within the tolerance, counts as from the right.
    EXPECT_FALSE(TalkFrom(dude, 100.0 - 1e-9, 20));

    dude.Move(map.get(), 11);
    EXPECT_EQ(dude.frame, LeftFrame);
    dude.Move(map.get(), 21);
    EXPECT_EQ(dude.frame, RightFrame);
    dude.Move(map.get(), 10); // nobody spoke at 9: the facing stays
    EXPECT_EQ(dude.frame, RightFrame);

    dude.dudeFlags = Dude_TurnSwap;
    dude.Move(map.get(), 11);
    EXPECT_EQ(dude.frame, RightFrame);
    dude.Move(map.get(), 21);
    EXPECT_EQ(dude.frame, LeftFrame);
}

TEST_F(DudeTest, FacingFromTheRecordsFollowsTravelBack)
{
    Dude dude(map.get(), 0, 7);
    dude.startFacing = LeftFrame;
    dude.frame = LeftFrame | 2;
    TalkFrom(dude, 150.0, 100);
    TalkFrom(dude, 50.0, 200);
    TalkFrom(dude, 150.0, 200); // both sides at one tick: right, as Move turns last

    dude.FaceFromTalk(300);
    EXPECT_EQ(dude.frame, RightFrame | 2); // the frame index is kept
    dude.FaceFromTalk(150);
    EXPECT_EQ(dude.frame & LeftFrame, RightFrame);
    dude.FaceFromTalk(100); // nobody had spoken before 100: the start facing again
    EXPECT_EQ(dude.frame & LeftFrame, LeftFrame);
    dude.FaceFromTalk(101);
    EXPECT_EQ(dude.frame & LeftFrame, RightFrame);

    TalkFrom(dude, 50.0, 250);
    dude.FaceFromTalk(251);
    EXPECT_EQ(dude.frame & LeftFrame, LeftFrame);
    dude.dudeFlags = Dude_TurnSwap;
    dude.FaceFromTalk(251);
    EXPECT_EQ(dude.frame & LeftFrame, RightFrame);
    dude.dudeFlags = Dude_NoTurn;
    dude.FaceFromTalk(150);
    EXPECT_EQ(dude.frame & LeftFrame, RightFrame);

    // Copies keep the start facing.
    Dude copy(&dude);
    copy.FaceFromTalk(50);
    EXPECT_EQ(copy.frame & LeftFrame, RightFrame); // NoTurn copied too
    copy.dudeFlags = 0;
    copy.FaceFromTalk(50);
    EXPECT_EQ(copy.frame & LeftFrame, LeftFrame);
}

TEST_F(DudeTest, ReplayCopiesShareTheRecords)
{
    auto dude = std::make_unique<Dude>(map.get(), 2, 7);
    dude->dudeFlags = Dude_NoTurn;
    Dude copy(dude.get());
    EXPECT_EQ(copy.GetStats(), dude->GetStats());

    // Ticks recorded on the live villager after the copy was made are seen by the copy.
    TalkFrom(*dude, 50.0, 30);
    EXPECT_EQ(copy.CheckChat(5, 30), 1);

    Dude other(map.get(), 5, 7);
    other = copy;
    dude.reset();
    EXPECT_EQ(other.talkId, 2);
    EXPECT_EQ(other.CheckChat(5, 28), 2);
}

TEST_F(DudeTest, ALineArrivingAsTheOldBubbleExpiresIsShown)
{
    ProbeDude dude(map.get(), 0, 7);
    TalkFrom(dude, 50.0, 1, 0, "One.");
    for (Tick t = 2; t < 6; t++)
        TalkFrom(dude, 50.0, t);
    EXPECT_TRUE(dude.Speaking());
    TalkFrom(dude, 50.0, 6, 0, "Two.");
    EXPECT_TRUE(dude.Speaking());
    TalkFrom(dude, 50.0, 7, Chat_CloseOther);
    EXPECT_FALSE(dude.Speaking());
}

} // namespace
