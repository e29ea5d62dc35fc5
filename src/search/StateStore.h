#pragma once

#include "search/ScanStates.h"

#include <cstddef>
#include <map>

// The states of a component, best first: a lower excess-waste class first,
// then a higher score; equal states stay in insertion order. States with the
// same class and score share a bucket (a list through the states' own
// links), so taking the best and dropping the worst cost the same however
// many states are kept.
class StateStore {
public:
    using StateId = ScanStates::StateId;

    explicit StateStore(ScanStates& states) : states_(states) {}
    StateStore(const StateStore&) = delete;
    StateStore& operator=(const StateStore&) = delete;

    void Insert(StateId id, int excessClass);
    // Unlinks and returns the best (front) or worst (back) state; the caller owns it.
    StateId PopFront();
    StateId PopBack();
    StateId Back() const { return buckets_.rbegin()->second.tail; }

    bool Empty() const { return size_ == 0; }
    std::size_t Size() const { return size_; }
    // Frees every state still kept.
    void Clear();

private:
    struct Key {
        int excessClass;
        int score;
        friend bool operator<(const Key& a, const Key& b)
        {
            return a.excessClass != b.excessClass ? a.excessClass < b.excessClass : a.score > b.score;
        }
    };
    struct Bucket {
        StateId head = ScanStates::kNone;
        StateId tail = ScanStates::kNone;
    };

    void Unlink(std::map<Key, Bucket>::iterator bucket, StateId id);

    ScanStates& states_;
    std::map<Key, Bucket> buckets_;
    std::size_t size_ = 0;
};
