#pragma once

#include "platform/ThreadTimer.h"

#include <QTimer>

// The base tick of the timer service, on the UI thread's event loop; it keeps
// ticking inside nested modal loops as the service expects.
class QtThreadTimer : public platform::ThreadTimer {
public:
    QtThreadTimer();
    ~QtThreadTimer() override;

    void Start(int periodMs, std::function<void()> onTick) override;
    void Kill() override;

private:
    QTimer timer_;
    std::function<void()> onTick_;
};
