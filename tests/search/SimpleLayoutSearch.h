#pragma once

class SearchControl;
struct SearchState;

// A second, deliberately plain layout search with the same contract as
// LayoutSearch::Run: every state is a full copy, the store an ordered
// multiset. It exists to be compared with the fast search, record for record,
// so it favours being obviously right over being quick.
class SimpleLayoutSearch {
public:
    static void Run(SearchState& region, SearchControl& control, int maxBackLine);
};
