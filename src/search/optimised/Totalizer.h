#pragma once

#include <vector>

class ClauseSink;

// Counts how many of some literals are true, in unary, for one of two uses.
// LimitAtMost: output k (from 1) is forced true by any k true inputs, so
// assuming its negation keeps at most k - 1 inputs true. RequireAtLeast:
// output k true forces at least k true inputs. Outputs stop at `cap`, which
// is all the bounds ever asked about need.
class Totalizer {
public:
    enum class Use { LimitAtMost, RequireAtLeast };

    Totalizer(ClauseSink& sink, const std::vector<int>& inputs, int cap, Use use);

    // The literal "at least k inputs are true", 1 ≤ k; 0 when k is beyond the
    // cap or the input count (then it can never be asked for).
    int AtLeast(int k) const;

private:
    std::vector<int> Merge(ClauseSink& sink, const std::vector<int>& inputs, std::size_t from, std::size_t to);

    int cap_;
    Use use_;
    std::vector<int> outputs_;
};
