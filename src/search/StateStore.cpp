#include "search/StateStore.h"

void StateStore::Insert(StateId id, int excessClass)
{
    Bucket& bucket = buckets_[Key{excessClass, states_.At(id).score}];
    ScanStates::Header& h = states_.At(id);
    h.previous = bucket.tail;
    h.next = ScanStates::kNone;
    if (bucket.tail == ScanStates::kNone)
        bucket.head = id;
    else
        states_.At(bucket.tail).next = id;
    bucket.tail = id;
    ++size_;
}

void StateStore::Unlink(std::map<Key, Bucket>::iterator bucket, StateId id)
{
    ScanStates::Header& h = states_.At(id);
    if (h.previous == ScanStates::kNone)
        bucket->second.head = h.next;
    else
        states_.At(h.previous).next = h.next;
    if (h.next == ScanStates::kNone)
        bucket->second.tail = h.previous;
    else
        states_.At(h.next).previous = h.previous;
    h.previous = h.next = ScanStates::kNone;
    if (bucket->second.head == ScanStates::kNone)
        buckets_.erase(bucket);
    --size_;
}

StateStore::StateId StateStore::PopFront()
{
    const auto bucket = buckets_.begin();
    const StateId id = bucket->second.head;
    Unlink(bucket, id);
    return id;
}

StateStore::StateId StateStore::PopBack()
{
    const auto bucket = std::prev(buckets_.end());
    const StateId id = bucket->second.tail;
    Unlink(bucket, id);
    return id;
}

void StateStore::Clear()
{
    while (!Empty())
        states_.Free(PopFront());
}
