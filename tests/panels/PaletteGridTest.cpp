#include "panels/PaletteGrid.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr ColorRef kBlack = MakeColorRef(0, 0, 0);
constexpr ColorRef kWhite = MakeColorRef(255, 255, 255);

// The point in the middle of a cell, from the window's outer top-left.
int Centre(int cell)
{
    return cell * PaletteGrid::kCellSize + 5;
}

}  // namespace

TEST(PaletteGridTest, CornersOfTheSwatchesHoldTheFixedColours)
{
    EXPECT_EQ(PaletteGrid::CellColor(0, 0), kWhite);
    EXPECT_EQ(PaletteGrid::CellColor(0, 11), kBlack);
    EXPECT_EQ(PaletteGrid::CellColor(1, 0), kBlack);
    EXPECT_EQ(PaletteGrid::CellColor(18, 11), kWhite);
    EXPECT_EQ(PaletteGrid::CellColor(1, 5), MakeColorRef(0, 0, 255));
    // Outside the grid there is no colour.
    EXPECT_EQ(PaletteGrid::CellColor(-1), kBlack);
    EXPECT_EQ(PaletteGrid::CellColor(19 * 12), kBlack);
    EXPECT_EQ(PaletteGrid::CellColor(19, 0), kBlack);
}

TEST(PaletteGridTest, GreyColumnFallsBy23EndingAt23AndBlack)
{
    const int expected[] = {255, 232, 209, 186, 163, 140, 117, 94, 71, 48, 23, 0};
    for (int row = 0; row < PaletteGrid::kRows; ++row) {
        const auto level = static_cast<std::uint8_t>(expected[row]);
        EXPECT_EQ(PaletteGrid::CellColor(0, row), MakeColorRef(level, level, level)) << "row " << row;
    }
}

TEST(PaletteGridTest, CubeBandsStepRedByColumnGroupsGreenByColumnAndBlueByRow)
{
    EXPECT_EQ(PaletteGrid::CellColor(16 + 19 * 10), MakeColorRef(255, 153, 204));
    EXPECT_EQ(PaletteGrid::CellColor(6, 0), MakeColorRef(0, 255, 0));
    EXPECT_EQ(PaletteGrid::CellColor(7, 0), MakeColorRef(51, 0, 0));
    EXPECT_EQ(PaletteGrid::CellColor(13, 2), MakeColorRef(102, 0, 102));
    EXPECT_EQ(PaletteGrid::CellColor(1, 6), MakeColorRef(153, 0, 0));
    EXPECT_EQ(PaletteGrid::CellColor(9, 8), MakeColorRef(204, 102, 102));
    EXPECT_EQ(PaletteGrid::CellColor(13, 6), MakeColorRef(255, 0, 0));
}

TEST(PaletteGridTest, CubeColumnsHoldEveryCubeColourOnce)
{
    std::set<ColorRef> seen;
    for (int row = 0; row < PaletteGrid::kRows; ++row)
        for (int column = 1; column < PaletteGrid::kColumns; ++column)
            seen.insert(PaletteGrid::CellColor(column, row));
    EXPECT_EQ(seen.size(), 216u);
}

TEST(PaletteGridTest, CellUnderAPointCountsFromTheOuterCornerAndSkipsGridLines)
{
    EXPECT_EQ(PaletteGrid::CellIndexAt(Centre(0), Centre(11)), 19 * 11);
    EXPECT_EQ(PaletteGrid::CellIndexAt(1, 1), 0);
    EXPECT_EQ(PaletteGrid::CellIndexAt(9, 9), 0);
    EXPECT_EQ(PaletteGrid::CellIndexAt(189, 119), 18 + 19 * 11);
    EXPECT_EQ(PaletteGrid::CellIndexAt(Centre(5), Centre(3)), 5 + 19 * 3);

    // The border and every grid line.
    EXPECT_EQ(PaletteGrid::CellIndexAt(0, 55), -1);
    EXPECT_EQ(PaletteGrid::CellIndexAt(55, 0), -1);
    EXPECT_EQ(PaletteGrid::CellIndexAt(30, 55), -1);
    EXPECT_EQ(PaletteGrid::CellIndexAt(55, 40), -1);
    EXPECT_EQ(PaletteGrid::CellIndexAt(190, 55), -1);
}

TEST(PaletteGridTest, PointsBelowTheSwatchesOrOutsideTheWindowHaveNoCell)
{
    EXPECT_EQ(PaletteGrid::CellIndexAt(55, 120), -1);
    EXPECT_EQ(PaletteGrid::CellIndexAt(55, 135), -1);
    EXPECT_EQ(PaletteGrid::CellIndexAt(-5, 55), -1);
    EXPECT_EQ(PaletteGrid::CellIndexAt(55, -5), -1);
    EXPECT_EQ(PaletteGrid::CellIndexAt(201, 55), -1);
    EXPECT_TRUE(PaletteGrid::InSwatchArea(190, 119));
    EXPECT_FALSE(PaletteGrid::InSwatchArea(55, 120));
}

TEST(PaletteGridTest, TextLineIsTheUpperCaseCodeThenTheNameWhenThereIsOne)
{
    const std::map<ColorRef, std::string> names = {
        {MakeColorRef(0xAB, 0x0C, 0xEF), platform::Utf8ToGb18030("紫色")},
        {MakeColorRef(255, 255, 255), "white"},
    };
    EXPECT_EQ(PaletteGrid::ColorText(kBlack, names), "#000000 ");
    EXPECT_EQ(PaletteGrid::ColorText(MakeColorRef(0xAB, 0x0C, 0xEF), names),
              "#AB0CEF " + platform::Utf8ToGb18030("紫色"));
    EXPECT_EQ(PaletteGrid::ColorText(kWhite, names), "#FFFFFF white");
    EXPECT_EQ(PaletteGrid::ColorText(MakeColorRef(1, 2, 3), {}), "#010203 ");
    // The high byte is not part of the colour's code.
    EXPECT_EQ(PaletteGrid::ColorText(0xFF102030u, {}), "#302010 ");
}

TEST(PaletteGridTest, PopupOpensBelowTheButtonAndStaysOnTheScreen)
{
    auto origin = PaletteGrid::PopupOrigin(100, 50, 800, 600);
    EXPECT_EQ(origin.x, 100);
    EXPECT_EQ(origin.y, 49);

    origin = PaletteGrid::PopupOrigin(700, 50, 800, 600);
    EXPECT_EQ(origin.x, 800 - 191);
    origin = PaletteGrid::PopupOrigin(-30, 50, 800, 600);
    EXPECT_EQ(origin.x, 0);

    // Exactly fitting stays below; one more pixel goes above the button.
    origin = PaletteGrid::PopupOrigin(10, 451, 800, 600);
    EXPECT_EQ(origin.y, 450);
    origin = PaletteGrid::PopupOrigin(10, 452, 800, 600);
    EXPECT_EQ(origin.y, 452 - 151);
}

TEST(PaletteGridTest, CursorMasksDecodeToItsPixels)
{
    using Pixel = PaletteGrid::CursorPixel;
    EXPECT_EQ(PaletteGrid::CursorPixelAt(0, 0), Pixel::Transparent);
    EXPECT_EQ(PaletteGrid::CursorPixelAt(12, 0), Pixel::Black);   // FFF1: bits 12-14 clear
    EXPECT_EQ(PaletteGrid::CursorPixelAt(15, 0), Pixel::Transparent);
    EXPECT_EQ(PaletteGrid::CursorPixelAt(12, 1), Pixel::White);   // 000C
    EXPECT_EQ(PaletteGrid::CursorPixelAt(1, 14), Pixel::White);   // 4000
    EXPECT_EQ(PaletteGrid::CursorPixelAt(0, 15), Pixel::Black);   // the hot spot
    EXPECT_EQ(PaletteGrid::CursorPixelAt(16, 0), Pixel::Transparent);
    EXPECT_EQ(PaletteGrid::CursorPixelAt(0, 16), Pixel::Transparent);
    EXPECT_EQ(PaletteGrid::CursorPixelAt(-1, 5), Pixel::Transparent);

    int inverted = 0;
    for (int y = 0; y < PaletteGrid::kCursorSide; ++y)
        for (int x = 0; x < PaletteGrid::kCursorSide; ++x)
            inverted += PaletteGrid::CursorPixelAt(x, y) == Pixel::Inverted;
    EXPECT_EQ(inverted, 0);
}
