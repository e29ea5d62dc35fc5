// The layout search on small regions: every building it places must be a
// house or a factory on free cells, and no two may overlap.
#include "search/LayoutSearch.h"
#include "search/SearchControl.h"
#include "search/SearchState.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

bool IsShape(int w, int h)
{
    return (w == 5 && h == 4) || (w == 2 && h == 3) || (w == 3 && h == 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    const int width = 1 + data[0] % 48;
    const int height = 1 + data[1] % 48;
    const int backLines = data[2] % 10;
    // A state limit of a few hundred keeps each run short and still prunes.
    const std::int64_t stateLimit = 16 + data[3] * 4;
    SearchState region = SearchState::Box(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x + y * width);
            const std::size_t byte = 4 + bit / 8;
            // Past the input every cell is free, so short inputs give large regions.
            region.SetFree(x, y, byte >= size || ((data[byte] >> (bit % 8)) & 1) == 0);
        }
    }
    const SearchState original = region;

    SearchControl control;
    control.ResetForRun();
    control.stateLimit = stateLimit;
    // On irregular land the search may run for hours; past this many
    // expansions it finishes greedily, as on the user's "stop".
    control.stopAfterExpansions = 20000;
    LayoutSearch::Run(region, control, backLines);

    std::vector<bool> taken(static_cast<std::size_t>(width * height), false);
    for (const LayoutRecord& r : region.placed) {
        if (!IsShape(r.w, r.h))
            __builtin_trap();
        for (int x = r.x; x < r.x + r.w; ++x) {
            for (int y = r.y; y < r.y + r.h; ++y) {
                if (!original.IsFree(x, y) || taken[static_cast<std::size_t>(x + y * width)])
                    __builtin_trap();
                taken[static_cast<std::size_t>(x + y * width)] = true;
            }
        }
    }
    return 0;
}
