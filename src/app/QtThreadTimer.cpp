#include "app/QtThreadTimer.h"

QtThreadTimer::QtThreadTimer()
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &queue_, [this] { QueueTick(); });
}

QtThreadTimer::~QtThreadTimer()
{
    Kill();
}

void QtThreadTimer::Start(int periodMs, std::function<void()> onTick)
{
    onTick_ = std::move(onTick);
    timer_.start(periodMs);
}

void QtThreadTimer::Kill()
{
    timer_.stop();
    onTick_ = nullptr;
}

void QtThreadTimer::QueueTick()
{
    if (tickQueued_)
        return;
    tickQueued_ = true;
    QMetaObject::invokeMethod(
        &queue_,
        [this] {
            // Cleared first: a handler that runs a nested loop lets the next ticks in.
            tickQueued_ = false;
            if (onTick_)
                onTick_();
        },
        Qt::QueuedConnection);
}
