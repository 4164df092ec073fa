// Test support for the whole game by keys: a part of the committed script (game-1.script,
// game-2.script) with its check lines, and the real program playing it headless in a folder of its
// own, its standard output and standard error kept apart.
#pragma once

#include "support/GameRun.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// "# check STEP DIGEST SLOT NAME": the state after STEP steps as the builder saw it.
struct WholeGame_Check
{
    int step = 0;
    std::string digest; // as the program prints it, eight hex digits
    std::uint32_t slot = 0;
    std::string name;
};

struct WholeGameScript
{
    // The committed part, read from the source tree (HM_SOURCE_DIR).
    explicit WholeGameScript(int part)
    {
        char const* source = std::getenv("HM_SOURCE_DIR");
        file = std::filesystem::path(source ? source : "") / "tests/wholegame"
               / ("game-" + std::to_string(part) + ".script");
        std::ifstream in(file);
        EXPECT_TRUE(in.good()) << "cannot read " << file;
        std::string line;
        while (std::getline(in, line))
        {
            lines.push_back(line);
            std::istringstream words(line);
            std::string hash, kind;
            words >> hash >> kind;
            if (hash == "#" && kind == "steps")
                words >> steps;
            else if (hash == "#" && kind == "check")
            {
                WholeGame_Check check;
                std::string slot;
                words >> check.step >> check.digest >> slot >> check.name;
                check.slot = static_cast<std::uint32_t>(std::stoul(slot, nullptr, 16));
                checks.push_back(check);
            }
        }
    }

    // The check of that name; the test fails where there is none.
    WholeGame_Check Check(std::string const& name) const
    {
        for (WholeGame_Check const& check : checks)
            if (check.name == name)
                return check;
        ADD_FAILURE() << file << " has no check " << name;
        return {};
    }

    // The script's input up to a check: every key before its step, and the close with the last of
    // them (the program takes one more step in the pass that finds the window closed), without the
    // screenshots.
    std::string CutAt(WholeGame_Check const& check) const
    {
        std::string cut;
        for (std::string const& line : lines)
        {
            std::istringstream words(line);
            int step = -1;
            std::string kind;
            if ((words >> step >> kind) && step < check.step && kind == "key")
                cut += line + "\n";
        }
        return cut + std::to_string(check.step - 1) + " close\n";
    }

    // The whole part as committed.
    std::string Whole() const
    {
        std::string all;
        for (std::string const& line : lines)
            all += line + "\n";
        return all;
    }

    std::filesystem::path file;
    std::vector<std::string> lines;
    std::vector<WholeGame_Check> checks;
    int steps = 0;
};

// The program's folder: generated data with no save slot yet, and the registry entry.
class WholeGameFolder
{
public:
    WholeGameFolder()
    {
        EXPECT_EQ(0, std::system((GameRun::Built("hm_datagen") + " " + data.string() + " > /dev/null").c_str()));
        std::filesystem::create_directories(root.path / "config/hollowmere");
        std::ofstream(root.path / "config/hollowmere/registry")
            << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string();
    }

    // Plays a script with HM_DIGEST=steps (the digest after every step and at the end); the exit
    // code, or -1 when it did not exit. A hang is left to the test runner's time limit
    // (support/GameRun.h).
    int Play(std::string const& script)
    {
        std::filesystem::create_directories(data / "shots/1");
        std::filesystem::create_directories(data / "shots/2");
        std::ofstream(root.path / "script") << script;
        std::string const command = "cd " + data.string() + " && XDG_CONFIG_HOME=" + (root.path / "config").string()
                                    + " HM_INPUT_SCRIPT=" + (root.path / "script").string() + " HM_DIGEST=steps "
                                    + GameRun::Built("hollowmere") + " > " + (root.path / "out").string() + " 2> "
                                    + (root.path / "err").string();
        int const status = std::system(command.c_str());
        out = GameRun::ReadAll(root.path / "out");
        err = GameRun::ReadAll(root.path / "err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The digest the run printed as it ended.
    std::string Digest() const
    {
        std::size_t const at = out.rfind("digest ");
        return at == std::string::npos ? "none" : out.substr(at + 7, 8);
    }

    // The first of the script's check lines up to step `upTo` whose state the run did not go
    // through, named with the digest printed after its step (or none, where the run ended short of
    // it); "" when it went through them all.
    std::string FirstAstray(WholeGameScript const& script, int upTo) const
    {
        std::map<int, std::string> printed;
        std::istringstream lines(out);
        std::string line;
        while (std::getline(lines, line))
        {
            std::istringstream words(line);
            std::string kind, digest;
            int step = 0;
            if ((words >> kind >> step >> digest) && kind == "step")
                printed[step] = digest;
        }
        for (WholeGame_Check const& check : script.checks)
        {
            if (check.step > upTo)
                continue;
            auto const found = printed.find(check.step);
            std::string const seen = found == printed.end() ? "none" : found->second;
            if (seen != check.digest)
                return "the program went another way than the builder by check " + check.name + " (step "
                       + std::to_string(check.step) + "): digest " + seen + ", the builder's " + check.digest;
        }
        return "";
    }

    // FNV-1a over the first slot's file; 0 when there is none.
    std::uint32_t SlotSum() const
    {
        std::string const bytes = GameRun::ReadAll(data / "saves/save0");
        if (!std::filesystem::exists(data / "saves/save0"))
            return 0;
        std::uint32_t sum = 2166136261u;
        for (char c : bytes)
            sum = (sum ^ static_cast<std::uint32_t>(static_cast<unsigned char>(c))) * 16777619u;
        return sum;
    }

    TestFolder root{false};
    std::filesystem::path data = root.path / "data";
    std::string out;
    std::string err;
};
