// The placeholder-data generator: hm_datagen OUTDIR writes a complete data folder into OUTDIR.
#include "DataGen.h"
#include "MapWriter.h"
#include "PuzzleWriter.h"
#include "TestWorldWriter.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    std::string dir = argv[1];
    try
    {
        DataGen::MakeDirs(dir);
        DataGen::WriteImages(dir);
        DataGen::WriteTextureLists(dir);
        DataGen::WriteFont(dir);
        DataGen::WriteSpeechBubbles(dir);
        PuzzleWriter::WriteAll(dir);
        TestWorldWriter::Write(dir);
        MapWriter::WritePlaceholders(dir, DataGen::worldDirs, 9);
    }
    catch (std::exception const& e)
    {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
