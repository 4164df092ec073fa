// Shared by the fuzz targets.
#include "FuzzSupport.h"

#include "platform/GameWindow.h"
#include "platform/MessageBox.h"

#include <unistd.h>

#include <filesystem>

namespace Fuzz
{

namespace
{

void RemoveWorkDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(WorkDir(), ignored);
}

} // namespace

std::string const& WorkDir()
{
    static std::string const dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "hm_fuzz_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0)
        {
            std::perror("hm_fuzz: scratch folder");
            std::abort();
        }
        return pattern;
    }();
    static bool const registered = std::atexit(RemoveWorkDir) == 0;
    (void)registered;
    return dir;
}

void WriteFile(char const* path, std::uint8_t const* data, std::size_t size)
{
    WorkDir();
    std::filesystem::path const parent = std::filesystem::path(path).parent_path();
    if (!parent.empty())
        std::filesystem::create_directories(parent);
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
    {
        std::perror(path);
        std::abort();
    }
}

void OpenGl()
{
    if (GameWindow::IsOpen())
        return;
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    MessageBox::SetRecordOnly(true);
    if (!GameWindow::Open(640, 480))
    {
        std::fprintf(stderr, "hm_fuzz: no GL window: %s\n", GameWindow::FailureText());
        std::abort();
    }
    // The fuzzer ends the process with exit(); closed then, the window and the video driver
    // leave nothing behind for the leak check.
    std::atexit([] { GameWindow::Close(); });
}

} // namespace Fuzz
