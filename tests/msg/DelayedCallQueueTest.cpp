#include "msg/DelayedCallQueue.h"
#include "msg/MsgCenter.h"
#include "msg/SearchFinishedHandOver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// Each payload holds the entry's tag; callbacks and cleanups log it.
std::vector<int> ran;
std::vector<int> cleaned;

void RecordRun(DelayedCallQueue&, void* payload)
{
    ran.push_back(*static_cast<int*>(payload));
}
void RecordCleanup(DelayedCallQueue&, void* payload)
{
    cleaned.push_back(*static_cast<int*>(payload));
}
void Throw(DelayedCallQueue&, void*)
{
    throw std::runtime_error("callback failed");
}
void PostAnother(DelayedCallQueue& queue, void* payload)
{
    RecordRun(queue, payload);
    void* next = queue.AllocPayload(sizeof(int));
    *static_cast<int*>(next) = *static_cast<int*>(payload) + 100;
    queue.Post(&RecordRun, &RecordCleanup, next, 0);
}

class DelayedCallQueueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ran.clear();
        cleaned.clear();
    }

    void Post(DelayedCallQueue& queue, int tag, std::int32_t delay, DelayedCallQueue::Callback callback = &RecordRun)
    {
        void* payload = queue.AllocPayload(sizeof(int));
        *static_cast<int*>(payload) = tag;
        queue.Post(callback, &RecordCleanup, payload, delay);
    }

    MsgCenter& center = MsgCenter::Instance();
};

TEST_F(DelayedCallQueueTest, EntryOf450MsRunsOnTheThird200MsTick)
{
    DelayedCallQueue queue(center);
    Post(queue, 1, 450);
    queue.Tick(200);
    queue.Tick(200);
    EXPECT_TRUE(ran.empty());
    queue.Tick(200);
    EXPECT_EQ(ran, std::vector<int>{1});
    EXPECT_EQ(cleaned, std::vector<int>{1});
    EXPECT_EQ(queue.PendingCount(), 0u);
}

TEST_F(DelayedCallQueueTest, TicksComeFromTimerMessagesAndDueEntriesRunInPostingOrder)
{
    DelayedCallQueue queue(center);
    Post(queue, 3, 300);
    Post(queue, 1, 0);
    Post(queue, 2, 100);
    center.Send(Timer_Msg<200>{210, 1000});
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    center.Send(Timer_Msg<200>{200, 1200});
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

TEST_F(DelayedCallQueueTest, DestructionCleansUpPendingEntriesWithoutRunningThem)
{
    {
        DelayedCallQueue queue(center);
        Post(queue, 5, 1000);
        Post(queue, 6, 0);
    }
    EXPECT_TRUE(ran.empty());
    EXPECT_EQ(cleaned, (std::vector<int>{5, 6}));
}

TEST_F(DelayedCallQueueTest, CallbackMayPostAgainAndItsEntryRunsOnTheNextTick)
{
    DelayedCallQueue queue(center);
    Post(queue, 1, 0, &PostAnother);
    queue.Tick(200);
    EXPECT_EQ(ran, std::vector<int>{1});
    queue.Tick(200);
    EXPECT_EQ(ran, (std::vector<int>{1, 101}));
}

TEST_F(DelayedCallQueueTest, ThrowingCallbackIsCleanedUpAndKeepsTheOthersForTheNextTick)
{
    DelayedCallQueue queue(center);
    Post(queue, 1, 0, &Throw);
    Post(queue, 2, 0);
    EXPECT_THROW(queue.Tick(200), std::runtime_error);
    EXPECT_EQ(cleaned, std::vector<int>{1});
    EXPECT_TRUE(ran.empty());
    queue.Tick(200);
    EXPECT_EQ(ran, std::vector<int>{2});
}

TEST_F(DelayedCallQueueTest, PostsFromManyThreadsAllRun)
{
    DelayedCallQueue queue(center);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&queue, t] {
            for (int i = 0; i < 250; ++i) {
                void* payload = queue.AllocPayload(sizeof(int));
                *static_cast<int*>(payload) = t * 1000 + i;
                queue.Post(&RecordRun, &RecordCleanup, payload, 0);
            }
        });
    }
    for (int round = 0; round < 20; ++round)
        queue.Tick(200);
    for (auto& thread : threads)
        thread.join();
    queue.Tick(200);
    EXPECT_EQ(ran.size(), 1000u);
    EXPECT_EQ(cleaned.size(), 1000u);
}

struct FinishWaiter {
    int finished = 0;
    void OnFinished(const BuildSearchFinished_Msg*) { ++finished; }
};

TEST_F(DelayedCallQueueTest, SearchWorkerEndReachesTheUiThreadOnTheNextTick)
{
    FinishWaiter waiter;
    center.Register(&waiter, &FinishWaiter::OnFinished);
    std::thread worker([this] { PostBuildSearchFinished(center); });
    worker.join();
    EXPECT_EQ(waiter.finished, 0);
    center.Send(Timer_Msg<200>{200, 0});
    EXPECT_EQ(waiter.finished, 1);
    center.Send(Timer_Msg<200>{200, 0});
    EXPECT_EQ(waiter.finished, 1);
    center.Unregister(&waiter, &FinishWaiter::OnFinished);
}

}  // namespace
