#include "view/BuildingCellOwners.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

Build Footprint(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h)
{
    Build b;
    b.x = x;
    b.y = y;
    b.w = w;
    b.h = h;
    return b;
}

// The painter's own rule, cell by cell: the last building over a cell owns it.
int LastOver(const std::vector<Build>& builds, std::int64_t x, std::int64_t y)
{
    for (std::size_t i = builds.size(); i-- > 0;) {
        const Build& b = builds[i];
        if (x >= b.x && x < std::int64_t{b.x} + b.w && y >= b.y && y < std::int64_t{b.y} + b.h)
            return static_cast<int>(i);
    }
    return -1;
}

void ExpectEveryCellOwnedByTheLastBuildingOverIt(const std::vector<Build>& builds, CellSpan columns, CellSpan rows)
{
    const BuildingCellOwners owners(builds, columns, rows);
    const std::int64_t height = rows.last - rows.first + 1;
    std::vector<int> owner(static_cast<std::size_t>((columns.last - columns.first + 1) * height), -1);
    for (std::size_t i = 0; i < builds.size(); ++i) {
        for (const BuildingCellOwners::Run& run : owners.RunsOf(i)) {
            for (std::int64_t y = run.first; y <= run.last; ++y) {
                ASSERT_TRUE(run.column >= columns.first && run.column <= columns.last && y >= rows.first &&
                            y <= rows.last);
                int& cell = owner[static_cast<std::size_t>((run.column - columns.first) * height + y - rows.first)];
                ASSERT_EQ(cell, -1) << "cell filled twice: " << run.column << "," << y;
                cell = static_cast<int>(i);
            }
        }
    }
    for (std::int64_t x = columns.first; x <= columns.last; ++x)
        for (std::int64_t y = rows.first; y <= rows.last; ++y)
            ASSERT_EQ(owner[static_cast<std::size_t>((x - columns.first) * height + y - rows.first)],
                      LastOver(builds, x, y))
                << x << "," << y;
}

TEST(BuildingCellOwnersTest, EachCellIsFilledOnceByTheLastBuildingOverIt)
{
    const struct {
        std::vector<Build> builds;
        CellSpan columns;
        CellSpan rows;
    } cases[] = {
        {{}, {0, 249}, {0, 249}},
        {{Footprint(0, 0, 3, 2), Footprint(5, 5, 5, 4)}, {0, 249}, {0, 249}},
        // Absurd buildings from a file: far larger than the grid, stacked, empty, negative.
        {{Footprint(0, 0, kMax, kMax), Footprint(kMin, kMin, kMax, kMax), Footprint(50, 50, -40, -3),
          Footprint(kMax, kMax, kMax, kMax), Footprint(3, 3, 2, 2)},
         {0, 249},
         {0, 249}},
        // Only the window in view counts.
        {{Footprint(-5, -5, 20, 30), Footprint(10, 10, 400, 2), Footprint(12, 0, 1, 250)}, {8, 40}, {3, 17}},
        {{Footprint(0, 0, 10, 10)}, {20, 30}, {0, 5}},
    };
    for (const auto& c : cases)
        ExpectEveryCellOwnedByTheLastBuildingOverIt(c.builds, c.columns, c.rows);

    std::mt19937 random(7);
    std::uniform_int_distribution<int> place(-20, 60);
    std::uniform_int_distribution<int> size(-2, 40);
    for (int round = 0; round < 30; ++round) {
        std::vector<Build> builds;
        for (int i = 0; i < 60; ++i)
            builds.push_back(Footprint(place(random), place(random), size(random), size(random)));
        ExpectEveryCellOwnedByTheLastBuildingOverIt(builds, {0, 49}, {0, 49});
    }
}

TEST(BuildingCellOwnersTest, AThousandGridSizedBuildingsCostOneGridOfCells)
{
    std::vector<Build> builds(1000, Footprint(kMin / 2, kMin / 2, kMax, kMax));
    const BuildingCellOwners owners(builds, {0, 249}, {0, 249});
    for (std::size_t i = 0; i + 1 < builds.size(); ++i)
        EXPECT_TRUE(owners.RunsOf(i).empty()) << i;
    std::int64_t cells = 0;
    for (const auto& run : owners.RunsOf(builds.size() - 1))
        cells += run.last - run.first + 1;
    EXPECT_EQ(cells, 250 * 250);
    EXPECT_TRUE(owners.RunsOf(builds.size()).empty());
}

}  // namespace
