// The placeholder-data generator: hm_datagen OUTDIR writes a complete data folder into OUTDIR.
#include "tools/DataGen.h"

#include <cstdio>
#include <exception>
#include <string>

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
        DataGen::WriteAll(dir);
    }
    catch (std::exception const& e)
    {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
