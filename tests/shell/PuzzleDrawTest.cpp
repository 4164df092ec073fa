// The chest puzzle as the player sees it: a square marked empty still shows its number.
#include "puzzles/Grid_Puzzle.h"
#include "shell/InputScript.h"
#include "support/ShellTestSupport.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

using PuzzleDraw = ShellTestSupport;

TEST_F(PuzzleDraw, ASquareMarkedEmptyKeepsItsNumberClearOfTheCross)
{
    Grid_Puzzle::Initialise();
    {
        Grid_Puzzle puzzle(1);
        KeyData idle;
        for (int i = 0; i < 200; i++)
            puzzle.Poll(&idle);
        int x = 0;
        int y = 0;
        while (puzzle.GetNumber(x, y) < 0 && ++x == puzzle.GetWidth() && (x = 0, ++y) < puzzle.GetHeight())
        {
        }
        ASSERT_LT(y, puzzle.GetHeight()) << "the puzzle shows no number";
        puzzle.SolveChange(x, y, Grid_Puzzle_Empty);

        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glClear(GL_COLOR_BUFFER_BIT);
        puzzle.Plot();
        if (char const* shot = std::getenv("HM_PUZZLE_SHOT")) // to look at it
            InputScript::WriteShot(shot);

        // The square's pixels: the number's white ink, and the cross's red only outside the
        // box that the number's ink takes.
        int const side = static_cast<int>(32.0 * puzzle.GetScale());
        Pointf const corner = puzzle.GetScrPos(x, y); // top left
        std::vector<unsigned char> rgb(static_cast<std::size_t>(side) * side * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(static_cast<int>(corner.x), static_cast<int>(corner.y) - side, side, side, GL_RGB,
                     GL_UNSIGNED_BYTE, rgb.data());
        auto const at = [&](int px, int py) { return &rgb[(static_cast<std::size_t>(py) * side + px) * 3]; };
        int left = side, right = -1, bottom = side, top = -1;
        for (int py = 0; py < side; py++)
            for (int px = 0; px < side; px++)
                if (at(px, py)[0] > 220 && at(px, py)[1] > 220 && at(px, py)[2] > 220)
                {
                    left = std::min(left, px);
                    right = std::max(right, px);
                    bottom = std::min(bottom, py);
                    top = std::max(top, py);
                }
        ASSERT_GE(right, 0) << "no number drawn";
        int crossOnNumber = 0;
        int cross = 0;
        for (int py = 0; py < side; py++)
            for (int px = 0; px < side; px++)
            {
                unsigned char const* c = at(px, py);
                if (c[0] > 110 && c[0] < 170 && c[1] < 70 && c[2] < 70)
                {
                    cross++;
                    crossOnNumber += px >= left && px <= right && py >= bottom && py <= top ? 1 : 0;
                }
            }
        EXPECT_GT(cross, 0) << "the square shows that it is marked empty";
        EXPECT_EQ(crossOnNumber, 0);
    }
    Grid_Puzzle::Finalise();
}
