#include "msg/TimerCenter.h"

#include "msg/MsgCenter.h"
#include "platform/Clock.h"
#include "platform/TextCodec.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

std::array<TimerCenter::PeriodSlot, TimerCenter::kPeriods.size()> TimerCenter::slots_{};
TimerCenter* TimerCenter::current_ = nullptr;

namespace {

// Without a window there is nobody to ask; the process goes on.
TimerCenter::BoxAnswer AnswerOnStandardError(const std::string& caption, const UiText& text)
{
    std::fprintf(stderr, "%s\n%s\n", platform::Gb18030ToUtf8(caption).c_str(),
                 platform::Gb18030ToUtf8(text.Chinese()).c_str());
    return TimerCenter::BoxAnswer::No;
}

}  // namespace

TimerCenter::TimerCenter(MsgCenter* center, std::unique_ptr<platform::ThreadTimer> osTimer)
    : center_(center), osTimer_(std::move(osTimer)), clock_(&platform::ProcessClockMs),
      exceptionBox_(&AnswerOnStandardError)
{
    if (osTimer_)
        osTimer_->Start(kBaseTickMs, &TimerCenter::OnOsTimer);
    else
        center_->Register(this, &TimerCenter::OnSysTime);
    center_->Register(this, &TimerCenter::OnPause);
    center_->Register(this, &TimerCenter::OnContinue);
    center_->Register(this, &TimerCenter::OnGetPauseCount);
    current_ = this;
}

TimerCenter::~TimerCenter()
{
    Stop();
    if (current_ == this)
        current_ = nullptr;
}

void TimerCenter::Stop()
{
    if (stopped_)
        return;
    stopped_ = true;
    if (osTimer_)
        osTimer_->Kill();
    else
        center_->Unregister(this, &TimerCenter::OnSysTime);
    center_->Unregister(this, &TimerCenter::OnPause);
    center_->Unregister(this, &TimerCenter::OnContinue);
    center_->Unregister(this, &TimerCenter::OnGetPauseCount);
}

TimerCenter* TimerCenter::Current()
{
    return current_;
}

void TimerCenter::ResetPeriodSlots()
{
    slots_.fill(PeriodSlot{});
}

void TimerCenter::OnOsTimer()
{
    if (current_)
        current_->Tick();
}

void TimerCenter::Tick()
{
    if (pauseCount_.load() > 0)
        return;
    RunPeriods(clock_(), std::make_index_sequence<kPeriods.size()>{});
}

template <std::size_t... I>
void TimerCenter::RunPeriods(std::int32_t now, std::index_sequence<I...>)
{
    (PeriodStep<kPeriods[I]>(now, slots_[I]), ...);
}

template <int N>
void TimerCenter::PeriodStep(std::int32_t now, PeriodSlot& slot)
{
    if (slot.last == -1 || now == -1) {
        slot.last = now;
        return;
    }
    const std::int32_t elapsed = now - slot.last;
    if (elapsed < N)
        return;
    slot.last = now;
    // A delivery still running (a handler in a nested loop) drops this tick.
    if (slot.busy)
        return;
    slot.busy = true;
    try {
        center_->Send(Timer_Msg<N>{elapsed, now});
    } catch (...) {
        ReportException(N, slot);
        return;
    }
    slot.busy = false;
}

void TimerCenter::ReportException(int periodMs, PeriodSlot& slot)
{
    switch (exceptionBox_(ExceptionBoxCaption(), ExceptionBoxText(periodMs))) {
    case BoxAnswer::Yes:
        std::exit(0);
    case BoxAnswer::No:
        slot.busy = false;
        break;
    case BoxAnswer::Cancel:
        // busy stays set: this period is never delivered again in this run.
        break;
    }
}

std::string TimerCenter::ExceptionBoxCaption()
{
    return "Timer Exception!!";
}

UiText TimerCenter::ExceptionBoxText(int periodMs)
{
    return QL_TEXT("TimerCenter", "在处理 %1 ms Timer 的消息中出现异常！是否需要终止进程？ \r\n"
                                  " 按 [是] 结束该进程. \r\n"
                                  " 按 [否] 继续该进程. \r\n"
                                  " 按 [取消] 将不再发送时间为 %1 ms 的 Timer 消息(注意这可能会导致以后的逻辑异常).")
        .Arg(std::to_string(periodMs));
}

void TimerCenter::OnSysTime(const SysTime_Msg*)
{
    Tick();
}

void TimerCenter::OnPause(const PauseTimer_Msg*)
{
    ++pauseCount_;
}

void TimerCenter::OnContinue(const ContinueTimer_Msg*)
{
    --pauseCount_;
}

void TimerCenter::OnGetPauseCount(const GetTimerPauseCount_Msg* message)
{
    message->count = pauseCount_.load();
}
