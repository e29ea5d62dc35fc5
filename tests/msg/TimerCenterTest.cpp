#include "msg/MsgCenter.h"
#include "msg/TimerCenter.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

// Records every delivery of a few periods as (period, elapsed, now).
struct TimerLog {
    struct Delivery {
        int period;
        std::int32_t elapsed;
        std::int32_t now;
        friend bool operator==(const Delivery&, const Delivery&) = default;
    };
    std::vector<Delivery> deliveries;

    void On50(const Timer_Msg<50>* m) { deliveries.push_back({50, m->elapsed, m->now}); }
    void On100(const Timer_Msg<100>* m) { deliveries.push_back({100, m->elapsed, m->now}); }
    void On200(const Timer_Msg<200>* m) { deliveries.push_back({200, m->elapsed, m->now}); }
    void On1000(const Timer_Msg<1000>* m) { deliveries.push_back({1000, m->elapsed, m->now}); }
    void On300000(const Timer_Msg<300000>* m) { deliveries.push_back({300000, m->elapsed, m->now}); }

    int Count(int period) const
    {
        int n = 0;
        for (const auto& d : deliveries)
            n += d.period == period;
        return n;
    }
};

class TimerCenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TimerCenter::ResetPeriodSlots();
        timers.SetClock([this] { return now; });
        center.Register(&log, &TimerLog::On50);
        center.Register(&log, &TimerLog::On100);
        center.Register(&log, &TimerLog::On200);
        center.Register(&log, &TimerLog::On1000);
        center.Register(&log, &TimerLog::On300000);
    }
    void TearDown() override
    {
        center.Unregister(&log, &TimerLog::On50);
        center.Unregister(&log, &TimerLog::On100);
        center.Unregister(&log, &TimerLog::On200);
        center.Unregister(&log, &TimerLog::On1000);
        center.Unregister(&log, &TimerLog::On300000);
    }

    void TickAt(std::int32_t ms)
    {
        now = ms;
        center.Send(SysTime_Msg{});
    }
    void TickEvery10MsUntil(std::int32_t endMs)
    {
        for (std::int32_t t = now + 10; t <= endMs; t += 10)
            TickAt(t);
    }

    MsgCenter& center = MsgCenter::Instance();
    std::int32_t now = 0;
    TimerCenter timers{&center, nullptr};
    TimerLog log;
};

TEST_F(TimerCenterTest, FirstTickOnlyRecordsThenPeriodsFollowTheirSpacing)
{
    TickAt(0);
    EXPECT_TRUE(log.deliveries.empty());
    TickEvery10MsUntil(200);
    ASSERT_EQ(log.Count(50), 4);
    EXPECT_EQ(log.deliveries.front(), (TimerLog::Delivery{50, 50, 50}));
    EXPECT_EQ(log.Count(100), 2);
    EXPECT_EQ(log.Count(200), 1);
    // Within one tick the periods go in ascending order.
    const std::vector<TimerLog::Delivery> at200(log.deliveries.end() - 3, log.deliveries.end());
    EXPECT_EQ(at200, (std::vector<TimerLog::Delivery>{{50, 50, 200}, {100, 100, 200}, {200, 200, 200}}));
}

TEST_F(TimerCenterTest, LongestPeriodComesAfterFiveMinutes)
{
    TickAt(0);
    TickAt(299990);
    EXPECT_EQ(log.Count(300000), 0);
    TickAt(300000);
    EXPECT_EQ(log.Count(300000), 1);
}

TEST_F(TimerCenterTest, LateTicksDeliverOnceWithTheWholeElapsedTime)
{
    TickAt(0);
    TickAt(130);
    EXPECT_EQ(log.deliveries, (std::vector<TimerLog::Delivery>{{50, 130, 130}, {100, 130, 130}}));
}

TEST_F(TimerCenterTest, PausedTicksDeliverNothingAndResumeWithTheWholeTime)
{
    TickAt(0);
    center.Send(PauseTimer_Msg{});
    center.Send(PauseTimer_Msg{});
    center.Send(ContinueTimer_Msg{});
    GetTimerPauseCount_Msg count;
    center.Send(count);
    EXPECT_EQ(count.count, 1);

    TickEvery10MsUntil(500);
    EXPECT_TRUE(log.deliveries.empty());

    center.Send(ContinueTimer_Msg{});
    TickAt(510);
    EXPECT_EQ(log.deliveries.front(), (TimerLog::Delivery{50, 510, 510}));
    EXPECT_EQ(log.Count(200), 1);
}

TEST_F(TimerCenterTest, UnreadableClockDeliversNothing)
{
    TickAt(0);
    TickAt(-1);
    TickAt(1000);
    EXPECT_TRUE(log.deliveries.empty());
    TickAt(1050);
    EXPECT_EQ(log.Count(50), 1);
}

// A Timer_Msg<1000> handler that runs a "modal loop": more ticks arrive
// while it is still inside its delivery.
struct ModalHandler {
    std::function<void()> loop;
    int calls = 0;
    void On1000(const Timer_Msg<1000>*)
    {
        if (++calls == 1)
            loop();
    }
};

TEST_F(TimerCenterTest, HandlerInNestedLoopKeepsOtherPeriodsButNotItsOwn)
{
    ModalHandler modal;
    modal.loop = [this] { TickEvery10MsUntil(3500); };
    center.Register(&modal, &ModalHandler::On1000);
    TickAt(0);
    TickEvery10MsUntil(1000);
    const int during200 = log.Count(200);
    EXPECT_GE(during200, 15);          // 200 ms kept coming inside the loop
    EXPECT_EQ(log.Count(1000), 1);     // only the outer delivery
    EXPECT_EQ(modal.calls, 1);
    TickEvery10MsUntil(4500);
    EXPECT_EQ(modal.calls, 2);         // delivered again once the loop returned
    center.Unregister(&modal, &ModalHandler::On1000);
}

struct FailingHandler {
    int calls = 0;
    void On1000(const Timer_Msg<1000>*)
    {
        ++calls;
        throw std::runtime_error("boom");
    }
};

TEST_F(TimerCenterTest, ExceptionBoxNoKeepsThePeriodGoing)
{
    FailingHandler failing;
    center.Register(&failing, &FailingHandler::On1000);
    std::vector<std::pair<std::string, std::string>> shown;
    timers.SetExceptionBox([&](const std::string& caption, const UiText& text) {
        shown.emplace_back(caption, text.Chinese());
        return TimerCenter::BoxAnswer::No;
    });
    TickAt(0);
    TickEvery10MsUntil(2000);
    EXPECT_EQ(failing.calls, 2);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].first, "Timer Exception!!");
    EXPECT_EQ(platform::Gb18030ToUtf8(shown[0].second),
              "在处理 1000 ms Timer 的消息中出现异常！是否需要终止进程？ \r\n"
              " 按 [是] 结束该进程. \r\n"
              " 按 [否] 继续该进程. \r\n"
              " 按 [取消] 将不再发送时间为 1000 ms 的 Timer 消息(注意这可能会导致以后的逻辑异常).");
    center.Unregister(&failing, &FailingHandler::On1000);
}

TEST_F(TimerCenterTest, ExceptionBoxCancelSilencesOnlyThatPeriod)
{
    FailingHandler failing;
    center.Register(&failing, &FailingHandler::On1000);
    timers.SetExceptionBox([](const std::string&, const UiText&) { return TimerCenter::BoxAnswer::Cancel; });
    TickAt(0);
    TickEvery10MsUntil(1000);
    const int logged1000 = log.Count(1000);
    const int logged200 = log.Count(200);
    TickEvery10MsUntil(5000);
    EXPECT_EQ(failing.calls, 1);
    EXPECT_EQ(log.Count(1000), logged1000);
    EXPECT_EQ(log.Count(200), logged200 + 20);
    center.Unregister(&failing, &FailingHandler::On1000);
}

TEST_F(TimerCenterTest, ExceptionBoxYesEndsTheProcessWithExitCodeZero)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            FailingHandler failing;
            center.Register(&failing, &FailingHandler::On1000);
            timers.SetExceptionBox([](const std::string&, const UiText&) { return TimerCenter::BoxAnswer::Yes; });
            TickAt(0);
            TickAt(1000);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(TimerCenterTest, ControlMessagesStopAfterStop)
{
    timers.Stop();
    center.Send(PauseTimer_Msg{});
    EXPECT_EQ(timers.PauseCount(), 0);
    TickAt(0);
    TickAt(1000);
    EXPECT_TRUE(log.deliveries.empty());
}

// A stand-in for the UI thread's timer: ticks when the test says so.
class ManualTimer : public platform::ThreadTimer {
public:
    explicit ManualTimer(bool* killed) : killed_(killed) {}
    void Start(int periodMs, std::function<void()> onTick) override
    {
        period = periodMs;
        tick = std::move(onTick);
    }
    void Kill() override { *killed_ = true; }
    int period = 0;
    std::function<void()> tick;

private:
    bool* killed_;
};

TEST(TimerCenterOsTimerTest, ThreadTimerDrivesTheCurrentCenterEvery10Ms)
{
    TimerCenter::ResetPeriodSlots();
    MsgCenter& center = MsgCenter::Instance();
    bool killed = false;
    auto owned = std::make_unique<ManualTimer>(&killed);
    ManualTimer* timer = owned.get();
    std::int32_t now = 0;
    TimerLog log;
    center.Register(&log, &TimerLog::On50);
    {
        TimerCenter timers(&center, std::move(owned));
        timers.SetClock([&] { return now; });
        EXPECT_EQ(TimerCenter::Current(), &timers);
        EXPECT_EQ(timer->period, 10);
        timer->tick();
        now = 60;
        center.Send(SysTime_Msg{});  // ignored: the thread timer is the source
        EXPECT_EQ(log.Count(50), 0);
        timer->tick();
        EXPECT_EQ(log.Count(50), 1);
        timers.Stop();
        EXPECT_TRUE(killed);
    }
    EXPECT_EQ(TimerCenter::Current(), nullptr);
    center.Unregister(&log, &TimerLog::On50);
}

}  // namespace
