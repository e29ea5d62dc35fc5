#include "demo/CCmdListCtrl.h"

#include "panels/ListPixels.h"
#include "panels/ListRowColours.h"
#include "panels/ListRowDelegate.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

const QColor kWarmText = ToQColor(list_rows::kWarmText);
const QColor kWarmBackground = ToQColor(list_rows::kWarmBackground);
const QColor kGreyBackground = ToQColor(list_rows::kGreyBackground);
const QColor kPureRed(255, 0, 0);

// Rows for d = 2, 1, 0, -1, -2: two commands in effect before the latest,
// the latest, and two undone ones; beside a line edit that can hold the focus.
class CCmdListCtrlTest : public ::testing::Test {
protected:
    CCmdListCtrlTest()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(list);
        layout->addWidget(edit);
        window.resize(400, 300);
        list->setHeaderLabels({QStringLiteral("类别")});
        list->setColumnWidth(0, 300);
        for (int d : {2, 1, 0, -1, -2})
            list->AppendRow(QStringLiteral(".build 10 10 3 2 MMMM"), d);
    }

    ListPixels Show()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        return ListPixels(*list);
    }

    int RowHeight() { return list->visualItemRect(list->topLevelItem(0)).height(); }
    QColor GreyText() const { return list->palette().color(QPalette::Disabled, QPalette::Text); }

    QWidget window;
    CCmdListCtrl* list = new CCmdListCtrl;
    QLineEdit* edit = new QLineEdit;
};

TEST_F(CCmdListCtrlTest, ColoursFollowWhereTheCommandStands)
{
    ASSERT_EQ(CCmdListCtrl::RowData(list->topLevelItem(4)), -2);
    const ListPixels pixels = Show();
    const int end = pixels.Cell(0).width() - 3;

    EXPECT_EQ(pixels.InCell(0, 0, end), kWarmBackground);
    EXPECT_GT(pixels.Count(0, 0, kWarmText), 0);
    EXPECT_EQ(pixels.InCell(1, 0, end), kWarmBackground);

    EXPECT_EQ(pixels.InCell(2, 0, end), kGreyBackground);
    EXPECT_GT(pixels.Count(2, 0, kPureRed), 0);
    EXPECT_EQ(pixels.Count(2, 0, kWarmText), 0);

    for (int row : {3, 4}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(pixels.InCell(row, 0, end), kGreyBackground);
        EXPECT_GT(pixels.Count(row, 0, GreyText()), 0);
        EXPECT_EQ(pixels.Count(row, 0, kPureRed), 0);
    }
}

TEST_F(CCmdListCtrlTest, IndexSitsInASquareCellBeforeTheText)
{
    const ListPixels pixels = Show();
    const int h = RowHeight();

    for (int row = 0; row < 5; ++row) {
        SCOPED_TRACE(row);
        const QColor background = row < 2 ? kWarmBackground : kGreyBackground;
        // The index is drawn in the row's text colour inside the square...
        const QColor text = row < 2 ? kWarmText : row == 2 ? kPureRed : GreyText();
        ASSERT_GT(pixels.Ink(row, 0, 0, h, background), 0);
        const QColor boldest = pixels.Boldest(row, 0, 0, h, background);
        EXPECT_LT(ListPixels::Distance(boldest, text), ListPixels::Distance(boldest, background));
        // ...centred, so the square's edges stay clear...
        EXPECT_EQ(pixels.InCell(row, 0, 0), background);
        EXPECT_EQ(pixels.InCell(row, 0, h - 1), background);
        // ...and the gap before the command text is empty.
        EXPECT_EQ(pixels.Count(row, 0, h, h + ListRowDelegate::kTextGap, background), h * ListRowDelegate::kTextGap);
    }
    // Different indices, different ink.
    const QImage zero = pixels.Image().copy(QRect(pixels.Cell(2).topLeft(), QSize(h, h)));
    const QImage one = pixels.Image().copy(QRect(pixels.Cell(3).topLeft(), QSize(h, h)));
    EXPECT_NE(zero, one);
}

TEST_F(CCmdListCtrlTest, SelectionIsHighlightedOnlyWhileFocused)
{
    list->setCurrentItem(list->topLevelItem(2));
    const ListPixels unfocused = Show();
    ASSERT_FALSE(list->hasFocus());
    const int end = unfocused.Cell(0).width() - 3;
    EXPECT_EQ(unfocused.InCell(2, 0, end), kGreyBackground);
    EXPECT_GT(unfocused.Count(2, 0, kPureRed), 0);

    list->setFocus();
    ASSERT_TRUE(list->hasFocus());
    const ListPixels focused(*list);
    EXPECT_EQ(focused.InCell(2, 0, end), list->palette().color(QPalette::Active, QPalette::Highlight));
    EXPECT_GT(focused.Count(2, 0, list->palette().color(QPalette::Active, QPalette::HighlightedText)), 0);
    EXPECT_EQ(focused.Count(2, 0, kPureRed), 0);
    EXPECT_EQ(focused.InCell(1, 0, end), kWarmBackground);
}

}  // namespace
