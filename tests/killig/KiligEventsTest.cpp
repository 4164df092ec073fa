// The master's conversation held through the player: its lines, the artefact's message, its end and skipping.
#include "engine/Event_ChatInfo.h"
#include "engine/GameEvents.h"
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "killig/KiligSupport.h"
#include "killig/Kilig_Dude.h"
#include "killig/Kilig_Events.h"
#include "media/Game_Sounds.h"
#include "support/SmallMap.h"
#include "support/SpeakingFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{

// The master's conversation runs from tick 0 to its finished flag at this tick, as the game gives
// it (written out, not taken from the code, so that a wrong length in the code fails here).
constexpr int MasterTalkTicks = 12300;

constexpr unsigned int MasterRp = 2;

// Hands every step on to the master's script and keeps what it answered.
class Recorded_Events final : public LevelEvents
{
public:
    explicit Recorded_Events(Kilig_Events& script) : LevelEvents(nullptr, nullptr), inner(script) {}

    int Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t) override
    {
        int const result = inner.Chatting(talker, chatTick, info, t);
        asked.push_back({chatTick, *info});
        return result;
    }
    int ChatLength(int talker, Tick t) override { return inner.ChatLength(talker, t); }

    struct Step
    {
        int chatTick;
        Event_ChatInfo info;
    };
    Kilig_Events& inner;
    std::vector<Step> asked;
};

class KiligEventsTest : public SpeakingFixture
{
protected:
    static void SetUpTestSuite()
    {
        SpeakingFixture::SetUpTestSuite();
        WriteKiligImages(data->Path());
    }

    KiligEventsTest() : message(font), script(&progress, &message), recorded(script)
    {
        MapWriter writer = FloorWriter();
        writer.AddRefPoint(MasterRp, 30.0, 0.0);
        map = ReadSmallMap(writer);
        Player::Initialise();
        Kilig_Dude::Initialise();
        sounds.mute = 1;
        Pointf const start(0.0, 0.0);
        player = std::make_unique<Player>(map.get(), &objects, &progress, &sounds, &start, 1.0);
        player->levelEvents = &recorded;
        master = std::make_unique<Kilig_Dude>(map.get(), MasterRp);
    }

    ~KiligEventsTest() override
    {
        player.reset();
        master.reset();
        Kilig_Dude::Finalise();
        Player::Finalise();
    }

    static bool Said(Event_ChatInfo const& info) { return info.heroText != nullptr || info.otherText != nullptr; }

    GameEvents progress;
    Game_Sounds sounds;
    ObjectList objects;
    std::unique_ptr<Map> map;
    Message message;
    Kilig_Events script;
    Recorded_Events recorded;
    std::unique_ptr<Player> player;
    std::unique_ptr<Kilig_Dude> master;
};

} // namespace

TEST_F(KiligEventsTest, TheWholeTalkLineByLineWithTheArtefactsMessageAndTheEnd)
{
    script.talkId = 3; // whatever was left: step 0 chooses again
    player->StartChat(master.get());
    int queuedAt = -1;
    for (int k = 0; k <= MasterTalkTicks + 10; k++)
    {
        player->CheckChatting(5000 + k);
        if (queuedAt == -1 && message.Waiting() > 0)
            queuedAt = k;
    }
    ASSERT_EQ(recorded.asked.size(), std::size_t(MasterTalkTicks + 1)) << "the talk ended early or late";
    EXPECT_EQ(script.talkId, Kilig_Conversation_Master);
    EXPECT_STREQ(recorded.asked[0].info.otherText, "Welcome!            I trust you found the place ok?");
    EXPECT_EQ(recorded.asked[0].info.heroText, nullptr);

    std::vector<int> heroTicks;
    int lines = 0;
    for (Recorded_Events::Step const& s : recorded.asked)
    {
        Event_ChatInfo const& info = s.info;
        bool const last = s.chatTick == MasterTalkTicks;
        EXPECT_EQ(info.flags, last ? Chat_End : 0u) << "step " << s.chatTick;
        lines += Said(info) ? 1 : 0;
        if (s.chatTick > 12000)
        {
            EXPECT_FALSE(Said(info)) << "step " << s.chatTick;
        }
        if (info.heroText == nullptr)
            continue;
        heroTicks.push_back(s.chatTick);
        bool const answer = s.chatTick == 2500 || s.chatTick == 2833 || s.chatTick == 3416;
        EXPECT_EQ(info.showTime, answer ? 133 : 300) << "step " << s.chatTick;
        if (answer)
        {
            EXPECT_STREQ(info.heroText, "No!");
        }
    }
    EXPECT_EQ(lines, 51);
    EXPECT_EQ(heroTicks, (std::vector<int>{250, 750, 2000, 2500, 2833, 3416, 6250, 9750, 11750}));

    // The artefact is a message, not a line, queued once.
    EXPECT_EQ(queuedAt, 3625);
    EXPECT_FALSE(Said(recorded.asked[3625].info));
    ASSERT_EQ(message.Waiting(), 1);
    EXPECT_STREQ(message.GetWaiting(0).text, "Received artefact of time travel");
    EXPECT_EQ(message.GetWaiting(0).time, 200);
    EXPECT_EQ(progress[Event_TimeTravel], GameEvent_HasntHappened) << "the script grants nothing itself";

    for (int talker : {0, 1, 100, -5})
        for (Tick t : {0, 3625, 119999})
            EXPECT_EQ(script.ChatLength(talker, t), MasterTalkTicks) << talker << " at " << t;
}

TEST_F(KiligEventsTest, SkippingStopsRightAfterEveryLine)
{
    player->StartChat(master.get());
    std::set<int> stops;
    int skips = 0;
    while (skips < 1000 && player->SkipChat(0) > 0)
    {
        skips++;
        stops.insert(recorded.asked.back().chatTick);
    }
    ASSERT_LT(skips, 1000);
    EXPECT_EQ(recorded.asked.back().chatTick, MasterTalkTicks);
    int lines = 0;
    for (Recorded_Events::Step const& s : recorded.asked)
        if (Said(s.info))
        {
            lines++;
            EXPECT_EQ(stops.count(s.chatTick), 1u) << "skipped over the line at " << s.chatTick;
        }
    EXPECT_EQ(lines, 51);
    ASSERT_EQ(message.Waiting(), 1) << "the skip passes the artefact's message once";
    EXPECT_STREQ(message.GetWaiting(0).text, "Received artefact of time travel");
}

TEST(KiligEvents, OnlyTheMastersConversationHasALength)
{
    EXPECT_EQ(Kilig_Events::ChatLength(Kilig_Conversation_Master), MasterTalkTicks);
    EXPECT_DEATH(Kilig_Events::ChatLength(1), "false");
}
