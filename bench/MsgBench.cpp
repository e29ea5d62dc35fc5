// Costs of the messaging hot paths: a send to a few receivers, a send nobody
// hears, and a base timer tick when no period is due.
#include "msg/MsgCenter.h"
#include "msg/TimerCenter.h"

#include <benchmark/benchmark.h>

namespace {

struct Bench_Msg {
    int value = 0;
};

struct Sink {
    long sum = 0;
    void On(const Bench_Msg* m) { sum += m->value; }
};

void BM_SendToThreeReceivers(benchmark::State& state)
{
    MsgCenter& center = MsgCenter::Instance();
    Sink sinks[3];
    for (auto& s : sinks)
        center.Register(&s, &Sink::On);
    for (auto _ : state)
        center.Send(Bench_Msg{1});
    for (auto& s : sinks)
        center.Unregister(&s, &Sink::On);
    benchmark::DoNotOptimize(sinks[0].sum);
}
BENCHMARK(BM_SendToThreeReceivers);

void BM_SendWithoutReceivers(benchmark::State& state)
{
    MsgCenter& center = MsgCenter::Instance();
    for (auto _ : state)
        center.Send(Timer_Msg<50>{50, 0});
}
BENCHMARK(BM_SendWithoutReceivers);

void BM_TimerTickNothingDue(benchmark::State& state)
{
    TimerCenter::ResetPeriodSlots();
    MsgCenter& center = MsgCenter::Instance();
    TimerCenter timers(&center, nullptr);
    timers.SetClock([] { return 5; });
    timers.Tick();
    for (auto _ : state)
        timers.Tick();
}
BENCHMARK(BM_TimerTickNothingDue);

}  // namespace
