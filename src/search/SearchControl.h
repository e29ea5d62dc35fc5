#pragma once

#include <atomic>
#include <cstdint>

// Shared by the search worker and the UI thread: the stop and cancel flags the
// user sets, the limits of a run, the settings of the component in hand, and
// progress counters the UI may read while the worker runs.
class SearchControl {
public:
    // The process-wide control; "Dead Reference Detected" after exit-time destruction.
    static SearchControl& Instance();

    std::atomic<bool> cancel{false};  // abandon the search; nothing is handed back
    std::atomic<bool> stop{false};    // finish greedily with what is in hand
    // Set by the worker when memory ran out: the run then ended as on a stop.
    std::atomic<bool> outOfMemory{false};

    // Set before a run.
    std::int64_t stateLimit = -1;
    // Sets `stop` once this many states have been taken from the store
    // (negative: never). Makes stopped searches reproducible.
    std::int64_t stopAfterExpansions = -1;

    // Set anew for each component.
    int originX = 0;
    int originY = 0;
    int minWaste = 0;
    int backCells = 999999999;
    int wasteSlack = 10;
    bool rowScan = true;

    // Progress, written by the worker.
    std::atomic<int> componentsDone{0};
    std::atomic<int> componentsTotal{0};
    std::atomic<std::int64_t> statesKept{0};  // in the store now
    std::atomic<std::int64_t> peakStates{0};  // most states the store held in this run
    std::atomic<std::int64_t> expansions{0};

    // The optimised mode's progress: whether it runs, the uncovered cells of
    // its best layout so far and the least any layout can have (-1: not yet).
    std::atomic<bool> optimising{false};
    std::atomic<int> optimisedUncovered{-1};
    std::atomic<int> optimisedBound{-1};

    // Clears the flags and counters for a new run; keeps the limits.
    void ResetForRun();
};
