#include "search/optimised/HolePairs.h"

#include "search/optimised/PackingRegion.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

void HolePairs::Update(const PackingRegion& region, const std::vector<std::int32_t>& holes)
{
    std::vector<std::int32_t> sorted = holes;
    std::sort(sorted.begin(), sorted.end());
    if (sorted == paired_)
        return;
    paired_ = std::move(sorted);
    partner_.clear();

    // Every candidate pair by distance: the larger offset, then the sum.
    std::vector<std::tuple<int, int, int, int>> candidates;
    for (std::size_t i = 0; i < paired_.size(); ++i) {
        const int a = paired_[i];
        if (PackingRegion::Colour(a) != 0)
            continue;
        for (const int b : paired_) {
            if (PackingRegion::Colour(b) == 0 || region.ComponentOf(a) != region.ComponentOf(b))
                continue;
            const int dx = std::abs(CellX(a) - CellX(b)), dy = std::abs(CellY(a) - CellY(b));
            candidates.emplace_back(std::max(dx, dy), dx + dy, a, b);
        }
    }
    std::sort(candidates.begin(), candidates.end());
    for (const auto& [far, sum, a, b] : candidates) {
        if (partner_.count(a) == 0 && partner_.count(b) == 0) {
            partner_[a] = b;
            partner_[b] = a;
        }
    }
}

int HolePairs::PartnerOf(int hole) const
{
    const auto it = partner_.find(hole);
    return it == partner_.end() ? -1 : it->second;
}
