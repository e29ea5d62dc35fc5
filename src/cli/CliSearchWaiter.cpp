#include "cli/CliSearchWaiter.h"

#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "search/SearchControl.h"

#include <iostream>
#include <thread>

CliSearchWaiter::CliSearchWaiter(MsgCenter& center, SearchControl& control,
                                 std::optional<std::chrono::milliseconds> stopAfter)
    : center_(center), control_(control), stopAfter_(stopAfter)
{
    center_.Register(this, &CliSearchWaiter::OnRun);
    center_.Register(this, &CliSearchWaiter::OnFinished);
}

CliSearchWaiter::~CliSearchWaiter()
{
    center_.Unregister(this, &CliSearchWaiter::OnRun);
    center_.Unregister(this, &CliSearchWaiter::OnFinished);
}

void CliSearchWaiter::OnRun(const SearchInfoDoModle_Msg* msg)
{
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    finished_ = false;
    constexpr auto kTick = std::chrono::milliseconds(1);
    while (!finished_) {
        std::this_thread::sleep_for(kTick);
        if (stopAfter_ && Clock::now() - start >= *stopAfter_)
            control_.stop = true;
        center_.Send(Timer_Msg<200>{static_cast<std::int32_t>(kTick.count()), 0});
    }
    lastRun_ = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    msg->ok = !control_.cancel;
}

void CliSearchWaiter::OnFinished(const BuildSearchFinished_Msg*)
{
    finished_ = true;
    if (control_.outOfMemory)
        std::cerr << "layout: memory ran out; the search ended as if stopped, finishing greedily\n";
}
