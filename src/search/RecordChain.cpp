#include "search/RecordChain.h"

#include <algorithm>
#include <bit>

void RecordChain::AppendTo(NodeId tail, std::vector<LayoutRecord>& out) const
{
    const std::size_t start = out.size();
    for (NodeId id = tail; id != kEmpty; id = At(id).previous)
        out.push_back(At(id).record);
    std::reverse(out.begin() + static_cast<std::ptrdiff_t>(start), out.end());
}

void RecordChain::Compact()
{
    // A node's predecessor is always older, so one pass from the newest node
    // down marks everything the roots reach.
    for (std::size_t id = size_; id-- > 0;) {
        if ((marks_[id >> 6] >> (id & 63)) & 1u)
            Mark(At(static_cast<NodeId>(id)).previous);
    }
    marksBefore_.resize(marks_.size());
    std::uint32_t kept = 0;
    for (std::size_t word = 0; word < marks_.size(); ++word) {
        marksBefore_[word] = kept;
        kept += static_cast<std::uint32_t>(std::popcount(marks_[word]));
    }
    // Kept nodes only move down, so sliding them in order overwrites nothing still needed.
    NodeId next = 0;
    for (std::size_t word = 0; word < marks_.size(); ++word) {
        for (std::uint64_t bits = marks_[word]; bits != 0; bits &= bits - 1) {
            const auto id = static_cast<NodeId>(word * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
            const Node node = At(id);
            At(next++) = Node{node.record, Moved(node.previous)};
        }
    }
    // The chunks stay: the nodes will grow back into them.
    size_ = kept;
    nextCollect_ = std::max(3 * size_, leastCollect_);
}

RecordChain::NodeId RecordChain::Moved(NodeId id) const
{
    if (id == kEmpty)
        return kEmpty;
    const std::uint64_t below = marks_[id >> 6] & ((std::uint64_t{1} << (id & 63)) - 1);
    return marksBefore_[id >> 6] + static_cast<NodeId>(std::popcount(below));
}
