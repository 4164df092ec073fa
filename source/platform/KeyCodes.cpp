// The hand-written table between scancodes and virtual-key codes.
#include "platform/KeyCodes.h"

#include <SDL.h>

namespace
{

struct KeyCodes_Entry
{
    SDL_Scancode scancode;
    unsigned short vk;
};

// Where two keys share a code, the first one listed is the one the reverse lookup answers with.
constexpr KeyCodes_Entry keyTable[] = {
    {SDL_SCANCODE_A, 0x41},          {SDL_SCANCODE_B, 0x42},           {SDL_SCANCODE_C, 0x43},
    {SDL_SCANCODE_D, 0x44},          {SDL_SCANCODE_E, 0x45},           {SDL_SCANCODE_F, 0x46},
    {SDL_SCANCODE_G, 0x47},          {SDL_SCANCODE_H, 0x48},           {SDL_SCANCODE_I, 0x49},
    {SDL_SCANCODE_J, 0x4A},          {SDL_SCANCODE_K, 0x4B},           {SDL_SCANCODE_L, 0x4C},
    {SDL_SCANCODE_M, 0x4D},          {SDL_SCANCODE_N, 0x4E},           {SDL_SCANCODE_O, 0x4F},
    {SDL_SCANCODE_P, 0x50},          {SDL_SCANCODE_Q, 0x51},           {SDL_SCANCODE_R, 0x52},
    {SDL_SCANCODE_S, 0x53},          {SDL_SCANCODE_T, 0x54},           {SDL_SCANCODE_U, 0x55},
    {SDL_SCANCODE_V, 0x56},          {SDL_SCANCODE_W, 0x57},           {SDL_SCANCODE_X, 0x58},
    {SDL_SCANCODE_Y, 0x59},          {SDL_SCANCODE_Z, 0x5A},

    {SDL_SCANCODE_0, 0x30},          {SDL_SCANCODE_1, 0x31},           {SDL_SCANCODE_2, 0x32},
    {SDL_SCANCODE_3, 0x33},          {SDL_SCANCODE_4, 0x34},           {SDL_SCANCODE_5, 0x35},
    {SDL_SCANCODE_6, 0x36},          {SDL_SCANCODE_7, 0x37},           {SDL_SCANCODE_8, 0x38},
    {SDL_SCANCODE_9, 0x39},

    {SDL_SCANCODE_BACKSPACE, 0x08},  {SDL_SCANCODE_TAB, 0x09},         {SDL_SCANCODE_RETURN, 0x0D},
    {SDL_SCANCODE_KP_ENTER, 0x0D},   {SDL_SCANCODE_LSHIFT, 0x10},      {SDL_SCANCODE_RSHIFT, 0x10},
    {SDL_SCANCODE_LCTRL, 0x11},      {SDL_SCANCODE_RCTRL, 0x11},       {SDL_SCANCODE_ESCAPE, 0x1B},
    {SDL_SCANCODE_SPACE, 0x20},      {SDL_SCANCODE_END, 0x23},         {SDL_SCANCODE_HOME, 0x24},
    {SDL_SCANCODE_LEFT, 0x25},       {SDL_SCANCODE_UP, 0x26},          {SDL_SCANCODE_RIGHT, 0x27},
    {SDL_SCANCODE_DOWN, 0x28},       {SDL_SCANCODE_INSERT, 0x2D},      {SDL_SCANCODE_DELETE, 0x2E},

    {SDL_SCANCODE_KP_0, 0x60},       {SDL_SCANCODE_KP_1, 0x61},        {SDL_SCANCODE_KP_2, 0x62},
    {SDL_SCANCODE_KP_3, 0x63},       {SDL_SCANCODE_KP_4, 0x64},        {SDL_SCANCODE_KP_5, 0x65},
    {SDL_SCANCODE_KP_6, 0x66},       {SDL_SCANCODE_KP_7, 0x67},        {SDL_SCANCODE_KP_8, 0x68},
    {SDL_SCANCODE_KP_9, 0x69},       {SDL_SCANCODE_KP_MULTIPLY, 0x6A}, {SDL_SCANCODE_KP_PLUS, 0x6B},
    {SDL_SCANCODE_KP_MINUS, 0x6D},   {SDL_SCANCODE_KP_PERIOD, 0x6E},   {SDL_SCANCODE_KP_DIVIDE, 0x6F},

    {SDL_SCANCODE_F1, 0x70},         {SDL_SCANCODE_F2, 0x71},          {SDL_SCANCODE_F3, 0x72},
    {SDL_SCANCODE_F4, 0x73},         {SDL_SCANCODE_F5, 0x74},          {SDL_SCANCODE_F6, 0x75},
    {SDL_SCANCODE_F7, 0x76},         {SDL_SCANCODE_F8, 0x77},          {SDL_SCANCODE_F9, 0x78},
    {SDL_SCANCODE_F10, 0x79},        {SDL_SCANCODE_F11, 0x7A},         {SDL_SCANCODE_F12, 0x7B},
    {SDL_SCANCODE_F13, 0x7C},        {SDL_SCANCODE_F14, 0x7D},         {SDL_SCANCODE_F15, 0x7E},
    {SDL_SCANCODE_F16, 0x7F},        {SDL_SCANCODE_F17, 0x80},         {SDL_SCANCODE_F18, 0x81},
    {SDL_SCANCODE_F19, 0x82},        {SDL_SCANCODE_F20, 0x83},         {SDL_SCANCODE_F21, 0x84},
    {SDL_SCANCODE_F22, 0x85},        {SDL_SCANCODE_F23, 0x86},         {SDL_SCANCODE_F24, 0x87},

    {SDL_SCANCODE_SEMICOLON, 0xBA},  {SDL_SCANCODE_EQUALS, 0xBB},      {SDL_SCANCODE_COMMA, 0xBC},
    {SDL_SCANCODE_MINUS, 0xBD},      {SDL_SCANCODE_PERIOD, 0xBE},      {SDL_SCANCODE_SLASH, 0xBF},
    {SDL_SCANCODE_APOSTROPHE, 0xC0}, {SDL_SCANCODE_LEFTBRACKET, 0xDB}, {SDL_SCANCODE_RIGHTBRACKET, 0xDD},
    {SDL_SCANCODE_NONUSHASH, 0xDE},  {SDL_SCANCODE_BACKSLASH, 0xDE},   {SDL_SCANCODE_GRAVE, 0xDF},
};

static_assert(SDL_NUM_SCANCODES == KeyCodes_ScancodeCount);

} // namespace

unsigned short HM_ScancodeToVirtualKey(int scancode)
{
    for (KeyCodes_Entry const& entry : keyTable)
        if (entry.scancode == scancode)
            return entry.vk;
    return 0;
}

int HM_VirtualKeyToScancode(unsigned vk)
{
    for (KeyCodes_Entry const& entry : keyTable)
        if (entry.vk == vk)
            return entry.scancode;
    return -1;
}
