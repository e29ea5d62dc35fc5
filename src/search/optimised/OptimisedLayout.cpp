#include "search/optimised/OptimisedLayout.h"

#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/optimised/FirstLayout.h"
#include "search/optimised/NeighbourhoodSearch.h"
#include "search/optimised/PackingLayout.h"
#include "search/optimised/PackingRegion.h"

#include <algorithm>
#include <chrono>
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
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const PackingRegion packing(region);
    PackingLayout layout(packing);
    SolveLimits limits;
    limits.abandonWhen = {&control.stop, &control.cancel};
    if (settings.work < 0)
        limits.deadline = start + settings.timeLimit;
    FirstLayout::Pack(layout, control.stateLimit > 0 ? control.stateLimit : FirstLayout::kMaxSteps, settings.seed,
                      limits);
    // The first layout's time counts toward the limit.
    const auto left = std::max(std::chrono::milliseconds(0),
                               settings.timeLimit - std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start));

    // One search per thread, all on the same layout, each with its own seed.
    const int members = Members(settings);
    SharedLayout shared(layout);
    std::vector<std::unique_ptr<NeighbourhoodSearch>> searches;
    for (int m = 0; m < members; ++m) {
        OptimiseSettings own = settings;
        own.timeLimit = left;
        if (settings.work >= 0)
            own.work = settings.work / members + (m < settings.work % members ? 1 : 0);
        searches.push_back(std::make_unique<NeighbourhoodSearch>(shared, control, own, m, members));
    }
    std::vector<std::thread> threads;
    for (int m = 1; m < members; ++m)
        threads.emplace_back([&searches, m] { searches[static_cast<std::size_t>(m)]->Run(); });
    searches.front()->Run();
    for (std::thread& t : threads)
        t.join();

    Outcome outcome{layout.Uncovered(), packing.DeadCells()};
    for (const SharedLayout::ComponentState& c : shared.components)
        outcome.bound += c.bound;
    control.optimisedUncovered = outcome.uncovered;
    control.optimisedBound = outcome.bound;
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
