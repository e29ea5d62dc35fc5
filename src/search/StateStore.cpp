#include "search/StateStore.h"

#include <algorithm>
#include <bit>
#include <cassert>

StateStore::StateStore(int maxScore) : pagesPerClass_((maxScore >> kPageBits) + 1) {}

void StateStore::OpenClass(int excessClass, int score)
{
    assert(excessClass >= 0 && score >= 0 && (score >> kPageBits) < pagesPerClass_);
    if (static_cast<std::size_t>(excessClass) >= classes_.size())
        classes_.resize(static_cast<std::size_t>(excessClass) + 1);
    ClassBuckets& c = classes_[static_cast<std::size_t>(excessClass)];
    if (freeTables_.empty()) {
        freeTables_.push_back(static_cast<std::uint32_t>(pageOf_.size() / static_cast<std::size_t>(pagesPerClass_)));
        pageOf_.resize(pageOf_.size() + static_cast<std::size_t>(pagesPerClass_), kNone);
        kept_.resize(kept_.size() + static_cast<std::size_t>(pagesPerClass_), 0);
    }
    c.table = freeTables_.back();
    freeTables_.pop_back();
    c.top = c.bottom = score;
}

void StateStore::OpenPage(std::size_t at)
{
    if (freePages_.empty()) {
        freePages_.push_back(static_cast<std::uint32_t>(pages_.size() >> kPageBits));
        pages_.resize(pages_.size() + (std::size_t{1} << kPageBits));
    }
    pageOf_[at] = freePages_.back();
    freePages_.pop_back();
}

void StateStore::Emptied(int cls, int score, std::size_t at)
{
    ClassBuckets& c = classes_[static_cast<std::size_t>(cls)];
    kept_[at] &= ~(std::uint64_t{1} << (score & 63));
    if (kept_[at] == 0) {
        freePages_.push_back(pageOf_[at]);
        pageOf_[at] = kNone;
    }
    if (c.count == 0) {
        // Its pages are all back in the pool and its bits all clear.
        freeTables_.push_back(c.table);
        c.table = kNone;
        if (size_ == 0)
            return;
        // Only the end classes are ever emptied.
        if (cls == low_) {
            while (classes_[static_cast<std::size_t>(low_)].count == 0)
                ++low_;
        } else {
            while (classes_[static_cast<std::size_t>(high_)].count == 0)
                --high_;
        }
        return;
    }
    const std::size_t first = TableAt(c, 0);
    if (score == c.top) {
        std::size_t word = at;
        std::uint64_t bits = kept_[word] & ((std::uint64_t{1} << (score & 63)) - 1);
        while (bits == 0)
            bits = kept_[--word];
        c.top = static_cast<int>((word - first) * 64 + 63 - static_cast<std::size_t>(std::countl_zero(bits)));
    }
    if (score == c.bottom) {
        std::size_t word = at;
        std::uint64_t bits = kept_[word] & ((~std::uint64_t{0} << (score & 63)) << 1);
        while (bits == 0)
            bits = kept_[++word];
        c.bottom = static_cast<int>((word - first) * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
    }
}
