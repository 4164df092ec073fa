// Petra_Factory_Tube: placing jars on the plate's presses.
#include "petra/Petra_Factory_Tube.h"

#include "engine/Activator.h"
#include "engine/Collectable.h"
#include "media/Game_Sounds.h"

Petra_Factory_Tube::Petra_Factory_Tube(Collectable** jars, int count, Pointf mouth, Activator* plate)
    : activator(plate), pos(mouth), nextJar(jars), jarsLeft(count)
{
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Pop);
}

void Petra_Factory_Tube::MoveToTime(Map const*, Tick t)
{
    if (!activator->IsActive(t))
    {
        wasActive = false;
        return;
    }
    if (wasActive)
        return;
    wasActive = true;
    if (jarsLeft <= 0)
        return;
    (*nextJar)->SetPosAtTime(t, pos, Vectorf(0.0, 0.0), 0.0, true);
    nextJar++;
    jarsLeft--;
    if (gameSounds != nullptr)
        gameSounds->Play(Sound_Pop, nullptr, false, 1.0);
}
