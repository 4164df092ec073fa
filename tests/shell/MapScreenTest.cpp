// The map screen: choosing and erasing save slots, opening earned paths, walking, saving.
#include "shell/MapScreen.h"

#include "engine/GameEvents.h"
#include "shell/Globals.h"
#include "shell/WndProc.h"
#include "support/ShellTestSupport.h"
#include "util/Error.h"

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace
{

class MapScreenTest : public ShellTestSupport
{
protected:
    void SetUp() override
    {
        ShellTestSupport::SetUp();
        saveSlot = -1;
        quit = false;
    }

    // Runs steps with the same keys; the first non-zero world chosen, else 0.
    static int Run(MapScreen& screen, int steps, KeyData const& keys = KeyData())
    {
        for (int i = 0; i < steps; i++)
            if (int chosen = screen.Poll(&keys))
                return chosen;
        return 0;
    }

    static void Open(GameEvents& record, std::initializer_list<int> paths)
    {
        for (int p : paths)
            record[12 + p] = GameEvent_HasHappened;
    }

    GameEvents live;
};

// While it stands, the files this process writes may grow only so far, as on a disk that fills up:
// a write past it fails rather than ending the process.
class FileSizeLimit final
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before);
        signalBefore = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, signalBefore);
    }
    FileSizeLimit(FileSizeLimit const&) = delete;
    FileSizeLimit& operator=(FileSizeLimit const&) = delete;

private:
    rlimit before = {};
    void (*signalBefore)(int) = nullptr;
};

} // namespace

TEST_F(MapScreenTest, FreshInstallStartsNewGamesAndMakesTheSlotAtTheFirstSave)
{
    MapScreen screen(&live, Level_None, Level_Continue);
    ASSERT_TRUE(screen.InTitleMode());
    for (int i = 0; i < Total_Saves; i++)
        EXPECT_TRUE(screen.Slot(i)->IsNew());

    Run(screen, 40);
    KeyData up = Keys({KeyIndex_Up, KeyIndex_GameNextTarget}, KeyState_Pressed);
    screen.Poll(&up);
    EXPECT_EQ(2, screen.Selected()) << "up from the first slot wraps to the last, also when its code is next's";
    Feed(screen, KeyIndex_Enter, KeyState_Released);
    Run(screen, 50);
    EXPECT_TRUE(screen.InTitleMode()) << "the slots slide out first";
    Run(screen, 1);
    EXPECT_FALSE(screen.InTitleMode());
    EXPECT_EQ(2, saveSlot);
    EXPECT_EQ(0, screen.Location());
    EXPECT_FALSE(std::filesystem::exists("saves")) << "choosing writes nothing";

    live[12] = GameEvent_HasHappened;
    MapScreen::Save(&live);
    GameEvents reread(MapScreen::SlotFile(2));
    EXPECT_TRUE(reread.Happened(12, 0));
}

TEST_F(MapScreenTest, ChosenSlotBecomesTheLiveProgressAtItsLatestLocation)
{
    GameEvents stored;
    Open(stored, {0, 1, 5});
    stored.gems = 3;
    std::filesystem::create_directories("saves");
    stored.Save(MapScreen::SlotFile(1));

    MapScreen screen(&live, Level_None, Level_Continue);
    Feed(screen, KeyIndex_GameNextTarget, KeyState_Pressed);
    Feed(screen, KeyIndex_GameAction, KeyState_Released);
    Run(screen, 51);
    EXPECT_EQ(1, saveSlot);
    EXPECT_EQ(2, screen.Location()) << "the castle's path (event 14) is the first still closed";
    EXPECT_EQ(3, live.gems);
    EXPECT_TRUE(live.Happened(17, 0));
}

// A location is live (drawn as still to do) while a path leading on from it is closed; the
// castle's two paths and the kinds of locations that are never live are the cases to watch.
TEST_F(MapScreenTest, LocationsAreLiveWhileAPathOnFromThemIsClosed)
{
    struct Row
    {
        std::initializer_list<int> open;
        bool live[9];
    };
    Row const table[] = {
        {{}, {true, true, true, true, false, false, true, true, false}},
        {{0}, {true, true, true, true, false, false, true, true, false}},
        {{0, 5}, {false, true, true, true, false, false, true, true, false}},
        {{2}, {true, true, true, true, false, false, true, true, false}},
        {{2, 4}, {true, true, false, true, false, false, true, true, false}},
        {{1, 3, 6, 7}, {true, false, true, false, false, false, false, false, false}},
        {{0, 1, 2, 3, 4, 5, 6, 7}, {false, false, false, false, false, false, false, false, false}},
    };
    MapScreen screen(&live, Level_None, Level_Continue);
    for (Row const& row : table)
    {
        GameEvents record;
        Open(record, row.open);
        for (int loc = 0; loc < 9; loc++)
            EXPECT_EQ(row.live[loc], screen.IsLocationLive(&record, loc))
                << "location " << loc << " with " << row.open.size() << " paths open";
    }
}

TEST_F(MapScreenTest, EveryDotOfEveryPathStandsOnScreenAboveWhatThePlateShows)
{
    // The plate with the hearts and gems lies along the bottom of the map while it is played, drawn
    // half see-through; its name, hearts and gems keep inside its border. Every dot stands above
    // them, and clear of the plate but for the bend of the village-to-plateau path, which dips into
    // its top border.
    MapScreen screen(&live, Level_None, Level_Continue);
    for (int p = 0; p < Path_Count; p++)
    {
        for (int k = 0; k <= Path_Dots[p]; k++)
        {
            Pointf const at = screen.PathPos(Path_Joins[p][0], Path_Joins[p][1], double(k) / Path_Dots[p]);
            EXPECT_GT(at.y * 480.0, Plate_Height - Plate_YBorder) << "path " << p << " dot " << k;
            if (p != 0)
            {
                EXPECT_GT(at.y * 480.0, Plate_Height + 6.0) << "path " << p << " dot " << k;
            }
            EXPECT_GT(at.x * 640.0, 6.0) << "path " << p << " dot " << k;
            EXPECT_LT(at.x * 640.0, 634.0) << "path " << p << " dot " << k;
            EXPECT_LT(at.y * 480.0, 474.0) << "path " << p << " dot " << k;
        }
    }
}

TEST_F(MapScreenTest, EraseAsksAndOnlyYesResetsTheSlot)
{
    GameEvents stored;
    Open(stored, {0});
    std::filesystem::create_directories("saves");
    stored.Save(MapScreen::SlotFile(0));

    MapScreen screen(&live, Level_None, Level_Continue);
    Feed(screen, KeyIndex_Delete, KeyState_Released);
    ASSERT_TRUE(screen.Erasing());
    Feed(screen, KeyIndex_Enter, KeyState_Released);
    EXPECT_FALSE(screen.Erasing());
    EXPECT_FALSE(screen.Slot(0)->IsNew()) << "no is chosen first";
    EXPECT_TRUE(screen.InTitleMode()) << "confirming the question does not choose the slot";

    Feed(screen, KeyIndex_Delete, KeyState_Released);
    Feed(screen, KeyIndex_Up, KeyState_Pressed);
    Feed(screen, KeyIndex_Enter, KeyState_Released);
    EXPECT_TRUE(screen.Slot(0)->IsNew());
    EXPECT_TRUE(GameEvents(MapScreen::SlotFile(0)).IsNew());
    EXPECT_EQ(0, screen.Selected()) << "moving between yes and no leaves the slot selected";

    // An erase whose write fails (a folder where the slot is written first) says the saved game is as
    // it was, and the plate shows it so, not as a new game.
    stored.Save(MapScreen::SlotFile(0));
    std::filesystem::create_directory(std::string(MapScreen::SlotFile(0)) + ".tmp");
    MapScreen blocked(&live, Level_None, Level_Continue);
    MessageBox::ClearRecorded();
    Feed(blocked, KeyIndex_Delete, KeyState_Released);
    Feed(blocked, KeyIndex_Up, KeyState_Pressed);
    Feed(blocked, KeyIndex_Enter, KeyState_Released);
    EXPECT_FALSE(blocked.Erasing());
    ASSERT_EQ(1u, MessageBox::Recorded().size());
    EXPECT_NE(std::string::npos, MessageBox::Recorded()[0].text.find("as it was before"))
        << MessageBox::Recorded()[0].text;
    MessageBox::ClearRecorded();
    EXPECT_FALSE(GameEvents(MapScreen::SlotFile(0)).IsNew());
    EXPECT_FALSE(blocked.Slot(0)->IsNew());
    EXPECT_TRUE(blocked.Slot(0)->Happened(12, 0));
}

// Action on Down moved the erase question to "yes" on Down's press and answered it on its release:
// a slot wiped by one key. Only a press of Enter or action begun after the choice last moved answers
// it, and on the title and the map the keys of the screen act only as themselves, whatever game key a
// key file also puts on them. Left and Right are not the title's keys: a game key on them acts there.
TEST_F(MapScreenTest, TheTitlesKeysActAsThemselvesAndOnlyAFreshPressAnswersTheErase)
{
    GameEvents stored;
    Open(stored, {0});
    std::filesystem::create_directories("saves");
    stored.Save(MapScreen::SlotFile(0));
    keyData = KeyData();
    MapScreen screen(&live, Level_None, Level_Continue);
    MapScreen* polled = &screen;
    auto step = [&polled](unsigned vk, bool down) {
        Window_Message message;
        message.type = down ? Window_KeyDown : Window_KeyUp;
        message.vk = vk;
        WndProc(message);
        polled->Poll(&keyData);
        keyData.Clean();
    };
    auto tap = [&step](unsigned vk) {
        step(vk, true);
        step(vk, false);
    };
    constexpr unsigned up = 0x26, down = 0x28, enter = 0x0D, del = 0x2E;
    auto wiped = [&screen] { return screen.Slot(0)->IsNew() || GameEvents(MapScreen::SlotFile(0)).IsNew(); };

    // The default keys: Enter held as the choice moves to yes, or as Delete opens the question.
    tap(del);
    ASSERT_TRUE(screen.Erasing());
    step(enter, true);
    tap(up);
    step(enter, false);
    EXPECT_TRUE(screen.Erasing()) << "Enter went down before the choice moved";
    EXPECT_FALSE(wiped());
    tap(up);
    tap(enter);
    EXPECT_FALSE(screen.Erasing()) << "answered no";
    step(enter, true);
    tap(del);
    step(enter, false);
    EXPECT_TRUE(screen.Erasing()) << "Enter went down before the question";
    tap(enter);
    EXPECT_FALSE(screen.Erasing());
    EXPECT_FALSE(wiped());

    // Action on Down: Down moves the slot and the choice, and its release chooses and answers nothing.
    keyAssign[3] = down;
    tap(down);
    EXPECT_EQ(1, screen.Selected());
    Run(screen, 60);
    EXPECT_TRUE(screen.InTitleMode()) << "no slot chosen";
    tap(up);
    tap(del);
    tap(down);
    EXPECT_TRUE(screen.Erasing()) << "the press that moved the choice to yes does not answer it";
    EXPECT_FALSE(wiped());
    tap(enter);
    EXPECT_FALSE(screen.Erasing());
    EXPECT_TRUE(wiped()) << "yes, answered by a press of its own";

    // Action on Delete opens the question rather than choosing the slot.
    keyAssign[3] = del;
    tap(del);
    EXPECT_TRUE(screen.Erasing());
    tap(enter);
    ASSERT_FALSE(screen.Erasing());
    // Change target (prev) on Enter: Enter chooses the slot it was pressed on, not the one above.
    keyAssign[4] = enter;
    tap(down);
    tap(enter);
    Run(screen, 60);
    EXPECT_FALSE(screen.InTitleMode());
    EXPECT_EQ(1, saveSlot);

    // On the map, action on Escape: Escape held from a level's menu enters no world.
    Open(live, {0});
    keyAssign[3] = 0x1B;
    MapScreen map(&live, Level_TreeV, Level_Left);
    KeyData const escape = Keys({KeyIndex_Escape, KeyIndex_GameAction}, KeyState_Held);
    EXPECT_EQ(0, Run(map, 5, escape));
    EXPECT_EQ(Level_TreeV, Feed(map, KeyIndex_GameAction, KeyState_Held)) << "action from its other code";

    // The title does nothing with Left and Right, so a game key on either acts there: change target
    // (prev) on Left moves the slot and the erase choice, action on Right answers and chooses.
    constexpr unsigned left = 0x25, right = 0x27;
    DefaultKeyAssign();
    keyAssign[3] = right;
    keyAssign[4] = left;
    stored.Save(MapScreen::SlotFile(2));
    keyData = KeyData();
    MapScreen title(&live, Level_None, Level_Continue);
    polled = &title;
    tap(left);
    EXPECT_EQ(2, title.Selected()) << "change target (prev) on Left moves up";
    tap(del);
    tap(left);
    tap(right);
    EXPECT_FALSE(title.Erasing()) << "action on Right answers";
    EXPECT_TRUE(title.Slot(2)->IsNew()) << "yes, chosen by Left";
    tap(right);
    Run(title, 60);
    EXPECT_FALSE(title.InTitleMode()) << "action on Right chooses";
    EXPECT_EQ(2, saveSlot);
}

TEST_F(MapScreenTest, CompletingTheCastleOpensTwoPathsDotByDotAndWalksOn)
{
    Open(live, {0, 1});
    saveSlot = 0;
    MapScreen screen(&live, Level_Kilig, Level_Completed);
    EXPECT_TRUE(std::filesystem::exists(MapScreen::SlotFile(0))) << "the map saves as it opens after a level";
    EXPECT_EQ(3, screen.PathToOpen());
    EXPECT_EQ(GameEvent_HasHappened, live[14]);
    EXPECT_EQ(GameEvent_HasHappened, live[16]);
    GameEvents const saved(MapScreen::SlotFile(0));
    EXPECT_TRUE(saved.Happened(14, 0) && saved.Happened(16, 0)) << "both paths saved before they are drawn";

    KeyData action = Keys({KeyIndex_GameAction, KeyIndex_Enter}, KeyState_Held);
    EXPECT_EQ(0, Run(screen, 219, action)) << "no world can be chosen while a path opens";
    EXPECT_EQ(3, screen.PathToOpen());
    Run(screen, 1);
    EXPECT_EQ(5, screen.PathToOpen()) << "the canyon's path leads on to Zodezo's castle";

    Run(screen, 220);
    EXPECT_TRUE(live.Happened(16, 0));
    EXPECT_EQ(-1, screen.PathToOpen());
    EXPECT_EQ(5, screen.Target());
    Run(screen, 70);
    EXPECT_EQ(5, screen.Location()) << "the figure walks the new path at a tenth of a dot per step";
}

TEST_F(MapScreenTest, APathIsKeptByAPlayerWhoQuitsWhileItIsDrawnAndDrawnAsBefore)
{
    Open(live, {0});
    GameEvents unearned;
    unearned.Copy(&live);
    // The first picture drawn in a fresh window differs in a few places: a frame is drawn twice.
    auto frame = [](MapScreen& screen) {
        screen.Plot();
        glClear(GL_COLOR_BUFFER_BIT);
        screen.Plot();
        std::vector<GLubyte> pixels(640 * 480 * 3);
        glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    {
        MapScreen closed(&unearned, Level_Plato, Level_Left);
        saveSlot = 0;
        MapScreen screen(&live, Level_Plato, Level_Completed);
        Run(screen, 30);
        ASSERT_EQ(2, screen.PathToOpen()) << "still drawn";
        // Before its first dot pops up the map looks as it did with the path closed.
        Run(closed, 30);
        EXPECT_TRUE(frame(screen) == frame(closed));
        Run(screen, 100);
        ASSERT_EQ(2, screen.PathToOpen());
        EXPECT_FALSE(frame(screen) == frame(closed)) << "its first dots";
    }

    // The game closed there; started again, the slot has the path and the figure stands at its end.
    saveSlot = -1;
    GameEvents restarted;
    MapScreen title(&restarted, Level_None, Level_Continue);
    EXPECT_TRUE(title.Slot(0)->Happened(13, 0));
    EXPECT_EQ(2, MapScreen::FindLatestLocation(title.Slot(0)));
}

TEST_F(MapScreenTest, OpensWhatTheResultEarnedWalksOpenPathsAndPlaysOnAction)
{
    Open(live, {0, 1, 2});
    EXPECT_EQ(-1, MapScreen(&live, Level_Plato, Level_Completed).PathToOpen()) << "already open";
    GameEvents beforeRestart;
    beforeRestart.Copy(&live);
    EXPECT_EQ(6, MapScreen(&beforeRestart, Level_TreeV, Level_Restart).PathToOpen()) << "the village's second exit";
    MapScreen screen(&live, Level_Kilig, Level_Left);
    ASSERT_EQ(2, screen.Location());

    Feed(screen, KeyIndex_GameLeft, KeyState_Held);
    EXPECT_EQ(2, screen.Target()) << "the path to Zodezo's castle is still closed";
    Feed(screen, KeyIndex_GameRight, KeyState_Held);
    EXPECT_EQ(3, screen.Target());
    Run(screen, 70);
    EXPECT_EQ(3, screen.Location());

    EXPECT_EQ(0, Feed(screen, KeyIndex_GameAction, KeyState_Pressed)) << "action plays once it is held";
    EXPECT_EQ(Level_Chasm, Feed(screen, KeyIndex_GameAction, KeyState_Held));
    // The key file may leave action on no key at all: Enter plays as well.
    EXPECT_EQ(0, Feed(screen, KeyIndex_Enter, KeyState_Pressed));
    EXPECT_EQ(Level_Chasm, Feed(screen, KeyIndex_Enter, KeyState_Held));
}

TEST_F(MapScreenTest, EscapeQuitsOnItsPressNotOnAHold)
{
    MapScreen title(&live, Level_None, Level_Continue);
    Feed(title, KeyIndex_Escape, KeyState_Held);
    EXPECT_FALSE(quit) << "Escape still held from the menu of the level just left";
    Feed(title, KeyIndex_Escape, KeyState_Pressed);
    EXPECT_TRUE(quit);
}

TEST_F(MapScreenTest, CheckSaveTouchesNoSlot)
{
    EXPECT_TRUE(MapScreen::CheckSave());
    EXPECT_FALSE(std::filesystem::exists("saves")) << "the check makes no folder";

    std::filesystem::create_directories("saves");
    std::filesystem::copy_file("gfx/title.png", MapScreen::SlotFile(0));
    auto const size = std::filesystem::file_size(MapScreen::SlotFile(0));
    EXPECT_TRUE(MapScreen::CheckSave());
    EXPECT_EQ(size, std::filesystem::file_size(MapScreen::SlotFile(0))) << "an unreadable slot is not rewritten";
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator("saves"), {})) << "the scratch file is gone";

    // Permissions do not bind root, so only others see a folder they cannot write.
    if (geteuid() != 0)
    {
        chmod("saves", 0555);
        EXPECT_FALSE(MapScreen::CheckSave());
        chmod("saves", 0755);
    }
}

TEST_F(MapScreenTest, MissingPictureThrowsAndFreesWhatWasLoaded)
{
    std::filesystem::rename("gfx/mapscreen/no.png", "no.png");
    EXPECT_THROW(MapScreen(&live, Level_None, Level_Continue), Error);
    std::filesystem::rename("no.png", "gfx/mapscreen/no.png");
}

// A damaged slot reads as a new game, and the first save into it would have lost it for good.
TEST_F(MapScreenTest, DamagedSlotIsKeptAsideAndSaidOnTheTitle)
{
    std::filesystem::create_directories("saves");
    std::string const damaged(221, '\x07');
    std::ofstream(MapScreen::SlotFile(1), std::ios::binary) << damaged;
    MapScreen screen(&live, Level_None, Level_Continue);
    EXPECT_TRUE(screen.Slot(1)->damaged);
    EXPECT_TRUE(screen.Slot(1)->IsNew());
    EXPECT_FALSE(screen.Slot(0)->damaged) << "a slot never written is no damage";
    std::string const copy = MapScreen::DamagedCopy(MapScreen::SlotFile(1));
    EXPECT_EQ(copy, "saves/save1.damaged");
    std::ifstream in(copy, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);

    // The note is drawn on the slot's plate: the plate looks different without it.
    Run(screen, 60);
    auto plate = [&screen] {
        glClear(GL_COLOR_BUFFER_BIT);
        screen.Plot();
        std::vector<GLubyte> pixels(640 * 80 * 3);
        glReadPixels(0, 140, 640, 80, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    std::vector<GLubyte> const withNote = plate();
    const_cast<GameEvents*>(screen.Slot(1))->damaged = false;
    std::vector<GLubyte> const without = plate();
    int changed = 0;
    for (std::size_t i = 0; i < withNote.size(); ++i)
        changed += withNote[i] != without[i];
    EXPECT_GT(changed, 100) << "the note's letters";
}

// Once said kept when its copy had failed, and then saved over: nothing of it was left.
TEST_F(MapScreenTest, DamagedSlotThatCannotBeCopiedIsSaidSoAndNotSavedOver)
{
    std::string const copy = MapScreen::DamagedCopy(MapScreen::SlotFile(0));
    std::filesystem::create_directories("saves");
    std::string const damaged(221, '\x07');
    std::ofstream(MapScreen::SlotFile(0), std::ios::binary) << damaged;
    auto slotFile = [] {
        std::ifstream in(MapScreen::SlotFile(0), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    // No room for the copy: a disk with less than the slot's size free.
    auto full = std::make_unique<FileSizeLimit>(100);
    MapScreen title(&live, Level_None, Level_Continue);
    std::string const note = title.SlotNote(0);
    EXPECT_FALSE(note.empty());
    EXPECT_EQ(std::string::npos, note.find("kept")) << note;
    Feed(title, KeyIndex_Enter, KeyState_Released);
    Run(title, 51);
    ASSERT_EQ(0, saveSlot);

    // Neither a save during play nor the map after a level writes over it, and each says so as it
    // is refused, in words of its own.
    live[Event_Hint] = GameEvent_HasHappened;
    MessageBox::ClearRecorded();
    EXPECT_FALSE(MapScreen::Save(&live));
    ASSERT_EQ(1u, MessageBox::Recorded().size());
    std::string const refused = MessageBox::Recorded()[0].text;
    EXPECT_NE(std::string::npos, refused.find("damaged")) << refused;
    EXPECT_EQ(std::string::npos, refused.find("as it was before")) << "not the failed write's words";
    MapScreen after(&live, Level_TreeV, Level_Completed);
    ASSERT_EQ(2u, MessageBox::Recorded().size());
    EXPECT_EQ(refused, MessageBox::Recorded()[1].text);
    EXPECT_EQ(damaged, slotFile());

    // Once the copy can be made, the next save makes it first.
    full.reset();
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_TRUE(MapScreen::Save(&live));
    EXPECT_EQ(2u, MessageBox::Recorded().size());
    MessageBox::ClearRecorded();
    std::ifstream in(copy, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
    EXPECT_TRUE(GameEvents(MapScreen::SlotFile(0)).Happened(Event_Hint, 0));
}

TEST_F(MapScreenTest, FailedSaveIsToldAndKeepsTheOldSlot)
{
    std::filesystem::create_directories("saves");
    // No game saved in the slot yet: the box does not speak of one. It names the folder in the way,
    // which only standard error once told of.
    std::filesystem::create_directory(std::string(MapScreen::SlotFile(1)) + ".tmp");
    MessageBox::ClearRecorded();
    saveSlot = 1;
    EXPECT_FALSE(MapScreen::Save(&live));
    ASSERT_EQ(MessageBox::Recorded().size(), 1u);
    EXPECT_EQ(MessageBox::Recorded()[0].text,
              "Your progress could not be saved.\nThere is no saved game in this slot yet.\nsaves/save1.tmp stands "
              "in the way and could not be removed.");
    EXPECT_FALSE(std::filesystem::exists(MapScreen::SlotFile(1)));
    MessageBox::ClearRecorded();

    GameEvents stored;
    stored.gems = 3;
    stored.Save(MapScreen::SlotFile(0));
    std::filesystem::create_directory(std::string(MapScreen::SlotFile(0)) + ".tmp");
    MessageBox::ClearRecorded();

    saveSlot = 0;
    live.gems = 5;
    EXPECT_FALSE(MapScreen::Save(&live));
    ASSERT_EQ(MessageBox::Recorded().size(), 1u);
    EXPECT_EQ(MessageBox::Recorded()[0].text, "Your progress could not be saved.\nThe saved game is as it was before."
                                              "\nsaves/save0.tmp stands in the way and could not be removed.");
    EXPECT_EQ(GameEvents(MapScreen::SlotFile(0)).gems, 3);

    std::filesystem::remove(std::string(MapScreen::SlotFile(0)) + ".tmp");
    EXPECT_TRUE(MapScreen::Save(&live));
    EXPECT_EQ(GameEvents(MapScreen::SlotFile(0)).gems, 5);
    EXPECT_EQ(MessageBox::Recorded().size(), 1u);
    MessageBox::ClearRecorded();

    // A damaged slot whose copy's scratch name holds a folder, though every copy name is free: each
    // save is refused, and the box names the folder.
    std::string const damaged(221, '\x07');
    std::ofstream(MapScreen::SlotFile(0), std::ios::binary) << damaged;
    std::string const copy = MapScreen::DamagedCopy(MapScreen::SlotFile(0));
    std::filesystem::create_directory(copy + ".tmp");
    EXPECT_FALSE(MapScreen::Save(&live));
    ASSERT_EQ(MessageBox::Recorded().size(), 1u);
    EXPECT_EQ(MessageBox::Recorded()[0].text,
              "Your progress was not saved.\nThe slot holds a damaged file that could not be copied aside, so it is "
              "kept as it was.\nsaves/save0.damaged.tmp stands in the way and could not be removed.");
    EXPECT_FALSE(std::filesystem::exists(copy));
    std::filesystem::remove(copy + ".tmp");
    EXPECT_TRUE(MapScreen::Save(&live));
    EXPECT_EQ(GameEvents(MapScreen::SlotFile(0)).gems, 5);
    MessageBox::ClearRecorded();
}

// What the reader cannot make a record of is damaged too: a folder, or a file it cannot open, once
// counted as sound and written over. A FIFO once held the title's read for good.
TEST_F(MapScreenTest, SlotTheGameCannotReadIsNotSavedOver)
{
    std::filesystem::create_directories(MapScreen::SlotFile(0));
    // A socket: it exists, but opening it for reading fails.
    int const sock = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", MapScreen::SlotFile(1));
    ASSERT_EQ(0, bind(sock, reinterpret_cast<sockaddr const*>(&address), sizeof address));
    close(sock);
    ASSERT_EQ(nullptr, std::fopen(MapScreen::SlotFile(1), "rb"));
    // Nothing at the FIFO's other end: a plain open to read it waits for a writer that never comes.
    ASSERT_EQ(0, mkfifo(MapScreen::SlotFile(2), 0600));

    // The title still opens, and says of each that no game is saved there.
    MapScreen const title(&live, Level_None, Level_Continue);
    for (int slot : {0, 1, 2})
        EXPECT_NE(std::string::npos, title.SlotNote(slot).find("could not be copied")) << title.SlotNote(slot);
    MessageBox::ClearRecorded();
    live.gems = 5;
    for (int slot : {0, 1, 2})
    {
        saveSlot = slot;
        EXPECT_FALSE(MapScreen::Save(&live)) << "slot " << slot;
        ASSERT_EQ(std::size_t(slot + 1), MessageBox::Recorded().size());
        EXPECT_NE(std::string::npos, MessageBox::Recorded()[slot].text.find("damaged")) << "refused, not failed";
    }
    EXPECT_TRUE(std::filesystem::is_directory(MapScreen::SlotFile(0)));
    EXPECT_TRUE(std::filesystem::is_socket(MapScreen::SlotFile(1)));
    EXPECT_TRUE(std::filesystem::is_fifo(MapScreen::SlotFile(2)));
    EXPECT_EQ(3, std::distance(std::filesystem::directory_iterator("saves"), {})) << "nothing left beside them";
    MessageBox::ClearRecorded();
}

// A copy cut short by a full disk was left under the kept copy's name, in the room the next save needed.
TEST_F(MapScreenTest, CopyAsideCutShortLeavesNothingBehind)
{
    std::filesystem::create_directories("saves");
    std::string const damaged(40000, '\x07');
    std::ofstream(MapScreen::SlotFile(0), std::ios::binary) << damaged;
    saveSlot = 0;
    MessageBox::ClearRecorded();
    {
        // Files may grow to half the slot here, as if the disk filled up.
        FileSizeLimit const full(20480);
        EXPECT_FALSE(MapScreen::Save(&live));
    }
    EXPECT_EQ(1u, MessageBox::Recorded().size());
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator("saves"), {})) << "the slot alone";
    EXPECT_EQ(damaged.size(), std::filesystem::file_size(MapScreen::SlotFile(0)));

    EXPECT_TRUE(MapScreen::Save(&live));
    std::ifstream in(MapScreen::DamagedCopy(MapScreen::SlotFile(0)), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
    MessageBox::ClearRecorded();
}

// A slot damaged again after its copy was kept once replaced that copy, the one the title had said
// was kept, with the new damage.
TEST_F(MapScreenTest, EachDamageOfASlotKeepsACopyOfItsOwnAndTheTitleNamesIt)
{
    std::filesystem::create_directories("saves");
    char const* const file = MapScreen::SlotFile(1);
    auto read = [](std::string const& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    std::string const first(221, '\x07');
    std::ofstream(file, std::ios::binary) << first;
    for (int start = 0; start < 2; start++)
    {
        MapScreen const title(&live, Level_None, Level_Continue);
        EXPECT_EQ("Damaged file kept as saves/save1.damaged", title.SlotNote(1));
    }
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator("saves"), {})) << "the same damage kept once";

    std::string const second(300, '\x09');
    std::ofstream(file, std::ios::binary) << second;
    MapScreen const title(&live, Level_None, Level_Continue);
    EXPECT_EQ("Damaged file kept as saves/save1.damaged.1", title.SlotNote(1));
    EXPECT_EQ(first, read(MapScreen::DamagedCopy(file)));
    EXPECT_EQ(second, read(MapScreen::DamagedCopy(file, 1)));
    EXPECT_EQ("saves/save1.damaged.1", MapScreen::DamagedCopy(file, 1));
}

// The copy made at the title is the copy the saves that follow need: each once tried to copy the
// slot again and, on a disk with no room for a second copy, refused every save of the session.
TEST_F(MapScreenTest, DamagedSlotWhoseCopyStandsIsSavedOverOnATightDisk)
{
    std::filesystem::create_directories("saves");
    std::string const damaged(40000, '\x07');
    std::ofstream(MapScreen::SlotFile(0), std::ios::binary) << damaged;
    MapScreen title(&live, Level_None, Level_Continue);
    ASSERT_EQ("Damaged file kept as saves/save0.damaged", title.SlotNote(0));
    Feed(title, KeyIndex_Enter, KeyState_Released);
    Run(title, 51);
    ASSERT_EQ(0, saveSlot);

    live.gems = 4;
    MessageBox::ClearRecorded();
    {
        // Room for a slot, not for another copy.
        FileSizeLimit const tight(20480);
        EXPECT_TRUE(MapScreen::Save(&live));
    }
    EXPECT_EQ(0u, MessageBox::Recorded().size());
    EXPECT_EQ(4, GameEvents(MapScreen::SlotFile(0)).gems);
    std::ifstream in(MapScreen::DamagedCopy(MapScreen::SlotFile(0)), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator("saves"), {})) << "the slot and its one copy";
}

// A link at a copy's name (to the slot itself) was taken as the kept copy and named on the title,
// and the save then replaced the slot: the damaged bytes were gone.
TEST_F(MapScreenTest, NothingButARegularFileOfItsOwnIsTakenAsAKeptCopy)
{
    std::filesystem::create_directories("saves");
    char const* const file = MapScreen::SlotFile(0);
    std::string const damaged(221, '\x07');
    std::ofstream(file, std::ios::binary) << damaged;
    std::filesystem::create_symlink("save0", MapScreen::DamagedCopy(file));
    // A second name of a file elsewhere, with the same bytes: whoever holds that file may change it.
    std::ofstream("elsewhere", std::ios::binary) << damaged;
    std::filesystem::create_hard_link("elsewhere", MapScreen::DamagedCopy(file, 1));
    std::filesystem::create_directory(MapScreen::DamagedCopy(file, 2));
    // And a link at the scratch name of the copy to be made, to a file outside.
    std::ofstream("outside") << "outside";
    std::filesystem::create_symlink("../outside", MapScreen::DamagedCopy(file, 3) + ".tmp");
    MapScreen const title(&live, Level_None, Level_Continue);
    EXPECT_EQ("Damaged file kept as saves/save0.damaged.3", title.SlotNote(0));

    saveSlot = 0;
    live.gems = 4;
    EXPECT_TRUE(MapScreen::Save(&live));
    EXPECT_EQ(4, GameEvents(file).gems);
    auto read = [](std::string const& name) {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_EQ(damaged, read(MapScreen::DamagedCopy(file, 3)));
    EXPECT_EQ("outside", read("outside"));
    EXPECT_TRUE(std::filesystem::is_symlink(MapScreen::DamagedCopy(file)));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(MapScreen::DamagedCopy(file, 3) + ".tmp")));
    std::filesystem::remove("outside");
    std::filesystem::remove("elsewhere");
}

// A slot of a terabyte (a sparse file) was copied aside until the disk was full, at every start and
// every save; with every copy name taken, each save was refused with no word of why.
TEST_F(MapScreenTest, SlotTooLargeToCopyOrWithEveryCopyNameTakenIsRefusedSayingWhy)
{
    std::filesystem::create_directories("saves");
    char const* const large = MapScreen::SlotFile(0);
    std::ofstream(large).close();
    // Sparse, and just past the limit: no byte of it is copied.
    std::filesystem::resize_file(large, MapScreen::SlotCopyLimit + 1);
    char const* const crowded = MapScreen::SlotFile(1);
    std::ofstream(crowded, std::ios::binary) << std::string(221, '\x07');
    for (int n = 0; n < MapScreen::DamagedCopies; n++)
        std::ofstream(MapScreen::DamagedCopy(crowded, n)) << n;

    MapScreen title(&live, Level_None, Level_Continue);
    EXPECT_EQ("Damaged file too large to keep a copy of: no game is saved here", title.SlotNote(0));
    EXPECT_EQ("Damaged file could not be copied: no game is saved here", title.SlotNote(1));
    MessageBox::ClearRecorded();
    for (int slot : {0, 1})
    {
        saveSlot = slot;
        EXPECT_FALSE(MapScreen::Save(&live));
    }
    ASSERT_EQ(2u, MessageBox::Recorded().size());
    EXPECT_EQ("Your progress was not saved.\nThe slot holds a damaged file that could not be copied aside, so it is "
              "kept as it was.",
              MessageBox::Recorded()[0].text);
    EXPECT_EQ("Your progress was not saved.\nThe slot holds a damaged file that could not be copied aside, as every "
              "name for a copy of it is taken, so it is kept as it was.",
              MessageBox::Recorded()[1].text);
    MessageBox::ClearRecorded();
    EXPECT_EQ(MapScreen::DamagedCopies + 2, std::distance(std::filesystem::directory_iterator("saves"), {}));

    // The erase writes over the large one all the same.
    saveSlot = -1;
    Feed(title, KeyIndex_Delete, KeyState_Released);
    Feed(title, KeyIndex_Up, KeyState_Pressed);
    Feed(title, KeyIndex_Enter, KeyState_Pressed);
    Feed(title, KeyIndex_Enter, KeyState_Released);
    EXPECT_EQ(std::uintmax_t(GameEvents_FileSize), std::filesystem::file_size(large));
    EXPECT_TRUE(GameEvents(large).IsNew());
    EXPECT_EQ("", title.SlotNote(0));
}
