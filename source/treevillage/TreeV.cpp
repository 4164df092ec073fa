// TreeV: building the tree village, its step rules, its drawing and the closing sequence.
#include "treevillage/TreeV.h"

#include "creatures/Slidey_Puzzle.h"
#include "creatures/Sprinkler.h"
#include "engine/Dude.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "engine/Poly.h"
#include "engine/PolyBatch.h"
#include "engine/Sign.h"
#include "engine/Teleport.h"
#include "media/GameFont.h"
#include "media/Image.h"
#include "puzzles/Grid_Puzzle.h"
#include "treevillage/TreeV_CanDo.h"
#include "treevillage/TreeV_DoorSwitch.h"
#include "treevillage/TreeV_Dude.h"
#include "treevillage/TreeV_Events.h"
#include "treevillage/TreeV_LiftSwitch.h"
#include "treevillage/TreeV_MainLift.h"
#include "treevillage/TreeV_MapMove.h"
#include "treevillage/TreeV_Marbles.h"
#include "treevillage/TreeV_MarketSign.h"
#include "treevillage/TreeV_Patient.h"
#include "treevillage/TreeV_RangeTarget.h"
#include "util/Rectf.h"
#include "util/Util.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

namespace
{

constexpr char const* imagemap = "treevillage/imagemap";
constexpr char const* mapfile = "treevillage/map";
constexpr char const* bgmapfile = "treevillage/bgmap";
constexpr char const* slideypuzzlebase = "gfx/treevillage/slideypuzzle";
constexpr char const* musicfile = "music/treevillage.mp3";
constexpr double BgMap_XWrap = 360.0;
constexpr double BgMap_YWrap = 401.0;
constexpr double BgMap_XOverlap = 40.0;
constexpr double BgMap_YOverlap = 40.0;
constexpr double BgMap_Scale = 1.2;    // of the level map's
constexpr double BgMap_Parallax = 0.8; // of the view centre's movement
constexpr double DoorTeleport_Active_Dist = 16.0;
constexpr double Bound_Margin = 1.0 / 8388608.0; // 2^-23: a coordinate this close to a bound is outside

constexpr int SlideyPuzzle_Gap = 3;
constexpr int TreeV_ChestPuzzle = 1;
constexpr int TreeV_GemRow = Level_TreeV - 1;
constexpr int Message_Time = 200;
constexpr int Ending_Elder = 24;
constexpr int Ending_ElderStart = 101;
constexpr double Ending_Scale = 1.6;
constexpr double Ending_CreditTop = 288.0;
constexpr double Ending_CreditSlide = 40.0;
Pointf const Ending_View(3310.0, 1160.0);
Pointf const Sprinkler_Pos(5088.0, 1830.0);
constexpr GameEvent Progress_LiftMended = 20;
constexpr GameEvent Progress_MoveHint = 26;
constexpr GameEvent Progress_ViewHint = 27;
constexpr GameEvent Progress_TargetHint = 28;
constexpr Tick ViewHint_Tick = 3600;

struct EndingPlace
{
    int dude;
    unsigned int place; // of the gathering places
};
constexpr EndingPlace Ending_Places[TreeV_Ending_Places] = {{1, 3}, {5, 4}, {7, 1}, {9, 0}, {13, 2}, {23, 5}, {24, 6}};

// Each door's flags and name plate, in the order of TreeV_Doors.
struct DoorSpec
{
    TreeV_DoorSwitch_Flags flags;
    char const* plate;
    char const* second;
};
constexpr DoorSpec Doors[TreeV_Door_Count] = {
    {1, "Welcome to Ridaduvor village", nullptr},
    {0, "Aaron's place", nullptr},
    {1, "Marbles' house", "Sorry, I'm not in right now!"},
    {0, "Tumblewick", "Village elder"},
    {1, "Doctor's surgery", "Please report to reception"},
    {0, "Grib's house", nullptr},
    {0, "Willy's house", nullptr},
    {1, "The Gort residence", nullptr},
};
constexpr int MarblesDoor = 2;

struct Zone
{
    double x0, x1, y0, y1;
    Pointf view;
    double scale;
};
constexpr double Unbounded = 1.0e30;
Zone const Zones[] = {
    {1150, 1504, 2648, 2850, Pointf(1330, 2685), 1.4},
    {2090, 2444, 2648, 2850, Pointf(2270, 2685), 1.4},
    {2892, 3246, 2648, 2850, Pointf(3072, 2685), 1.4},
    {1150, 1504, 3048, 3250, Pointf(1330, 3085), 1.4},
    {2090, 2444, 3048, 3250, Pointf(2270, 3085), 1.4},
    {1150, 1504, 3400, 3650, Pointf(1330, 3530), 1.4},
    {2090, 2444, 3400, 3650, Pointf(2270, 3530), 1.4},
    {7225, Unbounded, -Unbounded, Unbounded, Pointf(7225, 4485), 1.2},
    {5280, Unbounded, -Unbounded, 1000, Pointf(5280, 460), 1.0},
};

constexpr double Exit_MainX = 7510.0;
constexpr double Exit_UpX = 5650.0;
constexpr double Exit_UpY = 1000.0;

bool Inside(double v, double low, double high)
{
    return v > low + Bound_Margin && v < high - Bound_Margin;
}

struct CreditLine
{
    char const* heading;
    char const* second;
};
constexpr char const* CreditTeam = "The Hollowmere team";
constexpr CreditLine Credits[] = {
    {"Game concept", CreditTeam},
    {"Artwork", CreditTeam},
    {"Programming", CreditTeam},
    {"Music", CreditTeam},
    {"Level design", CreditTeam},
    {"Sound effects", CreditTeam},
    {"Special thanks to", CreditTeam},
    {"Special thanks to", CreditTeam},
    {"Special thanks to", CreditTeam},
    {"Thank you for", "playing"},
    {"The", "End"},
};
constexpr int Credit_Count = sizeof Credits / sizeof Credits[0];

} // namespace

TreeV::TreeV(GameEvents* gameEventsIn, bool endingIn)
    : World_Base(gameEventsIn, TreeV_GemRow), ending(endingIn), creditPos(320.0, 0.0)
{
    // The undo steps touch this world's fields, so they run here, while the fields live.
    try
    {
        Build();
    }
    catch (...)
    {
        chestPuzzle.reset();
        built.Clear();
        throw;
    }
}

void TreeV::Build()
{
    LoadMap(imagemap, mapfile);
    if (ending)
    {
        map->ScaleMap(Ending_Scale, CameraMove_Jump);
        map->MoveMap(&Ending_View, CameraMove_Jump);
    }
    bgMap = LoadSceneryMap(bgmapfile);

    PlacePlayer(ending ? TreeV_Rp_EndingStart : TreeV_Rp_Start);
    player->scripted = ending;

    events = built.Own(new TreeV_Events(gameEvents, message));
    player->levelEvents = events;
    events->player = player;
    events->ending = ending;

    mapMove = built.Own(new TreeV_MapMove(map, objects));
    canDo = built.Own(new TreeV_CanDo(player, map, font, gameEvents, events));

    built.Initialise(&TreeV_Dude::Initialise, &TreeV_Dude::Finalise);
    for (int i = 0; i < TreeV_DudeSlots; i++)
    {
        int rp = TreeV_Dude_StartPts[i];
        if (ending)
            for (EndingPlace const& place : Ending_Places)
                if (place.dude == i)
                    rp = static_cast<int>(TreeV_Rp_EndingGathering + place.place);
        dudes[i] = built.Own(new TreeV_Dude(map, i, rp));
        objects->AddObject(static_cast<Dude*>(dudes[i]));
    }
    doorDude = built.Own(new Dude(map, TreeV_DoorTalker, TreeV_Rp_DoorDude));
    objects->AddObject(doorDude);

    built.Initialise([this] { TreeV_DoorSwitch::Initialise(font); }, &TreeV_DoorSwitch::Finalise);
    for (int i = 0; i < TreeV_Door_Count; i++)
    {
        DoorSpec const& d = Doors[i];
        TreeV_DoorIds const& ids = TreeV_Doors[i];
        TreeV_DoorSwitch* door = built.Own(
            new TreeV_DoorSwitch(map, static_cast<int>(ids.group), ids.pivot, ids.switch0, ids.switch1, d.flags));
        doorSwitches[i] = door;
        for (int s = 0; s < 2; s++)
        {
            objects->AddObject(static_cast<Object*>(door->GetSwitch(s)));
            objects->AddTarget(door->GetSwitch(s));
        }
        objects->AddObject(static_cast<Object*>(door));
        mapMove->AddObject(door);
        door->SetMessage(d.plate, d.second);
    }
    events->marblesDoor = doorSwitches[MarblesDoor];
    doorSwitches[MarblesDoor]->SetEnable(false);

    bool const mended = gameEvents->Happened(Progress_LiftMended, 0);
    built.Initialise(&TreeV_MainLift::Initialise, &TreeV_MainLift::Finalise);
    mainLift = built.Own(new TreeV_MainLift(map, mended));
    objects->AddObject(static_cast<Object*>(mainLift));
    mapMove->AddObject(mainLift);
    for (int s = 0; s < 2; s++)
    {
        objects->AddObject(static_cast<Object*>(mainLift->GetSwitch(s)));
        objects->AddTarget(mainLift->GetSwitch(s));
    }
    events->mainLift = mainLift;

    built.Initialise(&TreeV_RangeTarget::Initialise, &TreeV_RangeTarget::Finalise);
    for (int i = 0; i < TreeV_RangeTargets; i++)
    {
        rangeTargets[i] = built.Own(new TreeV_RangeTarget(map, i));
        objects->AddObject(static_cast<Object*>(rangeTargets[i]));
        objects->AddTarget(rangeTargets[i]);
    }

    // The teleports' points, the jars and the patient's spots are read only in play: a map
    // without one is refused now.
    for (auto const& pair : TreeV_Teleports)
    {
        map->GetRefPoint(pair[0]);
        map->GetRefPoint(pair[1]);
        objects->AddTeleport(new Teleport(pair[0], pair[1], DoorTeleport_Active_Dist));
    }
    TreeV_Marbles::RequireJars(map);
    TreeV_Patient::RequireSpots(map);

    marbles = built.Own(new TreeV_Marbles(player, dudes[TreeV_Dude_Marbles]));
    patient = built.Own(new TreeV_Patient(player));

    if (gameEvents->NotHappened(Progress_LiftMended, 0))
    {
        // Mending the lift deletes the sprinkler through this field.
        built.Undo([this] {
            delete sprinkler;
            sprinkler = nullptr;
        });
        sprinkler = new Sprinkler();
        sprinkler->pos = Sprinkler_Pos;
        events->sprinklerSlot = &sprinkler;
    }

    built.Initialise(&TreeV_MarketSign::Initialise, &TreeV_MarketSign::Finalise);
    marketSign = built.Own(new TreeV_MarketSign(map, TreeV_Rp_MarketSign, mended));
    for (int s = 0; s < TreeV_MarketSign_Segments; s++)
    {
        objects->AddObject(static_cast<Object*>(marketSign->GetSwitch(s)));
        objects->AddTarget(marketSign->GetSwitch(s));
    }
    events->marketSign = marketSign;

    slideyPuzzle = built.Own(
        new Slidey_Puzzle(player, message, map, TreeV_Rp_SlideyPuzzle, slideypuzzlebase, SlideyPuzzle_Gap, false));
    objects->AddObject(static_cast<Object*>(slideyPuzzle));
    for (int i = 0; i < Slidey_Puzzle_Segments; i++)
        objects->AddObject(static_cast<Object*>(slideyPuzzle->GetTile(i)));

    gems[0] = AddGem(map->GetRefPoint(TreeV_Rp_Chest), 0, true);
    gems[1] = AddGem(map->GetRefPoint(TreeV_Rp_SlideyGem), 1, true);
    chests[0] = AddChest(gems[0], TreeV_ChestPuzzle);
    // The elder's example puzzle is a grid puzzle too, with or without the chest.
    UseGridPuzzle();

    built.Initialise(&Sign::Initialise, &Sign::Finalise);
    char const* const signTexts[TreeV_Sign_Count] = {
        "Up - Ridaduvor tree village                   Right - The great tower",
        "Left - Ridaduvor tree village  Right - Camdo mine"};
    for (int i = 0; i < TreeV_Sign_Count; i++)
    {
        signs[i] = built.Own(new Sign(map->GetRefPoint(TreeV_Rp_Signs[i]), 0.7, nullptr, Image_Centre | Image_Bottom));
        signs[i]->AddText(signTexts[i]);
        objects->AddObject(signs[i]);
    }

    map->PreprocessCollision();

    PlayMusic(musicfile);
}

TreeV::~TreeV()
{
    // The undo steps touch this world's fields: they run before the fields go.
    chestPuzzle.reset();
    built.Clear();
}

int TreeV::CameraZone(Pointf p)
{
    for (int i = 0; i < int(sizeof Zones / sizeof Zones[0]); i++)
        if (Inside(p.x, Zones[i].x0, Zones[i].x1) && Inside(p.y, Zones[i].y0, Zones[i].y1))
            return i + 1;
    return 0;
}

bool TreeV::InsideTankLeak(Pointf p)
{
    return Inside(p.x, 4590.0, 5420.0) && Inside(p.y, 1530.0, 1920.0);
}

bool TreeV::NearTankLeak() const
{
    return InsideTankLeak(player->GetPos());
}

Level_Action TreeV::ExitAt(Pointf p, int dead)
{
    if (dead != 0)
        return Level_Continue;
    if (p.x > Exit_MainX)
        return Level_Completed;
    if (p.x > Exit_UpX && p.y < Exit_UpY)
        return Level_Restart;
    return Level_Continue;
}

Level_Action TreeV::Poll(KeyData keys)
{
    if (ending)
        PollEnding();
    // Level::Poll advances the clock at its end: the world's rules use the tick it plays.
    Tick const t = GetTick();

    if (gameEvents->NotHappened(Progress_MoveHint, 0))
    {
        (*gameEvents)[Progress_MoveHint] = GameEvent_HasHappened;
        message->Display("Use Z and X to move and space to jump", Message_Time);
        message->Display("Press return to perform actions", Message_Time);
    }
    if (gameEvents->NotHappened(Progress_ViewHint, 0) && t > ViewHint_Tick)
    {
        (*gameEvents)[Progress_ViewHint] = GameEvent_HasHappened;
        message->Display("Press shift to change the current view", Message_Time);
    }
    if (gameEvents->NotHappened(Progress_TargetHint, 0) && marketSign->ShouldHelp(t))
    {
        (*gameEvents)[Progress_TargetHint] = GameEvent_HasHappened;
        message->Display("Press ' or / to while holding fire to change target", Message_Time);
    }

    if (Grid_Puzzle* puzzle = events->GetGridPuzzle())
    {
        if (puzzle->Poll(&keys) != 0)
            events->CloseGridPuzzle();
        return Level_Continue;
    }

    if (events->Happened(TreeV_Event_RangeStarted, t))
    {
        int hits = 0;
        for (TreeV_RangeTarget* target : rangeTargets)
        {
            Tick when = 0;
            if (target->BeenHit(t, &when))
            {
                target->state = TreeV_RangeTarget_Hit;
                hits++;
            }
            else
                target->state = TreeV_RangeTarget_Standing;
        }
        if (hits == TreeV_RangeTargets && events->NotHappened(TreeV_Event_RangeAllHit, t) && !timeTravelling)
            events->SetSlot(TreeV_Event_RangeAllHit, t);
    }
    else
        for (TreeV_RangeTarget* target : rangeTargets)
            target->state = TreeV_RangeTarget_Hidden;

    if (events->marblesRunning)
    {
        int const r = marbles->Poll(map, t, &keys);
        if (r == 1)
        {
            events->SetSlot(TreeV_Event_MarblesWon, t);
            message->Display("Received solid sphere!", Message_Time);
        }
        else if (r == 2)
            events->SetSlot(TreeV_Event_MarblesLost, t);
        if (r == 1 || r == 2)
        {
            player->scripted = false;
            events->marblesRunning = false;
            player->StartChat(dudes[TreeV_Dude_Marbles]);
        }
    }

    if (events->patientRunning)
    {
        player->scripted = true;
        int const r = patient->Poll(map, &keys);
        if (r == 1)
        {
            player->Think("Beautifully done, he'll appreciate that when he wakes up.");
            events->SetSlot(TreeV_Event_PatientSolved, t);
        }
        else if (r == 2)
        {
            player->Think("That didn't seem to work!");
            events->SetSlot(TreeV_Event_PatientFailed, t);
        }
        if (r == 1 || r == 2)
        {
            player->scripted = false;
            player->hidden = false;
            events->patientRunning = false;
        }
    }

    if (sprinkler != nullptr && NearTankLeak())
        sprinkler->Move(map);

    Level_Action const r = Level::Poll(keys);
    if (r != Level_Continue)
        return r;

    if (!timeTravelling && events->GetSlot(TreeV_Event_SlideyGem) == GameEvent_HasntHappened
        && gameEvents->levelFlags[TreeV_GemRow][1] == 0 && slideyPuzzle->IsComplete())
    {
        gems[1]->Found(t);
        events->SetSlot(TreeV_Event_SlideyGem, GameEvent_HasHappened);
    }

    Pointf const p = player->GetPos();
    if (slideyPuzzle->Poll(map, &keys, t))
        return Level_Continue;

    int const zone = CameraZone(p);
    if (zone != 0)
    {
        player->SetCameraPos(&Zones[zone - 1].view, CameraMove_Ease8, 0);
        player->SetCameraScale(Zones[zone - 1].scale, CameraMove_Ease8);
    }
    else
    {
        player->SetCameraPos(nullptr, CameraMove_None, 0);
        player->SetCameraScale(0.0, CameraMove_None);
    }

    return ExitAt(p, player->IsPlayerDead());
}

void TreeV::Plot()
{
    Tick const t = GetTick();
    PlotOpaqueFirst();
    PlotBackground();
    Level::Plot(Level_Plot_All);
    marbles->Plot(map);
    patient->Plot(map, font);
    if (sprinkler != nullptr && NearTankLeak())
        sprinkler->Render(map);
    Pointf const p = player->GetPos();
    if (events->Happened(TreeV_Event_RangeStarted, t)
        && (events->NotHappened(TreeV_Event_RangeAllHit, t)
            || t < events->GetSlot(TreeV_Event_RangeAllHit) + ShootRange_ClockEnd)
        && p.x < 2360.0 && p.y > 900.0 && p.y < 2500.0)
        PlotShootTimer();
    if (Grid_Puzzle* puzzle = events->GetGridPuzzle())
        puzzle->Plot();
    if (ending && endingTick >= Ending_StartCredits)
        PlotEnding();
}

void TreeV::PlotBackground()
{
    double const s = map->view.scale;
    bgMap->view.scale = BgMap_Scale * s;
    double const b = bgMap->view.scale;
    double const cx = (640.0 / s / 2.0 + map->view.x) * BgMap_Parallax - 640.0 / b / 2.0;
    double const cy = (480.0 / s / 2.0 + map->view.y) * BgMap_Parallax - 480.0 / b / 2.0;
    double y = Util::FltMod(cy, BgMap_YWrap);
    if (y < BgMap_YOverlap)
        y += BgMap_YWrap;
    // Each copy is drawn with the view moved so that the tile lands at its place on screen.
    bgCopies.clear();
    for (; y + BgMap_YWrap > -480.0 / b; y -= BgMap_YWrap)
    {
        double x = Util::FltMod(cx, BgMap_XWrap);
        if (x < BgMap_XOverlap)
            x += BgMap_XWrap;
        for (; x + BgMap_XWrap > -640.0 / b; x -= BgMap_XWrap)
            bgCopies.emplace_back(x, y);
    }
    // In a frame drawn in depth order the tile's opaque shapes go first, front to back, so that
    // little of the tile is filled twice.
    if (map->RenderSceneryOpaqueFirst(*bgMap, bgCopies, time))
        return;
    // The tile is one period of its pattern, so the copies abut without overlapping and may be
    // drawn layer by layer, each polygon in every copy before the next polygon: the pixels of
    // drawing them one after another, with a change of texture once a layer, not once a copy
    // and layer (a software GL prepares its drawing afresh after each).
    PolyBatch batch(bgMap->textures, &bgMap->view, time);
    for (unsigned int i = 0; i < bgMap->polyCount; ++i)
    {
        Poly const* poly = bgMap->polys[i];
        for (Pointf const& at : bgCopies)
        {
            Rectf const screen(at.x, at.y, at.x + 640.0 / b, at.y + 480.0 / b);
            if (!poly->GetBound()->Intersect(&screen))
                continue;
            bgMap->view.x = at.x;
            bgMap->view.y = at.y;
            batch.Draw(poly);
        }
    }
    batch.Finish();
    Image::CheckGlError();
}

void TreeV::PlotShootTimer()
{
    Tick const t = GetTick();
    Tick e = t - events->GetSlot(TreeV_Event_RangeStarted);
    double scale = 1.6;
    if (e < ShootRange_ClockStart)
        scale = e * 1.6 / ShootRange_ClockStart;
    Pointf at(320.0, 448.0);
    if (events->Happened(TreeV_Event_RangeAllHit, t))
    {
        e = events->Shooting_CompleteTime();
        Tick const since = t - events->GetSlot(TreeV_Event_RangeAllHit);
        if (since > ShootRange_ClockHang)
            at.y += 2.0 * since - 200.0;
    }
    char text[32];
    std::snprintf(text, sizeof text, ":%.2d", int((e / 50) % 60));
    font->Render(text, -1, Font_Left | Font_Top, &at, scale);
    std::snprintf(text, sizeof text, "%.2d", int(e / 3000));
    font->Render(text, -1, Font_Right | Font_Top, &at, scale);
}

void TreeV::Credit(int tick, char const** heading, char const** second)
{
    int const i = std::clamp((tick - Ending_StartCredits) / Ending_CreditTime, 0, Credit_Count - 1);
    *heading = Credits[i].heading;
    *second = Credits[i].second;
}

void TreeV::MoveCredit(int tick, Pointf& pos)
{
    if (tick < Ending_StartCredits || tick > Ending_LastMove)
        return;
    int const phase = (tick - Ending_StartCredits) % Ending_CreditTime;
    if (phase == 0)
    {
        pos = Pointf(320.0, 0.0);
        return;
    }
    pos.y += (Ending_CreditTop - pos.y) / 8.0;
    if (phase > Ending_CreditOn)
        pos.x += Ending_CreditSlide;
}

void TreeV::PollEnding()
{
    endingTick++;
    if (endingTick == Ending_ElderStart)
        player->StartChat(dudes[Ending_Elder]);
    MoveCredit(endingTick, creditPos);
}

void TreeV::PlotEnding()
{
    char const* heading = nullptr;
    char const* second = nullptr;
    Credit(endingTick, &heading, &second);
    double const h = font->GetHeight();
    double const w = std::max(font->MeasureText(heading, -1), font->MeasureText(second, -1));
    double const x = creditPos.x;
    double const y = creditPos.y;
    double const left = x - w / 2.0 - 6.0;
    double const right = x + w / 2.0 + 6.0;
    double const top = y + 6.0;
    double const bottom = y - 2.0 * h - 6.0;
    glDisable(GL_TEXTURE_2D);
    glColor4d(1.0, 1.0, 1.0, 0.5);
    glBegin(GL_QUADS);
    glVertex2d(left, top);
    glVertex2d(right, top);
    glVertex2d(right, bottom);
    glVertex2d(left, bottom);
    glEnd();
    glColor4d(0.0, 0.0, 0.0, 1.0);
    glBegin(GL_LINE_LOOP);
    glVertex2d(left, top);
    glVertex2d(right, top);
    glVertex2d(right, bottom);
    glVertex2d(left, bottom);
    glEnd();
    glColor4d(1.0, 1.0, 1.0, 1.0);
    Pointf const first(x, y);
    Pointf const next(x, y - h);
    font->Render(heading, -1, Font_Centre | Font_Top, &first, 1.0);
    font->Render(second, -1, Font_Centre | Font_Top, &next, 1.0);
}
