#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "search/CSearchInfoDlg.h"
#include "search/SearchControl.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class CSearchInfoDlgTest : public ::testing::Test {
protected:
    CSearchInfoDlgTest() { SearchControl::Instance().ResetForRun(); }
    ~CSearchInfoDlgTest() override { SearchControl::Instance().ResetForRun(); }

    int RunUntilFinished()
    {
        QTimer::singleShot(0, [this] { center.Send(BuildSearchFinished_Msg{}); });
        return dlg.exec();
    }

    MsgCenter& center = MsgCenter::Instance();
    CSearchInfoDlg dlg{center};
};

}  // namespace

TEST_F(CSearchInfoDlgTest, StopButtonStopsOnceAndNeverEndsTheDialog)
{
    dlg.show();
    EXPECT_EQ(dlg.ShownText(), QStringLiteral("正在进行搜索,请稍候."));
    QTest::mouseClick(dlg.StopButton(), Qt::LeftButton);
    EXPECT_TRUE(SearchControl::Instance().stop);
    EXPECT_EQ(dlg.ShownText(), QStringLiteral("正在整理已搜索的数据,请稍候.."));

    center.Send(Timer_Msg<1000>{});
    QTest::mouseClick(dlg.StopButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.ShownText(), QStringLiteral("正在整理已搜索的数据,请稍候..."));
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(CSearchInfoDlgTest, EscapeCancelsAfterAStop)
{
    dlg.show();
    QTest::keyClick(&dlg, Qt::Key_Return);
    EXPECT_TRUE(dlg.Progress().Stopping());
    QTest::keyClick(&dlg, Qt::Key_Escape);
    EXPECT_TRUE(SearchControl::Instance().cancel);
    EXPECT_EQ(dlg.ShownText(), QStringLiteral("正在清理数据,请稍候.."));
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(CSearchInfoDlgTest, ClosingStopsThenCancelsButKeepsItOpen)
{
    dlg.show();
    dlg.close();
    EXPECT_TRUE(SearchControl::Instance().stop);
    EXPECT_FALSE(SearchControl::Instance().cancel);
    dlg.close();
    EXPECT_TRUE(SearchControl::Instance().cancel);
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(CSearchInfoDlgTest, TimerDotsWrapAfterTen)
{
    for (int i = 0; i < 9; ++i)
        center.Send(Timer_Msg<1000>{});
    EXPECT_EQ(dlg.ShownText(), QStringLiteral("正在进行搜索,请稍候") + QString(10, QLatin1Char('.')));
    center.Send(Timer_Msg<1000>{});
    EXPECT_EQ(dlg.ShownText(), QStringLiteral("正在进行搜索,请稍候."));
}

TEST_F(CSearchInfoDlgTest, CountsLineFollowsTheWorkerOnEveryTick)
{
    EXPECT_EQ(dlg.ShownCounts(), QStringLiteral("已完成 0 / 0 个区域, 保留 0 个状态"));
    SearchControl& control = SearchControl::Instance();
    control.componentsTotal = 7;
    control.componentsDone = 3;
    control.statesKept = 12345;
    // Nothing changes between ticks: the worker's counters are only read on the timer.
    EXPECT_EQ(dlg.ShownCounts(), QStringLiteral("已完成 0 / 0 个区域, 保留 0 个状态"));
    center.Send(Timer_Msg<1000>{});
    EXPECT_EQ(dlg.ShownCounts(), QStringLiteral("已完成 3 / 7 个区域, 保留 12345 个状态"));
    EXPECT_EQ(dlg.ShownText(), QStringLiteral("正在进行搜索,请稍候.."));

    control.componentsDone = 7;
    control.statesKept = 0;
    center.Send(Timer_Msg<1000>{});
    EXPECT_EQ(dlg.ShownCounts(), QStringLiteral("已完成 7 / 7 个区域, 保留 0 个状态"));
}

TEST_F(CSearchInfoDlgTest, SearchEndAcceptsUnlessCancelled)
{
    EXPECT_EQ(RunUntilFinished(), QDialog::Accepted);
    dlg.Stop();
    EXPECT_EQ(RunUntilFinished(), QDialog::Accepted);
    dlg.Cancel();
    EXPECT_EQ(RunUntilFinished(), QDialog::Rejected);
}

TEST_F(CSearchInfoDlgTest, OptimisedRunShowsItsResultUntilTheUserConfirmsOrDropsIt)
{
    SearchControl& control = SearchControl::Instance();
    control.optimising = true;
    control.optimisedUncovered = -1;
    center.Send(Timer_Msg<1000>{});
    EXPECT_EQ(dlg.ShownCounts(), QStringLiteral("正在生成初始布局"));
    control.optimisedUncovered = 9;
    control.optimisedBound = 4;
    center.Send(Timer_Msg<1000>{});
    EXPECT_EQ(dlg.ShownCounts(), QStringLiteral("当前布局未覆盖 9 格, 下界 4 格"));

    // The end keeps the dialog open with the result; Enter confirms it.
    control.optimisedUncovered = 4;
    QTimer::singleShot(0, [&] {
        center.Send(BuildSearchFinished_Msg{});
        EXPECT_TRUE(dlg.ShowingResult());
        EXPECT_EQ(dlg.ShownCounts(), QStringLiteral("布局完成: 未覆盖 4 格, 已证明最优."));
        EXPECT_EQ(dlg.StopButton()->text(), QStringLiteral("确定"));
        QTest::keyClick(&dlg, Qt::Key_Return);
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);

    CSearchInfoDlg second{center};
    control.optimisedUncovered = 6;
    QTimer::singleShot(0, [&] {
        center.Send(BuildSearchFinished_Msg{});
        EXPECT_EQ(second.ShownCounts(), QStringLiteral("布局完成: 未覆盖 6 格, 最优布局至少未覆盖 4 格."));
        QTest::mouseClick(second.CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(second.exec(), QDialog::Rejected);
}

TEST(CSearchInfoDlgLifeTest, LeavesTheMessageCenterWhenDestroyed)
{
    MsgCenter& center = MsgCenter::Instance();
    const std::size_t before = center.HandlerSetCount();
    {
        CSearchInfoDlg dlg{center};
        EXPECT_GT(center.HandlerSetCount(), before);
    }
    EXPECT_EQ(center.HandlerSetCount(), before);
    center.Send(BuildSearchFinished_Msg{});
}
