// Petra: building the riddle-giver's house, its step with the puzzles' verdicts, camera rooms and exit, and its
// drawing.
#include "petra/Petra.h"

#include "engine/Collectable.h"
#include "engine/FloatyText.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/MapMove.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/Sign.h"
#include "engine/Switch.h"
#include "engine/Teleport.h"
#include "media/Image.h"
#include "petra/Petra_Dude.h"
#include "petra/Petra_Events.h"
#include "petra/Petra_Factory_Scales.h"
#include "petra/Petra_Factory_Tube.h"
#include "petra/Petra_Petra.h"
#include "petra/Petra_Staff_Puzzle.h"
#include "util/Util.h"

#include <memory>

namespace
{

constexpr char const* imagemap = "petra/imagemap";
constexpr char const* mapfile = "petra/map";
constexpr char const* musicfile = "music/petra.mp3";
constexpr int Petra_GemRow = Level_Petra - 1; // of the saved level flags

constexpr char const* objectImageFiles[Petra_Object_Image_Count] = {
    "gfx/petra/objects/jar0.png", "gfx/petra/objects/jar1.png", "gfx/petra/objects/jar2.png",
    "gfx/petra/objects/jar3.png", "gfx/petra/objects/jar4.png", "gfx/petra/objects/staff.png",
};
constexpr Image_Flags Petra_Object_Image_Flags = Image_PadY | Image_Mask;
constexpr int Petra_Staff_Image = 5;

// The holder each staff starts in.
constexpr unsigned int staffRefPts[Petra_Staff_Count] = {11, 13, 7, 17, 15, 2, 14, 4, 1, 20};

// The three radio groups of answer plates, as entries of the plate array.
constexpr int Petra_Radio_Groups[Petra_Question_Count][Petra_Answer_Count] = {{6, 7, 8}, {9, 10, 11}, {12, 13, 14}};

struct Petra_Question
{
    char const* sign;
    char const* answers[Petra_Answer_Count];
};
constexpr Petra_Question Petra_Questions[Petra_Question_Count] = {
    {"Who is Harnek's partner?", {"Olvane", "Saffrin", "Yavenne"}},
    {"What engagement gift did Olvane receive?", {"Pearl necklace", "Quartz ring", "Ruby ring"}},
    {"Which male proposed with the quartz ring?", {"Pellion", "Gask", "Wendrel"}},
};
// The answer the guests' clues lead to, by question.
constexpr int Petra_Motel_Solution[Petra_Question_Count] = {0, 2, 0};

constexpr Font_Render_Flags Label_Flags = Font_Centre | Font_Middle;
constexpr int Label_Margin = 1;
constexpr double Sign_Scale = 0.7;
constexpr Image_Render_Flags Sign_Flags = Image_Centre | Image_Bottom;

struct Camera_Room
{
    double x0, x1, y0, y1;
    Pointf view;
    Player_Camera_Flags flags;
    double zoom;
};
Pointf const Petra_Room_View(560.0, 660.0); // the riddle-giver's room
constexpr double Petra_Room_Zoom = 1.3;
Camera_Room const Camera_Rooms[] = {
    {300, 800, 500, 800, Petra_Room_View, 0, Petra_Room_Zoom},
    {1600, 2200, 500, 800, Pointf(1890, 665), 0, 1.2},      // the factory
    {4100, 4600, 1600, 1900, Pointf(4346.5, 1730), 0, 1.3}, // the motel's question room
    {2205, 2420, 1650, 1900, Pointf(2312.5, 1770), 0, 2.2}, // the guests' rooms
    {2420, 2640, 1650, 1900, Pointf(2530, 1770), 0, 2.2},
    {2640, 2855, 1650, 1900, Pointf(2747.5, 1770), 0, 2.2},
    {2855, 3070, 1650, 1900, Pointf(2962.5, 1770), 0, 2.2},
    {3070, 3285, 1650, 1900, Pointf(3177.5, 1770), 0, 2.2},
    {300, 1500, 1650, 1900, Pointf(0, 1770), Player_Camera_FollowX, 2.0}, // the motel's corridor
    {3100, 3900, -200, 350, Pointf(3500, 70), 0, 0.9},                    // the staff room
};

// Strictly inside, a value within the tolerance of either bound counting as outside.
bool Inside(double v, double low, double high)
{
    return v - low >= Util::Eps && high - v >= Util::Eps;
}

} // namespace

Petra::Petra(GameEvents* gameEventsIn) : World_Base(gameEventsIn, Petra_GemRow)
{
    // The undo steps touch this world's fields, so they run here, while the fields live.
    try
    {
        Build();
    }
    catch (...)
    {
        built.Clear();
        throw;
    }
}

Petra::~Petra()
{
    // The undo steps touch this world's fields: they run before the fields go.
    built.Clear();
}

void Petra::Build()
{
    LoadMap(imagemap, mapfile);
    RequirePlayIds();
    PlacePlayer(Petra_Rp_Start);
    player->SetCameraPos(&Petra_Room_View, CameraMove_Jump, 0);
    player->SetCameraScale(Petra_Room_Zoom, CameraMove_Jump);

    events = built.Own(new Petra_Events(gameEvents, message));
    events->map = map;
    events->player = player;
    player->levelEvents = events;
    mapMove = built.Own(new MapMove(objects));
    built.Undo([this] { DeleteObjects(); });

    timeTravelAllowed = false;

    for (int i = 0; i < Petra_Object_Image_Count; i++)
        objectImages[i] = new Image(objectImageFiles[i], Petra_Object_Image_Flags, false);
    Collectable::Initialise(timeFrames);
    for (int c = 0; c < Petra_Jar_Count; c++)
        for (int i = 0; i < Petra_Number_Jars; i++)
        {
            unsigned int const id = static_cast<unsigned int>(Petra_Number_Jars * c + i);
            petraObjects[id] = new Collectable(map, Petra_Rp_Jars, objectImages[c], id, Collectable_None);
        }
    for (int s = 0; s < Petra_Staff_Count; s++)
    {
        unsigned int const id = static_cast<unsigned int>(Petra_Staff_Objects_Base + s);
        petraObjects[id] = new Collectable(map, Petra_Staff_BaseRefPt + staffRefPts[s], objectImages[Petra_Staff_Image],
                                           id, Collectable_None);
    }
    for (Collectable* object : petraObjects)
        objects->AddObject(object);

    riddleGiver = new Petra_Petra(map, Petra_Rp_RiddleGiver, player, message);
    events->riddleGiver = riddleGiver;
    objects->AddObject(static_cast<Dude*>(riddleGiver));

    BuildFactory();
    for (auto const& ends : Petra_Teleport_Ends)
    {
        auto link = std::make_unique<Teleport>(ends[0], ends[1], DoorTeleport_Active_Dist);
        objects->AddTeleport(link.get());
        link.release();
    }
    BuildMotel();

    staffPuzzle = new Petra_Staff_Puzzle(&petraObjects[Petra_Staff_Objects_Base], Petra_Staff_Count);
    objects->AddObject(staffPuzzle);
    motelCountdown = Petra_Verdict_Steps;
    staffCountdown = Petra_Verdict_Steps;

    map->PreprocessCollision();
    PlayMusic(musicfile);
}

void Petra::RequirePlayIds() const
{
    // These are read only in play (the weighing, the puzzles' starts, the doors, the staffs'
    // holders, the way back to the riddle-giver): a map without one is refused now.
    for (unsigned int rp : {Factory_Scales_LeftPt, Factory_Scales_RightPt, Factory_Scales_TextPt, Petra_Rp_FactoryStart,
                            Petra_Rp_Back, Petra_Rp_MotelStart})
        map->GetRefPoint(rp);
    for (auto const& ends : Petra_Teleport_Ends)
        for (unsigned int end : ends)
            map->GetRefPoint(end);
    for (int s = 0; s < Petra_Staff_Holder_Count; s++)
        map->GetRefPoint(Petra_Staff_BaseRefPt + static_cast<unsigned int>(s));
    for (int i = 0; i < Petra_Switch_Count; i++)
        map->RequireGroup(static_cast<unsigned int>(i) + 1);
}

void Petra::BuildFactory()
{
    for (int i = 0; i < Petra_Switch_Count; i++)
        switches[i] = new Switch(player, map, static_cast<unsigned int>(i) + 1, 1.0);
    for (auto const& group : Petra_Radio_Groups)
    {
        Switch* const first = switches[group[0]];
        Switch* const second = switches[group[1]];
        Switch* const third = switches[group[2]];
        first->RadioSwitch(second, third);
        second->RadioSwitch(first, third);
        third->RadioSwitch(first, second);
    }
    for (Switch* plate : switches)
    {
        objects->AddObject(static_cast<Object*>(plate));
        mapMove->AddObject(plate);
    }

    for (int k = 0; k < Petra_Factory_Tube_Count; k++)
    {
        Pointf const mouth = map->GetRefPoint(Factory_Scales_Tube_RefPt + static_cast<unsigned int>(k));
        tubes[k] = new Petra_Factory_Tube(&petraObjects[Petra_Number_Jars * k], Petra_Number_Jars, mouth,
                                          switches[Petra_Group_Tube - 1 + static_cast<unsigned int>(k)]);
    }
    for (Petra_Factory_Tube* tube : tubes)
        objects->AddObject(tube);
    scales =
        new Petra_Factory_Scales(&petraObjects[0], Petra_Number_Jars, switches[Petra_Group_Weigh - 1], message, font);
    objects->AddObject(scales);
}

void Petra::BuildMotel()
{
    for (int g = 0; g < Petra_Guest_Count; g++)
    {
        guests[g] = new Petra_Dude(map, g);
        objects->AddObject(static_cast<Dude*>(guests[g]));
    }

    for (int q = 0; q < Petra_Question_Count; q++)
        for (int k = 0; k < Petra_Answer_Count; k++)
        {
            int const label = Petra_Answer_Count * q + k;
            Pointf const at = map->GetRefPoint(Petra_Rp_Labels + static_cast<unsigned int>(label));
            answerLabels[label] =
                new FloatyText(font, at, Petra_Questions[q].answers[k], Petra_Label_Scale, Label_Flags);
        }
    for (FloatyText* label : answerLabels)
    {
        label->SetBackplate(true, Label_Margin);
        objects->AddObject(label);
    }

    signsReady = true;
    Sign::Initialise();
    for (int q = 0; q < Petra_Sign_Count; q++)
    {
        Pointf const at = map->GetRefPoint(Petra_Rp_Signs + static_cast<unsigned int>(q));
        signs[q] = new Sign(at, Sign_Scale, nullptr, Sign_Flags);
        signs[q]->AddText(Petra_Questions[q].sign);
    }
    for (Sign* sign : signs)
        objects->AddObject(sign);
}

void Petra::DeleteObjects()
{
    delete staffPuzzle;
    for (Sign* sign : signs)
        delete sign;
    for (Petra_Dude* guest : guests)
        delete guest;
    for (FloatyText* label : answerLabels)
        delete label;
    delete scales;
    for (Petra_Factory_Tube* tube : tubes)
        delete tube;
    for (Switch* plate : switches)
        delete plate;
    delete riddleGiver;
    for (Image* image : objectImages)
        delete image;
    for (Collectable* object : petraObjects)
        delete object;
    if (signsReady)
        Sign::Finalise();
}

int Petra::CameraRoom(Pointf p)
{
    int room = 1;
    for (Camera_Room const& r : Camera_Rooms)
    {
        if (Inside(p.x, r.x0, r.x1) && Inside(p.y, r.y0, r.y1))
            return room;
        room++;
    }
    return 0;
}

Level_Action Petra::Poll(KeyData keys)
{
    // The plates are asked about the tick the level step plays, before it moves the clock on.
    Tick const t = GetTick();
    Level_Action const result = Level::Poll(keys);
    if (result != Level_Continue)
        return result;
    // Where the player stood in this step decides the camera room and the exit, even when a
    // verdict has just taken him back to the riddle-giver.
    Pointf const p = player->GetPos();
    JudgeWeighing(keys);
    JudgeMotel(t);
    JudgeStaffs(t);
    FollowRoom(p);
    if (Petra_ExitX - p.x >= Util::Eps)
        return Level_Completed;
    return Level_Continue;
}

void Petra::JudgeWeighing(KeyData const& keys)
{
    if (!scales->active)
        return;
    // The player waits for his own choice: no forced move is set, so he stands still.
    player->scripted = true;
    int const choice = scales->Poll(map, &keys);
    if (choice == 2)
        events->solvedTime[Petra_Event_Scales] = GameEvent_HasHappened;
    if (choice != 0)
    {
        player->scripted = false;
        BackToPetras();
    }
}

void Petra::JudgeMotel(Tick t)
{
    if (events->puzzleState != Petra_State_Motel || !switches[Petra_Group_Motel - 1]->IsActive(t))
        return;
    int answers[Petra_Question_Count] = {-1, -1, -1};
    for (int q = 0; q < Petra_Question_Count; q++)
        for (int k = 0; k < Petra_Answer_Count; k++)
            if (switches[Petra_Radio_Groups[q][k]]->IsActive(t))
                answers[q] = k;
    for (int answer : answers)
        if (answer < 0)
            return;
    if (--motelCountdown != 0)
        return;
    bool right = true;
    for (int q = 0; q < Petra_Question_Count; q++)
        right = right && answers[q] == Petra_Motel_Solution[q];
    if (right)
        events->solvedTime[Petra_Event_Motel] = GameEvent_HasHappened;
    BackToPetras();
}

void Petra::JudgeStaffs(Tick t)
{
    if (events->puzzleState != Petra_State_Staff || !switches[Petra_Group_Staff - 1]->IsActive(t))
        return;
    if (--staffCountdown != 0)
        return;
    if (staffPuzzle->Complete())
        events->solvedTime[Petra_Event_Staff] = GameEvent_HasHappened;
    BackToPetras();
}

void Petra::BackToPetras()
{
    Pointf const back = map->GetRefPoint(Petra_Rp_Back);
    player->SetPos(&back);
    player->Pose(false);
    player->SetCameraPos(&Petra_Room_View, CameraMove_Ease8, 0);
    player->SetCameraScale(Petra_Room_Zoom, CameraMove_Ease8);
    // The conversation's first step picks the verdict from the puzzle's state and solved time.
    player->StartChat(riddleGiver);
    map->MoveMap(&Petra_Room_View, CameraMove_Jump);
    map->ScaleMap(Petra_Room_Zoom, CameraMove_Jump);
}

void Petra::FollowRoom(Pointf p)
{
    int const room = CameraRoom(p);
    cameraRoom = room;
    if (room == 0)
    {
        player->SetCameraPos(nullptr, CameraMove_None, 0);
        player->SetCameraScale(0.0, CameraMove_None);
        return;
    }
    Camera_Room const& r = Camera_Rooms[room - 1];
    player->SetCameraPos(&r.view, CameraMove_Ease8, r.flags);
    player->SetCameraScale(r.zoom, CameraMove_Ease8);
}

void Petra::Plot()
{
    Level::Plot(Level_Plot_Back | Level_Plot_Objects | Level_Plot_Player);
    // The weighing's arrow and weight lie between the player and the map's foreground.
    if (scales->active)
        scales->Plot(map, GetTick());
    Level::Plot(Level_Plot_Fore | Level_Plot_ObjectsFore | Level_Plot_Tint | Level_Plot_Hud | Level_Plot_Panel);
}
