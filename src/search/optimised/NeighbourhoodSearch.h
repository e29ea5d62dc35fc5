#pragma once

#include "search/optimised/HolePairs.h"
#include "search/optimised/OptimiseSettings.h"
#include "search/optimised/Neighbourhood.h"
#include "search/optimised/PackingLayout.h"
#include "search/optimised/WindowPacker.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <random>
#include <unordered_map>
#include <utility>
#include <vector>

class SearchControl;

// What the searches improving one layout share. They read and change it only
// while they hold `lock`.
struct SharedLayout {
    struct ComponentState {
        int bound = 0;  // least uncovered cells, as proven so far
        int stale = 0;  // hole tasks since the last that gained
        bool factoriesDone = false;
        int factoryFailures = 0;
        bool wholeTaken = false;  // a search has taken it to solve whole
    };

    // Per pair box (HolePairs::Key of the pair): which of its sizes (growth
    // of its margin) are proven too small, which to try next, and per size
    // how often the solver gave up on it and whether a search is solving it
    // now.
    struct PairBox {
        static constexpr int kSizes = 6;
        enum class Result { Covered, Overtaken, TooHard, Impossible };

        // The size to solve next, no larger than `largest` (the largest box
        // that fits the pair); -1 when every size up to it is being solved or
        // proven too small. Past the largest, the sizes not proven too small
        // come round again. Start marks a size as being solved.
        int NextSize(int largest);
        void Start(int size) { solving[static_cast<std::size_t>(size)] = true; }
        int Effort(int size) const { return givenUp[static_cast<std::size_t>(size)]; }
        // What solving a size showed; true when the pair should be parted.
        bool Finish(int size, Result result);

        int least = 0;  // the smaller sizes are too small
        int next = 0;
        std::array<int, kSizes> givenUp{};
        std::array<bool, kSizes> solving{};
    };

    explicit SharedLayout(PackingLayout& layout);

    PackingLayout& layout;
    std::mutex lock;
    std::vector<ComponentState> components;
    HolePairs pairs;
    std::unordered_map<std::int64_t, PairBox> pairBoxes;
};

// Improves a complete layout by large neighbourhoods: it frees the buildings
// around an uncovered cell (a window, or the way to a hole of the other
// colour), packs them anew exactly and keeps what is better. Small
// components are solved whole, which also proves their least waste. One
// search runs on one thread; several can improve one layout at once, each
// keeping what it found only where no other changed the layout meanwhile.
// They start their small components at different places (`member` of
// `members`).
class NeighbourhoodSearch {
public:
    NeighbourhoodSearch(SharedLayout& shared, SearchControl& control, const OptimiseSettings& settings,
                        int member = 0, int members = 1);

    // Works until the time or work is used up, the user stops or cancels, or
    // every component is known to be at its least waste with no factory to gain.
    void Run();

private:
    enum class Query { Improve, Factories, TowardPartner, WholeComponent };
    struct Task {
        Query query = Query::Improve;
        std::vector<int> marked;     // the cells whose buildings are freed
        int component = -1;          // WholeComponent and Factories: the component
        int mover = -1;              // TowardPartner and pair boxes: the hole it started from
        int partner = -1;            // and that hole's partner
        Neighbourhood part;
        std::vector<Placement> hint;  // the freed buildings, as freed
        // TowardPartner: local cells covered now, the hole's among them, and
        // their distances from the partner.
        std::vector<std::pair<int, int>> distances;
        int bound = 0;               // WholeComponent: the proven bound before and after
        bool factoriesProven = false;
        std::uint32_t seed = 0;
        std::int64_t pairKey = -1;  // a box around two partners: HolePairs::Key of them
        int pairGrowth = 0;         // and how much larger than the least box it is
        int effort = 0;             // the conflicts are four to this power times the usual
        bool found = false;         // the solver found a layout, whether or not it was kept
        bool tooHard = false;       // the solver gave up on it
    };

    bool Finished() const;
    std::optional<Task> PickTask();
    bool PickHoleTask(Task& task);
    // The paired holes of components above their least waste. When none is
    // left there, every pair is allowed again.
    std::vector<int> PairedAboveBound();
    bool PickFactoryTask(Task& task, bool atBoundOnly);
    void MarkRect(int x0, int y0, int w, int h, Task& task) const;
    void MarkCorridor(int from, int to, int halfWidth, Task& task) const;
    // False when the box would be too large.
    bool MarkPairBox(int u, int partner, Task& task);
    void MarkToward(int u, int partner, Task& task);
    static bool HasCells(const Task& task) { return !task.marked.empty(); }
    void Extract(Task& task) const;
    // Runs the task's questions; the layout found, if any.
    std::optional<std::vector<Placement>> Solve(Task& task);
    std::optional<std::vector<Placement>> SolveWhole(Task& task, WindowPacker& packer, const SolveLimits& limits);
    bool Unchanged(const Task& task) const;
    // Puts the layout found in place when it is better; whether it did.
    bool Apply(const Task& task, const std::vector<Placement>& layout);
    void Settle(const Task& task, bool improved);
    void Publish();
    bool IsDone(int component) const;
    bool AtBound(int component) const;

    SharedLayout& shared_;
    PackingLayout& layout_;
    std::vector<SharedLayout::ComponentState>& components_;
    const PackingRegion& region_;
    SearchControl& control_;
    OptimiseSettings settings_;
    std::optional<std::chrono::steady_clock::time_point> deadline_;

    std::int64_t workDone_ = 0;
    std::mt19937 dice_;
    std::size_t wholeNext_ = 0;       // next small component to solve whole
    std::vector<int> wholeOrder_;     // small components, smallest first
    HolePairs& pairs_;
};
