// The bookkeeping of the boxes around a pair of holes: which size to solve
// next, how hard, and when the pair is parted.
#include "search/optimised/NeighbourhoodSearch.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

TEST(PairBoxTest, SizesGrowComeRoundAgainHarderAndPartThePairWhenProvenImpossible)
{
    using Result = SharedLayout::PairBox::Result;
    // One step: ask for the next size with the largest that fits, expect
    // it (-1: none) and its effort, start it and, if given, finish it.
    struct Step {
        int largest, size, effort;
        std::optional<Result> result;
        bool parted = false;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"sizes proven too small are not tried again",
         {{5, 0, 0, Result::Impossible}, {5, 1, 0, Result::Impossible}, {5, 2, 0, std::nullopt}}},
        {"given up on up to the largest that fits, the sizes not proven too small come round, harder",
         {{3, 0, 0, Result::Impossible},
          {3, 1, 0, Result::TooHard},
          {3, 2, 0, Result::TooHard},
          {3, 3, 0, Result::TooHard},
          {3, 1, 1, Result::TooHard},
          {3, 2, 1, std::nullopt}}},
        {"a size being solved is left to its search; when all are, none",
         {{1, 0, 0, std::nullopt}, {1, 1, 0, std::nullopt}, {1, -1, 0, std::nullopt}}},
        {"nothing fits, nothing is solved", {{-1, -1, 0, std::nullopt}}},
        {"a pair a large box proves impossible is parted",
         {{5, 0, 0, Result::Impossible},
          {5, 1, 0, Result::Impossible},
          {5, 2, 0, Result::Impossible},
          {5, 3, 0, Result::Impossible},
          {5, 4, 0, Result::Impossible, true}}},
        {"covering the pair starts it afresh",
         {{5, 0, 0, Result::TooHard}, {5, 1, 0, Result::Covered}, {5, 0, 0, std::nullopt}}},
        {"a layout overtaken by another search tells nothing",
         {{5, 0, 0, Result::Overtaken}, {5, 0, 0, std::nullopt}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SharedLayout::PairBox box;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            SCOPED_TRACE(i);
            const Step& step = c.steps[i];
            const int size = box.NextSize(step.largest);
            ASSERT_EQ(size, step.size);
            if (size < 0)
                continue;
            EXPECT_EQ(box.Effort(size), step.effort);
            box.Start(size);
            if (step.result) {
                EXPECT_EQ(box.Finish(size, *step.result), step.parted);
            }
        }
    }
}
