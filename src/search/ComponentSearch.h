#pragma once

#include "search/LayoutRecord.h"
#include "search/RecordChain.h"
#include "search/ScanBox.h"
#include "search/ScanStates.h"

#include <vector>

class SearchControl;
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

    // Fills `id` from its cursor on and appends its records; frees it.
    void FillGreedily(StateId id, std::vector<LayoutRecord>& out);
    int ExcessClass(StateId id) const;

    SearchControl& control_;
    ScanBox box_;
    RecordChain records_;
    ScanStates states_;
};
