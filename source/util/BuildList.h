// BuildList: what a level or world builds, undone in the reverse order of building.
#pragma once

#include <functional>
#include <utility>
#include <vector>

// Everything a constructor builds goes on the list as it is built, so that a constructor that
// throws part-way leaves nothing behind: the owner's destructor (or, for a base whose derived
// constructor threw, the base's) clears the list, freeing the last thing built first and
// finalising every kind that was initialised.
class BuildList final
{
public:
    BuildList() = default;
    ~BuildList() { Clear(); }
    BuildList(BuildList const&) = delete;
    BuildList& operator=(BuildList const&) = delete;

    // Takes ownership of a new object and returns it; it is deleted when the list is cleared.
    template <class T>
    T* Own(T* object)
    {
        Undo([object] { delete object; });
        return object;
    }
    // Runs undo when the list is cleared. Should the list fail to grow, undo runs at once and
    // the failure is passed on.
    void Undo(std::function<void()> undo)
    {
        try
        {
            undos.push_back(std::move(undo));
        }
        catch (...)
        {
            undo();
            throw;
        }
    }
    // Initialises a kind's shared resources, with its finaliser queued first so that an
    // initialisation that throws part-way is finalised too.
    template <class Init>
    void Initialise(Init&& init, void (*finalise)())
    {
        Undo(finalise);
        std::forward<Init>(init)();
    }
    // Undoes everything, last built first; the list can be built again afterwards.
    void Clear()
    {
        while (!undos.empty())
        {
            std::function<void()> undo = std::move(undos.back());
            undos.pop_back();
            undo();
        }
    }

private:
    std::vector<std::function<void()>> undos;
};
