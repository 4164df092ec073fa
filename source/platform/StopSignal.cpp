// The handler of SIGTERM and SIGINT: it records the signal, or ends the program while a world is built.
#include "platform/StopSignal.h"

#include <SDL.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>

namespace
{

// The handler runs on whichever thread the signal lands on, and may touch only lock-free atomics.
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<bool>::is_always_lock_free);

std::atomic<int> stopSignal{0}; // the last signal received; 0 = none
std::atomic<bool> closePending{false};
std::atomic<bool> loading{false};

extern "C" void OnStop(int number)
{
    stopSignal.store(number);
    closePending.store(true);
    // The marking stores loading before it reads stopSignal, and this reads it after storing the
    // signal: whichever comes second sees the other, so no signal is left waiting on a build.
    if (loading.load())
        _exit(128 + number);
}

} // namespace

void StopSignal::Install()
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action = {};
    action.sa_handler = OnStop;
    sigemptyset(&action.sa_mask);
    // Reads and waits that the signal interrupts go on as if it had not come.
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool StopSignal::TakeClose()
{
    return closePending.exchange(false);
}

void StopSignal::BeginLoading()
{
    loading.store(true);
    int const number = stopSignal.load();
    if (number != 0)
        _exit(128 + number);
}

void StopSignal::EndLoading()
{
    loading.store(false);
}
