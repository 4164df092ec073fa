// The key-assignment screen: its controls, its modal loop and the names of keys.
#include "shell/OptionsScreen.h"

#include "media/FlatBox.h"
#include "media/GameFont.h"
#include "platform/Clock.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "shell/Globals.h"
#include "shell/MainMenu.h"
#include "shell/WndProc.h"

#include <GL/gl.h>

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

namespace
{

char const* const rowLabels[HM_Keys_Used] = {
    "Left",
    "Right",
    "Jump",
    "Fire/Action",
    "Change target (prev)",
    "Change target (next)",
    "Change view",
    "Back in time",
    "Forward in time",
};

char const* const rowPrompts[HM_Keys_Used] = {
    "Press key for left",
    "Press key for right",
    "Press key for jump",
    "Press key for action",
    "Press key for change target (prev)",
    "Press key for change target (next)",
    "Press key for change view",
    "Press key for moving back in time",
    "Press key for moving forward in time",
};

struct KeyNameEntry
{
    std::uint16_t vk;
    char const* name;
};

constexpr KeyNameEntry keyNames[] = {
    {0x08, "del"},   {0x2E, "del"}, {0x09, "tab"},   {0x0D, "return"}, {0x10, "shift"}, {0x11, "ctrl"},
    {0x20, "space"}, {0x23, "end"}, {0x24, "home"},  {0x25, "left"},   {0x26, "up"},    {0x27, "right"},
    {0x28, "down"},  {0x2D, "ins"}, {0x6A, "num *"}, {0x6B, "num +"},  {0x6D, "num -"}, {0x6E, "num ."},
    {0x6F, "num /"}, {0xBA, ";"},   {0xBB, "="},     {0xBC, ","},      {0xBD, "-"},     {0xBE, "."},
    {0xBF, "/"},     {0xC0, "'"},   {0xDB, "["},     {0xDD, "]"},      {0xDE, "#"},     {0xDF, "`"},
};

constexpr unsigned VK_Tab = 0x09;
constexpr unsigned VK_Return = 0x0D;
constexpr unsigned VK_Escape = 0x1B;
constexpr unsigned VK_Space = 0x20;
constexpr unsigned VK_Left = 0x25;
constexpr unsigned VK_Up = 0x26;
constexpr unsigned VK_Right = 0x27;
constexpr unsigned VK_Down = 0x28;
constexpr unsigned VK_Count = 256;

// Layout, in logical units with y from the bottom.
constexpr double FirstRowY = 370.0;
constexpr double RowStep = 28.0;
constexpr double KeyColumnX[2] = {390.0, 510.0};
constexpr double KeyButtonW = 110.0;
constexpr double KeyButtonH = 24.0;
constexpr double CommandY = 60.0;
constexpr double CommandX[2] = {250.0, 390.0};
constexpr double CommandW = 110.0;
constexpr double CommandH = 30.0;
constexpr double LabelX = 80.0;
constexpr double RowTextHeight = 20.0;

// Codes whose press the screen took and whose release is still to come.
bool keyTaken[VK_Count] = {};
OptionsScreen* running = nullptr;

void ModalProc(Window_Message const& message)
{
    assert(running);
    running->Handle(message);
}

// Shows the cursor for as long as the screen runs, also when drawing throws.
class CursorShown final
{
public:
    CursorShown() { GameWindow::ShowCursor(true); }
    ~CursorShown() { GameWindow::ShowCursor(false); }
    CursorShown(CursorShown const&) = delete;
    CursorShown& operator=(CursorShown const&) = delete;
};

} // namespace

void (*OptionsScreen::drawUnder)() = nullptr;
void (*OptionsScreen::beforeSwap)() = nullptr;
void (*OptionsScreen::afterPass)() = nullptr;

OptionsScreen::OptionsScreen()
{
    font = new GameFont();
    if (font->GetHeight() > RowTextHeight)
        textScale = RowTextHeight / font->GetHeight();
    std::memcpy(tempKeyAssign, keyAssign, sizeof tempKeyAssign);
    WriteKeysText();
}

OptionsScreen::~OptionsScreen()
{
    delete font;
}

void OptionsScreen::Run()
{
    CursorShown cursor;
    OptionsScreen screen;
    running = &screen;
    while (!screen.Ended())
    {
        // A closed window ends the screen as a cancel; the main loop then sees the quit.
        if (GameWindow::PumpMessages(ModalProc, nullptr))
            break;
        if (screen.Ended())
            break;
        if (!windMinimized)
        {
            if (drawUnder)
                drawUnder();
            screen.Plot();
            if (beforeSwap)
                beforeSwap();
            GameWindow::SwapBuffers();
        }
        if (afterPass)
            afterPass();
        else
            Clock::Sleep(windActive ? 10 : 100);
    }
    running = nullptr;
}

bool OptionsScreen::Swallows(Window_Message const& message)
{
    if ((message.type != Window_KeyDown && message.type != Window_KeyUp) || message.vk >= VK_Count
        || !keyTaken[message.vk])
        return false;
    if (message.type == Window_KeyUp)
        keyTaken[message.vk] = false;
    return true;
}

void OptionsScreen::ForgetKeys()
{
    std::fill(std::begin(keyTaken), std::end(keyTaken), false);
}

void OptionsScreen::Handle(Window_Message const& message)
{
    switch (message.type)
    {
    case Window_KeyDown:
    {
        if (message.vk == 0 || message.vk >= VK_Count)
            return;
        // A held key repeats: only its first press counts.
        if (keyTaken[message.vk])
            return;
        keyTaken[message.vk] = true;
        if (keyWait)
        {
            if (message.vk == VK_Escape)
            {
                keyWait = false;
                prompt[0] = '\0';
            }
            else
            {
                AssignKey(static_cast<std::uint16_t>(message.vk));
            }
            return;
        }
        switch (message.vk)
        {
        case VK_Escape:
            Click(Options_Cancel);
            break;
        case VK_Return:
            Click(Options_Ok);
            break;
        case VK_Space:
            Click(focus);
            break;
        case VK_Tab:
            focus = (focus + 1) % Options_ControlCount;
            break;
        case VK_Left:
            MoveFocus(-1, 0);
            break;
        case VK_Right:
            MoveFocus(1, 0);
            break;
        case VK_Up:
            MoveFocus(0, -1);
            break;
        case VK_Down:
            MoveFocus(0, 1);
            break;
        default:
            break;
        }
        return;
    }
    case Window_KeyUp:
        if (Swallows(message))
            return;
        // A key held since before the screen opened: the game sees its release.
        WndProc(message);
        return;
    case Window_LButtonDown:
        WndProc(message);
        pressedControl = ControlAt(Pointf(mousex, GameWindow_Height - mousey));
        return;
    case Window_LButtonUp:
    {
        WndProc(message);
        int const control = ControlAt(Pointf(mousex, GameWindow_Height - mousey));
        if (control >= 0 && control == pressedControl)
            Click(control);
        pressedControl = -1;
        return;
    }
    case Window_Close:
        WndProc(message);
        ended = true;
        return;
    default:
        WndProc(message);
        return;
    }
}

void OptionsScreen::Click(int control)
{
    assert(control >= 0 && control < Options_ControlCount);
    focus = control;
    if (control == Options_Ok)
    {
        if (keyWait)
        {
            // OK is the default button, so Enter reaches it while a button waits.
            AssignKey(VK_Return);
            return;
        }
        std::memcpy(keyAssign, tempKeyAssign, sizeof keyAssign);
        // The keys chosen act either way; only the next start would not know them.
        std::string inTheWay;
        if (!SaveKeyAssign(&inTheWay))
        {
            std::string const text = "Your keys could not be saved.\nThey are kept until the game is closed."
                                     + MainMenu::InTheWayLine(inTheWay);
            MessageBox::Show(text.c_str(), "Error");
        }
        ended = true;
    }
    else if (control == Options_Cancel)
    {
        ended = true;
    }
    else
    {
        curKey = control;
        keyWait = true;
        std::snprintf(prompt, sizeof prompt, "%s", rowPrompts[curKey % HM_Keys_Used]);
        WriteKeysText();
    }
}

void OptionsScreen::AssignKey(std::uint16_t vk)
{
    assert(curKey >= 0 && curKey < KeyAssign_Count);
    keyWait = false;
    prompt[0] = '\0';
    // Only the entry chosen: a key another action has stays there too, and acts as the first of
    // the two in the assignment's order.
    tempKeyAssign[curKey] = vk;
    WriteKeysText();
}

void OptionsScreen::WriteKeysText()
{
    for (int i = 0; i < KeyAssign_Count; i++)
        WriteKeyText(keyText[i], TextSize, tempKeyAssign[i]);
}

void OptionsScreen::WriteKeyText(char* out, std::size_t size, std::uint16_t vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
    {
        std::snprintf(out, size, "%c", static_cast<char>(vk));
        return;
    }
    if (vk >= 0x60 && vk <= 0x69)
    {
        std::snprintf(out, size, "num %c", static_cast<char>('0' + vk - 0x60));
        return;
    }
    if (vk >= 0x70 && vk <= 0x87)
    {
        std::snprintf(out, size, "F%d", vk - 0x70 + 1);
        return;
    }
    for (KeyNameEntry const& entry : keyNames)
    {
        if (entry.vk == vk)
        {
            std::snprintf(out, size, "%s", entry.name);
            return;
        }
    }
    std::snprintf(out, size, "?");
}

void OptionsScreen::MoveFocus(int dx, int dy)
{
    // The key buttons are a grid of two columns; OK and Cancel lie under them.
    int column = 0;
    int row = 0;
    if (focus >= Options_Ok)
    {
        column = focus - Options_Ok;
        row = HM_Keys_Used;
    }
    else
    {
        column = focus / HM_Keys_Used;
        row = focus % HM_Keys_Used;
    }
    column = std::clamp(column + dx, 0, 1);
    row = (row + dy + HM_Keys_Used + 1) % (HM_Keys_Used + 1);
    focus = row == HM_Keys_Used ? Options_Ok + column : column * HM_Keys_Used + row;
}

Pointf OptionsScreen::ControlCentre(int control)
{
    assert(control >= 0 && control < Options_ControlCount);
    if (control >= Options_Ok)
        return Pointf(CommandX[control - Options_Ok], CommandY);
    return Pointf(KeyColumnX[control / HM_Keys_Used], FirstRowY - RowStep * (control % HM_Keys_Used));
}

int OptionsScreen::ControlAt(Pointf pos)
{
    for (int control = 0; control < Options_ControlCount; control++)
    {
        Pointf const c = ControlCentre(control);
        double const halfW = (control >= Options_Ok ? CommandW : KeyButtonW) / 2.0;
        double const halfH = (control >= Options_Ok ? CommandH : KeyButtonH) / 2.0;
        if (pos.x >= c.x - halfW && pos.x <= c.x + halfW && pos.y >= c.y - halfH && pos.y <= c.y + halfH)
            return control;
    }
    return -1;
}

void OptionsScreen::PlotText(char const* text, double x, double y, unsigned flags) const
{
    Pointf const pos(x, y);
    font->Render(text, -1, flags, &pos, textScale);
}

void OptionsScreen::PlotButton(int control, char const* text) const
{
    Pointf const c = ControlCentre(control);
    double const halfW = (control >= Options_Ok ? CommandW : KeyButtonW) / 2.0;
    double const halfH = (control >= Options_Ok ? CommandH : KeyButtonH) / 2.0;
    // Dark faces, so that the font's light letters stand out.
    float face[3] = {0.3f, 0.3f, 0.35f};
    if (keyWait && control == curKey)
        face[0] = 0.7f, face[1] = 0.15f, face[2] = 0.15f;
    else if (control == focus)
        face[0] = 0.25f, face[1] = 0.4f, face[2] = 0.7f;
    FlatBox::PlotBox(c.x - halfW, c.y - halfH, c.x + halfW, c.y + halfH, face[0], face[1], face[2], 1.0f);
    PlotText(text, c.x, c.y, Font_Centre | Font_Middle);
}

void OptionsScreen::Plot() const
{
    FlatBox::PlotPanel(40.0, 30.0, 600.0, 460.0);
    PlotText("Options", 320.0, 446.0, Font_Centre | Font_Middle);

    // The group box with its caption on the top edge.
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2d(60.0, 130.0);
    glVertex2d(580.0, 130.0);
    glVertex2d(580.0, 420.0);
    glVertex2d(60.0, 420.0);
    glEnd();
    PlotText("Define keys", 70.0, 420.0, Font_Left | Font_Bottom);
    PlotText("Key 1", KeyColumnX[0], FirstRowY + RowStep, Font_Centre | Font_Middle);
    PlotText("Key 2", KeyColumnX[1], FirstRowY + RowStep, Font_Centre | Font_Middle);

    for (int row = 0; row < HM_Keys_Used; row++)
        PlotText(rowLabels[row], LabelX, FirstRowY - RowStep * row, Font_Left | Font_Middle);
    for (int i = 0; i < KeyAssign_Count; i++)
        PlotButton(i, keyText[i]);
    if (prompt[0] != '\0')
        PlotText(prompt, 320.0, 108.0, Font_Centre | Font_Middle);
    PlotButton(Options_Ok, "OK");
    PlotButton(Options_Cancel, "Cancel");
}
