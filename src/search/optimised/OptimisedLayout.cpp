#include "search/optimised/OptimisedLayout.h"

#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/optimised/FirstLayout.h"
#include "search/optimised/NeighbourhoodSearch.h"
#include "search/optimised/PackingLayout.h"
#include "search/optimised/PackingRegion.h"

#include <algorithm>
#include <memory>
#include <thread>

namespace {

int Members(const OptimiseSettings& settings)
{
    if (settings.threads > 0)
        return settings.threads;
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

}  // namespace

OptimisedLayout::Outcome OptimisedLayout::Run(SearchState& region, SearchControl& control,
                                              const OptimiseSettings& settings)
{
    const PackingRegion packing(region);
    PackingLayout first(packing);
    FirstLayout::Pack(first, control.stateLimit > 0 ? control.stateLimit : FirstLayout::kMaxSteps);

    // One search per thread, each on its own copy with its own seed. The
    // components do not share a building, so the best of each is kept.
    const int members = Members(settings);
    std::vector<std::unique_ptr<PackingLayout>> layouts;
    std::vector<std::unique_ptr<NeighbourhoodSearch>> searches;
    for (int m = 0; m < members; ++m) {
        OptimiseSettings own = settings;
        if (settings.work >= 0)
            own.work = settings.work / members + (m < settings.work % members ? 1 : 0);
        layouts.push_back(std::make_unique<PackingLayout>(first));
        searches.push_back(std::make_unique<NeighbourhoodSearch>(*layouts.back(), control, own, m, members));
    }
    std::vector<std::thread> threads;
    for (int m = 1; m < members; ++m)
        threads.emplace_back([&searches, m] { searches[static_cast<std::size_t>(m)]->Run(); });
    searches.front()->Run();
    for (std::thread& t : threads)
        t.join();

    // Per component the member with the fewest uncovered cells, then the most factories.
    Outcome outcome{packing.DeadCells(), packing.DeadCells()};
    std::vector<std::size_t> pick(packing.Components().size(), 0);
    for (std::size_t c = 0; c < pick.size(); ++c) {
        const int component = static_cast<int>(c);
        const auto worth = [component](const PackingLayout& l) {
            return std::make_pair(-l.ComponentUncovered(component), l.ComponentFactories(component));
        };
        int bound = 0;
        for (std::size_t m = 0; m < layouts.size(); ++m) {
            if (worth(*layouts[m]) > worth(*layouts[pick[c]]))
                pick[c] = m;
            bound = std::max(bound, searches[m]->ComponentBound(component));
        }
        outcome.bound += bound;
        outcome.uncovered += layouts[pick[c]]->ComponentUncovered(component);
    }
    std::vector<Placement> best;
    for (std::size_t m = 0; m < layouts.size(); ++m) {
        for (const Placement& p : layouts[m]->Buildings()) {
            if (pick[static_cast<std::size_t>(packing.ComponentOf(p.cell))] == m)
                best.push_back(p);
        }
    }
    std::sort(best.begin(), best.end(), [](const Placement& a, const Placement& b) { return a.cell < b.cell; });
    control.optimisedUncovered = outcome.uncovered;
    control.optimisedBound = outcome.bound;
    if (control.cancel)
        return outcome;
    for (const Placement& p : best) {
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
