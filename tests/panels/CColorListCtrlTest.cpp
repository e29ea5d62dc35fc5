#include "panels/CColorListCtrl.h"

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
const QColor kBlueText = ToQColor(list_rows::kBlueText);
const QColor kGreyBackground = ToQColor(list_rows::kGreyBackground);

// The list inside a window that also holds a line edit, which can take the
// focus away from the list.
class CColorListCtrlTest : public ::testing::Test {
protected:
    CColorListCtrlTest()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(list);
        layout->addWidget(edit);
        window.resize(400, 300);
    }

    void Columns(int count, int width)
    {
        list->setColumnCount(count);
        for (int c = 0; c < count; ++c)
            list->setColumnWidth(c, width);
    }

    ListPixels Show()
    {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        edit->setFocus();
        return ListPixels(*list);
    }

    int RowHeight() { return list->visualItemRect(list->topLevelItem(0)).height(); }

    QWidget window;
    CColorListCtrl* list = new CColorListCtrl;
    QLineEdit* edit = new QLineEdit;
};

TEST_F(CColorListCtrlTest, RowsAlternateWarmAndBlueWhateverTheirContent)
{
    Columns(2, 120);
    list->InsertRow(0, {"MMMM", "MMMM"}, MakeColorRef(255, 0, 0));
    list->InsertRow(1, {"MMMM", ""}, DefaultColour);
    list->InsertRow(2, {"", ""}, 0);
    list->InsertRow(3, {"MMMM", "MMMM"}, 0);
    const ListPixels pixels = Show();

    for (int column = 0; column < 2; ++column) {
        SCOPED_TRACE(column);
        EXPECT_EQ(pixels.InCell(0, column, 117), kWarmBackground);
        EXPECT_EQ(pixels.InCell(1, column, 117), kGreyBackground);
        EXPECT_EQ(pixels.InCell(2, column, 117), kWarmBackground);
        EXPECT_EQ(pixels.InCell(3, column, 117), kGreyBackground);
        EXPECT_GT(pixels.Count(0, column, kWarmText), 0);
        EXPECT_GT(pixels.Count(3, column, kBlueText), 0);
        EXPECT_EQ(pixels.Count(0, column, kBlueText), 0);
    }
    EXPECT_EQ(pixels.Count(1, 1, kBlueText), 0);
}

TEST_F(CColorListCtrlTest, SwatchIsASquareOfTheRowColourAtTheLeftEdge)
{
    Columns(2, 120);
    const QColor green(0, 200, 30);
    list->InsertRow(0, {"a", "b"}, MakeColorRef(0, 200, 30));
    list->InsertRow(1, {"c", "d"}, DefaultColour);
    const ListPixels pixels = Show();
    const int h = RowHeight();
    const QRect cell = pixels.Cell(0);
    ASSERT_GT(h, 10);

    EXPECT_EQ(pixels.Count(0, 0, 0, h, green), h * h);
    EXPECT_EQ(pixels.At(QPoint(cell.left(), cell.top())), green);
    EXPECT_EQ(pixels.At(QPoint(cell.left() + h - 1, cell.bottom())), green);
    EXPECT_EQ(pixels.InCell(0, 0, h), kWarmBackground);
    EXPECT_EQ(pixels.Count(0, 1, green), 0);
    // The default colour's high byte is not part of the colour: a white swatch.
    EXPECT_EQ(pixels.Count(1, 0, 0, h, Qt::white), h * h);
}

TEST_F(CColorListCtrlTest, TextStartsPastTheSwatchInTheFirstColumnAndAfterAGapInTheOthers)
{
    Columns(2, 120);
    list->InsertRow(0, {"MMMMMMMMMMMMMMMM", "MMMMMMMMMMMMMMMM"}, 0);
    const ListPixels pixels = Show();
    const int h = RowHeight();

    EXPECT_EQ(pixels.Count(0, 0, h, h + ListRowDelegate::kTextGap, kWarmText), 0);
    EXPECT_GT(pixels.Count(0, 0, h + ListRowDelegate::kTextGap, 120, kWarmText), 0);
    EXPECT_EQ(pixels.Count(0, 1, 0, ListRowDelegate::kTextGap, kWarmText), 0);
    EXPECT_GT(pixels.Count(0, 1, ListRowDelegate::kTextGap, h + ListRowDelegate::kTextGap, kWarmText), 0);
    // Long text is cut at the column's edge, not carried into the next one.
    EXPECT_EQ(pixels.InCell(0, 1, ListRowDelegate::kTextGap - 1), kWarmBackground);
}

TEST_F(CColorListCtrlTest, TextTooLongForItsColumnShowsItWasCut)
{
    list->setColumnCount(1);
    for (const char* text : {"125", "", "125", "", "1250"})
        list->InsertRow(list->topLevelItemCount(), {text}, 0);
    Show();
    // Room for "125" and not a pixel more: "1250" must not pass for "125".
    const int h = RowHeight();
    list->setColumnWidth(0, h + ListRowDelegate::kTextGap + list->fontMetrics().horizontalAdvance("125") + 1);
    const ListPixels pixels(*list);

    const QImage fits = pixels.Image().copy(pixels.Cell(0));
    EXPECT_EQ(fits, pixels.Image().copy(pixels.Cell(2)));
    EXPECT_NE(fits, pixels.Image().copy(pixels.Cell(4)));
}

TEST_F(CColorListCtrlTest, AmpersandsAreShownAsTheyStand)
{
    Columns(1, 150);
    list->InsertRow(0, {"&"}, 0);
    list->InsertRow(1, {"&&&&"}, 0);
    list->InsertRow(2, {"&&&&"}, 0);
    const ListPixels pixels = Show();
    const int h = RowHeight();

    const int one = pixels.Ink(0, 0, kWarmBackground) - h * h;
    ASSERT_GT(one, 0);
    // Four glyphs, not two after mnemonic processing.
    EXPECT_GE(pixels.Ink(2, 0, kWarmBackground) - h * h, 3 * one);
    EXPECT_GT(pixels.Count(1, 0, kBlueText), 0);
}

TEST_F(CColorListCtrlTest, OnlyTheFirstTenColumnsShowText)
{
    Columns(11, 60);
    QStringList texts;
    for (int c = 0; c < 11; ++c)
        texts << "MM";
    list->InsertRow(0, texts, 0);
    window.resize(800, 200);
    const ListPixels pixels = Show();

    EXPECT_GT(pixels.Count(0, 9, kWarmText), 0);
    EXPECT_EQ(pixels.Count(0, 10, kWarmText), 0);
    EXPECT_EQ(pixels.InCell(0, 10, 30), kWarmBackground);
}

TEST_F(CColorListCtrlTest, SelectedRowIsHighlightedEvenWithoutFocus)
{
    Columns(1, 150);
    list->InsertRow(0, {"MMMM"}, MakeColorRef(255, 0, 0));
    list->InsertRow(1, {"MMMM"}, MakeColorRef(0, 0, 255));
    list->setCurrentItem(list->topLevelItem(1));
    const ListPixels pixels = Show();
    ASSERT_FALSE(list->hasFocus());
    const QColor highlight = list->palette().color(QPalette::Active, QPalette::Highlight);
    const QColor highlightText = list->palette().color(QPalette::Active, QPalette::HighlightedText);
    const int h = RowHeight();

    EXPECT_EQ(pixels.InCell(1, 0, 147), highlight);
    EXPECT_GT(pixels.Count(1, 0, highlightText), 0);
    EXPECT_EQ(pixels.Count(1, 0, 0, h, QColor(0, 0, 255)), h * h);
    EXPECT_EQ(pixels.InCell(0, 0, 147), kWarmBackground);

    list->setFocus();
    EXPECT_EQ(ListPixels(*list).InCell(1, 0, 147), highlight);
}

TEST(CColorListCtrlRowsTest, InsertRowClampsThePositionAndKeepsTheColour)
{
    CColorListCtrl list;
    list.setColumnCount(2);
    list.InsertRow(0, {"b", "2"}, 2);
    list.InsertRow(0, {"a", "1"}, 1);
    list.InsertRow(99, {"z", "26"}, 26);
    list.InsertRow(-4, {"top", "0"}, DefaultColour);

    ASSERT_EQ(list.topLevelItemCount(), 4);
    const QStringList expected{"top", "a", "b", "z"};
    const std::vector<ColorRef> colours{DefaultColour, 1, 2, 26};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(list.topLevelItem(row)->text(0), expected[row]);
        EXPECT_EQ(CColorListCtrl::RowColour(list.topLevelItem(row)), colours[static_cast<std::size_t>(row)]);
    }
    EXPECT_EQ(list.topLevelItem(3)->text(1), "26");

    CColorListCtrl::SetRowColour(list.topLevelItem(3), 0x00FFFFFF);
    EXPECT_EQ(CColorListCtrl::RowColour(list.topLevelItem(3)), 0x00FFFFFFu);
}

}  // namespace
