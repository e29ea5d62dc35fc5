#include "EditCommandLog.h"
#include "cmd/CmdList.h"
#include "config/AppConfig.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "view/CScenePic.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QWheelEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Tool = CScenePic::ToolKind;
using Journal = std::vector<std::string>;
namespace fs = std::filesystem;

std::string Gb(const char* utf8)
{
    return platform::Utf8ToGb18030(utf8);
}

// Plays the main window's part for the view's two dialogs.
struct DialogAnswers {
    DialogAnswers()
    {
        MsgCenter::Instance().Register(this, &DialogAnswers::OnString);
        MsgCenter::Instance().Register(this, &DialogAnswers::OnColour);
    }
    ~DialogAnswers()
    {
        MsgCenter::Instance().Unregister(this, &DialogAnswers::OnString);
        MsgCenter::Instance().Unregister(this, &DialogAnswers::OnColour);
    }
    DialogAnswers(const DialogAnswers&) = delete;
    DialogAnswers& operator=(const DialogAnswers&) = delete;

    void OnString(const InputString_Msg* msg)
    {
        asked.push_back(*msg);
        msg->ok = confirm;
        msg->result = text;
    }
    void OnColour(const InputColor_Msg* msg)
    {
        colourAsked.push_back(msg->initial);
        msg->ok = confirm;
        msg->result = colour;
    }

    bool confirm = true;
    std::string text;
    ColorRef colour = 0;
    std::vector<InputString_Msg> asked;
    std::vector<ColorRef> colourAsked;
};

class CScenePicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CmdList::Instance().Clear();
        scene.FillRect(0, 0, 100, 100, CellSoil, CellAny);
    }

    // With cell size 10, margin 25 and no scroll.
    static QPoint Cell(int x, int y) { return QPoint(25 + 10 * x + 5, 25 + 10 * y + 5); }

    void Click(QPoint at, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QTest::mouseClick(&pic, Qt::LeftButton, keys, at);
    }
    void Drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton,
              Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QTest::mousePress(&pic, button, keys, from);
        QTest::mouseMove(&pic, to);
        QTest::mouseRelease(&pic, button, keys, to);
    }
    void SelectRect(QPoint from, QPoint to)
    {
        pic.SelectTool(Tool::Pointer, 1, 1, false);
        Drag(from, to);
    }
    static std::vector<int> Ids(const std::vector<SceneMenuItem>& items)
    {
        std::vector<int> ids;
        for (const SceneMenuItem& item : items) {
            if (!item.separator)
                ids.push_back(item.id);
        }
        return ids;
    }

    AppConfig config{std::filesystem::temp_directory_path() / "ql_scenepic_test.cfg"};
    Scene scene{MsgCenter::Instance()};
    CScenePic pic{MsgCenter::Instance(), scene, config};
    EditCommandLog log;
};

TEST_F(CScenePicTest, ASoilClickFillsTheOneCellAndKeepsItSelected)
{
    pic.SelectTool(Tool::Soil, 1, 1, false);
    Click(Cell(20, 5));
    ASSERT_EQ(log.journal, Journal{"FillSoil"});
    EXPECT_EQ(log.fillSoil.records[0].data, (GridRect{20, 5, 1, 1}));
    EXPECT_EQ(pic.Selection().Rects(), (std::vector<CellRect>{{20, 5, 20, 5}}));
}

TEST_F(CScenePicTest, AnEraseClickOnABuildingErasesItsWholeFootprint)
{
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 3, 2, DefaultColour, ""));
    pic.SelectTool(Tool::Erase, 1, 1, false);
    Click(Cell(11, 11));
    ASSERT_EQ(log.journal, Journal{"FillBalk"});
    EXPECT_EQ(log.fillBalk.records[0].data, (GridRect{10, 10, 3, 2}));
}

TEST_F(CScenePicTest, CtrlKeepsEarlierRectanglesAndRepeatsTheirFill)
{
    pic.SelectTool(Tool::Road, 1, 1, false);
    Drag(Cell(0, 0), Cell(2, 1));
    Drag(Cell(5, 5), Cell(4, 4), Qt::LeftButton, Qt::ControlModifier);
    ASSERT_EQ(log.fillRoad.records.size(), 3u);
    EXPECT_EQ(log.fillRoad.records[1].data, (GridRect{0, 0, 3, 2}));
    EXPECT_EQ(log.fillRoad.records[2].data, (GridRect{4, 4, 2, 2}));

    Click(Cell(8, 8));
    EXPECT_EQ(pic.Selection().Rects().size(), 1u);
}

TEST_F(CScenePicTest, ADragLeavingTheGridChangesNothing)
{
    pic.Painter().Pan(100000, 0, true);  // column 200 at the left of the view
    pic.SelectTool(Tool::Soil, 1, 1, false);
    Click(Cell(40, 3));
    log.journal.clear();

    Drag(Cell(40, 3), Cell(50, 3));
    EXPECT_TRUE(log.journal.empty());
    EXPECT_EQ(pic.Selection().Rects(), (std::vector<CellRect>{{240, 3, 240, 3}}));
}

TEST_F(CScenePicTest, RulersRunAlongTheLongerDistanceAndTiesAreVertical)
{
    pic.SelectTool(Tool::Ruler, 1, 1, false);
    for (const QPoint end : {Cell(13, 20), Cell(20, 13), Cell(15, 15), Cell(10, 10)}) {
        Click(Cell(10, 10));
        QTest::mouseMove(&pic, end);
        Click(end);
    }
    ASSERT_EQ(log.addMark.records.size(), 4u);
    EXPECT_EQ(log.addMark.records[0].data, (Mark{10, 10, 10, 20}));
    EXPECT_EQ(log.addMark.records[1].data, (Mark{10, 10, 20, 10}));
    EXPECT_EQ(log.addMark.records[2].data, (Mark{10, 10, 10, 15}));
    EXPECT_EQ(log.addMark.records[3].data, (Mark{10, 10, 10, 10}));
}

TEST_F(CScenePicTest, AToolChangeForgetsTheFirstRulerClick)
{
    pic.SelectTool(Tool::Ruler, 1, 1, false);
    Click(Cell(1, 1));
    pic.SelectTool(Tool::Ruler, 1, 1, false);
    Click(Cell(1, 5));
    EXPECT_TRUE(log.addMark.records.empty());
    Click(Cell(3, 5));
    ASSERT_EQ(log.addMark.records.size(), 1u);
    EXPECT_EQ(log.addMark.records[0].data, (Mark{1, 5, 3, 5}));
}

TEST_F(CScenePicTest, DeleteRemovesRulersFirstThenBuildings)
{
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 3, 2, DefaultColour, ""));
    scene.InsertMark(Mark{10, 13, 12, 13});
    SelectRect(Cell(9, 9), Cell(14, 14));

    QTest::keyClick(&pic, Qt::Key_Delete);
    EXPECT_EQ(log.journal, Journal{"DelMark"});
    QTest::keyClick(&pic, Qt::Key_Delete);
    EXPECT_EQ(log.journal, (Journal{"DelMark", "DelBuild"}));
    EXPECT_TRUE(scene.Builds().empty());
    EXPECT_TRUE(scene.Marks().empty());
}

TEST_F(CScenePicTest, ARightClickWithinFourPixelsOpensTheMenuALongerDragOnlyPans)
{
    EXPECT_TRUE(CScenePic::OpensMenu(QPoint(100, 100), QPoint(104, 96)));
    EXPECT_FALSE(CScenePic::OpensMenu(QPoint(100, 100), QPoint(105, 100)));
    EXPECT_FALSE(CScenePic::OpensMenu(QPoint(100, 100), QPoint(100, 95)));

    Drag(QPoint(300, 300), QPoint(300, 295), Qt::RightButton);
    EXPECT_EQ(pic.ContextMenu(), nullptr);
    Drag(QPoint(300, 300), QPoint(285, 300), Qt::RightButton);
    EXPECT_EQ(pic.Painter().Geometry().ScrollX(), 10);  // snapped on release
    EXPECT_EQ(pic.ContextMenu(), nullptr);

    SelectRect(Cell(2, 2), Cell(3, 3));
    Drag(QPoint(300, 300), QPoint(304, 304), Qt::RightButton);
    ASSERT_NE(pic.ContextMenu(), nullptr);
    EXPECT_TRUE(pic.ContextMenu()->isVisible());
    QStringList texts;
    for (QAction* action : pic.ContextMenu()->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    EXPECT_EQ(texts, (QStringList{"QuarrinLayvane", QString::fromUtf8("擦除选择区域"),
                                  QString::fromUtf8("在选区内布局"), QString::fromUtf8("导出图片...")}));
    EXPECT_FALSE(pic.ContextMenu()->actions().front()->isEnabled());
    pic.ContextMenu()->close();
}

TEST_F(CScenePicTest, TheMenuTitleNamesASingleSelectedCell)
{
    scene.LoadCell(12, 34, CellBalk);
    SelectRect(Cell(12, 34), Cell(12, 34));
    const std::vector<SceneMenuItem> items = pic.MenuItems();
    EXPECT_EQ(items[0].text.Chinese(), "QuarrinLayvane 12 34");
    EXPECT_FALSE(items[0].enabled);
    EXPECT_TRUE(items[1].separator);
    EXPECT_EQ(Ids(items), (std::vector<int>{SceneMenu::kTitle, SceneMenu::kLight}));

    SelectRect(Cell(12, 34), Cell(12, 35));
    EXPECT_EQ(pic.MenuItems()[0].text.Chinese(), "QuarrinLayvane");
}

TEST_F(CScenePicTest, TheMenuOffersWhatTheSelectionHolds)
{
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 3, 2, DefaultColour, Gb("仓库")));
    scene.InsertMark(Mark{10, 10, 12, 10});
    SelectRect(Cell(11, 11), Cell(11, 11));
    std::vector<SceneMenuItem> items = pic.MenuItems();
    EXPECT_EQ(items[0].text.Chinese(), "QuarrinLayvane");  // the one cell widened to the building
    EXPECT_EQ(Ids(items), (std::vector<int>{SceneMenu::kTitle, SceneMenu::kRename, SceneMenu::kDeleteRulers,
                                            SceneMenu::kDeleteBuildings, SceneMenu::kRecolour}));
    EXPECT_EQ(items[2].text.Chinese(), Gb("修改此建筑的名字"));

    ASSERT_TRUE(scene.PlaceBuild(20, 20, 2, 3, DefaultColour, ""));
    SelectRect(Cell(20, 20), Cell(20, 20));
    EXPECT_EQ(pic.MenuItems()[2].text.Chinese(), Gb("为该建筑命名"));
}

TEST_F(CScenePicTest, RecolourGivesEverySelectedBuildingTheOneChosenColour)
{
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 3, 2, 0x111111, "a"));
    ASSERT_TRUE(scene.PlaceBuild(20, 10, 5, 4, 0x222222, ""));
    SelectRect(Cell(5, 5), Cell(30, 30));
    DialogAnswers answers;
    answers.colour = 0x00FF00;

    pic.RunMenuAction(SceneMenu::kRecolour);
    EXPECT_EQ(answers.colourAsked, std::vector<ColorRef>{0x111111});
    ASSERT_EQ(log.recolor.records.size(), 2u);
    EXPECT_EQ(log.recolor.records[0].data, (Build{10, 10, 3, 2, "a", 0x00FF00}));
    EXPECT_EQ(scene.Builds()[1].colour, 0x00FF00u);

    answers.confirm = false;
    pic.RunMenuAction(SceneMenu::kRecolour);
    EXPECT_EQ(log.recolor.records.size(), 2u);
}

TEST_F(CScenePicTest, RenameAsksWithTheCurrentNameAndKeepsTheColour)
{
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 3, 2, 0x123456, Gb("旧")));
    DialogAnswers answers;
    answers.text = Gb("新");
    pic.RunMenuAction(SceneMenu::kRename);
    EXPECT_TRUE(answers.asked.empty());  // nothing selected

    SelectRect(Cell(10, 10), Cell(10, 10));
    pic.RunMenuAction(SceneMenu::kRename);
    ASSERT_EQ(answers.asked.size(), 1u);
    EXPECT_EQ(answers.asked[0].prompt.Chinese(), Gb("请输入建筑物的名字: "));
    EXPECT_EQ(answers.asked[0].initial, Gb("旧"));
    ASSERT_EQ(log.rename.records.size(), 1u);
    EXPECT_EQ(log.rename.records[0].data, (Build{10, 10, 3, 2, Gb("新"), 0x123456}));
    EXPECT_EQ(scene.Builds()[0].name, Gb("新"));
}

TEST_F(CScenePicTest, ABuildingMustFitOnSoilShortOfTheLastRowAndColumn)
{
    scene.FillRect(0, 0, 249, 249, CellSoil, CellAny);
    for (int i = 0; i < GridSize; ++i) {
        scene.LoadCell(249, i, CellSoil);
        scene.LoadCell(i, 249, CellSoil);
    }
    pic.Painter().Pan(100000, 100000, true);  // cell (200, 200) at the top left
    pic.SelectTool(Tool::Building, 3, 2, true);
    pic.SetColours(0x0000AA, 0x00BB00);

    Click(Cell(47, 10));  // columns 247 .. 249
    Click(Cell(10, 48));  // rows 248 .. 249
    EXPECT_TRUE(log.addBuild.records.empty());

    QTest::mousePress(&pic, Qt::LeftButton, Qt::NoModifier, Cell(46, 10));
    QTest::mouseMove(&pic, Cell(40, 10));
    QTest::mouseRelease(&pic, Qt::LeftButton, Qt::NoModifier, Cell(40, 10));
    ASSERT_EQ(log.addBuild.records.size(), 1u);
    EXPECT_EQ(log.addBuild.records[0].data, (Build{246, 210, 3, 2, "", 0x0000AA}));

    pic.SelectTool(Tool::Building, 2, 2, false);
    Click(Cell(0, 0));
    ASSERT_EQ(log.addBuild.records.size(), 2u);
    EXPECT_EQ(log.addBuild.records[1].data.colour, 0x00BB00u);
}

TEST_F(CScenePicTest, CursorsFollowTheToolAndThePan)
{
    pic.SelectTool(Tool::Soil, 1, 1, false);
    EXPECT_EQ(pic.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(pic.cursor().hotSpot(), QPoint(0, 15));
    pic.SelectTool(Tool::Building, 3, 2, true);
    EXPECT_EQ(pic.cursor().hotSpot(), QPoint(12, 1));

    QTest::mousePress(&pic, Qt::RightButton, Qt::NoModifier, QPoint(300, 300));
    EXPECT_EQ(pic.cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(&pic, Qt::RightButton, Qt::NoModifier, QPoint(320, 300));
    EXPECT_EQ(pic.cursor().hotSpot(), QPoint(12, 1));

    pic.SelectTool(Tool::Wall, 1, 1, false);
    EXPECT_EQ(pic.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace

TEST_F(CScenePicTest, KeysZoomAndPanAndTheScrollBarsFollowAndLead)
{
    const ViewGeometry& g = pic.Painter().Geometry();
    QTest::keyClick(&pic, Qt::Key_Plus);
    EXPECT_EQ(g.CellSize(), 11);
    QTest::keyClick(&pic, Qt::Key_Minus);
    QTest::keyClick(&pic, Qt::Key_Minus);
    EXPECT_EQ(g.CellSize(), 9);
    QTest::keyClick(&pic, Qt::Key_Equal);
    EXPECT_EQ(g.CellSize(), 10);

    QTest::keyClick(&pic, Qt::Key_Right);
    QTest::keyClick(&pic, Qt::Key_Down);
    QTest::keyClick(&pic, Qt::Key_Down);
    EXPECT_EQ(g.ScrollX(), CScenePic::kArrowCells * 10);
    EXPECT_EQ(g.ScrollY(), 2 * CScenePic::kArrowCells * 10);
    QTest::keyClick(&pic, Qt::Key_Left);
    QTest::keyClick(&pic, Qt::Key_Left);
    EXPECT_EQ(g.ScrollX(), 0);  // held at the map's edge

    pic.grab();  // a paint brings the bars up to date
    EXPECT_TRUE(pic.HorizontalBar()->isVisibleTo(&pic));
    EXPECT_EQ(pic.HorizontalBar()->maximum(), 250 * 10 - 500);
    EXPECT_EQ(pic.VerticalBar()->value(), g.ScrollY());
    // The bars sit in the margins, outside the view area.
    EXPECT_GE(pic.VerticalBar()->geometry().left(), 25 + 500);
    EXPECT_GE(pic.HorizontalBar()->geometry().top(), 25 + 500);

    pic.HorizontalBar()->setValue(1234);
    EXPECT_EQ(g.ScrollX(), 1230);  // on a cell boundary
    EXPECT_EQ(pic.HorizontalBar()->value(), 1230);

    // Zoomed out until the whole map fits, there is nothing to scroll.
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(&pic, Qt::Key_Minus);
    pic.grab();
    EXPECT_FALSE(pic.HorizontalBar()->isVisibleTo(&pic));
}

TEST_F(CScenePicTest, TheWheelZoomsByTheAngleTurnedWithOrWithoutCtrl)
{
    const ViewGeometry& g = pic.Painter().Geometry();
    const auto turn = [this](int delta, Qt::KeyboardModifiers keys = Qt::NoModifier) {
        const QPointF at(300, 300);
        QWheelEvent event(at, pic.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, keys, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(&pic, &event);
    };
    turn(40);
    turn(40);
    EXPECT_EQ(g.CellSize(), 10);  // two thirds of a notch
    turn(40);
    EXPECT_EQ(g.CellSize(), 11);
    turn(360, Qt::ControlModifier);
    EXPECT_EQ(g.CellSize(), 14);
    turn(60);
    turn(-60);  // turning back forgets the half notch
    turn(60);
    EXPECT_EQ(g.CellSize(), 14);
    turn(-120);
    EXPECT_EQ(g.CellSize(), 13);
}

TEST_F(CScenePicTest, ExportWritesAPngOrSvgWhoseCellsHaveTheMapsColours)
{
    scene.FillRect(120, 130, 5, 5, CellRoad, CellAny);
    scene.FillRect(200, 10, 3, 3, CellWall, CellAny);
    const fs::path folder = fs::temp_directory_path() / "ql-export-test";
    fs::create_directories(folder);
    const auto colourAt = [](const QImage& image, int cellSize, int column, int row) {
        return image.pixelColor(25 + column * cellSize + cellSize / 2, 25 + row * cellSize + cellSize / 2);
    };
    // An SVG is read back by drawing its view box pixel for pixel.
    const auto read = [](const fs::path& file) {
        const QString name = QString::fromStdString(platform::PathToUtf8(file));
        if (file.extension() != ".svg")
            return QImage(name);
        QSvgRenderer svg(name);
        QImage image(svg.viewBox().size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        svg.render(&p);
        return image;
    };

    for (const char* name : {"地图.png", "地图.svg"}) {
        SCOPED_TRACE(name);
        const fs::path file = folder / platform::PathFromUtf8(name);
        ASSERT_TRUE(pic.ExportImageTo(file, true, 6));
        const QImage whole = read(file);
        ASSERT_EQ(whole.size(), QSize(250 * 6 + 50, 250 * 6 + 50));
        EXPECT_EQ(colourAt(whole, 6, 5, 5), QColor(0, 255, 0));          // soil
        EXPECT_EQ(colourAt(whole, 6, 122, 132), QColor(233, 158, 245));  // road
        EXPECT_EQ(colourAt(whole, 6, 201, 11), QColor(0, 0, 0));         // wall
        EXPECT_EQ(colourAt(whole, 6, 240, 240), QColor(255, 255, 255));  // blank

        // The part in view: the 50 × 50 cells from 100, 120 on.
        MsgCenter::Instance().Send(MoveSceneCenter_Msg{125, 145});
        ASSERT_EQ(pic.Painter().Geometry().ScrollX(), 1000);
        ASSERT_EQ(pic.Painter().Geometry().ScrollY(), 1200);
        ASSERT_TRUE(pic.ExportImageTo(file, false, 4));
        const QImage part = read(file);
        ASSERT_EQ(part.size(), QSize(50 * 4 + 50, 50 * 4 + 50));
        EXPECT_EQ(colourAt(part, 4, 0, 0), QColor(255, 255, 255));
        EXPECT_EQ(colourAt(part, 4, 122 - 100, 132 - 120), QColor(233, 158, 245));
    }

    // Nothing to draw at an impossible cell size, and no file under a missing folder.
    EXPECT_FALSE(pic.ExportImageTo(folder / "too-big.png", true, 65));
    EXPECT_FALSE(pic.ExportImageTo(folder / "too-big.svg", true, 65));
    EXPECT_FALSE(pic.ExportImageTo(folder / "missing" / "map.png", true, 4));
    EXPECT_FALSE(fs::exists(folder / "too-big.png"));
    fs::remove_all(folder);
}
