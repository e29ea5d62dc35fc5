#pragma once

#include "platform/ThreadTimer.h"

#include <QObject>
#include <QTimer>

// The base tick of the timer service, on the UI thread's event loop. Qt does
// not fire a timer again while its own timeout call runs, so a tick whose
// handler opens a modal box would stop every period until the box closed;
// each tick therefore runs as a queued call after the timeout has returned,
// and the timer keeps firing inside nested loops as the service expects.
class QtThreadTimer : public platform::ThreadTimer {
public:
    QtThreadTimer();
    ~QtThreadTimer() override;

    void Start(int periodMs, std::function<void()> onTick) override;
    void Kill() override;

private:
    void QueueTick();

    QTimer timer_;
    // Owns the queued calls: they die with it, so none runs after Kill.
    QObject queue_;
    std::function<void()> onTick_;
    // At most one tick waits in the queue; a slow tick does not pile up more.
    bool tickQueued_ = false;
};
