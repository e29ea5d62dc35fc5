#include "search/optimised/OptimisedLayout.h"

#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/optimised/FirstLayout.h"
#include "search/optimised/NeighbourhoodSearch.h"
#include "search/optimised/PackingLayout.h"
#include "search/optimised/PackingRegion.h"

OptimisedLayout::Outcome OptimisedLayout::Run(SearchState& region, SearchControl& control,
                                              const OptimiseSettings& settings)
{
    const PackingRegion packing(region);
    PackingLayout layout(packing);
    FirstLayout::Pack(layout, control.stateLimit > 0 ? control.stateLimit : FirstLayout::kMaxSteps);
    NeighbourhoodSearch search(layout, control, settings);
    search.Run();

    const Outcome outcome{layout.Uncovered(), search.Bound()};
    if (control.cancel)
        return outcome;
    for (const Placement& p : layout.Buildings()) {
        const Footprint& f = p.Shape();
        region.placed.push_back({static_cast<std::uint8_t>(p.X()), static_cast<std::uint8_t>(p.Y()),
                                 static_cast<std::uint8_t>(f.w), static_cast<std::uint8_t>(f.h)});
    }
    // The cells are taken, as the beam search leaves them.
    for (int y = 0; y < region.height; ++y) {
        for (int x = 0; x < region.width; ++x)
            region.SetFree(x, y, false);
    }
    return outcome;
}
