#pragma once

#include "search/optimised/OptimiseSettings.h"
#include "search/optimised/Neighbourhood.h"
#include "search/optimised/PackingLayout.h"
#include "search/optimised/WindowPacker.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

class SearchControl;

// Improves a complete layout by large neighbourhoods: it frees the buildings
// around an uncovered cell (a window, or the way to a hole of the other
// colour), packs them anew exactly and keeps what is better. Small
// components are solved whole, which also proves their least waste. One
// search runs on one thread; several can improve copies of a layout at once,
// starting their small components at different places (`member` of `members`).
class NeighbourhoodSearch {
public:
    NeighbourhoodSearch(PackingLayout& layout, SearchControl& control, const OptimiseSettings& settings, int member = 0,
                        int members = 1);

    // Works until the time or work is used up, the user stops or cancels, or
    // every component is known to be at its least waste with no factory to gain.
    void Run();

    // Least uncovered cells the component can have, as proven so far.
    int ComponentBound(int component) const { return components_[static_cast<std::size_t>(component)].bound; }

private:
    enum class Query { Improve, Factories, TowardPartner, WholeComponent };
    struct Task {
        Query query = Query::Improve;
        std::vector<int> marked;     // the cells whose buildings are freed
        int component = -1;          // WholeComponent and Factories: the component
        int mover = -1;              // TowardPartner: the hole that moves
        int partner = -1;            // TowardPartner: the hole it moves toward
        Neighbourhood part;
        std::vector<int> mustCover;  // TowardPartner: local cells to keep covered
        int bound = 0;               // WholeComponent: the proven bound before and after
        bool factoriesProven = false;
        std::uint32_t seed = 0;
    };
    struct ComponentState {
        int bound = 0;
        int stale = 0;  // hole tasks since the last that gained

        bool factoriesDone = false;
        int factoryFailures = 0;
    };

    bool Finished() const;
    std::optional<Task> PickTask();
    bool PickHoleTask(Task& task);
    bool PickFactoryTask(Task& task);
    void MarkRect(int x0, int y0, int w, int h, Task& task) const;
    void MarkCorridor(int from, int to, int halfWidth, Task& task) const;
    static bool HasCells(const Task& task) { return !task.marked.empty(); }
    void Extract(Task& task) const;
    // Runs the task's questions; the layout found, if any.
    std::optional<std::vector<Placement>> Solve(Task& task);
    std::optional<std::vector<Placement>> SolveWhole(Task& task, WindowPacker& packer, const SolveLimits& limits);
    void Apply(const Task& task, const std::vector<Placement>& layout);
    void Settle(const Task& task, bool improved);
    void Publish();
    bool IsDone(int component) const;
    bool AtBound(int component) const;

    PackingLayout& layout_;
    const PackingRegion& region_;
    SearchControl& control_;
    OptimiseSettings settings_;
    std::optional<std::chrono::steady_clock::time_point> deadline_;

    std::vector<ComponentState> components_;
    std::int64_t workDone_ = 0;
    std::mt19937 dice_;
    std::size_t wholeNext_ = 0;       // next small component to solve whole
    std::vector<int> wholeOrder_;     // small components, smallest first
};
