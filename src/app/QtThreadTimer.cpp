#include "app/QtThreadTimer.h"

QtThreadTimer::QtThreadTimer()
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (onTick_)
            onTick_();
    });
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
