#pragma once

class SearchControl;
struct SearchState;

// Packs factories (5 × 4) and houses (2 × 3, 3 × 2) into the free cells of a
// region so that as few cells as possible are wasted. Each 4-connected
// component gets a memory-bounded best-first beam search along scan lines.
// The same region and settings always give the same records in the same order.
class LayoutSearch {
public:
    // `region` is the whole search box (normally 250 × 250) with its free
    // cells set and nothing placed. Its free bits are consumed; the records of
    // every finished component are appended to region.placed. Reads
    // control.stop, control.cancel, control.stateLimit and
    // control.stopAfterExpansions; writes the per-component fields and the
    // progress counters.
    static void Run(SearchState& region, SearchControl& control, int maxBackLine);
};
