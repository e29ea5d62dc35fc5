#include "search/RecordChain.h"

#include <algorithm>

RecordChain::NodeId RecordChain::Push(NodeId tail, LayoutRecord record)
{
    if (freeList_ == kEmpty) {
        chunks_.push_back(std::make_unique<Node[]>(std::size_t{1} << kChunkBits));
        const NodeId first = capacity_;
        capacity_ += NodeId{1} << kChunkBits;
        for (NodeId id = capacity_; id-- > first;) {
            At(id).previous = freeList_;
            freeList_ = id;
        }
    }
    const NodeId id = freeList_;
    Node& node = At(id);
    freeList_ = node.previous;
    node.record = record;
    node.holds = 1;
    node.previous = tail;
    ++live_;
    return id;
}

void RecordChain::Hold(NodeId node)
{
    if (node != kEmpty)
        ++At(node).holds;
}

void RecordChain::Release(NodeId node)
{
    // Iterative: a long list whose last holder goes is freed node by node.
    while (node != kEmpty) {
        Node& n = At(node);
        if (--n.holds != 0)
            return;
        const NodeId previous = n.previous;
        n.previous = freeList_;
        freeList_ = node;
        --live_;
        node = previous;
    }
}

void RecordChain::AppendTo(NodeId tail, std::vector<LayoutRecord>& out) const
{
    const std::size_t start = out.size();
    for (NodeId id = tail; id != kEmpty; id = At(id).previous)
        out.push_back(At(id).record);
    std::reverse(out.begin() + static_cast<std::ptrdiff_t>(start), out.end());
}
