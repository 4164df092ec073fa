// Zoveduv: the recorded starts and stops of attacks, the face they show at a tick, and the bite.
#include "creatures/Zoveduv.h"

#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/TimeSet.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "media/ImageFrames.h"
#include "util/Util.h"

#include <cassert>

namespace
{
char const* const grethyneyebasefile = "gfx/grethyn/eye";
char const* const grethynmouthbasefile = "gfx/grethyn/mouth";
} // namespace

Image* Zoveduv::eyeFrames[Grethyn_Eye_Frames] = {};
Image* Zoveduv::mouthFrames[Grethyn_Mouth_Frames] = {};

Zoveduv::Zoveduv(Map const* map, Player const* watched, unsigned int ref)
    : player(watched), pos(map->GetRefPoint(ref)), decidedTimes(new TimeSet()), attackTimes(new TimeSet()),
      stopTimes(new TimeSet())
{
    assert(player != nullptr && "player != NULL");
}

Zoveduv::~Zoveduv()
{
    decidedTimes->Destroy();
    attackTimes->Destroy();
    stopTimes->Destroy();
}

void Zoveduv::Initialise()
{
    LoadImageFrames(eyeFrames, Grethyn_Eye_Frames, grethyneyebasefile, 0);
    try
    {
        LoadImageFrames(mouthFrames, Grethyn_Mouth_Frames, grethynmouthbasefile, 0);
    }
    catch (...)
    {
        Finalise();
        throw;
    }
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Zoveduv);
}

void Zoveduv::Finalise()
{
    FreeImageFrames(eyeFrames, Grethyn_Eye_Frames);
    FreeImageFrames(mouthFrames, Grethyn_Mouth_Frames);
}

bool Zoveduv::IsAttacking(Tick t, Tick* age) const
{
    Tick start = 0;
    if (!attackTimes->CheckDown(t, &start))
        return false;
    if (age != nullptr)
        *age = t - start;
    Tick stop = 0;
    return !stopTimes->CheckDown(t, &stop) || stop < start;
}

Zoveduv::Face Zoveduv::FaceAt(Tick t) const
{
    Face face;
    Tick d = 0;
    if (IsAttacking(t, &d))
    {
        int const mouthStart = Grethyn_Eyes_Open + Grethyn_Hold_Eyes;
        int const chompStart = mouthStart + Grethyn_Mouth_Open;
        int const perEye = Grethyn_Eyes_Open / Grethyn_Eye_Frames;
        face.eye = d < Grethyn_Eyes_Open ? d / perEye : Grethyn_Eye_Frames - 1;
        if (d >= chompStart)
        {
            int const c = (d - chompStart) % Grethyn_Chomping;
            // Each chomp starts wide open, closes over 21 ticks, bites for 21 and opens over 22.
            if (c < 21)
                face.mouth = 4 - (c * 5) / 32;
            else if (c < 42)
            {
                face.mouth = 0;
                face.chomping = true;
            }
            else
                face.mouth = ((c - 42) * 5) / 32;
            face.chompStarts = c == 0;
        }
        else if (d >= mouthStart)
            face.mouth = (d - mouthStart) * Grethyn_Mouth_Frames / Grethyn_Mouth_Open;
        return face;
    }
    Tick stop = 0;
    if (!stopTimes->CheckDown(t, &stop))
        return face;
    // Closing picks up from the face shown just before the stop: the mouth shuts a frame
    // at a time, then the eyes.
    Face const before = FaceAt(stop - 1);
    face.eye = before.eye;
    Tick e = t - stop;
    if (before.mouth != -1)
    {
        if (e < Grethyn_Close_Time * before.mouth + Grethyn_Close_Time)
        {
            face.mouth = before.mouth - e / Grethyn_Close_Time;
            return face;
        }
        e -= Grethyn_Close_Time * before.mouth;
    }
    if (before.eye != -1)
        face.eye = e < Grethyn_Close_Time * before.eye + Grethyn_Close_Time ? before.eye - e / Grethyn_Close_Time : -1;
    return face;
}

void Zoveduv::FindFrames(Tick t)
{
    Show(FaceAt(t));
}

void Zoveduv::Show(Face const& face)
{
    eyeFrame = face.eye;
    mouthFrame = face.mouth;
    chomping = face.chomping;
    if (face.chompStarts && gameSounds != nullptr)
        gameSounds->Play(Sound_Zoveduv, &pos, false, 1.0);
}

void Zoveduv::MoveToTime(Map const*, Tick t)
{
    // The face is taken after the tick's decision, so that the tick shows what it will show
    // whenever it is visited again; a decision that recorded nothing leaves it as it was.
    Face face = FaceAt(t);
    if (!decidedTimes->Check(t) && Decide(t, face))
        face = FaceAt(t);
    Show(face);
    assert(eyeFrame >= -1 && eyeFrame < Grethyn_Eye_Frames && "eyeFrame >= -1 && eyeFrame < Grethyn_Eye_Frames");
    assert(mouthFrame >= -1 && mouthFrame < Grethyn_Mouth_Frames
           && "mouthFrame >= -1 && mouthFrame < Grethyn_Mouth_Frames");
}

bool Zoveduv::Decide(Tick t, Face const& shown)
{
    bool recorded = false;
    Pointf const playerPos = player->GetPos();
    Tick d = 0;
    bool const attacking = IsAttacking(t, &d);
    // A player frozen for time travel counts as gone: the grethyn shuts while he travels.
    double const dist = playerPos.DistanceEst(&pos);
    bool const near = dist < Grethyn_Near_Dist && !Util::Equal(dist, Grethyn_Near_Dist) && !player->travelling;
    // Nothing to start or stop, as nearly always while the player is away.
    if (!near && !attacking)
        return false;
    Tick nextAttack = 0;
    bool const hasNextAttack = attackTimes->CheckUp(t, &nextAttack);
    Tick nextStop = 0;
    bool const hasNextStop = stopTimes->CheckUp(t, &nextStop);

    if (!near)
    {
        if (attacking)
        {
            stopTimes->Add(t);
            recorded = true;
        }
    }
    else if (!attacking && (!hasNextAttack || t + Grethyn_Attack_Time < nextAttack) && shown.eye == -1
             && shown.mouth == -1)
    {
        attackTimes->Add(t);
        decidedTimes->Add(t);
        recorded = true;
    }

    if (attacking)
    {
        // Stop early enough to have closed before an attack recorded further on.
        if (hasNextAttack && (!hasNextStop || nextAttack < nextStop) && nextAttack - t < d)
        {
            stopTimes->Add(t);
            recorded = true;
        }
        decidedTimes->Add(t);
    }
    return recorded;
}

void Zoveduv::Render(Map const* map, Tick) const
{
    Image_Render_Flags const flags = Image_Centre | Image_Middle;
    if (eyeFrame != -1)
    {
        Image const* eye = eyeFrames[eyeFrame];
        eye->Render(Pointf(pos.x - 16.0, pos.y + 32.0), 0.2, 16.0, 8.0, flags, &map->view);
        eye->Render(Pointf(pos.x + 16.0, pos.y + 32.0), -0.2, 16.0, 8.0, flags, &map->view);
    }
    if (mouthFrame != -1)
        mouthFrames[mouthFrame]->Render(pos, 0.0, 32.0, 32.0, flags, &map->view);
}

bool Zoveduv::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = pos;
    radius = Grethyn_ActiveRadius;
    objScale = 1.0;
    return true;
}

int Zoveduv::IsPlayerHit(Tick, Pointf const* playerPos)
{
    return chomping && playerPos->DistanceEst(&pos) < Grethyn_Hit_Dist ? 1 : 0;
}
