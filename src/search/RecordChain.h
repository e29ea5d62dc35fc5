#pragma once

#include "search/LayoutRecord.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The placed records of many search states at once. A state holds the last
// node of its list; a child shares its parent's list and adds one node, so
// states that branched late share almost everything. Nodes are only ever
// appended, which keeps a new node beside its siblings and makes dropping a
// state free; now and then Collect keeps the nodes some state still reaches
// and slides them together.
class RecordChain {
public:
    using NodeId = std::uint32_t;
    static constexpr NodeId kEmpty = 0xFFFFFFFFu;

    // Collecting is worthwhile from `leastCollect` nodes on, or when the
    // nodes have tripled since the last collection.
    explicit RecordChain(std::size_t leastCollect = 1024) : leastCollect_(leastCollect), nextCollect_(leastCollect) {}

    // A new node after `tail`.
    NodeId Push(NodeId tail, LayoutRecord record)
    {
        if ((size_ >> kChunkBits) == chunks_.size())
            chunks_.push_back(std::make_unique_for_overwrite<Node[]>(std::size_t{1} << kChunkBits));
        const auto id = static_cast<NodeId>(size_++);
        At(id) = Node{record, tail};
        return id;
    }

    // The records of the list ending at `tail`, first placed first.
    void AppendTo(NodeId tail, std::vector<LayoutRecord>& out) const;

    // The nodes have grown enough since the last Collect to make another worthwhile.
    bool WantsCollect() const { return size_ >= nextCollect_; }
    // Keeps only the nodes reachable from the roots and renumbers them.
    // `forEachRoot(visit)` must call visit(NodeId&) for every list still
    // held; it is called twice, and the roots are renumbered in the second.
    template <class ForEachRoot>
    void Collect(const ForEachRoot& forEachRoot)
    {
        marks_.assign((size_ + 63) / 64, 0);
        forEachRoot([this](NodeId& root) { Mark(root); });
        Compact();
        forEachRoot([this](NodeId& root) { root = Moved(root); });
    }

    std::size_t Nodes() const { return size_; }

private:
    // Left unset when made: a node is written whole before it is read.
    struct Node {
        LayoutRecord record;
        NodeId previous;
    };
    static constexpr unsigned kChunkBits = 12;
    static constexpr NodeId kChunkMask = (NodeId{1} << kChunkBits) - 1;

    Node& At(NodeId id) { return chunks_[id >> kChunkBits][id & kChunkMask]; }
    const Node& At(NodeId id) const { return chunks_[id >> kChunkBits][id & kChunkMask]; }
    void Mark(NodeId root)
    {
        if (root != kEmpty)
            marks_[root >> 6] |= std::uint64_t{1} << (root & 63);
    }
    void Compact();
    NodeId Moved(NodeId id) const;

    std::vector<std::unique_ptr<Node[]>> chunks_;
    std::size_t size_ = 0;
    std::size_t leastCollect_;
    std::size_t nextCollect_;
    std::vector<std::uint64_t> marks_;     // a bit per node reached
    std::vector<std::uint32_t> marksBefore_;  // marked nodes in the words before
};
