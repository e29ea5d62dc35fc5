#pragma once

struct SearchState;

// An estimate of how many cells of a component must stay uncovered, from the
// shape of its border: used to order and prune states, not a proven bound.
int EstimateWaste(const SearchState& component);
