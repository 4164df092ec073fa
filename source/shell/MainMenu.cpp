// The in-game menu: its rows, volumes and drawing.
#include "shell/MainMenu.h"

#include "engine/KeyData.h"
#include "media/FlatBox.h"
#include "media/Game_Music.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "shell/Globals.h"
#include "shell/OptionsScreen.h"

#include <GL/gl.h>

#include <cmath>
#include <string>

namespace
{

char const* const resumefile = "gfx/menu/resume.png";
char const* const leavefile = "gfx/menu/leave.png";
char const* const optionsfile = "gfx/menu/options.png";
char const* const quitfile = "gfx/menu/quit.png";
char const* const musicfile = "gfx/menu/music.png";
char const* const soundfile = "gfx/menu/sound.png";

// The order in which the images are held.
enum
{
    ImageResume,
    ImageLeave,
    ImageOptions,
    ImageQuit,
    ImageMusic,
    ImageSound,
};

constexpr double RowX = 320.0;
constexpr double FirstRowY = 340.0;
constexpr int MaxVolume = 255;

} // namespace

bool MainMenu::Pressed(KeyData const* keys, int k)
{
    return keys->keys[k] & KeyState_Pressed;
}

bool MainMenu::Held(KeyData const* keys, int k)
{
    return keys->keys[k] & KeyState_Held;
}

bool MainMenu::Released(KeyData const* keys, int k)
{
    return keys->keys[k] & KeyState_Released;
}

void MainMenu::PlayUiSound(Sound_Id id)
{
    if (gameSounds)
        gameSounds->Play(id, nullptr, false, 1.0);
}

int MainMenu::UpDown(KeyData const* keys)
{
    int const arrows = int(Pressed(keys, KeyIndex_Down)) - int(Pressed(keys, KeyIndex_Up));
    if (arrows != 0)
        return arrows;
    return int(Pressed(keys, KeyIndex_GameNextTarget)) - int(Pressed(keys, KeyIndex_GamePrevTarget));
}

std::string MainMenu::InTheWayLine(std::string const& inTheWay)
{
    return inTheWay.empty() ? "" : "\n" + inTheWay + " stands in the way and could not be removed.";
}

MainMenu::MainMenu()
{
    char const* const files[MainMenu_RowCount] = {resumefile, leavefile, optionsfile, quitfile, musicfile, soundfile};
    try
    {
        for (int i = 0; i < MainMenu_RowCount; i++)
            images[i] = new Image(files[i], 0, false);
    }
    catch (...)
    {
        // A missing picture: free those loaded before it.
        for (Image* image : images)
            delete image;
        throw;
    }
}

MainMenu::~MainMenu()
{
    for (Image* image : images)
        delete image;
}

MainMenu_Result MainMenu::Poll(KeyData* input)
{
    // A game key a key file puts on the arrows, Enter or Escape would act in the same press as
    // the key itself: action on Down would confirm the row Down moved to.
    static constexpr int menuKeys[] = {KeyIndex_Up,    KeyIndex_Down,  KeyIndex_Left,
                                       KeyIndex_Right, KeyIndex_Enter, KeyIndex_Escape};
    KeyData const seen = ScreenKeysAlone(*input, menuKeys);
    KeyData const* const keys = &seen;

    if (int const move = UpDown(keys))
    {
        PlayUiSound(Sound_UiMove);
        selection = (selection + MainMenu_RowCount + move) % MainMenu_RowCount;
    }

    if (Held(keys, KeyIndex_Left) || Held(keys, KeyIndex_GameLeft))
        NudgeVolume(-1);
    if (Held(keys, KeyIndex_Right) || Held(keys, KeyIndex_GameRight))
        NudgeVolume(1);

    if (Released(keys, KeyIndex_Enter) || Released(keys, KeyIndex_GameAction))
    {
        switch (selection)
        {
        case MainMenu_Resume:
            PlayUiSound(Sound_UiSelect2);
            return MainMenu_Close;
        case MainMenu_Quit:
            PlayUiSound(Sound_UiSelect2);
            return MainMenu_QuitGame;
        case MainMenu_Leave:
            PlayUiSound(Sound_UiSelect2);
            selection = MainMenu_Resume;
            return MainMenu_LeaveLevel;
        case MainMenu_Options:
            OptionsScreen::Run();
            break;
        default:
            break;
        }
    }

    arrowPhase += 0.16;
    return MainMenu_Nothing;
}

void MainMenu::NudgeVolume(int step)
{
    int (*get)() = nullptr;
    void (*set)(int) = nullptr;
    if (selection == MainMenu_Music)
    {
        get = Game_Music::GetVolume;
        set = Game_Music::SetVolume;
    }
    else if (selection == MainMenu_Sound)
    {
        get = Game_Sounds::GetVolume;
        set = Game_Sounds::SetVolume;
    }
    else
    {
        return;
    }
    int const v = get() + step;
    if (v >= 0 && v <= MaxVolume)
        set(v);
}

void MainMenu::Plot()
{
    FlatBox::PlotPanel(160.0, 96.0, 480.0, 384.0);

    Pointf pos(RowX, FirstRowY);
    auto row = [&pos](Image const* image) {
        image->Render(pos, 0.0, 1.0, Image_Centre | Image_Middle, nullptr);
        pos.y -= image->GetHeight();
    };
    row(images[ImageResume]);
    row(images[ImageLeave]);
    row(images[ImageOptions]);
    PlotSlider(pos, Game_Music::GetVolume());
    row(images[ImageMusic]);
    PlotSlider(pos, Game_Sounds::GetVolume());
    row(images[ImageSound]);
    row(images[ImageQuit]);

    static constexpr int imageOfRow[MainMenu_RowCount] = {ImageResume, ImageLeave, ImageOptions,
                                                          ImageMusic,  ImageSound, ImageQuit};
    Image const* selected = images[imageOfRow[selection]];
    // Every row is taken to be as high as the first.
    double const y = FirstRowY - selection * static_cast<double>(images[ImageResume]->GetHeight());
    double const reach = selected->GetWidth() / 2.0 + Arrow_BounceDist * std::fabs(std::sin(arrowPhase));
    PlotArrow(Pointf(RowX - reach, y), -1.0);
    PlotArrow(Pointf(RowX + reach, y), 1.0);
}

void MainMenu::PlotArrow(Pointf tip, double direction)
{
    double const d = Arrow_Size * direction;
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.8f, 0.06f, 0.06f, 1.0f);
    glBegin(GL_QUADS);
    glVertex2d(tip.x, tip.y);
    glVertex2d(tip.x + d, tip.y + Arrow_Size);
    glVertex2d(tip.x + 2.0 * d, tip.y + Arrow_Size);
    glVertex2d(tip.x + d, tip.y);
    glVertex2d(tip.x, tip.y);
    glVertex2d(tip.x + d, tip.y - Arrow_Size);
    glVertex2d(tip.x + 2.0 * d, tip.y - Arrow_Size);
    glVertex2d(tip.x + d, tip.y);
    glEnd();
}

void MainMenu::PlotSlider(Pointf pos, int volume)
{
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.8f, 0.2f, 1.0f);
    double const right = pos.x - 64.0 + volume / 255.0 * 128.0;
    glBegin(GL_QUADS);
    glVertex2d(pos.x - 64.0, pos.y - 15.0);
    glVertex2d(right, pos.y - 15.0);
    glVertex2d(right, pos.y + 15.0);
    glVertex2d(pos.x - 64.0, pos.y + 15.0);
    glEnd();
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    FlatBox::Outline(pos.x - 64.0, pos.y - 15.0, pos.x + 64.0, pos.y + 15.0);
}
