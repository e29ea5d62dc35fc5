#include "app/UiLanguage.h"
#include "cmd/CmdList.h"
#include "config/AppConfig.h"
#include "demo/CShowDlg.h"
#include "msg/MsgCenter.h"
#include "panels/ElidedLabel.h"
#include "scene/Scene.h"
#include "search/CLaySetDlg.h"
#include "search/CSearchInfoDlg.h"
#include "search/SearchControl.h"
#include "view/CScenePic.h"

#include <QAction>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Language = UiLanguage::Language;

// With cell size 10, margin 25 and no scroll.
QPoint Cell(int x, int y)
{
    return QPoint(25 + 10 * x + 5, 25 + 10 * y + 5);
}

QStringList MenuTexts(CScenePic& pic)
{
    pic.SelectTool(CScenePic::ToolKind::Pointer, 1, 1, false);
    QTest::mousePress(&pic, Qt::LeftButton, {}, Cell(1, 1));
    QTest::mouseMove(&pic, Cell(6, 4));
    QTest::mouseRelease(&pic, Qt::LeftButton, {}, Cell(6, 4));
    QTest::mousePress(&pic, Qt::RightButton, {}, Cell(3, 3));
    QTest::mouseRelease(&pic, Qt::RightButton, {}, Cell(3, 3));
    QStringList texts;
    if (pic.ContextMenu() == nullptr)
        return texts;
    for (QAction* action : pic.ContextMenu()->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    pic.ContextMenu()->close();
    return texts;
}

}  // namespace

// The texts the model builds for the windows follow the windows' language;
// under Chinese they are the model's own texts, character for character.
TEST(WindowLanguageTest, ModelTextsInTheWindowsFollowTheLanguage)
{
    const struct {
        QLocale locale;
        Language language;
        QStringList menu;
        QString searching;
        QString counts;
        QString demoDetails;
        QString demoProgress;
        QString memoryStart;
    } cases[] = {
        {QLocale(QLocale::Chinese, QLocale::China), Language::Chinese,
         {QStringLiteral("QuarrinLayvane"), QStringLiteral("删除选中的建筑"), QStringLiteral("修改建筑颜色"),
          QStringLiteral("擦除选择区域"), QStringLiteral("在选区内布局"), QStringLiteral("导出图片...")},
         QStringLiteral("正在进行搜索,请稍候."), QStringLiteral("已完成 0 / 0 个区域, 保留 0 个状态"),
         QStringLiteral("无效演示"), QStringLiteral(" 进度:  无效脚本 -1 / -1 (100%)"),
         QStringLiteral("自动 (你当前共有 ")},
        {QLocale(QLocale::English, QLocale::UnitedStates), Language::English,
         {QStringLiteral("QuarrinLayvane"), QStringLiteral("Delete the selected buildings"),
          QStringLiteral("Change the colour of the buildings"), QStringLiteral("Erase the selection"),
          QStringLiteral("Lay out the selection"), QStringLiteral("Export image...")},
         QStringLiteral("Searching, please wait."), QStringLiteral("Done 0 / 0 areas, 0 states kept"),
         QStringLiteral("Invalid demonstration"), QStringLiteral(" Progress:  invalid script -1 / -1 (100%)"),
         QStringLiteral("Automatic (you have ")},
    };
    const std::filesystem::path settings = std::filesystem::temp_directory_path() / "ql_window_language_test.cfg";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        const UiLanguage language(UiLanguage::Choose("", c.locale));
        ASSERT_EQ(language.OursLoaded(), c.language == Language::English);
        CmdList::Instance().Clear();
        SearchControl::Instance().ResetForRun();
        MsgCenter& center = MsgCenter::Instance();
        AppConfig config{settings};
        Scene scene{center};
        scene.FillRect(0, 0, 20, 20, CellSoil, CellAny);
        ASSERT_TRUE(scene.PlaceBuild(2, 2, 3, 2, DefaultColour, ""));

        CScenePic pic(center, scene, config);
        pic.resize(400, 400);
        pic.show();
        EXPECT_EQ(MenuTexts(pic), c.menu);

        CSearchInfoDlg search(center);
        EXPECT_EQ(search.ShownText(), c.searching);
        EXPECT_EQ(search.ShownCounts(), c.counts);

        CShowDlg demo(center, scene, config);
        demo.show();
        EXPECT_EQ(demo.DetailsLabel()->FullText(), c.demoDetails);
        EXPECT_EQ(demo.ProgressLabel()->text(), c.demoProgress);

        CLaySetDlg options(center, config);
        options.show();
        EXPECT_TRUE(options.AutoText()->text().startsWith(c.memoryStart)) << options.AutoText()->text().toStdString();
    }
    std::filesystem::remove(settings);
}
