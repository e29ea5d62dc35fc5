// The timer service on the real Qt timer: a handler that opens a real modal
// box must not stop the other periods.
#include "app/QtThreadTimer.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "msg/TimerCenter.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Opens a message box from the first Timer_Msg<100> and counts what arrives
// while it is open; the box closes after three Timer_Msg<50>.
struct BoxOpeningHandlers {
    explicit BoxOpeningHandlers(MsgCenter& center) : center_(center)
    {
        center_.Register(this, &BoxOpeningHandlers::OnFast);
        center_.Register(this, &BoxOpeningHandlers::OnSlow);
    }
    ~BoxOpeningHandlers()
    {
        center_.Unregister(this, &BoxOpeningHandlers::OnFast);
        center_.Unregister(this, &BoxOpeningHandlers::OnSlow);
    }
    BoxOpeningHandlers(const BoxOpeningHandlers&) = delete;
    BoxOpeningHandlers& operator=(const BoxOpeningHandlers&) = delete;

    void OnFast(const Timer_Msg<50>*)
    {
        if (!box)
            return;
        if (++fastWhileOpen == 3)
            box->done(QMessageBox::Ok);
    }

    void OnSlow(const Timer_Msg<100>*)
    {
        if (box) {
            ++slowWhileOpen;
            return;
        }
        if (boxClosed)
            return;
        QMessageBox shown(QMessageBox::Critical, QStringLiteral("Load Failed"), QStringLiteral("bad map"));
        box = &shown;
        shown.exec();
        box = nullptr;
        boxClosed = true;
    }

    QMessageBox* box = nullptr;
    bool boxClosed = false;
    int fastWhileOpen = 0;
    int slowWhileOpen = 0;

private:
    MsgCenter& center_;
};

TEST(QtThreadTimerTest, OtherPeriodsKeepComingWhileAHandlerShowsAModalBox)
{
    MsgCenter& center = MsgCenter::Instance();
    TimerCenter::ResetPeriodSlots();
    auto timers = std::make_unique<TimerCenter>(&center, std::make_unique<QtThreadTimer>());
    BoxOpeningHandlers handlers(center);

    // A box that never closes would hang the test; this closes it as a failure.
    QTimer failsafe;
    failsafe.setSingleShot(true);
    QObject::connect(&failsafe, &QTimer::timeout, [&handlers] {
        if (handlers.box)
            handlers.box->done(QMessageBox::Cancel);
    });
    failsafe.start(60000);

    while (!handlers.boxClosed && failsafe.isActive())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);

    EXPECT_EQ(handlers.fastWhileOpen, 3);
    // Its own period is not delivered again, nested inside itself.
    EXPECT_EQ(handlers.slowWhileOpen, 0);
    timers->Stop();
}

}  // namespace
