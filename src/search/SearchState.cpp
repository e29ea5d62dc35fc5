#include "search/SearchState.h"

#include <bit>

SearchState SearchState::Box(int width, int height)
{
    SearchState s;
    s.width = static_cast<std::uint16_t>(width);
    s.height = static_cast<std::uint16_t>(height);
    s.free.assign((static_cast<std::size_t>(width) * height + 63) / 64, 0);
    return s;
}

SearchState SearchState::FromSelection(const RegionBits& selection)
{
    // The selection and a 250-wide box number their cells alike: y * 250 + x.
    SearchState s = Box(GridSize, GridSize);
    for (std::size_t bit = 0; bit < selection.size(); ++bit) {
        if (selection[bit])
            s.free[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    }
    return s;
}

int SearchState::FreeCount() const
{
    int n = 0;
    for (const std::uint64_t word : free)
        n += std::popcount(word);
    return n;
}
