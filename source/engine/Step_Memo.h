// Step_Memo: the states a creature's step has led to before, for creatures that come back to them.
#pragma once

#include "util/Tick.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

// A creature whose step depends only on its own state and on the polygons of the map outside every
// group (the step met no cell a group can reach: Map::groupedLooks did not change) gets the same
// state after the step whenever it starts from the same state. A patrol on fixed ground often runs
// in an exact loop, so re-simulating it, and playing it on, repeats steps already taken; the memo
// gives their results without taking them again.
//
// It only learns once the creature has come back to a state it was in at another tick (a loop;
// stepping the same ticks again, as a travel does, is not one), and then keeps at most
// Step_Memo_States states; a creature that never loops costs a small table of the states it was in.
// State holds the creature's simulated state, compared and hashed byte by byte: no padding, and
// floating-point values kept as their bits (so that 0.0 and -0.0 stay apart). A part of the state
// that the rest never depends on (a walk's animation) may be left out of it and played on by the
// creature from what the step did to it, kept with the step as its Effect.
//
// A step that did meet such cells can be learnt with a Context: what it met there (where the groups
// stood). It is given back only when the caller finds the context holding again.
//
// A creature that never loops (its state drifts in its last bits from round to round) still repeats
// the steps of the ticks a travel re-simulates. Once the memo has no loop after Step_Memo_Seen
// steps, or sees a state again at the same tick, it keeps the steps of the last Step_Memo_Recent
// ticks by tick, each with the state it began from, and gives one back to a step of the same tick
// from the same state. So does a memo whose table is full.
constexpr int Step_Memo_States = 1024;
constexpr int Step_Memo_Seen = 1024; // ticks' states remembered while looking for a loop
constexpr int Step_Memo_Recent = 2048; // ticks whose steps are kept without a loop; a power of two
constexpr int Step_Memo_HashWords = 8;

struct Step_Memo_NoContext
{
};

template <class State, class Effect, class Context = Step_Memo_NoContext>
class Step_Memo final
{
    static_assert(std::is_trivially_copyable_v<State> && std::has_unique_object_representations_v<State>);

public:
    // Of the state's first Step_Memo_HashWords 32-bit words: the leading fields should tell states
    // apart well (states alike there are still told apart by comparing them whole).
    static std::uint32_t Hash(State const& s)
    {
        constexpr std::size_t count = std::min(sizeof(State) / 4, std::size_t(Step_Memo_HashWords));
        std::uint32_t words[count];
        std::memcpy(words, &s, sizeof words);
        std::uint32_t h = 2166136261u;
        for (std::uint32_t w : words)
            h = (h ^ w) * 16777619u;
        return h ^ (h >> 15);
    }

    // The state after a step from s (whose hash is h) and the step's effect, when the memo holds them
    // and, for a step learnt with a context, holds(context) says it holds now.
    template <class Holds>
    bool Next(State const& s, std::uint32_t h, State& next, Effect& effect, Holds&& holds) const
    {
        if (!table)
            return false;
        // Stepping on from the state last given back, the usual case, needs no search: the states
        // of a loop lie in the order they were learnt.
        int const last = table->last;
        int const i = last >= 0 && table->hashes[last] == h
                              && std::memcmp(&table->states[last], &s, sizeof(State)) == 0
                          ? last
                          : Find(s, h);
        if (i < 0 || table->next[i] < 0)
            return false;
        if (table->withContext[i] && !holds(table->contexts[std::size_t(table->contextSlot[i])]))
            return false;
        table->last = table->next[i];
        next = table->states[table->last];
        effect = table->effects[i];
        return true;
    }

    // The same from the state Next gave back last, for a caller that tells more cheaply than by
    // the state's hash whether it stands there: same(state) says whether it does. The state after
    // the step is the memo's own, valid until the memo learns again; null when not held.
    template <class Same, class Holds>
    State const* NextFromLast(Same&& same, Effect& effect, Holds&& holds) const
    {
        if (!table || table->last < 0)
            return nullptr;
        int const i = table->last;
        if (table->next[i] < 0 || !same(table->states[i]))
            return nullptr;
        if (table->withContext[i] && !holds(table->contexts[std::size_t(table->contextSlot[i])]))
            return nullptr;
        table->last = table->next[i];
        effect = table->effects[i];
        return &table->states[table->last];
    }

    // The same, answering only steps learnt without a context.
    bool Next(State const& s, std::uint32_t h, State& next, Effect& effect) const
    {
        return Next(s, h, next, effect, [](Context const&) { return false; });
    }

    // Whether a step from s (hash h) to tick t that met no cell a group can reach is to be learnt:
    // not until the creature was seen to loop, and meanwhile the state is noted. The same state
    // seen again at the same tick (a re-simulation), or Step_Memo_Seen steps noted without a loop,
    // start keeping the recent ticks' steps.
    bool Learning(std::uint32_t h, Tick t)
    {
        if (table)
            return true;
        Seen& slot = seen[h % Step_Memo_Seen];
        if (slot.tick < 0 || slot.hash != h || slot.tick == t)
        {
            bool const again = slot.tick == t && slot.hash == h;
            if (!recent && (again || ++unlooped >= Step_Memo_Seen))
                recent = std::make_unique<Recent[]>(Step_Memo_Recent);
            slot = Seen{h, t};
            return false;
        }
        table = std::make_unique<Table>();
        recent.reset();
        return true;
    }

    // The state after the step to tick t kept from the recent ticks, when one was taken from the
    // state the creature is in (same(state) says whether it is), with its effect; null when none
    // is kept. Valid until the memo keeps or learns again.
    template <class Same>
    State const* Recently(Tick t, Same&& same, Effect& effect) const
    {
        if (!recent)
            return nullptr;
        Recent const& r = recent[std::size_t(t) & (Step_Memo_Recent - 1)];
        if (r.tick != t || !same(r.before))
            return nullptr;
        effect = r.effect;
        return &r.after;
    }

    // Keeps a step to tick t from before to after that met no cell a group can reach, when the
    // memo keeps recent steps (Learning or Learn said no, and the creature was seen re-simulating,
    // went long without a loop or filled its table).
    void Keep(Tick t, State const& before, State const& after, Effect const& effect)
    {
        if (!recent || t < 0)
            return;
        Recent& r = recent[std::size_t(t) & (Step_Memo_Recent - 1)];
        r.tick = t;
        r.before = before;
        r.after = after;
        r.effect = effect;
    }

    // Whether the memo keeps the recent ticks' steps (no loop found, or a full table).
    bool KeepsRecent() const { return recent != nullptr; }

    // Such a step from s (hash h) to next, with its effect, once Learning said so; with a context,
    // a step that met cells a group can reach (the last learnt from s is kept).
    // False when the table had no room left for it: the memo then keeps the recent ticks' steps
    // (Keep) as for a creature without a loop.
    bool Learn(State const& s, std::uint32_t h, State const& next, Effect const& effect)
    {
        int const i = LearnStep(s, h, next, effect);
        if (i < 0)
        {
            if (!recent)
                recent = std::make_unique<Recent[]>(Step_Memo_Recent);
            return false;
        }
        table->withContext[i] = false;
        return true;
    }
    void Learn(State const& s, std::uint32_t h, State const& next, Effect const& effect, Context const& context)
    {
        int const i = LearnStep(s, h, next, effect);
        if (i < 0)
            return;
        if (table->contextSlot[i] < 0)
        {
            table->contextSlot[i] = int(table->contexts.size());
            table->contexts.push_back(context);
        }
        else
            table->contexts[std::size_t(table->contextSlot[i])] = context;
        table->withContext[i] = true;
    }

    // States held (0 until the creature was seen to loop).
    int Size() const { return table ? table->count : 0; }
    // Of those, the states whose step was learnt with a context.
    int WithContext() const
    {
        return table ? int(std::count(table->withContext, table->withContext + table->count, true)) : 0;
    }

private:
    static constexpr int Slots = 2 * Step_Memo_States; // open addressing, at most half full

    struct Seen
    {
        std::uint32_t hash = 0;
        Tick tick = -1;
    };

    // The step to a tick: slot tick % Step_Memo_Recent.
    struct Recent
    {
        Tick tick = -1;
        State before;
        State after;
        Effect effect;
    };

    struct Table
    {
        State states[Step_Memo_States];
        std::uint32_t hashes[Step_Memo_States];
        int next[Step_Memo_States];  // index of the state after, -1 unknown
        Effect effects[Step_Memo_States]; // of the step to it
        bool withContext[Step_Memo_States]; // the step is given back only where its context holds
        int contextSlot[Step_Memo_States];  // the state's context in contexts, -1 none yet
        std::vector<Context> contexts;
        int slots[Slots];            // index into states, -1 empty
        int count = 0;
        int last = -1; // the state Next gave back last

        Table()
        {
            for (int& n : next)
                n = -1;
            for (int& c : contextSlot)
                c = -1;
            for (bool& w : withContext)
                w = false;
            for (int& s : slots)
                s = -1;
        }
    };

    // The index of s with its step to next learnt, or -1 when there is no room.
    int LearnStep(State const& s, std::uint32_t h, State const& next, Effect const& effect)
    {
        assert(table);
        int const i = FindOrAdd(s, h);
        int const j = FindOrAdd(next, Hash(next));
        if (i < 0 || j < 0)
            return -1;
        table->next[i] = j;
        table->effects[i] = effect;
        return i;
    }

    int Find(State const& s, std::uint32_t h) const
    {
        for (unsigned k = h % Slots;; k = (k + 1) % Slots)
        {
            int const i = table->slots[k];
            if (i < 0)
                return -1;
            if (table->hashes[i] == h && std::memcmp(&table->states[i], &s, sizeof(State)) == 0)
                return i;
        }
    }

    // The index of s, added when it is new and there is room; -1 when there is none.
    int FindOrAdd(State const& s, std::uint32_t h)
    {
        unsigned k = h % Slots;
        for (;; k = (k + 1) % Slots)
        {
            int const i = table->slots[k];
            if (i < 0)
                break;
            if (table->hashes[i] == h && std::memcmp(&table->states[i], &s, sizeof(State)) == 0)
                return i;
        }
        if (table->count == Step_Memo_States)
            return -1;
        int const i = table->count++;
        table->states[i] = s;
        table->hashes[i] = h;
        table->slots[k] = i;
        return i;
    }

    std::unique_ptr<Table> table;       // made once the creature looped; Next keeps its place in it
    Seen seen[Step_Memo_Seen] = {};      // slot hash % Step_Memo_Seen: a state and its tick
    std::unique_ptr<Recent[]> recent;    // made when no loop is found, or the table is full
    int unlooped = 0;                    // steps noted without a loop, until recent is made
};
