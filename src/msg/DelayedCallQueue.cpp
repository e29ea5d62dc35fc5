#include "msg/DelayedCallQueue.h"

#include "msg/MsgCenter.h"

#include <cstdlib>

DelayedCallQueue::DelayedCallQueue(MsgCenter& center) : center_(center)
{
    center_.Register(this, &DelayedCallQueue::OnTimer);
}

DelayedCallQueue::~DelayedCallQueue()
{
    center_.Unregister(this, &DelayedCallQueue::OnTimer);
    boost::mutex::scoped_lock lock(mutex_);
    for (Entry& entry : entries_)
        FinishEntry(entry);
    entries_.clear();
}

void DelayedCallQueue::OnTimer(const Timer_Msg<200>* message)
{
    Tick(message->elapsed);
}

void DelayedCallQueue::Tick(std::int32_t elapsedMs)
{
    // Due entries are taken out under the lock and run after it is released,
    // so a callback may post again (it runs on a later tick) and a worker
    // posting meanwhile does not wait for the callbacks.
    std::list<Entry> due;
    {
        boost::mutex::scoped_lock lock(mutex_);
        for (auto it = entries_.begin(); it != entries_.end();) {
            const auto left = static_cast<std::int64_t>(it->remaining) - elapsedMs;
            it->remaining = static_cast<std::int32_t>(left < INT32_MIN ? INT32_MIN : left);
            if (it->remaining > 0) {
                ++it;
                continue;
            }
            const auto next = std::next(it);
            due.splice(due.end(), entries_, it);
            it = next;
        }
    }
    while (!due.empty()) {
        Entry entry = due.front();
        due.pop_front();
        try {
            if (entry.callback)
                entry.callback(*this, entry.payload);
        } catch (...) {
            // The failed entry is finished; the others that fell due on this
            // tick go back to the front and run on the next one.
            FinishEntry(entry);
            boost::mutex::scoped_lock lock(mutex_);
            entries_.splice(entries_.begin(), due);
            throw;
        }
        FinishEntry(entry);
    }
}

void DelayedCallQueue::FinishEntry(Entry& entry)
{
    if (entry.cleanup)
        entry.cleanup(*this, entry.payload);
    FreePayload(entry.payload);
    entry.payload = nullptr;
}

void* DelayedCallQueue::AllocPayload(std::size_t bytes)
{
    return std::malloc(bytes == 0 ? 1 : bytes);
}

void DelayedCallQueue::FreePayload(void* payload)
{
    std::free(payload);
}

void DelayedCallQueue::Post(Callback callback, Callback cleanup, void* payload, std::int32_t delayMs)
{
    boost::mutex::scoped_lock lock(mutex_);
    entries_.push_back(Entry{callback, cleanup, payload, delayMs});
}

std::size_t DelayedCallQueue::PendingCount() const
{
    boost::mutex::scoped_lock lock(mutex_);
    return entries_.size();
}
