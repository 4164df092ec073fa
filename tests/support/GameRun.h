// Test support: the real program run headless with an input script. A GameRun is a temporary folder
// with a generated data folder, the registry entry that points the program at it, and a first save
// slot whose map opens on a world (support/SaveSlotWriter.h); Run writes the script, runs the program
// there and keeps what it printed and the most memory it held. The script's close ends the program;
// a run still going after RunLimit is killed as hung and fails the test, saying so. The limit is
// one no busy machine reaches (the longest run, the den's fight, took 55 to 126 s sanitized on 8
// processors loaded 20 to 30), so it tells a hang from a slow run and ends it well before the test
// runner's hour. The tests' folder is the working directory: the program and the data generator
// are built beside it.
#pragma once

#include "engine/GameEvents.h"
#include "engine/Level_Type.h"
#include "support/SaveSlotWriter.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <thread>

class GameRun final
{
public:
    static constexpr std::chrono::seconds RunLimit{600};

    explicit GameRun(Level_Type world, GameEvents const& progress = GameEvents()) : slot(world, progress)
    {
        EXPECT_EQ(0, std::system((Built("hm_datagen") + " " + data.string() + " > /dev/null").c_str()));
        std::filesystem::create_directories(root.path / "config/hollowmere");
        std::ofstream(root / "config/hollowmere/registry")
            << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string();
        slot.Write(data);
    }

    // A script line at a step counted from the one the level begins at.
    std::string At(int offset, std::string const& what) const
    {
        return std::to_string(slot.LevelStep() + offset) + " " + what + "\n";
    }

    // From the step offset on: Escape opens the menu, down to "Leave level", Enter; on the map
    // that follows, Escape quits.
    std::string LeaveByMenu(int offset) const
    {
        return At(offset, "key 0x1B down") + At(offset + 2, "key 0x1B up") + At(offset + 10, "key 0x28 down")
               + At(offset + 12, "key 0x28 up") + At(offset + 20, "key 0x0D down") + At(offset + 22, "key 0x0D up")
               + At(offset + 190, "key 0x1B down");
    }

    // Writes the script file name and gives the environment of a run with it.
    std::string Scripted(char const* name, std::string const& script) const
    {
        std::ofstream(root / name) << script;
        return "XDG_CONFIG_HOME=" + root / "config" + " HM_INPUT_SCRIPT=" + root / name;
    }

    // Runs the program with the slot's way into the world and then script; its exit code, or -1
    // when it did not exit. What it printed is in log, the most memory it held in peakKb.
    int Run(std::string const& script)
    {
        return RunIn(data, Scripted("script", slot.Script() + script), &log, &peakKb);
    }

    // The first slot's file as it stands.
    std::string Slot() const { return ReadAll(data / "saves/save0"); }

    // Runs the program in folder with the environment given, its output to game.log there; its
    // exit code, or -1 when it did not exit. peakKb, when given, gets its peak resident size in kB.
    // A run past limit is killed and fails the test.
    static int RunIn(std::filesystem::path const& folder, std::string const& environment, std::string* log,
                     long* peakKb = nullptr, std::chrono::seconds limit = RunLimit)
    {
        std::filesystem::path const logFile = folder / "game.log";
        // The shell execs the program, so the usage of the child waited for is the program's own.
        std::string const command = "cd " + folder.string() + " && " + environment + " exec " + Built("hollowmere")
                                    + " > " + logFile.string() + " 2>&1";
        char const* argv[] = {"sh", "-c", command.c_str(), nullptr};
        pid_t child = 0;
        int status = -1; // not an exit
        rusage usage = {};
        if (posix_spawn(&child, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) == 0)
        {
            auto const deadline = std::chrono::steady_clock::now() + limit;
            bool killed = false;
            for (;;)
            {
                pid_t const ended = wait4(child, &status, killed ? 0 : WNOHANG, &usage);
                if (ended == child || (ended < 0 && errno != EINTR))
                    break;
                if (ended == 0 && std::chrono::steady_clock::now() >= deadline)
                {
                    // The shell has exec'd the program, so the child is the program itself.
                    kill(child, SIGKILL);
                    killed = true;
                    ADD_FAILURE() << "the program in " << folder.string() << " ran past " << limit.count()
                                  << " s: killed as hung";
                }
                else if (ended == 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        *log = ReadAll(logFile);
        if (peakKb != nullptr)
            *peakKb = usage.ru_maxrss;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // A program built beside the tests' folder.
    static std::string Built(char const* name)
    {
        return std::filesystem::absolute(std::filesystem::path("..") / name).string();
    }

    static std::string ReadAll(std::filesystem::path const& file)
    {
        std::stringstream text;
        text << std::ifstream(file).rdbuf();
        return text.str();
    }

    TestFolder root{false};
    std::filesystem::path data = root.path / "data";
    SaveSlotWriter slot;
    std::string log;
    long peakKb = 0;
};
