#pragma once

#include "search/LayoutRecord.h"
#include "search/RecordChain.h"
#include "search/ScanBox.h"
#include "search/ScanShape.h"
#include "search/ScanStates.h"
#include "search/StateQueues.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class SearchControl;
class StateStore;
struct SearchState;

// The search of one component, with the settings SearchControl holds for it.
// Both ways append the component's records to `out`, unless cancelled.
class ComponentSearch {
public:
    ComponentSearch(const SearchState& component, SearchControl& control);

    // Best-first beam search along the scan lines; turns greedy on stop.
    void Beam(std::vector<LayoutRecord>& out);
    // Fills the component in one pass from its first cell.
    void Greedy(std::vector<LayoutRecord>& out);

private:
    using StateId = ScanStates::StateId;
    static constexpr std::size_t kBeamShapeCount = 3;
    using Shapes = std::array<ScanShape, kBeamShapeCount>;
    // What the store keeps: a state, or a state and the beam shape to place
    // on it first. A child is made only once it comes to the front; most
    // children are pruned long before.
    using Kept = std::uint32_t;
    static constexpr std::uint32_t kItself = 3;
    static constexpr StateId kNoState = ~StateId{0};

    static Kept Itself(StateId id) { return id << 2 | kItself; }
    static Kept Child(StateId parent, std::size_t shape) { return parent << 2 | static_cast<std::uint32_t>(shape); }
    // The kept state as a state of its own, held by the caller, and the
    // patch at its cursor unless it is complete.
    StateId Make(StateQueues::Entry kept, CursorPatch& patch);
    void Drop(Kept kept) { states_.Release(kept >> 2); }
    void DropAll(StateStore& store);
    void PrefetchPruned(const StateStore& store) const;

    // Fills `id` from its cursor on and appends its records; releases it.
    void FillGreedily(StateId id, std::vector<LayoutRecord>& out);
    int ExcessClass(int waste) const;
    int MaxScore() const;
    static std::size_t LeastRecordCollect(std::int64_t stateLimit);

    SearchControl& control_;
    ScanBox box_;
    RecordChain records_;
    ScanStates states_;
    Shapes beamShapes_;
    Shapes greedyShapes_;
};
