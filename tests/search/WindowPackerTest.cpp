// The exact window packer, in both its search modes: the least waste of small
// windows is found as a valid packing, and one cell pair less is proven
// impossible.
#include "search/optimised/WindowPacker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Open cells '#', closed '.'.
WindowCells Window(const std::vector<std::string>& rows)
{
    WindowCells cells;
    cells.x0 = 10;
    cells.y0 = 21;
    cells.width = static_cast<int>(rows.front().size());
    cells.height = static_cast<int>(rows.size());
    for (const std::string& row : rows) {
        for (const char c : row)
            cells.open.push_back(c == '#' ? 1 : 0);
    }
    return cells;
}

std::vector<std::string> Rect(int width, int height)
{
    return std::vector<std::string>(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '#'));
}

// The cells the layout leaves uncovered; fails on a building outside the
// window or on another.
int Uncovered(const WindowCells& cells, const std::vector<Placement>& layout)
{
    std::vector<int> covered(cells.open.size(), 0);
    int left = static_cast<int>(std::count(cells.open.begin(), cells.open.end(), 1));
    for (const Placement& p : layout) {
        for (int y = p.Y(); y < p.Y() + p.Shape().h; ++y) {
            for (int x = p.X(); x < p.X() + p.Shape().w; ++x) {
                EXPECT_TRUE(cells.IsOpen(x - cells.x0, y - cells.y0)) << x << ", " << y;
                if (cells.IsOpen(x - cells.x0, y - cells.y0)) {
                    EXPECT_EQ(++covered[static_cast<std::size_t>(x - cells.x0 + (y - cells.y0) * cells.width)], 1);
                }
            }
        }
        left -= p.Shape().Area();
    }
    return left;
}

}  // namespace

TEST(WindowPackerTest, LeastWasteIsFoundAndLessIsImpossibleInEitherMode)
{
    struct Case {
        std::vector<std::string> rows;
        int leastWaste;
    };
    // 4 × 4 and 7 × 4 balance their colours, so only the solver can prove
    // that they leave more than nothing. The spur beside the 4 × 4 is a cell
    // no building can cover; 3 × 3 has one cell more of one colour.
    const Case cases[] = {
        {Rect(5, 4), 0}, {Rect(6, 6), 0}, {Rect(12, 10), 0}, {Rect(7, 9), 1}, {Rect(4, 4), 4}, {Rect(7, 4), 2},
        {{"####.", "#####", "####.", "####."}, 5}, {Rect(3, 3), 3},
    };
    using Search = WindowPacker::Search;
    for (const Search search : {Search::Focused, Search::Steady}) {
        for (const Case& c : cases) {
            const WindowCells cells = Window(c.rows);
            SCOPED_TRACE(testing::Message() << cells.width << "x" << cells.height
                                            << (search == Search::Steady ? " steady" : " focused"));
            // Asked for no more waste than it was built for.
            WindowPacker packer(cells, c.leastWaste, 0, 1, {}, search);
            SolveLimits limits;
            ASSERT_EQ(packer.Solve(c.leastWaste, 0, {}, limits), WindowPacker::Outcome::Found);
            EXPECT_LE(Uncovered(cells, packer.Layout()), c.leastWaste);
            if (c.leastWaste >= 2) {
                EXPECT_EQ(packer.Solve(c.leastWaste - 2, 0, {}, limits), WindowPacker::Outcome::Impossible);
            }
        }
    }
}
