// The exact window packer, in both its search modes: the least waste of small
// rectangles is found as a valid packing, and one cell pair less is proven
// impossible.
#include "search/optimised/WindowPacker.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

WindowCells OpenRect(int width, int height)
{
    WindowCells cells;
    cells.x0 = 10;
    cells.y0 = 20;
    cells.width = width;
    cells.height = height;
    cells.open.assign(static_cast<std::size_t>(width * height), 1);
    return cells;
}

// The cells the layout leaves uncovered; fails on a building outside the
// window or on another.
int Uncovered(const WindowCells& cells, const std::vector<Placement>& layout)
{
    std::vector<int> covered(cells.open.size(), 0);
    int left = cells.width * cells.height;
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
        int width, height, leastWaste;
    };
    // 4 × 4 and 7 × 4 balance their colours, so only the solver can prove
    // that they leave more than nothing.
    const Case cases[] = {{5, 4, 0}, {6, 6, 0}, {12, 10, 0}, {7, 9, 1}, {4, 4, 4}, {7, 4, 2}};
    using Search = WindowPacker::Search;
    for (const Search search : {Search::Focused, Search::Steady}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << (search == Search::Steady ? " steady" : " focused"));
            const WindowCells cells = OpenRect(c.width, c.height);
            WindowPacker packer(cells, c.width * c.height, 0, 1, {}, search);
            SolveLimits limits;
            ASSERT_EQ(packer.Solve(c.leastWaste, 0, {}, limits), WindowPacker::Outcome::Found);
            EXPECT_LE(Uncovered(cells, packer.Layout()), c.leastWaste);
            if (c.leastWaste >= 2) {
                EXPECT_EQ(packer.Solve(c.leastWaste - 2, 0, {}, limits), WindowPacker::Outcome::Impossible);
            }
        }
    }
}
