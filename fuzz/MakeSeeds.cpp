// hm_fuzz_seeds OUTDIR: the seed corpus of every fuzz target, one folder each, made of the valid
// files the data generator writes and of records written by the game's own writers.
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "tools/DataGen.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace
{

void Copy(fs::path const& from, fs::path const& toDir, std::string const& name)
{
    fs::create_directories(toDir);
    fs::copy_file(from, toDir / name, fs::copy_options::overwrite_existing);
}

void WriteText(fs::path const& path, char const* text)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << text;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    fs::path const out = argv[1];
    fs::path const data = out / "data";
    try
    {
        fs::remove_all(data);
        DataGen::WriteAll(data.string());
        for (fs::directory_entry const& entry : fs::recursive_directory_iterator(data))
        {
            if (!entry.is_regular_file())
                continue;
            fs::path const& p = entry.path();
            std::string const world = p.parent_path().filename().string();
            if (p.filename() == "map")
            {
                Copy(p, out / "map", world);
                Copy(p, out / "backmap", world);
            }
            else if (p.filename() == "imagemap")
                Copy(p, out / "imagemap", world);
            else if (p.filename() == "textinfo")
                Copy(p, out / "font", "textinfo");
            else if (world == "puzzles")
                Copy(p, out / "puzzle", p.filename().string());
            // Small pictures only: they keep the corpus quick to run and still cover every layout.
            else if (p.extension() == ".png" && entry.file_size() < 4096)
                Copy(p, out / "picture", world + "_" + p.filename().string());
        }
        fs::remove_all(data);

        fs::create_directories(out / "saveslot");
        GameEvents record;
        record.Save((out / "saveslot" / "new").c_str());
        record[Event_Hint] = GameEvent_HasHappened;
        record[Event_TimeTravel] = 1200;
        record.levelFlags[0][1] = 1;
        record.levelFlags[3][4] = 1;
        record.gems = 2;
        record.Save((out / "saveslot" / "played").c_str());

        DefaultKeyAssign();
        fs::create_directories(out / "keyassign");
        std::ofstream keys(out / "keyassign" / "defaults", std::ios::binary);
        for (std::uint16_t code : keyAssign)
            keys.put(static_cast<char>(code & 0xFF)).put(static_cast<char>(code >> 8));

        WriteText(out / "inputscript" / "walk", "# walk right, jump, look\n10 key 0x57 down\n40 key 0x57 up\n"
                                                "41 key 32 down\n43 key 32 up\n60 shot walk.png\n90 close\n");
        WriteText(out / "inputscript" / "menu", "5 key 13 down\n6 key 13 up\n\n20 key 0x1B down\n21 key 0x1b up\n"
                                                "030 key 013 down\n031 key 0X0D up\n");
    }
    catch (std::exception const& e)
    {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
