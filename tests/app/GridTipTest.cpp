#include "tooltip/GridTip.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(GridTipTest, WaitsThenShowsAndHidesFromEitherState)
{
    GridTip tip;
    EXPECT_FALSE(tip.Waiting());
    EXPECT_FALSE(tip.Shown());

    tip.ShowAt(QStringLiteral("<b>道路</b>"), QPoint(40, 50));
    EXPECT_TRUE(tip.Waiting());
    EXPECT_FALSE(tip.Shown());
    tip.HideTip();
    EXPECT_FALSE(tip.Waiting());
    QTest::qWait(GridTip::kAppearDelayMs * 2);
    EXPECT_FALSE(tip.Shown());

    tip.ShowAt(QStringLiteral("<b>道路</b>"), QPoint(40, 50));
    ASSERT_TRUE(QTest::qWaitFor([&] { return tip.Shown(); }));
    EXPECT_FALSE(tip.Waiting());
    EXPECT_EQ(tip.pos(), QPoint(40, 50));
    tip.HideTip();
    EXPECT_FALSE(tip.Shown());
}
