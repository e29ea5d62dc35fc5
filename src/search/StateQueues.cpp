#include "search/StateQueues.h"

std::uint32_t StateQueues::NewBlock(std::uint32_t previous)
{
    std::uint32_t block;
    if (freeBlocks_.empty()) {
        if ((blockCount_ >> kChunkBits) == chunks_.size())
            chunks_.push_back(std::make_unique_for_overwrite<Block[]>(std::size_t{1} << kChunkBits));
        block = blockCount_++;
    } else {
        block = freeBlocks_.back();
        freeBlocks_.pop_back();
    }
    BlockAt(block).next = kNoBlock;
    BlockAt(block).previous = previous;
    return block;
}
