#pragma once

#include "msg/Messages.h"

#include <boost/thread/mutex.hpp>

#include <cstddef>
#include <cstdint>
#include <list>

class MsgCenter;

// Callbacks that run on the UI thread once their delay has passed, counted in
// Timer_Msg<200> ticks. Post is the one call of the messaging layer that other
// threads may make.
class DelayedCallQueue {
public:
    using Callback = void (*)(DelayedCallQueue& queue, void* payload);

    explicit DelayedCallQueue(MsgCenter& center);
    // Pending entries are cleaned up and their payloads freed; their callbacks do not run.
    virtual ~DelayedCallQueue();
    DelayedCallQueue(const DelayedCallQueue&) = delete;
    DelayedCallQueue& operator=(const DelayedCallQueue&) = delete;

    // Runs, in posting order, every entry whose remaining delay drops to 0 or
    // below: its callback, then its cleanup, then the payload is freed.
    void Tick(std::int32_t elapsedMs);

    void* AllocPayload(std::size_t bytes);
    void FreePayload(void* payload);

    // Thread-safe. The queue takes ownership of a payload from AllocPayload
    // (or of nullptr); cleanup may be nullptr.
    void Post(Callback callback, Callback cleanup, void* payload, std::int32_t delayMs);

    std::size_t PendingCount() const;
    MsgCenter& Center() const { return center_; }

private:
    struct Entry {
        Callback callback = nullptr;
        Callback cleanup = nullptr;
        void* payload = nullptr;
        std::int32_t remaining = 0;
    };

    void OnTimer(const Timer_Msg<200>* message);
    void FinishEntry(Entry& entry);

    MsgCenter& center_;
    mutable boost::mutex mutex_;
    std::list<Entry> entries_;
};
