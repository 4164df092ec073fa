// Test support, built into every test program: the tests run headless (the offscreen video driver
// over Mesa, the dummy sound driver) unless whoever runs them chose SDL drivers. The game programs a
// test starts inherit the choice.
#include <cstdlib>

namespace
{

struct HeadlessDefaults
{
    HeadlessDefaults()
    {
        // The last argument 0 keeps a value already set.
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
    }
};

HeadlessDefaults const headlessDefaults;

} // namespace
