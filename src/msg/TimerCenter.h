#pragma once

#include "msg/Messages.h"
#include "platform/ThreadTimer.h"
#include "platform/UiText.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class MsgCenter;

// Turns one 10 ms base tick into Timer_Msg<N> for sixteen fixed periods.
// The base tick comes from a thread timer of the UI thread, or, without one,
// from SysTime_Msg messages.
class TimerCenter {
public:
    static constexpr std::array<int, 16> kPeriods = {
        50, 100, 150, 200, 500, 700, 1000, 2000, 3000, 4000, 5000, 10000, 30000, 60000, 120000, 300000};
    static constexpr int kBaseTickMs = 10;

    enum class BoxAnswer { Yes, No, Cancel };
    // Shows the exception box (caption, text) and returns the user's answer.
    using ExceptionBox = std::function<BoxAnswer(const std::string& caption, const UiText& text)>;
    using Clock = std::function<std::int32_t()>;

    // With a thread timer the ticks come from it; with nullptr from SysTime_Msg.
    TimerCenter(MsgCenter* center, std::unique_ptr<platform::ThreadTimer> osTimer);
    ~TimerCenter();
    TimerCenter(const TimerCenter&) = delete;
    TimerCenter& operator=(const TimerCenter&) = delete;

    // Kills the timer and leaves the message center; called before deletion.
    void Stop();

    // One base tick: delivers every period that is due.
    void Tick();

    std::int32_t PauseCount() const { return pauseCount_.load(); }
    void SetClock(Clock clock) { clock_ = std::move(clock); }
    void SetExceptionBox(ExceptionBox box) { exceptionBox_ = std::move(box); }

    static TimerCenter* Current();

    // The per-period slots are process-wide and outlive any TimerCenter;
    // this puts them back to "never seen" for a fresh start.
    static void ResetPeriodSlots();

    // The box's caption and text for an exception in period `periodMs`
    // (GB18030, lines separated by CR LF).
    static std::string ExceptionBoxCaption();
    static UiText ExceptionBoxText(int periodMs);

private:
    struct PeriodSlot {
        std::int32_t last = -1;
        bool busy = false;
    };

    template <std::size_t... I>
    void RunPeriods(std::int32_t now, std::index_sequence<I...>);
    template <int N>
    void PeriodStep(std::int32_t now, PeriodSlot& slot);
    void ReportException(int periodMs, PeriodSlot& slot);

    void OnSysTime(const SysTime_Msg*);
    void OnPause(const PauseTimer_Msg*);
    void OnContinue(const ContinueTimer_Msg*);
    void OnGetPauseCount(const GetTimerPauseCount_Msg* message);

    static void OnOsTimer();

    MsgCenter* center_;
    std::unique_ptr<platform::ThreadTimer> osTimer_;
    bool stopped_ = false;
    std::atomic<std::int32_t> pauseCount_{0};
    Clock clock_;
    ExceptionBox exceptionBox_;

    static std::array<PeriodSlot, kPeriods.size()> slots_;
    static TimerCenter* current_;
};
