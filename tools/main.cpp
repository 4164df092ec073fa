// The placeholder-data generator: hm_datagen OUTDIR writes a complete data folder into OUTDIR.
//
// The files are made in a folder of their own inside OUTDIR by a child process and moved into
// place only once every one is whole, so that SIGINT or SIGTERM, which end the run at once,
// never leave a half-written file in OUTDIR: it holds what it held before, or the new set.
#include "tools/DataGen.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace
{

namespace fs = std::filesystem;

int Generate(std::string const& dir, char const* program)
{
    try
    {
        DataGen::WriteAll(dir);
    }
    catch (std::exception const& e)
    {
        std::fprintf(stderr, "%s: %s\n", program, e.what());
        return 1;
    }
    return 0;
}

// Moves every file of the staging folder to the same place under dir; each rename replaces
// a file whole.
bool Commit(fs::path const& staging, fs::path const& dir, char const* program)
{
    // Listed first: a folder read while its entries move away may skip some.
    std::vector<fs::path> files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(staging, error); !error && it != fs::end(it); it.increment(error))
        files.push_back(it->path());
    for (fs::path const& file : files)
    {
        if (error)
            break;
        fs::path const target = dir / fs::relative(file, staging);
        if (fs::is_directory(file))
            fs::create_directories(target, error);
        else
            fs::rename(file, target, error);
    }
    if (error)
        std::fprintf(stderr, "%s: cannot move the data into %s: %s\n", program, dir.c_str(), error.message().c_str());
    return !error;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    fs::path const dir = argv[1];
    try
    {
        DataGen::MakeDirs(dir.string());
    }
    catch (std::exception const& e)
    {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    fs::path const staging = dir / (".hm_datagen-" + std::to_string(getpid()));

    // The signals wait for this process to take them; the child that writes keeps the default
    // handling, so it dies at once.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGCHLD);
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &signals, &previous);
    std::fflush(nullptr);
    pid_t const child = fork();
    if (child < 0)
    {
        std::perror("fork");
        return 1;
    }
    if (child == 0)
    {
        sigprocmask(SIG_SETMASK, &previous, nullptr);
        std::fflush(nullptr);
        _exit(Generate(staging.string(), argv[0]));
    }

    int status = 0;
    int stoppedBy = 0;
    while (true)
    {
        int const sig = sigwaitinfo(&signals, nullptr);
        if (sig == SIGINT || sig == SIGTERM)
        {
            stoppedBy = sig;
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        if (sig == SIGCHLD && waitpid(child, &status, WNOHANG) == child)
            break;
    }

    bool const made = stoppedBy == 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    bool const moved = made && Commit(staging, dir, argv[0]);
    std::error_code ignored;
    fs::remove_all(staging, ignored);
    if (stoppedBy != 0)
    {
        std::fprintf(stderr, "%s: stopped by a signal; %s is as it was\n", argv[0], dir.c_str());
        return 128 + stoppedBy;
    }
    return moved ? 0 : 1;
}
