#pragma once

#include <algorithm>

// States are ordered by how far their waste exceeds the least waste the
// component can end with, in steps of two cells: class 0 holds every waste
// up to minWaste, class c > 0 the wastes 2c + minWaste - 1 and 2c + minWaste.
namespace excess_class {

constexpr int Of(int waste, int minWaste)
{
    return std::max(0, (waste - minWaste + 1) / 2);
}

// The highest waste of class `excessClass`.
constexpr int MostWaste(int excessClass, int minWaste)
{
    return 2 * excessClass + minWaste;
}

}  // namespace excess_class
