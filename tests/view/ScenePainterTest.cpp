#include "config/AppConfig.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "view/ScenePainter.h"
#include "view/SceneSelection.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kM = ViewGeometry::kMargin;
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

const QColor kWhite(255, 255, 255);
const QColor kSoil(0, 255, 0);
const QColor kRoad(233, 158, 245);
const QColor kBlack(0, 0, 0);
const QColor kGrey(192, 192, 192);
const QColor kGrid(240, 194, 242);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);
const QColor kNameBackground(180, 185, 248);

// The settings file of one test; removed after the config has written it.
struct ConfigFile {
    fs::path path = fs::temp_directory_path() /
                    ("ql-painter-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                     ".cfg");
    ConfigFile() { fs::remove(path); }
    ~ConfigFile() { fs::remove(path); }
};

bool AnyPixel(const QImage& image, const QRect& area, const QColor& colour)
{
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

bool AnyDarkPixel(const QImage& image, const QRect& area)
{
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (image.pixelColor(x, y).lightness() < 100)
                return true;
    return false;
}

class ScenePainterTest : public ::testing::Test {
protected:
    void SetUp() override { scene.FillRect(0, 0, 100, 100, CellSoil, CellAny); }

    QImage Render() { return painter.Render(); }
    // The pixel in the middle of a cell at the current zoom and scroll.
    QColor CellColour(const QImage& image, int x, int y) const
    {
        const PixelRect r = painter.Geometry().PixelRectOfCell(x, y);
        return image.pixelColor(static_cast<int>((r.left + r.right) / 2), static_cast<int>((r.top + r.bottom) / 2));
    }
    static void Zoom(int cellSize) { MsgCenter::Instance().Send(ZoomSceneSize_Msg{cellSize}); }

    ConfigFile configFile;
    AppConfig config{configFile.path};
    Scene scene{MsgCenter::Instance()};
    SceneSelection selection{scene};
    ScenePainter painter{MsgCenter::Instance(), scene, selection, config, nullptr};
};

TEST_F(ScenePainterTest, CellsAreFilledWithTheColourOfTheirValue)
{
    scene.FillRect(5, 0, 2, 2, CellRoad, CellAny);
    scene.FillRect(7, 0, 2, 2, CellWall, CellAny);
    scene.FillRect(0, 3, 4, 1, CellBalk, CellAny);
    const QImage image = Render();
    ASSERT_EQ(image.size(), QSize(550, 550));
    EXPECT_EQ(CellColour(image, 0, 0), kSoil);
    EXPECT_EQ(CellColour(image, 6, 1), kRoad);
    EXPECT_EQ(CellColour(image, 8, 0), kBlack);
    EXPECT_EQ(CellColour(image, 2, 3), kWhite);
    EXPECT_EQ(image.pixelColor(5, 300), kGrey);        // the margin
}

TEST_F(ScenePainterTest, BuildingsTakeTheDefaultColourOfTheirFootprint)
{
    config.houseColor = MakeColorRef(10, 20, 30);
    config.factoryColor = MakeColorRef(40, 50, 60);
    config.otherBuildColor = MakeColorRef(70, 80, 90);
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 3, 2, DefaultColour, ""));
    ASSERT_TRUE(scene.PlaceBuild(15, 10, 2, 3, DefaultColour, ""));
    ASSERT_TRUE(scene.PlaceBuild(20, 10, 5, 4, DefaultColour, ""));
    ASSERT_TRUE(scene.PlaceBuild(30, 10, 4, 5, DefaultColour, ""));
    ASSERT_TRUE(scene.PlaceBuild(10, 20, 2, 2, MakeColorRef(1, 2, 3), ""));

    QImage image = Render();
    EXPECT_EQ(CellColour(image, 11, 11), QColor(10, 20, 30));
    EXPECT_EQ(CellColour(image, 15, 12), QColor(10, 20, 30));
    EXPECT_EQ(CellColour(image, 24, 13), QColor(40, 50, 60));
    EXPECT_EQ(CellColour(image, 31, 14), QColor(70, 80, 90));
    EXPECT_EQ(CellColour(image, 11, 21), QColor(1, 2, 3));

    // Between two cells of a building the one-pixel gap shows what lies below.
    const QPoint gap(kM + 110, kM + 105);
    EXPECT_NE(image.pixelColor(gap), QColor(10, 20, 30));
    config.hideBuildGrid = true;
    image = Render();
    EXPECT_EQ(image.pixelColor(gap), QColor(10, 20, 30));
}

TEST_F(ScenePainterTest, GridLinesFollowTheAutomaticSetting)
{
    ASSERT_TRUE(config.gridAuto);
    const QRect view(kM + 2, kM + 2, 400, 400);
    Zoom(8);
    EXPECT_TRUE(AnyPixel(Render(), view, kGrid));
    Zoom(7);
    EXPECT_FALSE(AnyPixel(Render(), view, kGrid));
    config.gridAuto = false;
    config.gridShow = true;
    EXPECT_TRUE(AnyPixel(Render(), view, kGrid));
}

TEST_F(ScenePainterTest, EdgeNumbersAreDrawnEveryStepCells)
{
    // Is there a number above column `index`, centred on its cell?
    const auto numbered = [this](const QImage& image, int index) {
        const int c = painter.Geometry().CellSize();
        const int centre = kM + index * c + c / 2;
        return AnyDarkPixel(image, QRect(centre - 2, 2, 5, kM - 4));
    };
    QImage image = Render();
    EXPECT_TRUE(numbered(image, 0));
    EXPECT_FALSE(numbered(image, 1));
    EXPECT_FALSE(numbered(image, 2));
    EXPECT_TRUE(numbered(image, 4));
    Zoom(14);
    image = Render();
    EXPECT_TRUE(numbered(image, 2));
    EXPECT_FALSE(numbered(image, 1));
    Zoom(21);
    image = Render();
    EXPECT_TRUE(numbered(image, 1));
    EXPECT_TRUE(numbered(image, 2));
}

TEST_F(ScenePainterTest, AtCellSizeTwoAWideViewShowsTheMapAgainstTheRightAndBottomBorder)
{
    scene.LoadCell(249, 249, CellRoad);
    painter.SetSize(650 + 2 * kM, 700 + 2 * kM);
    Zoom(2);
    const QImage image = Render();
    ASSERT_EQ(image.size(), QSize(700, 750));
    EXPECT_EQ(image.pixelColor(kM + 648, kM + 698), kRoad);
    EXPECT_EQ(image.pixelColor(kM + 100, kM + 300), kGrey);  // left of the map
    EXPECT_EQ(image.pixelColor(kM + 160, kM + 210), kSoil);  // cell (5, 5)
}

TEST_F(ScenePainterTest, ABuildingPartlyScrolledOutIsCutAtTheBorder)
{
    ASSERT_TRUE(scene.PlaceBuild(0, 2, 3, 2, DefaultColour, ""));
    painter.Pan(15, 0, false);
    const QImage image = Render();
    const QColor house = QColor(0, 28, 255);
    EXPECT_EQ(image.pixelColor(kM + 2, kM + 25), house);
    EXPECT_EQ(image.pixelColor(kM - 5, kM + 25), kGrey);
    EXPECT_FALSE(AnyPixel(image, QRect(kM - 3, kM + 23, 6, 14), kYellow));
    EXPECT_TRUE(AnyPixel(image, QRect(kM + 13, kM + 25, 3, 1), kYellow));  // the right edge is framed
}

TEST_F(ScenePainterTest, PreviewsRulersAndSelectionAreDrawnInTheirColours)
{
    const QPoint previewTop(kM + 215, kM + 200);
    painter.SetBuildingPreview({20, 20, 22, 21}, true);
    EXPECT_EQ(Render().pixelColor(previewTop), kBlue);
    painter.SetBuildingPreview({20, 20, 22, 21}, false);
    EXPECT_EQ(Render().pixelColor(previewTop), kRed);
    painter.HidePreviews();
    EXPECT_NE(Render().pixelColor(previewTop), kRed);

    scene.InsertMark({3, 4, 3, 10});
    selection.Add({40, 40, 45, 45});
    const QImage image = Render();
    EXPECT_EQ(image.pixelColor(kM + 35, kM + 60), kRed);
    EXPECT_EQ(image.pixelColor(kM + 420, kM + 400), kRed);
}

TEST_F(ScenePainterTest, TheFlashBlinksWithTheCountdownAndEndsAtZero)
{
    scene.FillRect(5, 5, 1, 1, CellRoad, CellAny);
    painter.StartFlash({{5, 5}, {6, 5}, {kMax, -1}}, 20);
    QImage image = Render();
    EXPECT_EQ(CellColour(image, 5, 5), kRed);
    EXPECT_EQ(CellColour(image, 6, 5), kRed);

    MsgCenter::Instance().Send(Timer_Msg<1000>{});
    EXPECT_EQ(painter.FlashCountdown(), 19);
    image = Render();
    EXPECT_EQ(CellColour(image, 5, 5), kRoad);
    EXPECT_EQ(CellColour(image, 6, 5), kSoil);

    for (int tick = 2; tick <= 19; ++tick)
        MsgCenter::Instance().Send(Timer_Msg<1000>{});
    EXPECT_TRUE(painter.FlashActive());
    MsgCenter::Instance().Send(Timer_Msg<1000>{});
    EXPECT_FALSE(painter.FlashActive());
    EXPECT_EQ(CellColour(Render(), 5, 5), kRoad);

    // A flash started without a countdown still ends.
    painter.StartFlash({{5, 5}}, 0);
    MsgCenter::Instance().Send(Timer_Msg<1000>{});
    EXPECT_FALSE(painter.FlashActive());
}

TEST_F(ScenePainterTest, CentreAndZoomMessagesMoveTheView)
{
    MsgCenter::Instance().Send(MoveSceneCenter_Msg{100, 60});
    EXPECT_EQ(painter.Geometry().ScrollX(), 750);
    EXPECT_EQ(painter.Geometry().ScrollY(), 350);
    EXPECT_EQ(CellColour(Render(), 99, 59), kSoil);

    Zoom(0);
    EXPECT_EQ(painter.Geometry().CellSize(), 2);
    Zoom(-9);
    EXPECT_EQ(painter.Geometry().CellSize(), 2);
    Zoom(300);
    EXPECT_EQ(painter.Geometry().CellSize(), 300);
    Zoom(kMax);
    EXPECT_EQ(painter.Geometry().CellSize(), ViewGeometry::kMaxCellSize);
    EXPECT_FALSE(Render().isNull());
}

TEST_F(ScenePainterTest, ScreenPointsAreGivenOnlyForCellsInsideTheWindow)
{
    EXPECT_EQ(painter.ScreenPointOfCell(0, 0), QPoint(-1, -1));  // no window
    QWidget window;
    window.resize(550, 550);
    ScenePainter shown(MsgCenter::Instance(), scene, selection, config, &window);
    EXPECT_EQ(shown.ScreenPointOfCell(0, 0), window.mapToGlobal(QPoint(kM, kM)));
    EXPECT_EQ(shown.ScreenPointOfCell(60, 0), QPoint(-1, -1));
    EXPECT_EQ(shown.ScreenPointOfCell(kMin, kMax), QPoint(-1, -1));
}

TEST_F(ScenePainterTest, AbsurdScenesFromAFileAreDrawnWithoutHarm)
{
    scene.AppendLoadedBuild({0, 0, kMax, kMax, "", DefaultColour});
    scene.AppendLoadedBuild({kMin, kMin, kMax, kMax, "x", DefaultColour});
    scene.AppendLoadedBuild({50, 50, -40, -3, "neg", 0x123456});
    scene.AppendLoadedBuild({kMax, kMax, kMax, kMax, "far", DefaultColour});
    std::string longName;
    for (int i = 0; i < 10000; ++i)
        longName += "\xC5\xA9";  // GB18030 for a Chinese character
    scene.AppendLoadedBuild({3, 3, 2, 2, longName, DefaultColour});
    for (int i = 0; i < 5000; ++i)
        scene.AppendLoadedBuild({i % 250, (i / 250) * 3, 3, 2, "b" + std::to_string(i), DefaultColour});
    scene.InsertMark({kMin, kMin, kMax, kMax});
    scene.InsertMark({kMax, 3, kMin, 3});
    selection.Add({kMin, kMin, kMax, kMax});
    painter.SetDragRect(kMin, kMin, kMax, kMax);
    painter.SetRulerPreview(QPoint(kMin, kMax), QPoint(kMax, kMin));
    painter.SetBuildingPreview({kMax, kMin, kMin, kMax}, true);
    painter.StartFlash({{kMin, kMin}, {249, 249}, {-1, 0}}, 4);

    for (const int cell : {2, 10, 1000}) {
        for (const bool hideGrid : {false, true}) {
            Zoom(cell);
            painter.Pan(kMax, kMax, true);
            config.hideBuildGrid = hideGrid;
            const QImage image = Render();
            ASSERT_FALSE(image.isNull());
        }
    }
    Zoom(10);
    painter.Pan(kMin, kMin, true);
    painter.HidePreviews();
    selection.Clear();
    EXPECT_TRUE(AnyPixel(Render(), QRect(kM, kM, 500, 100), kNameBackground));
}

TEST_F(ScenePainterTest, StackedBuildingsShowTheOneDrawnLastOverEachCell)
{
    // Drawn first, named at the middle of the view; the next one covers it, name and all.
    scene.AppendLoadedBuild({kMin, kMin, kMax, kMax, "under", MakeColorRef(1, 1, 1)});
    scene.AppendLoadedBuild({0, 0, kMax, kMax, "", MakeColorRef(2, 2, 2)});
    scene.AppendLoadedBuild({20, 20, 6, 2, "top", MakeColorRef(3, 3, 3)});
    const QImage image = Render();
    EXPECT_EQ(CellColour(image, 0, 0), QColor(2, 2, 2));
    EXPECT_EQ(CellColour(image, 27, 27), QColor(2, 2, 2));
    EXPECT_EQ(CellColour(image, 20, 21), QColor(3, 3, 3));
    EXPECT_FALSE(AnyPixel(image, QRect(kM, kM + 250, 500, 250), kNameBackground));
    EXPECT_TRUE(AnyPixel(image, QRect(kM + 200, kM + 200, 60, 20), kNameBackground));
}

}  // namespace

TEST_F(ScenePainterTest, ANameStaysInsideItsBuildingOnA14PixelLine)
{
    const ColorRef house = MakeColorRef(10, 20, 30);
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 3, 2, house, "house"));
    ASSERT_TRUE(scene.PlaceBuild(20, 10, 3, 2, house, platform::Utf8ToGb18030("一座名字很长很长很长的房屋")));
    ASSERT_TRUE(scene.PlaceBuild(30, 10, 1, 1, house, "tiny"));
    const QImage image = Render();

    for (const int left : {10, 20}) {
        // The label fills at most the 14-pixel middle line of the house's 20 pixels ...
        const QRect house(kM + left * 10, kM + 100, 30, 20);
        EXPECT_TRUE(AnyPixel(image, house, kNameBackground)) << left;
        EXPECT_FALSE(AnyPixel(image, QRect(house.left(), house.top(), 30, 3), kNameBackground)) << left;
        EXPECT_FALSE(AnyPixel(image, QRect(house.left(), house.bottom() - 2, 30, 3), kNameBackground)) << left;
        // ... so the colour shows around it, and nothing spills onto the neighbours.
        EXPECT_TRUE(AnyPixel(image, QRect(house.left(), house.top(), 30, 3), QColor(10, 20, 30))) << left;
        EXPECT_FALSE(AnyPixel(image, QRect(house.left() - 10, house.top(), 10, 20), kNameBackground)) << left;
        EXPECT_FALSE(AnyPixel(image, QRect(house.right() + 1, house.top(), 10, 20), kNameBackground)) << left;
    }
    // A name with no room at all is left out.
    EXPECT_FALSE(AnyPixel(image, QRect(kM + 300, kM + 100, 10, 10), kNameBackground));
}
