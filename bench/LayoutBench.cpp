// Layout search on fixed maps, the fast search beside the plain reference:
// time, expansions per second, peak store size, covered share of the region
// and peak resident memory.
//
// PeakRSS_MB is the process's VmHWM, a high-water mark over the whole
// process: it means something only when one case runs per invocation, e.g.
//   ql_bench_layout --benchmark_filter='^Layout/Town/Fast$'
//
// The memory budget is 2048 MB, the planner's default; QL_BENCH_BUDGET_MB
// sets another from 100 to 2048 (a small budget keeps the states in cache).
#include "search/LayoutSearch.h"
#include "search/RandomRegions.h"
#include "search/SearchControl.h"
#include "search/SearchState.h"
#include "search/SimpleLayoutSearch.h"

#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr std::int64_t DefaultBudgetMB = 2048;
constexpr int MaxBackLine = 8;
constexpr std::int64_t NoStop = -1;

using SearchFunction = void (*)(SearchState&, SearchControl&, int);

std::int64_t BudgetMB()
{
    const char* text = std::getenv("QL_BENCH_BUDGET_MB");
    if (text == nullptr)
        return DefaultBudgetMB;
    std::int64_t budget = 0;
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, budget);
    if (error != std::errc{} || stop != end || budget < 100 || budget > 2048) {
        std::cerr << "QL_BENCH_BUDGET_MB must be 100 to 2048; using " << DefaultBudgetMB << "\n";
        return DefaultBudgetMB;
    }
    return budget;
}

// The driver's rule: 1700 bytes per state.
const std::int64_t StateLimit = BudgetMB() * 1048576 / 1700;

double PeakResidentMB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;  // given in kB
    }
    return 0.0;
}

int CoveredCells(const SearchState& region)
{
    int covered = 0;
    for (const LayoutRecord& r : region.placed)
        covered += r.w * r.h;
    return covered;
}

SearchState WholeArea()
{
    return RandomRegions::Rectangle(0, 0, 249, 249);
}

SearchState WholeAreaWithFiftyHoles()
{
    SearchState region = WholeArea();
    RandomRegions::PunchHoles(region, 50, 11);
    return region;
}

SearchState SquareWithTwoHoles()
{
    SearchState region = RandomRegions::Rectangle(100, 100, 40, 40);
    RandomRegions::PunchHoles(region, 2, 5);
    return region;
}

void Layout(benchmark::State& state, SearchFunction search, SearchState (*makeMap)(), std::int64_t stopAfterExpansions)
{
    const SearchState map = makeMap();
    const int regionCells = map.FreeCount();
    SearchControl control;
    control.stateLimit = StateLimit;
    control.stopAfterExpansions = stopAfterExpansions;

    std::int64_t expansions = 0;
    std::int64_t peakStates = 0;
    int covered = 0;
    for (auto _ : state) {
        // The copy of the map (8 KB) is timed with the run; it is noise.
        SearchState region = map;
        control.ResetForRun();
        search(region, control, MaxBackLine);
        expansions += control.expansions;
        peakStates = control.peakStates;
        covered = CoveredCells(region);
        benchmark::DoNotOptimize(region.placed.data());
    }
    state.counters["expansions/s"] = benchmark::Counter(static_cast<double>(expansions), benchmark::Counter::kIsRate);
    state.counters["PeakStates"] = static_cast<double>(peakStates);
    state.counters["Covered"] = regionCells == 0 ? 1.0 : static_cast<double>(covered) / regionCells;
    state.counters["RegionCells"] = regionCells;
    state.counters["PeakRSS_MB"] = PeakResidentMB();
}

void RegisterMap(const std::string& name, SearchState (*makeMap)(), std::int64_t fastStop, std::int64_t simpleStop)
{
    benchmark::RegisterBenchmark(("Layout/" + name + "/Fast").c_str(), Layout, &LayoutSearch::Run, makeMap, fastStop)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Layout/" + name + "/Simple").c_str(), Layout, &SimpleLayoutSearch::Run, makeMap,
                                 simpleStop)
        ->Unit(benchmark::kMillisecond);
}

void RegisterMaps()
{
    RegisterMap("Empty", &RandomRegions::Empty, NoStop, NoStop);
    RegisterMap("Square20", [] { return RandomRegions::Rectangle(100, 100, 20, 20); }, NoStop, NoStop);
    RegisterMap("Town", [] { return RandomRegions::Town(3, 5000); }, NoStop, NoStop);
    RegisterMap("Whole", &WholeArea, NoStop, NoStop);
    RegisterMap("Square40TwoHoles", &SquareWithTwoHoles, NoStop, NoStop);
    // Stopped for both searches: unstopped it would run for hours.
    RegisterMap("WholeFiftyHoles", &WholeAreaWithFiftyHoles, 200000, 200000);
}

}  // namespace

int main(int argc, char** argv)
{
    RegisterMaps();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
