#pragma once

#include "search/optimised/OptimiseSettings.h"

class SearchControl;
struct SearchState;

// The optimised layout mode: the same region, footprints and aim as the
// beam search (fewest uncovered cells, then the highest score), reached by a
// first greedy layout that large-neighbourhood search then improves until
// the time or work is used up, the user stops, or the layout is proven best.
class OptimisedLayout {
public:
    struct Outcome {
        int uncovered = 0;  // region cells the layout leaves uncovered
        int bound = 0;      // least uncovered cells any layout can have, as proven
        bool Proven() const { return uncovered == bound; }
    };

    // `region` as for LayoutSearch::Run: its free bits mark the cells; the
    // records of the layout are appended to region.placed (nothing on cancel).
    static Outcome Run(SearchState& region, SearchControl& control, const OptimiseSettings& settings);
};
