#pragma once

#include "search/LayoutRecord.h"

#include <cstdint>
#include <memory>
#include <vector>

// The placed records of many search states at once. A state holds the last
// node of its list; a child shares its parent's list and adds one node, so
// states that branched late share almost everything. Nodes are counted and
// return to a free list when no state or later node holds them.
class RecordChain {
public:
    using NodeId = std::uint32_t;
    static constexpr NodeId kEmpty = 0xFFFFFFFFu;

    // A new node after `tail`; the new node takes over the caller's hold on
    // `tail`, and the caller holds the new node.
    NodeId Push(NodeId tail, LayoutRecord record);
    void Hold(NodeId node);
    void Release(NodeId node);

    // The records of the list ending at `tail`, first placed first.
    void AppendTo(NodeId tail, std::vector<LayoutRecord>& out) const;

    std::size_t LiveNodes() const { return live_; }

private:
    struct Node {
        LayoutRecord record;
        std::uint32_t holds = 0;
        NodeId previous = kEmpty;  // also the free-list link
    };
    static constexpr std::size_t kChunkBits = 14;

    Node& At(NodeId id) { return chunks_[id >> kChunkBits][id & ((1u << kChunkBits) - 1)]; }
    const Node& At(NodeId id) const { return chunks_[id >> kChunkBits][id & ((1u << kChunkBits) - 1)]; }

    std::vector<std::unique_ptr<Node[]>> chunks_;
    NodeId capacity_ = 0;
    NodeId freeList_ = kEmpty;
    std::size_t live_ = 0;
};
