#pragma once

#include "search/optimised/OptimiseSettings.h"
#include "search/optimised/Neighbourhood.h"
#include "search/optimised/PackingLayout.h"
#include "search/optimised/WindowPacker.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <vector>

class SearchControl;

// Improves a complete layout by large neighbourhoods: it frees the buildings
// of a window (mostly around an uncovered cell), re-packs the window exactly
// and keeps what is better. Small components are solved whole, which also
// proves their least waste. Several threads work at once on windows that do
// not meet, so that each keeps the cells it reads to itself.
class NeighbourhoodSearch {
public:
    NeighbourhoodSearch(PackingLayout& layout, SearchControl& control, const OptimiseSettings& settings);

    // Works until the time or work is used up, the user stops or cancels, or
    // every component is known to be at its least waste with no factory to gain.
    void Run();

    // Least uncovered cells any layout of the region can have, as proven so far.
    int Bound() const;

private:
    enum class Query { Improve, Factories, TowardPartner, WholeComponent };
    struct Rect {
        int x0, y0, x1, y1;  // inclusive
        bool Meets(const Rect& o) const { return x0 <= o.x1 && o.x0 <= x1 && y0 <= o.y1 && o.y0 <= y1; }
        friend bool operator==(const Rect&, const Rect&) = default;
    };
    struct Task {
        Query query = Query::Improve;
        std::vector<int> marked;     // the cells whose buildings are freed
        Rect reserved{};             // no other thread's task meets it meanwhile
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

    void Worker(std::uint32_t seed);
    bool Finished() const;
    std::optional<Task> PickTask(std::mt19937& dice);
    bool PickHoleTask(std::mt19937& dice, Task& task);
    bool PickFactoryTask(std::mt19937& dice, Task& task);
    void MarkRect(int x0, int y0, int w, int h, Task& task) const;
    void MarkCorridor(int from, int to, int halfWidth, Task& task) const;
    bool Reserve(Task& task);
    void Release(const Rect& rect);
    void Extract(Task& task) const;
    // Runs the task's questions without the lock; the layout found, if any.
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

    mutable std::mutex mutex_;
    std::vector<ComponentState> components_;
    std::vector<Rect> active_;
    std::int64_t workDone_ = 0;
    std::size_t wholeNext_ = 0;       // next small component to solve whole
    std::vector<int> wholeOrder_;     // small components, smallest first
};
