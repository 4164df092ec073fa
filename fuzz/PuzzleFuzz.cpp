// A grid puzzle file, then the rules applied to it and the solver run over it.
#include "FuzzSupport.h"
#include "puzzles/Grid_Puzzle.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    char file[64];
    Grid_Puzzle::FileName(1, file, sizeof file);
    Fuzz::WriteFile(file, data, size);
    Fuzz::Load(file, [&] {
        Grid_Puzzle puzzle(1);
        puzzle.CheckGrid();
        puzzle.Solve();
        puzzle.CheckGrid();
    });
    return 0;
}
