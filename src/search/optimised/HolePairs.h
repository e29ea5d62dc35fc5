#pragma once

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class PackingRegion;

// Pairs the uncovered cells of each component, one of either colour, the
// closest first. Only such a pair can be covered together, and giving every
// cell one partner keeps two cells from heading for the same third.
class HolePairs {
public:
    // Pairs anew when the uncovered cells or the forbidden pairs changed
    // since the last call.
    void Update(const PackingRegion& region, const std::vector<std::int32_t>& holes);
    // Never pairs these two again: they cannot be covered together, so each
    // is better off with another partner.
    void Forbid(int a, int b);
    // Allows every pair again, for a new round once the holes have moved.
    void ForgetForbidden();

    // The uncovered cells that have a partner.
    const std::vector<std::int32_t>& Paired() const { return withPartner_; }
    // The partner of an uncovered cell, -1 when it has none.
    int PartnerOf(int hole) const;
    // The larger offset (along x or y) of a pair.
    static int Span(int a, int b);
    // The least span of the pairs of a component, -1 when it has none.
    int ClosestSpan(int component) const;
    // One number for a pair, the same either way round.
    static std::int64_t Key(int a, int b);

private:

    std::unordered_set<std::int64_t> forbidden_;
    bool forbiddenChanged_ = false;
    std::vector<std::int32_t> paired_;  // the holes the pairs were made for, sorted
    std::unordered_map<int, int> partner_;
    std::vector<std::int32_t> withPartner_;
    std::unordered_map<int, int> closestSpan_;  // by component
};
