// Runs with QT_SCALE_FACTOR=2: the map view on a screen at 200 %.
#include "config/AppConfig.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"
#include "view/CScenePic.h"

#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

TEST(ScaledViewTest, CellsLandOnWholeDevicePixelsAtTwiceTheScale)
{
    const std::filesystem::path settings = std::filesystem::temp_directory_path() / "ql_scaled_view_test.cfg";
    AppConfig config{settings};
    config.gridAuto = false;
    config.gridShow = false;
    Scene scene{MsgCenter::Instance()};
    // Columns of soil and road, one cell each.
    for (int x = 0; x < 20; ++x)
        scene.FillRect(x, 0, 1, 20, x % 2 == 0 ? CellSoil : CellRoad, CellAny);
    CScenePic pic(MsgCenter::Instance(), scene, config);
    pic.resize(300, 300);
    pic.show();
    ASSERT_EQ(pic.devicePixelRatioF(), 2.0) << "QT_SCALE_FACTOR=2 is not in effect";

    // The view draws at the screen's density, not at half of it blown up.
    const QImage surface = pic.Painter().Render();
    EXPECT_EQ(surface.devicePixelRatio(), 2.0);
    EXPECT_EQ(surface.width(), 2 * pic.Painter().Geometry().SurfaceWidth());

    const QImage image = pic.grab().toImage();
    ASSERT_EQ(image.width(), 2 * pic.width());
    const int cell = pic.Painter().Geometry().CellSize();
    const int margin = pic.Painter().Geometry().Margin();
    const QColor soil = image.pixelColor(2 * (margin + cell / 2), 2 * (margin + cell / 2));
    const QColor road = image.pixelColor(2 * (margin + cell + cell / 2), 2 * (margin + cell / 2));
    ASSERT_NE(soil, road);

    // The view's one-pixel border covers exactly two device pixels, and the
    // cells beside it start on the next one.
    const int y = 2 * (margin + 3 * cell) + 1;
    const QColor border = image.pixelColor(2 * margin, y);
    EXPECT_NE(border, soil);
    EXPECT_EQ(image.pixelColor(2 * margin + 1, y), border);
    EXPECT_EQ(image.pixelColor(2 * margin + 2, y), soil);
    // Past it every device pixel along a row through the cells has one of
    // the two colours, and each change falls exactly on a doubled cell boundary.
    for (int column = 0; column < 10; ++column) {
        const int left = 2 * (margin + column * cell);
        const QColor expected = column % 2 == 0 ? soil : road;
        for (int x = column == 0 ? left + 2 : left; x < left + 2 * cell; ++x)
            EXPECT_EQ(image.pixelColor(x, y), expected) << "device pixel " << x << " of cell column " << column;
    }
    std::filesystem::remove(settings);
}

}  // namespace
