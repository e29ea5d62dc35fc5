#include "search/optimised/HolePairs.h"

#include "search/optimised/PackingRegion.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>

void HolePairs::Update(const PackingRegion& region, const std::vector<std::int32_t>& holes)
{
    std::vector<std::int32_t> sorted = holes;
    std::sort(sorted.begin(), sorted.end());
    if (sorted == paired_ && !forbiddenChanged_)
        return;
    paired_ = std::move(sorted);
    forbiddenChanged_ = false;

    // Closest first: every candidate pair by span, then by the sum of offsets.
    std::vector<std::tuple<int, int, int, int>> candidates;
    for (const int a : paired_) {
        if (PackingRegion::Colour(a) != 0)
            continue;
        for (const int b : paired_) {
            if (PackingRegion::Colour(b) == 0 || region.ComponentOf(a) != region.ComponentOf(b) ||
                forbidden_.count(Key(a, b)) > 0)
                continue;
            candidates.emplace_back(Span(a, b), std::abs(CellX(a) - CellX(b)) + std::abs(CellY(a) - CellY(b)), a, b);
        }
    }
    std::sort(candidates.begin(), candidates.end());
    partner_.clear();
    withPartner_.clear();
    closestSpan_.clear();
    for (const auto& [far, sum, a, b] : candidates) {
        if (partner_.count(a) == 0 && partner_.count(b) == 0) {
            partner_[a] = b;
            partner_[b] = a;
            withPartner_.push_back(a);
            withPartner_.push_back(b);
            // In order of span: a component's first pair is its closest.
            closestSpan_.emplace(region.ComponentOf(a), far);
        }
    }
}

void HolePairs::Forbid(int a, int b)
{
    forbiddenChanged_ = forbidden_.insert(Key(a, b)).second || forbiddenChanged_;
}

void HolePairs::ForgetForbidden()
{
    forbiddenChanged_ = !forbidden_.empty() || forbiddenChanged_;
    forbidden_.clear();
}

std::int64_t HolePairs::Key(int a, int b)
{
    return static_cast<std::int64_t>(std::min(a, b)) * GridCells + std::max(a, b);
}

int HolePairs::PartnerOf(int hole) const
{
    const auto it = partner_.find(hole);
    return it == partner_.end() ? -1 : it->second;
}

int HolePairs::Span(int a, int b)
{
    return std::max(std::abs(CellX(a) - CellX(b)), std::abs(CellY(a) - CellY(b)));
}

int HolePairs::ClosestSpan(int component) const
{
    const auto it = closestSpan_.find(component);
    return it == closestSpan_.end() ? -1 : it->second;
}
