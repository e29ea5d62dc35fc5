#pragma once

#include "search/StateQueues.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The states of a component, best first: a lower excess-waste class first,
// then a higher score; equal states stay in insertion order. A state is an
// entry whose handle the store does not look into. States with the same
// class and score share a queue. A class finds its queues by score on pages
// of 64 scores, which exist only while one of their scores is kept, and marks
// the kept scores in a bit set; so taking the best and dropping the worst
// cost the same however many states are kept. A new state that is the best
// one waits beside the queues: it is mostly the next to leave.
class StateStore {
public:
    using StateId = std::uint32_t;

    // Scores run from 0 to maxScore.
    explicit StateStore(int maxScore);
    StateStore(const StateStore&) = delete;
    StateStore& operator=(const StateStore&) = delete;

    void Insert(const StateQueues::Entry& entry, int excessClass, int score)
    {
        // Mostly the newest state is the best one and the next to leave:
        // it waits beside the queues, not in them.
        if (!hasBest_) {
            if (size_ == 0 || Before(excessClass, score, low_, classes_[static_cast<std::size_t>(low_)].top)) {
                best_ = Best{entry, excessClass, score};
                hasBest_ = true;
                return;
            }
        } else if (Before(excessClass, score, best_.excessClass, best_.score)) {
            Enqueue(best_.entry, best_.excessClass, best_.score, true);
            best_ = Best{entry, excessClass, score};
            return;
        }
        Enqueue(entry, excessClass, score, false);
    }
    // Removes and returns the best (front) state with its waste, or the
    // worst (back) state; the caller owns it.
    StateQueues::Entry PopFront()
    {
        if (hasBest_) {
            hasBest_ = false;
            return best_.entry;
        }
        ClassBuckets& c = classes_[static_cast<std::size_t>(low_)];
        const int score = c.top;
        const std::size_t at = TableAt(c, score);
        Queue& queue = QueueAt(at, score);
        const StateQueues::Entry entry = queues_.PopFront(queue);
        --size_;
        --c.count;
        if (StateQueues::Empty(queue))
            Emptied(low_, score, at);
        return entry;
    }
    StateId PopBack()
    {
        if (size_ == 0) {
            hasBest_ = false;
            return best_.entry.id;
        }
        ClassBuckets& c = classes_[static_cast<std::size_t>(high_)];
        const int score = c.bottom;
        const std::size_t at = TableAt(c, score);
        Queue& queue = QueueAt(at, score);
        const StateId id = queues_.PopBack(queue).id;
        --size_;
        --c.count;
        if (StateQueues::Empty(queue))
            Emptied(high_, score, at);
        return id;
    }
    int BackScore() const { return size_ == 0 ? best_.score : classes_[static_cast<std::size_t>(high_)].bottom; }
    int BackClass() const { return size_ == 0 ? best_.excessClass : high_; }
    int BackWaste() const { return size_ == 0 ? best_.entry.waste : queues_.Back(BackQueue()).waste; }

    // A queued state `n` places before the back one, which pruning may reach
    // soon, when it is near enough to tell cheaply.
    const StateQueues::Entry* BeforeBack(int n) const
    {
        return size_ == 0 ? nullptr : queues_.BeforeBack(BackQueue(), n);
    }

    // Starts reading the back state, which pruning takes next.
    void PrefetchBack() const
    {
#if defined(__GNUC__)
        if (size_ != 0)
            __builtin_prefetch(&queues_.Back(BackQueue()));
#endif
    }

    bool Empty() const { return size_ == 0 && !hasBest_; }
    std::size_t Size() const { return size_ + (hasBest_ ? 1 : 0); }

private:
    using Queue = StateQueues::Queue;
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr int kPageBits = 6;

    // A class with states has a table: a page per 64 scores and a bit per score.
    struct ClassBuckets {
        std::uint32_t table = kNone;
        std::uint32_t count = 0;
        int top = 0;     // highest kept score
        int bottom = 0;  // lowest kept score
    };

    std::size_t TableAt(const ClassBuckets& c, int score) const
    {
        return static_cast<std::size_t>(c.table) * static_cast<std::size_t>(pagesPerClass_) +
               static_cast<std::size_t>(score >> kPageBits);
    }
    Queue& QueueAt(std::size_t at, int score)
    {
        return pages_[(static_cast<std::size_t>(pageOf_[at]) << kPageBits) + static_cast<std::size_t>(score & 63)];
    }
    const Queue& QueueAt(std::size_t at, int score) const
    {
        return pages_[(static_cast<std::size_t>(pageOf_[at]) << kPageBits) + static_cast<std::size_t>(score & 63)];
    }
    const Queue& BackQueue() const
    {
        const ClassBuckets& c = classes_[static_cast<std::size_t>(high_)];
        return QueueAt(TableAt(c, c.bottom), c.bottom);
    }
    struct Best {
        StateQueues::Entry entry;
        int excessClass;
        int score;
    };

    // Whether a state of class `a` and score `aScore` goes before one of `b`, `bScore`.
    static bool Before(int a, int aScore, int b, int bScore) { return a < b || (a == b && aScore > bScore); }

    // Puts a state in the queue of its class and score: at the back, or at
    // the front for the best state, which went before every queued one.
    void Enqueue(const StateQueues::Entry& entry, int excessClass, int score, bool first)
    {
        if (static_cast<std::size_t>(excessClass) >= classes_.size() ||
            classes_[static_cast<std::size_t>(excessClass)].count == 0) {
            OpenClass(excessClass, score);
        }
        ClassBuckets& c = classes_[static_cast<std::size_t>(excessClass)];
        c.top = score > c.top ? score : c.top;
        c.bottom = score < c.bottom ? score : c.bottom;
        const std::size_t at = TableAt(c, score);
        if (pageOf_[at] == kNone)
            OpenPage(at);
        kept_[at] |= std::uint64_t{1} << (score & 63);
        if (first)
            queues_.PushFront(QueueAt(at, score), entry);
        else
            queues_.PushBack(QueueAt(at, score), entry);
        ++c.count;
        low_ = size_ == 0 || excessClass < low_ ? excessClass : low_;
        high_ = size_ == 0 || excessClass > high_ ? excessClass : high_;
        ++size_;
    }
    // Gives a class without queued states a table.
    void OpenClass(int excessClass, int score);
    void OpenPage(std::size_t at);
    // Bookkeeping after the queue of `score` in class `cls` ran empty.
    void Emptied(int cls, int score, std::size_t at);

    int pagesPerClass_;
    StateQueues queues_;
    std::vector<ClassBuckets> classes_;
    std::vector<std::uint32_t> pageOf_;  // per table and 64 scores: a page, or none
    std::vector<std::uint64_t> kept_;    // per table: a bit per score with a queue
    std::vector<std::uint32_t> freeTables_;
    std::vector<Queue> pages_;  // 64 queues a page
    std::vector<std::uint32_t> freePages_;
    std::size_t size_ = 0;  // queued states
    int low_ = 0;           // lowest class with queued states
    int high_ = 0;          // highest class with queued states
    // The best state, when it went in after all queued states.
    Best best_{};
    bool hasBest_ = false;
};
