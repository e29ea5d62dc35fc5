#pragma once

#include "search/PatchLines.h"

#include <cstdint>
#include <memory>
#include <vector>

// First-in first-out queues of kept states, each also open at its back, that
// share one pool of small blocks. A queue is a handle of a few bytes; an
// empty one holds no block. Taking from either end reads only the queue's own
// blocks, never the states.
class StateQueues {
public:
    // A kept state with the waste the store's pruning asks about and, for a
    // child not made yet, the cells its placement takes: read in queue
    // order, they cost less here than beside the state.
    struct Entry {
        std::uint32_t id;
        std::int32_t waste;
        PatchLines taken;
    };
    struct Queue {
        std::uint32_t head = kNoBlock;
        std::uint32_t tail = kNoBlock;
        std::uint16_t headAt = 0;  // the first entry in the head block
        std::uint16_t tailAt = 0;  // one past the last entry in the tail block
    };

    static bool Empty(const Queue& q) { return q.head == kNoBlock; }

    void PushBack(Queue& q, Entry entry)
    {
        if (q.tail == kNoBlock) {
            q.head = q.tail = NewBlock(kNoBlock);
            q.headAt = q.tailAt = 0;
        } else if (q.tailAt == kEntries) {
            const std::uint32_t block = NewBlock(q.tail);
            BlockAt(q.tail).next = block;
            q.tail = block;
            q.tailAt = 0;
        }
        BlockAt(q.tail).entries[q.tailAt++] = entry;
    }

    // Puts an entry before all others: the store's best state going back
    // among the queues it went before.
    void PushFront(Queue& q, Entry entry)
    {
        if (q.head == kNoBlock) {
            PushBack(q, entry);
            return;
        }
        if (q.headAt == 0) {
            const std::uint32_t block = NewBlock(kNoBlock);
            BlockAt(block).next = q.head;
            BlockAt(q.head).previous = block;
            q.head = block;
            q.headAt = kEntries;
        }
        BlockAt(q.head).entries[--q.headAt] = entry;
    }

    Entry PopFront(Queue& q)
    {
        Block& head = BlockAt(q.head);
        const Entry entry = head.entries[q.headAt++];
        if (q.head == q.tail && q.headAt == q.tailAt) {
            freeBlocks_.push_back(q.head);
            q = Queue{};
        } else if (q.headAt == kEntries) {
            const std::uint32_t next = head.next;
            freeBlocks_.push_back(q.head);
            q.head = next;
            BlockAt(next).previous = kNoBlock;
            q.headAt = 0;
        }
        return entry;
    }

    Entry PopBack(Queue& q)
    {
        Block& tail = BlockAt(q.tail);
        const Entry entry = tail.entries[--q.tailAt];
        if (q.head == q.tail && q.headAt == q.tailAt) {
            freeBlocks_.push_back(q.tail);
            q = Queue{};
        } else if (q.tailAt == 0) {
            const std::uint32_t previous = tail.previous;
            freeBlocks_.push_back(q.tail);
            q.tail = previous;
            BlockAt(previous).next = kNoBlock;
            q.tailAt = kEntries;
        }
        return entry;
    }

    // The entry `n` places before the back one when it is in the back block.
    const Entry* BeforeBack(const Queue& q, int n) const
    {
        const int at = q.tailAt - 1 - n;
        return at >= (q.head == q.tail ? q.headAt : 0) ? &BlockAt(q.tail).entries[at] : nullptr;
    }
    const Entry& Back(const Queue& q) const { return BlockAt(q.tail).entries[q.tailAt - 1]; }

private:
    static constexpr std::uint32_t kNoBlock = 0xFFFFFFFFu;
    static constexpr int kEntries = 170;  // a block of 4 KB

    struct Block {
        Entry entries[kEntries];
        std::uint32_t next;
        std::uint32_t previous;
    };

    // Blocks come in chunks that never move: growing copies nothing.
    static constexpr unsigned kChunkBits = 4;
    static constexpr std::uint32_t kChunkMask = (1u << kChunkBits) - 1;

    Block& BlockAt(std::uint32_t block) { return chunks_[block >> kChunkBits][block & kChunkMask]; }
    const Block& BlockAt(std::uint32_t block) const { return chunks_[block >> kChunkBits][block & kChunkMask]; }
    // A block at the end of a queue whose last block was `previous`.
    std::uint32_t NewBlock(std::uint32_t previous);

    std::vector<std::unique_ptr<Block[]>> chunks_;
    std::uint32_t blockCount_ = 0;
    std::vector<std::uint32_t> freeBlocks_;
};
