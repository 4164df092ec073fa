// Message boxes over SDL's simple message box, with a record for tests.
#include "platform/MessageBox.h"

#include "util/Error.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

bool recordOnly = false;
std::vector<MessageBox_Record> recorded;

// Without a display SDL may try several back ends before it fails; tests under the offscreen
// driver must never reach a real box either.
bool DisplayExists()
{
    char const* driver = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0))
        return false;
    return SDL_getenv("DISPLAY") != nullptr || SDL_getenv("WAYLAND_DISPLAY") != nullptr;
}

// Error::Report has printed the error already.
int ShowQuietly(char const* caption, char const* text)
{
    if (recordOnly)
    {
        recorded.push_back({caption ? caption : "", text ? text : ""});
        return 1;
    }
    if (DisplayExists())
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption ? caption : "", text ? text : "", nullptr);
    return 1;
}

} // namespace

int MessageBox::Show(char const* text, char const* caption)
{
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    return ShowQuietly(caption, text);
}

void MessageBox::Register()
{
    Error::SetReporter(ShowQuietly);
}

void MessageBox::SetRecordOnly(bool only)
{
    recordOnly = only;
}

std::vector<MessageBox_Record> const& MessageBox::Recorded()
{
    return recorded;
}

void MessageBox::ClearRecorded()
{
    recorded.clear();
}
