// The player's step: growing, hanging, hits, dying, teleporting, carrying, drawing and health.
#include "engine/Player.h"

#include "engine/Axes.h"
#include "engine/CharStats.h"
#include "engine/Collectable.h"
#include "engine/Dude.h"
#include "engine/Event_ChatInfo.h"
#include "engine/GameEvents.h"
#include "engine/HangOn.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/PickUp.h"
#include "engine/SpeechBubble.h"
#include "engine/Target.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/LineEq.h"
#include "util/Util.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace
{

constexpr double Player_GrowSnap = 0.01;
constexpr double Player_GrowRoot = 1.0 / 16.0;
constexpr double Player_HeldTurn = 0.01;
constexpr int Player_BlinkDivisor = 15;
constexpr int Player_DyingFrameSteps = 10;
constexpr double Player_TeleportZoom = 40.0;

} // namespace

Player::Player(Map* onMap, ObjectList* list, GameEvents* events, Game_Sounds* soundTable, Pointf const* start,
               double startScale)
    : levelEvents(nullptr), scripted(false), hidden(false), travelling(false), colourGroups(false), forceDeath(false),
      sounds(soundTable), heartFull(nullptr), heartEmpty(nullptr), gem(nullptr), map(onMap), objects(list),
      gameEvents(events), axes(nullptr), targets(nullptr), target(nullptr), hitPoints(0), dyingCount(0),
      invulnerable(0), farView(1), targetScale(startScale), cameraFlags(0), cameraPosMove(CameraMove(0)), cameraPos(),
      cameraScaleMove(CameraMove(0)), cameraScale(0.0), held(nullptr), openingChest(nullptr), chatMode(0),
      chatRefusal(0), chatDude(nullptr), chatTick(0), bubble(nullptr), thought(), teleporting(false), teleportTo(0),
      forcedKeys(0), hangOn(nullptr), lastHangOn(nullptr), hangDelay(0), grantedAirJump(false), grantedHearts(0)
{
    pos = *start;
    scale = startScale;
    stats = new CharStats();
    try
    {
        SetUpStats();
        hitPoints = stats->hearts;
        axes = new Axes();
        heartFull = new Image("gfx/general/heartfull.png", Image_Mask, false);
        heartEmpty = new Image("gfx/general/heartempty.png", Image_Mask, false);
        gem = new Image("gfx/general/gem.png", Image_Mask, false);
        for (Sound_Id sound : {Sound_Jump, Sound_Throw, Sound_Pickup, Sound_PlayerHit, Sound_ScaleUp, Sound_ScaleDown})
            sounds->InitSound(sound);
        SetCameraPos(true);
    }
    catch (...)
    {
        // The destructor does not run for a player whose construction failed.
        FreeParts();
        throw;
    }
}

Player::~Player()
{
    FreeParts();
}

void Player::FreeParts()
{
    delete heartFull;
    delete heartEmpty;
    delete gem;
    delete bubble;
    delete axes;
    delete targets;
    stats->Destroy();
    heartFull = nullptr;
    heartEmpty = nullptr;
    gem = nullptr;
    bubble = nullptr;
    axes = nullptr;
    targets = nullptr;
    stats = nullptr;
}

void Player::Play(Sound_Id sound) const
{
    sounds->Play(sound, nullptr, false, 1.0);
}

void Player::SetUpStats()
{
    stats->width = Player_Width * scale;
    stats->height = Player_Height * scale;
    stats->accel = 0.1 * scale;
    stats->decel = 0.4 * scale;
    stats->maxSpeed = 6.0 * scale;
    stats->gravity = 0.2 * scale;
    stats->jumpSpeed = 6.0 * scale;
    stats->jumpDecay = 0.1 * scale;
    stats->frameDist = Player_FrameRate * scale;
    // Grants made during the level are not in the progress record yet; rebuilding
    // the stats (each step of a size change) must not take them back.
    stats->airJump = gameEvents->Happened(Event_DoubleJump, 0) || grantedAirJump;
    stats->hearts = gameEvents->GetHeartCount() + grantedHearts;
    stats->frameCount = Player_Frames;
}

void Player::Move(Tick time)
{
    Tick const t = time / 256;
    if (colourGroups)
        GetSafeGroups(map->passGroups[0], map->passGroups[1]);
    if (travelling)
        LeaveSolid();
    travelling = false;

    if (hitPoints < 0 && CanDie())
    {
        keys = 0;
        Character::Move(map);
        dyingCount++;
    }
    else if (teleporting)
    {
        if (map->view.scale <= Player_TeleportZoom)
        {
            SetCameraPos(false);
        }
        else
        {
            pos = map->GetRefPoint(teleportTo);
            Pointf const eye = GetRelativePos(0, 0.8);
            map->MoveMap(&eye, CameraMove(1));
            teleporting = false;
        }
        map->passGroups[0] = map->passGroups[1] = 0;
        return;
    }
    else
    {
        if (std::fabs(scale - targetScale) >= Util::Eps)
        {
            scale *= std::pow(targetScale / scale, Player_GrowRoot);
            if (std::fabs(1.0 - scale / targetScale) < Player_GrowSnap)
                scale = targetScale;
            SetUpStats();
        }

        if (hangOn == nullptr)
        {
            SquishHeadMove(map);
            if (scripted)
                keys = forcedKeys;
            Character::Move(map);
            if (jumped)
                Play(Sound_Jump);
            if (jumpSpeed > 0 || fallSpeed > 0)
                frame = (frame & ~FrameMask) | 4;
            if (objects->FindHangon(map, this, &hangOn, lastHangOn))
            {
                speed = fallSpeed = jumpSpeed = 0;
                airJumped = false;
            }
            if (hangDelay > 0 && --hangDelay == 0)
                lastHangOn = nullptr;
        }
        else
        {
            MoveHolding(t);
        }

        if (invulnerable >= 1)
        {
            invulnerable--;
        }
        else
        {
            Pointf const body = GetRelativePos(0, 0.5);
            int const damage = objects->IsPlayerHit(map, t, &body);
            if (damage > 0)
            {
                hitPoints -= damage;
                if (hitPoints < 0 && CanDie())
                {
                    dyingCount = 0;
                }
                else
                {
                    invulnerable = Player_HitGrace;
                    flick = true;
                    flickdel = 0;
                    Play(Sound_PlayerHit);
                }
            }
        }

        MoveAttack(t);
        if ((keys & Character_ToggleView) != 0)
            farView = farView != 0 ? 0 : 1;

        PickUp* pickUp = nullptr;
        while ((pickUp = objects->FindPickUp(&pos, pickUp, t)) != nullptr)
            PickItUp(t, pickUp);
    }

    if (held != nullptr)
    {
        double rotation = held->GetRotationAtTime(t - 1);
        Vectorf const still(0.0, 0.0);
        if ((keys & Character_RotateCW) != 0)
        {
            rotation += Player_HeldTurn;
            held->SetPosAtTime(t, GetRelativePos(0, 1.0), still, rotation, true);
        }
        if ((keys & Character_RotateCCW) != 0)
        {
            rotation -= Player_HeldTurn;
            held->SetPosAtTime(t, GetRelativePos(0, 1.0), still, rotation, true);
        }
        held->PlayerHold(t);
    }
    if (chatMode != 0)
        CheckChatting(t);

    SetCameraPos(false);
    map->passGroups[0] = map->passGroups[1] = 0;
}

void Player::LeaveSolid()
{
    // The player stood frozen while the groups moved to other ticks; one may have come to rest
    // around the feet, and a body inside a solid would drop through it.
    Pointf const out = map->FreeAbove(&pos, nullptr, nullptr);
    if (out == pos)
        return;
    pos = out;
    speed = fallSpeed = jumpSpeed = 0.0;
}

void Player::SquishHeadMove(Map const* onMap)
{
    Pointf contact = GetHeadPos(nullptr);
    unsigned int poly = 0;
    unsigned int edge = 0;
    if (!onMap->TryMove(&pos, &contact, &poly, &edge))
        return;
    double const depth = Player_Height - pos.Distance(&contact);
    double const slant = Util::DiffAngle(angle, onMap->GetSurfaceAngle(poly, edge));
    double push = -std::tan(slant) * depth;
    if (std::fabs(push) <= MAX_ESCAPE)
        MoveCharacter(onMap, push);
}

void Player::GroupMoving(unsigned int group, double dx, double dy)
{
    Pointf const old = pos;
    Pointf to(old.x + dx, old.y + dy);
    double const reach = 5.0 * (std::fabs(dx) + std::fabs(dy));
    unsigned int poly = 0;
    unsigned int edge = 0;
    // A crossing found after a blocked carry is taken only when it is near and in the open.
    auto acceptable = [&](Pointf const& cross) {
        unsigned int inside = 0;
        return old.DistanceEst(&cross) < reach && !map->CheckPoint(&cross, inside, false, 0);
    };
    if (onGround && map->GetGroup(groundPoly) == group)
    {
        // The group stands in its new place already; a long move (a lift starting its track
        // again) would meet it from below or from the side, so its own polygons let the carry by.
        map->carrier = group;
        bool const blocked = map->TryMove(&old, &to, &poly, &edge);
        map->carrier = 0;
        if (blocked)
        {
            Pointf cross;
            if (map->GetIntersect(poly, edge, groundPoly, groundEdge, cross) && acceptable(cross))
                to = cross;
        }
        pos = to;
        return;
    }
    unsigned int inside = 0;
    if (!map->CheckPoint(&pos, inside, false, group))
        return;
    if (map->TryMove(&old, &to, &poly, &edge) && onGround)
    {
        Pointf const through(old.x + dx, old.y + dy);
        LineEq const line(&through, std::atan2(-dy, dx));
        Pointf cross;
        if (map->GetIntersectWith(groundPoly, groundEdge, &line, cross) && acceptable(cross))
            to = cross;
    }
    pos = to;
}

void Player::GroupRotating(unsigned int group, Pointf const* centre, double turn)
{
    unsigned int inside = 0;
    bool const standingOn = onGround && map->GetGroup(groundPoly) == group;
    if (!standingOn && !map->CheckPoint(&pos, inside, false, group))
        return;
    Pointf const old = pos;
    Pointf to = old;
    to.Rotate(centre, turn);
    angle += turn;
    map->passGroups[0] = group;
    if (map->TryMove(&old, &to, nullptr, nullptr))
    {
        to = Pointf(old.x + 1.0, old.y + 1.0);
        if (map->CheckPoint(&to, inside, false, 0))
            to = Pointf(old.x - 1.0, old.y + 1.0);
    }
    pos = to;
    map->passGroups[0] = 0;
}

void Player::SetScale(double newScale)
{
    if (std::fabs(newScale - targetScale) < Util::Eps)
        return;
    Play(newScale <= scale ? Sound_ScaleDown : Sound_ScaleUp);
    targetScale = newScale;
}

void Player::CanDoubleJump()
{
    grantedAirJump = true;
    stats->airJump = true;
}

void Player::TotalHPUp()
{
    grantedHearts++;
    stats->hearts++;
    hitPoints++;
}

void Player::GiveEnergy(int energy)
{
    hitPoints = std::min(hitPoints + energy, stats->hearts);
}

void Player::GetHitPoints(int* current, int* maximum) const
{
    if (current != nullptr)
        *current = hitPoints;
    if (maximum != nullptr)
        *maximum = stats->hearts;
}

bool Player::CanDie() const
{
    return gameEvents->NotHappened(Event_Socks, 0) || forceDeath;
}

void Player::Die()
{
    hitPoints = -100;
    dyingCount = 0;
}

int Player::IsPlayerDead() const
{
    if (hitPoints >= 0)
        return 0;
    if (!CanDie())
        return 3;
    return dyingCount < Player_DyingSteps ? 1 : 2;
}

void Player::Pose(bool left)
{
    if (left)
        frame |= LeftFrame;
    else
        frame &= ~LeftFrame;
}

void Player::ForceAction(std::uint32_t keyMove)
{
    forcedKeys = keyMove;
}

void Player::TimeTravel(Tick t)
{
    travelling = true;
    onGround = false;
    if (held != nullptr)
    {
        held->SetPlayerHolding(false);
        held->SetPosAtTime(t, GetRelativePos(0, 1.0), Vectorf(0.0, 0.0), held->GetRotationAtTime(t - 1), true);
        held = nullptr;
    }
    hangOn = nullptr;
    EndChat();
}

void Player::DrawBody(Map const* onMap) const
{
    if (hitPoints < 0 && CanDie())
    {
        int const index = std::min(dyingCount / Player_DyingFrameSteps, Player_Dying_Frames - 1);
        assert(index >= 0 && index < Player_Dying_Frames && "frame >= 0 && frame < Player_Dying_Frames");
        Char_Base::Render(onMap, (*dyingFrames)[index], Player_Width, Player_Height);
        return;
    }
    Player_Sprites::Render(onMap, this, hitPoints < 0 ? Player_Render_Ghost : Player_Render_Present);
}

void Player::Render(Map const* onMap, Tick)
{
    if (hidden)
        return;
    if (invulnerable == 0)
    {
        DrawBody(onMap);
        return;
    }
    // The blink is counted in drawn frames and quickens as the invulnerability runs out.
    if (--flickdel == -1)
    {
        flickdel = invulnerable / Player_BlinkDivisor;
        flick = !flick;
    }
    if (flick || travelling)
        DrawBody(onMap);
}

void Player::RenderHUD(Map const* onMap, Tick time)
{
    axes->Render(onMap, time);
    if ((keys & Character_Aim) != 0 && targets != nullptr && !travelling)
    {
        for (int i = 0; i < targets->Count(); i++)
        {
            Target const* shown = (*targets)[i];
            if (shown != nullptr)
                shown->RenderHighlight(onMap, time / 256, Character_Highlight(shown == target ? 3 : 0));
        }
    }
    if (bubble != nullptr)
    {
        Pointf const at = GetRelativePos(0, 0.8);
        bubble->Render(&onMap->view, &at);
    }
    int const heartStep = static_cast<int>(3 * heartFull->GetWidth() / 2);
    for (int i = 0; i < stats->hearts; i++)
    {
        Image const* heart = i < hitPoints ? heartFull : heartEmpty;
        heart->Render(Pointf(i * heartStep, 480.0), 0.0, 1.5, 0x11, nullptr);
    }
    double const gemStep = static_cast<int>(3 * gem->GetWidth() / 4);
    double const gemY = 480 - static_cast<int>(3 * heartFull->GetHeight() / 2);
    // The count comes from a save slot a player can edit: never more icons than gems exist.
    int const icons = std::clamp(gameEvents->gems, 0, GameEvents_MaxGems);
    for (int i = 0; i < icons; i++)
        gem->Render(GemIconCorner(i, gemStep, 0.75 * gem->GetHeight(), gemY), 0.0, 0.75, 0x11, nullptr);
}

Pointf Player::GemIconCorner(int index, double iconWidth, double iconHeight, double top)
{
    int const perRow = std::clamp(static_cast<int>(640.0 / std::max(iconWidth, 1.0)), 1, 640);
    return Pointf((index % perRow) * iconWidth, top - (index / perRow) * iconHeight);
}
