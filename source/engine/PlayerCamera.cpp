// The player's camera: following, leading, zooming with speed, and the world's camera targets.
#include "engine/Map.h"
#include "engine/Player.h"

#include <cmath>

namespace
{

constexpr double Camera_FarDamping = 10.0;
constexpr double Camera_NearDamping = 4.0;
constexpr double Camera_Lead = 4.0;
constexpr double Camera_FallSpeed = 10.0;
constexpr double Camera_EyeHeight = 0.8;
constexpr double Camera_Raise = 120.0;

} // namespace

void Player::SetCameraPos(bool jump)
{
    CameraMove const mode = CameraMove(jump ? 1 : 2);
    double const v = std::fabs(speed);
    double const s = scale;
    double const fast = SPEED_SCALE_CHANGE * s;

    double zoom = 0.0;
    if (farView != 0)
    {
        zoom = FAR_SCALE / s;
        if (v > fast)
            zoom /= (v - fast) / (Camera_FarDamping * s) + 1.0;
    }
    else
    {
        zoom = NEAR_SCALE / s;
        if (v > fast)
            zoom /= (v - fast) / (Camera_NearDamping * s) + 1.0;
    }
    CameraMove zoomMode = mode;
    if (cameraScaleMove != 0)
    {
        zoom = cameraScale;
        zoomMode = cameraScaleMove;
    }
    if (chatMode != 0)
    {
        zoom = CHAT_SCALE;
        zoomMode = CameraMove(2);
    }
    if (teleporting)
        zoom = TELEPORT_SCALE;
    map->ScaleMap(zoom, zoomMode);

    // Run ahead of a fast player and drop with a falling one.
    double ahead = 0.0;
    double up = Camera_EyeHeight;
    if (speed > fast)
        ahead = (speed - fast) * Camera_Lead / s;
    if (speed < -fast)
        ahead += (speed + fast) * Camera_Lead / s;
    if (fallSpeed > Camera_FallSpeed * s)
        up = Camera_EyeHeight - (fallSpeed - Camera_FallSpeed * s) / s;
    Pointf centre = GetRelativePos(ahead, up);

    CameraMove posMode = mode;
    if (cameraPosMove != 0 && chatMode == 0)
    {
        posMode = cameraPosMove;
        if ((cameraFlags & Player_Camera_FollowX) == 0)
            centre.x = cameraPos.x;
        if ((cameraFlags & Player_Camera_FollowY) == 0)
            centre.y = cameraPos.y;
    }
    if (teleporting)
    {
        centre = GetRelativePos(0, 0.5);
        posMode = CameraMove(3);
    }
    if ((cameraFlags & 6) != 0)
        centre.y += Camera_Raise / zoom;
    map->MoveMap(&centre, posMode);
}

void Player::SetCameraPos(Pointf const* point, CameraMove move, Player_Camera_Flags flags)
{
    cameraPosMove = move;
    if (point != nullptr)
        cameraPos = *point;
    cameraFlags = flags;
    if (move == 1)
        SetCameraPos(false);
}

void Player::SetCameraScale(double zoom, CameraMove move)
{
    cameraScaleMove = move;
    cameraScale = zoom;
    if (move == 1)
        SetCameraPos(false);
}

void Player::FixCamera()
{
    cameraPosMove = CameraMove(1);
    cameraScaleMove = CameraMove(1);
    cameraScale = map->view.scale;
    cameraPos = map->GetPos();
}
