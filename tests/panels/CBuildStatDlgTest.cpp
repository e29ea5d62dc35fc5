#include "panels/CBuildStatDlg.h"

#include "config/AppConfig.h"
#include "panels/CColorListCtrl.h"
#include "panels/DialogUnits.h"
#include "panels/ListPixels.h"
#include "panels/ListRowColours.h"
#include "panels/ListRowDelegate.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"

#include <QCoreApplication>
#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr ColorRef kRed = MakeColorRef(255, 0, 0);

std::string Gb(const char* utf8)
{
    return platform::Utf8ToGb18030(utf8);
}

class CBuildStatDlgTest : public ::testing::Test {
protected:
    static SceneStatistics WithColours(std::map<ColorRef, ColourStat> perColour)
    {
        SceneStatistics stats;
        stats.perColour = std::move(perColour);
        return stats;
    }

    QStringList RowTexts(const CBuildStatDlg& dialog, int row) const
    {
        const QTreeWidgetItem* item = dialog.List()->topLevelItem(row);
        return {item->text(0), item->text(1), item->text(2)};
    }

    QTemporaryDir folder;
    AppConfig config{std::filesystem::path(folder.path().toStdString()) / "ql.cfg"};
};

TEST_F(CBuildStatDlgTest, LaysOutTheDialogAsItsTemplate)
{
    const SceneStatistics stats;
    CBuildStatDlg dialog(stats, config);

    EXPECT_EQ(dialog.windowTitle(), QString("分类建筑信息"));
    EXPECT_EQ(dialog.size(), dialog_units::ToPixels(0, 0, 186, 244).size());
    EXPECT_EQ(dialog.List()->geometry(), dialog_units::ToPixels(7, 7, 172, 205));

    const auto buttons = dialog.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.front()->text(), QString("确认"));
    EXPECT_TRUE(buttons.front()->isDefault());
}

TEST_F(CBuildStatDlgTest, NoBuildingsGiveThreeColumnsAndNoRows)
{
    const SceneStatistics stats;
    CBuildStatDlg dialog(stats, config);
    const CColorListCtrl* list = dialog.List();

    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->headerItem()->text(0), QString("类别"));
    EXPECT_EQ(list->headerItem()->text(1), QString("数目"));
    EXPECT_EQ(list->headerItem()->text(2), QString("面积"));
    EXPECT_EQ(list->columnWidth(0), 150);
    EXPECT_EQ(list->columnWidth(1), 50);
    EXPECT_EQ(list->columnWidth(2), 50);
    EXPECT_EQ(list->topLevelItemCount(), 0);
}

TEST_F(CBuildStatDlgTest, DefaultCategoryLeadsANamedRed)
{
    config.colorNames[kRed] = Gb("红色工坊");
    const auto stats = WithColours({{kRed, {2, 40}}, {DefaultColour, {5, 30}}});
    CBuildStatDlg dialog(stats, config);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    ASSERT_EQ(dialog.List()->topLevelItemCount(), 2);
    EXPECT_EQ(RowTexts(dialog, 0), (QStringList{"默认类", "5", "30"}));
    EXPECT_EQ(RowTexts(dialog, 1), (QStringList{"红色工坊", "2", "40"}));
    EXPECT_EQ(CColorListCtrl::RowColour(dialog.List()->topLevelItem(0)), DefaultColour);

    const ListPixels pixels(*dialog.List());
    const int h = pixels.Cell(1).height();
    EXPECT_EQ(pixels.Count(1, 0, 0, h, Qt::red), h * h);
    EXPECT_EQ(pixels.Count(0, 0, 0, h, Qt::white), h * h);
    EXPECT_EQ(pixels.InCell(0, 2, 48), ToQColor(list_rows::kWarmBackground));
    EXPECT_EQ(pixels.InCell(1, 2, 48), ToQColor(list_rows::kGreyBackground));
}

TEST_F(CBuildStatDlgTest, UnnamedColourIsUncategorisedWithItsSwatch)
{
    const ColorRef teal = MakeColorRef(0, 128, 128);
    config.colorNames[DefaultColour] = Gb("普通建筑");
    const auto stats = WithColours({{teal, {1, 6}}, {DefaultColour, {1, 20}}});
    CBuildStatDlg dialog(stats, config);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    ASSERT_EQ(dialog.List()->topLevelItemCount(), 2);
    EXPECT_EQ(RowTexts(dialog, 0), (QStringList{"普通建筑", "1", "20"}));
    EXPECT_EQ(RowTexts(dialog, 1), (QStringList{"未分类", "1", "6"}));

    const ListPixels pixels(*dialog.List());
    const int h = pixels.Cell(1).height();
    EXPECT_EQ(pixels.Count(1, 0, 0, h, QColor(0, 128, 128)), h * h);
}

TEST_F(CBuildStatDlgTest, ConfirmAccepts)
{
    const SceneStatistics stats;
    CBuildStatDlg dialog(stats, config);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    QTest::mouseClick(dialog.findChild<QPushButton*>(), Qt::LeftButton);

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// Leaves buildstat.png beside the test program for a look by eye.
TEST_F(CBuildStatDlgTest, ScreenshotOfFourCategories)
{
    config.colorNames[kRed] = Gb("红色工坊");
    config.colorNames[MakeColorRef(0, 160, 0)] = Gb("绿色 & 农场");
    const auto stats = WithColours({{kRed, {2, 40}},
                                    {MakeColorRef(0, 160, 0), {12, 72}},
                                    {MakeColorRef(40, 60, 200), {3, 18}},
                                    {DefaultColour, {125, 1250}}});
    CBuildStatDlg dialog(stats, config);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    const QString file = QDir(QCoreApplication::applicationDirPath()).filePath("buildstat.png");
    EXPECT_TRUE(dialog.grab().save(file, "PNG"));
    EXPECT_EQ(dialog.List()->topLevelItemCount(), 4);
}

}  // namespace
