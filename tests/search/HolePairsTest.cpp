// Pairing uncovered cells for the optimised layout: one of either colour, in
// the same component, the closest first, each cell in one pair at most.
#include "search/RandomRegions.h"
#include "search/optimised/HolePairs.h"
#include "search/optimised/PackingRegion.h"

#include <gtest/gtest.h>

#include <vector>

TEST(HolePairsTest, PairsOppositeColoursOfOneComponentClosestFirst)
{
    // Two plots apart: (10..29, 10..29) and (60..79, 10..29).
    SearchState map = RandomRegions::Rectangle(10, 10, 20, 20);
    RandomRegions::AddRectangle(map, 60, 10, 20, 20);
    const PackingRegion region(map);
    struct Case {
        const char* what;
        std::vector<std::int32_t> holes;
        std::vector<std::pair<std::int32_t, std::int32_t>> expected;  // hole, partner (-1: none)
        std::vector<std::pair<std::int32_t, std::int32_t>> forbidden = {};
        bool forgotten = false;  // then every pair is allowed again
    };
    const Case cases[] = {
        {"same colour never pairs", {CellIndex(12, 12), CellIndex(14, 12)}, {{CellIndex(12, 12), -1}}},
        {"another component never pairs", {CellIndex(12, 12), CellIndex(61, 12)}, {{CellIndex(12, 12), -1}}},
        {"the closest of either colour",
         {CellIndex(12, 12), CellIndex(13, 12), CellIndex(20, 20), CellIndex(25, 20)},
         {{CellIndex(12, 12), CellIndex(13, 12)}, {CellIndex(20, 20), CellIndex(25, 20)}}},
        {"one partner each, the nearer pair first",
         {CellIndex(15, 15), CellIndex(16, 15), CellIndex(15, 18)},
         {{CellIndex(15, 15), CellIndex(16, 15)}, {CellIndex(15, 18), -1}}},
        {"the closest pair first, the rest as they come",
         {CellIndex(11, 20), CellIndex(14, 20), CellIndex(15, 20), CellIndex(28, 20)},
         {{CellIndex(14, 20), CellIndex(15, 20)}, {CellIndex(11, 20), CellIndex(28, 20)}}},
        {"a forbidden pair parts, either way round",
         {CellIndex(11, 20), CellIndex(14, 20), CellIndex(15, 20), CellIndex(28, 20)},
         {{CellIndex(14, 20), CellIndex(11, 20)}, {CellIndex(15, 20), CellIndex(28, 20)}},
         {{CellIndex(15, 20), CellIndex(14, 20)}}},
        {"a hole whose only partner is forbidden has none",
         {CellIndex(12, 12), CellIndex(13, 12)},
         {{CellIndex(12, 12), -1}, {CellIndex(13, 12), -1}},
         {{CellIndex(12, 12), CellIndex(13, 12)}}},
        {"forgetting what was forbidden pairs them again",
         {CellIndex(12, 12), CellIndex(13, 12)},
         {{CellIndex(12, 12), CellIndex(13, 12)}},
         {{CellIndex(12, 12), CellIndex(13, 12)}},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HolePairs pairs;
        pairs.Update(region, c.holes);
        for (const auto& [a, b] : c.forbidden)
            pairs.Forbid(a, b);
        if (c.forgotten) {
            pairs.Update(region, c.holes);
            pairs.ForgetForbidden();
        }
        // The same holes: pairs anew only because of what was forbidden.
        pairs.Update(region, c.holes);
        for (const auto& [hole, partner] : c.expected) {
            EXPECT_EQ(pairs.PartnerOf(hole), partner);
            if (partner >= 0) {
                EXPECT_EQ(pairs.PartnerOf(partner), hole);
            }
        }
    }
}
