// The whole game's script builder: the real program's start-up and main loop run in this process, one
// step a pass as a scripted run takes them, with the keys of each step decided from the screen or the
// world then on it, pushed into the window's queue as the input script pushes them after a step, and
// written down as script lines with absolute steps. Whatever the program draws from the C library's
// generator (creatures, Marbles' game) it draws alike here, so the real program playing the script
// goes through the same states.
#pragma once

#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Level.h"
#include "engine/Level_Type.h"
#include "platform/GameWindow.h"
#include "puzzles/World_Base.h"
#include "shell/Digest.h"
#include "shell/Globals.h"
#include "shell/MainLoop.h"
#include "shell/MapScreen.h"
#include "shell/ScreenFlow.h"
#include "support/RecordedKeys.h"
#include "treevillage/FramePixels.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class GameDriver
{
public:
    GameDriver() { Init(); }
    ~GameDriver() { ShutDown(); }
    GameDriver(GameDriver const&) = delete;
    GameDriver& operator=(GameDriver const&) = delete;

    // The default keys' virtual codes of the play keys a walk holds.
    static unsigned Code(int key) { return static_cast<unsigned>(RecordedKeys::Code(key)); }

    // One pass of the main loop with the keys held in its step (pressed where they were up in the
    // step before), as the real program takes it under a script; the result the level ended with, if
    // it has.
    Level_Action Step(std::vector<int> const& held = {})
    {
        if (auto const check = checks.find(steps); check != checks.end())
            Check(check->second);
        Hold(held);
        if (GameWindow::PumpMessages(MainProc, nullptr))
        {
            // Only a signal closes the builder's window; nothing more can be played.
            std::fprintf(stderr, "the window closed at step %d\n", steps);
            std::exit(1);
        }
        DrawFrame();
        if (keepFrames)
            ReadFrame();
        for (std::string const& name : shotsDue)
            script += std::to_string(steps) + " shot " + name + "\n";
        shotsDue.clear();
        GameWindow::SwapBuffers();
        ::Step();
        steps++;
        return levelAction;
    }
    void Steps(int count, std::vector<int> const& held = {})
    {
        for (int i = 0; i < count; i++)
            Step(held);
    }
    // Steps with nothing held until done says so or limit steps have passed; whether it did.
    bool Until(std::function<bool()> const& done, int limit, std::vector<int> const& held = {})
    {
        for (int i = 0; i < limit; i++)
        {
            if (done())
                return true;
            Step(held);
        }
        return done();
    }

    // The frame the player sees now, as drawn in the last pass (switched on by the first call, which
    // takes a step to draw it).
    FramePixels Frame()
    {
        if (!keepFrames)
        {
            keepFrames = true;
            Step(down);
        }
        return frame;
    }
    void StopFrames() { keepFrames = false; }

    // A screenshot of the next frame drawn, named name.png in the script's shot folder, and a check
    // line: the state's digest after the steps taken so far and the sum of the first slot's file.
    void Shot(std::string const& name)
    {
        Check(name);
        std::string number = std::to_string(++shotCount);
        number.insert(0, number.size() < 2 ? "0" : "");
        shotsDue.push_back(shotFolder + "/" + number + "-" + name + ".png");
    }

    // Queues the window's close after the last step taken, with the check line of the state then.
    // The program takes one more step in the pass that finds the window closed: the part ends on the
    // map, where a step without keys changes nothing the digest or the slot holds.
    void Close()
    {
        Hold({});
        Check("end");
        script += std::to_string(steps) + " close\n";
    }

    // A check line: "# check STEP DIGEST SLOT NAME", the state's digest after the steps taken so far
    // (as the program closed a step earlier prints it) and the sum of the first slot's file then.
    void Check(std::string const& name)
    {
        char check[64];
        std::snprintf(check, sizeof check, "# check %d %08x %08x ", steps,
                      static_cast<unsigned>(StateDigest(*gameEvents, level)), SlotSum("saves/save0"));
        script += check + name + "\n";
    }

    // FNV-1a over a file's bytes; 0 when there is no such file.
    static std::uint32_t SlotSum(char const* file)
    {
        std::FILE* in = std::fopen(file, "rb");
        if (!in)
            return 0;
        std::uint32_t sum = 2166136261u;
        for (int c = std::fgetc(in); c != EOF; c = std::fgetc(in))
            sum = (sum ^ static_cast<std::uint32_t>(c)) * 16777619u;
        std::fclose(in);
        return sum;
    }

    // A comment line in the script.
    void Note(std::string const& text) { script += "# " + text + "\n"; }

    World_Base* World() const { return dynamic_cast<World_Base*>(level); }
    bool MapReady() const
    {
        return mapScreen && fading == 0 && !mapScreen->InTitleMode() && mapScreen->PathToOpen() == -1
               && mapScreen->Location() == mapScreen->Target();
    }

    int steps = 0; // steps taken: the program's script step
    std::map<int, std::string> checks; // check lines of their own, by step
    std::string script;
    std::string shotFolder = "shots";

private:
    // Queues the key changes from the keys down now to held, after the step just taken.
    void Hold(std::vector<int> const& held)
    {
        for (int key : down)
            if (std::find(held.begin(), held.end(), key) == held.end())
                Push(key, false);
        for (int key : held)
            if (std::find(down.begin(), down.end(), key) == down.end())
                Push(key, true);
        down = held;
    }
    void Push(int key, bool pressed)
    {
        // The script's keys come after the first step.
        EXPECT_GT(steps, 0) << "a key before the first step";
        unsigned const vk = Code(key);
        GameWindow::PushKey(vk, pressed);
        script += std::to_string(steps) + " key " + std::to_string(vk) + (pressed ? " down\n" : " up\n");
    }

    // The game's picture in the back buffer, scaled to the 640 by 480 screen.
    void ReadFrame()
    {
        GLint view[4] = {};
        glGetIntegerv(GL_VIEWPORT, view);
        std::vector<unsigned char> pixels(std::size_t(view[2]) * view[3] * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(view[0], view[1], view[2], view[3], GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        frame.rgba.assign(std::size_t(FramePixels::Width) * FramePixels::Height * 4, 0);
        for (int y = 0; y < FramePixels::Height; y++)
            for (int x = 0; x < FramePixels::Width; x++)
            {
                std::size_t const from =
                    (std::size_t(y * view[3] / FramePixels::Height) * view[2] + x * view[2] / FramePixels::Width) * 4;
                std::copy_n(&pixels[from], 4, &frame.rgba[(std::size_t(y) * FramePixels::Width + x) * 4]);
            }
    }

    std::vector<int> down;
    bool keepFrames = false;
    FramePixels frame;
    std::vector<std::string> shotsDue;
    int shotCount = 0;
};
