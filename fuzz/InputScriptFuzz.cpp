// The input script of a headless run, read and then played: after each step it names, its keys and
// closes are queued on the window as the game queues them and handed out as the window's messages.
#include "FuzzSupport.h"
#include "platform/GameWindow.h"
#include "shell/InputScript.h"

#include <algorithm>
#include <vector>

namespace
{

void Ignore(Window_Message const&)
{
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    char const* const file = "script";
    Fuzz::WriteFile(file, data, size);
    Fuzz::Load(file, [&] {
        InputScript script(file);
        std::vector<int> steps = script.InputSteps();
        if (steps.empty())
            return;
        Fuzz::OpenGl();
        std::sort(steps.begin(), steps.end());
        steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
        for (int step : steps)
        {
            script.AfterStep(step);
            GameWindow::PumpMessages(Ignore, nullptr);
        }
    });
    return 0;
}
