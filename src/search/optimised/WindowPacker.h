#pragma once

#include "search/optimised/Footprint.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace CaDiCaL {
class Solver;
}
class ClauseSink;
class Totalizer;

// The open cells of a window: a box of the grid in which every open cell may
// be covered by a new building lying wholly on open cells.
struct WindowCells {
    int x0 = 0;
    int y0 = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> open;  // width × height, row by row

    bool IsOpen(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height && open[static_cast<std::size_t>(x + y * width)];
    }
    // The grid colour (CellColour) of a window cell.
    int Colour(int x, int y) const { return CellColour(x0 + x, y0 + y); }
};

// When a solve must give up: flags checked while it runs (the user's stop and
// cancel), a deadline, and a conflict limit that makes single-threaded runs
// repeatable.
struct SolveLimits {
    std::array<const std::atomic<bool>*, 2> abandonWhen{};
    std::optional<std::chrono::steady_clock::time_point> deadline;
    int conflicts = 20000;
};

// Packs the open cells of one window exactly with a SAT solver: "cover all but
// at most k cells, with at least f factories, leaving these cells covered".
// One packer answers several such questions about the same window.
class WindowPacker {
public:
    enum class Outcome { Found, Impossible, Unknown };
    // How the solver searches. Focused restarts often, which settles most
    // windows soonest, impossible ones above all. Steady keeps longer to its
    // best assignment, which packs large windows the focused search gave up on.
    enum class Search { Focused, Steady };

    // `maxUncovered` and `maxFactories` cap the bounds that can be asked for.
    // The solver first tries the buildings of `hint` (the window's layout now),
    // so that it searches near what is known to work.
    WindowPacker(const WindowCells& cells, int maxUncovered, int maxFactories, std::uint32_t seed,
                 const std::vector<Placement>& hint = {}, Search search = Search::Focused);
    ~WindowPacker();
    WindowPacker(const WindowPacker&) = delete;
    WindowPacker& operator=(const WindowPacker&) = delete;

    // mustCover: window-local cell numbers (x + y * width) that must be covered.
    Outcome Solve(int maxUncovered, int minFactories, const std::vector<int>& mustCover, const SolveLimits& limits);

    // After Found: the buildings, in grid coordinates.
    std::vector<Placement> Layout() const;
    // The least uncovered cells the colouring allows.
    int ColourBound() const { return colourBound_; }
    // The same, without building a packer.
    static int ColourBoundOf(const WindowCells& cells);

private:
    struct LocalPlacement {
        int x, y, footprint;
    };
    // Every footprint position on open cells only.
    static std::vector<LocalPlacement> FittingPlacements(const WindowCells& cells);

    // No two candidates that share a cell may both be chosen.
    void ExcludeOverlaps();

    // The most coverable cells of a colour that may stay uncovered when at
    // most `maxUncovered` open cells may; -1 when none can do.
    int UncoveredOfColour(int maxUncovered, int colour) const;

    struct Candidate {
        int x, y, footprint, variable;
    };

    WindowCells cells_;
    std::unique_ptr<CaDiCaL::Solver> solver_;
    std::unique_ptr<ClauseSink> sink_;
    std::vector<Candidate> candidates_;
    std::vector<int> uncoveredVariable_;  // per local cell, 0 when not open
    std::array<std::unique_ptr<Totalizer>, 2> uncovered_;  // by colour
    std::array<int, 2> coverableByColour_{};
    std::unique_ptr<Totalizer> factories_;
    std::vector<Placement> layout_;
    int uncoverable_ = 0;
    int colourBound_ = 0;
    int factoryCount_ = 0;
};
