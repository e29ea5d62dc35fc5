#include "search/StateQueues.h"

std::uint32_t StateQueues::NewBlock(std::uint32_t previous)
{
    std::uint32_t block;
    if (freeBlocks_.empty()) {
        block = static_cast<std::uint32_t>(blocks_.size());
        blocks_.emplace_back();
    } else {
        block = freeBlocks_.back();
        freeBlocks_.pop_back();
    }
    blocks_[block].next = kNoBlock;
    blocks_[block].previous = previous;
    return block;
}
