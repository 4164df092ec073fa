// One window is open at a time. A benchmark that keeps its world from one benchmark to the next
// says how to let it go, and whatever is about to open the window lets go of the kept world
// first, so that any choice of benchmarks runs in one process.
#pragma once

namespace BenchWindow
{

inline void (*keptRelease)() = nullptr;

// release frees the kept world; it may find it already gone.
inline void Keep(void (*release)())
{
    keptRelease = release;
}

inline void ReleaseKept()
{
    void (*const release)() = keptRelease;
    keptRelease = nullptr;
    if (release != nullptr)
        release();
}

} // namespace BenchWindow
