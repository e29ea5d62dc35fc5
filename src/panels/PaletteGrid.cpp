#include "panels/PaletteGrid.h"

#include <cstdio>

namespace {

constexpr std::array<std::uint8_t, PaletteGrid::kRows> kGreys = {255, 232, 209, 186, 163, 140, 117, 94, 71, 48, 23, 0};
constexpr int kCubeStep = 51;
constexpr int kCubeSteps = 6;

std::uint8_t CubeLevel(int step)
{
    return static_cast<std::uint8_t>(step * kCubeStep);
}

}  // namespace

ColorRef PaletteGrid::CellColor(int column, int row)
{
    if (column < 0 || column >= kColumns || row < 0 || row >= kRows)
        return 0;
    if (column == 0)
        return MakeColorRef(kGreys[row], kGreys[row], kGreys[row]);
    const int cubeColumn = column - 1;
    const int band = row / kCubeSteps;
    const std::uint8_t red = CubeLevel(band * 3 + cubeColumn / kCubeSteps);
    const std::uint8_t green = CubeLevel(cubeColumn % kCubeSteps);
    const std::uint8_t blue = CubeLevel(row % kCubeSteps);
    return MakeColorRef(red, green, blue);
}

ColorRef PaletteGrid::CellColor(int index)
{
    if (index < 0 || index >= kColumns * kRows)
        return 0;
    return CellColor(index % kColumns, index / kColumns);
}

bool PaletteGrid::InSwatchArea(int x, int y)
{
    return x >= 0 && x < kWidth && y >= 0 && y < kSwatchHeight;
}

int PaletteGrid::CellIndexAt(int x, int y)
{
    if (!InSwatchArea(x, y) || x % kCellSize == 0 || y % kCellSize == 0)
        return -1;
    const int column = x / kCellSize;
    if (column >= kColumns)
        return -1;
    return column + kColumns * (y / kCellSize);
}

std::string PaletteGrid::ColorText(ColorRef colour, const std::map<ColorRef, std::string>& names)
{
    char code[10];
    std::snprintf(code, sizeof code, "#%02X%02X%02X ", static_cast<unsigned>(colour & 0xFF),
                  static_cast<unsigned>((colour >> 8) & 0xFF), static_cast<unsigned>((colour >> 16) & 0xFF));
    std::string text = code;
    if (const auto named = names.find(colour); named != names.end())
        text += named->second;
    return text;
}

PaletteGrid::Point PaletteGrid::PopupOrigin(int buttonLeft, int buttonBottom, int screenWidth, int screenHeight)
{
    Point origin{buttonLeft, buttonBottom - 1};
    if (origin.x > screenWidth - kWidth)
        origin.x = screenWidth - kWidth;
    if (origin.x < 0)
        origin.x = 0;
    // Would it end below the screen, it opens above the button instead.
    if (origin.y > screenHeight - kHeight)
        origin.y = buttonBottom - kHeight - 1;
    return origin;
}

const std::array<PaletteGrid::CursorRow, PaletteGrid::kCursorSide>& PaletteGrid::CursorRows()
{
    static constexpr std::array<CursorRow, kCursorSide> rows = {{
        {0xFFF1, 0x0000}, {0xFFE0, 0x000C}, {0xFFC0, 0x0008}, {0xFF00, 0x0010},
        {0xFF81, 0x0000}, {0xFF03, 0x0040}, {0xFE07, 0x00E0}, {0xFC17, 0x01C0},
        {0xF83F, 0x0380}, {0xF07F, 0x0700}, {0xE0FF, 0x0E00}, {0xC1FF, 0x1C00},
        {0x83FF, 0x3800}, {0x87FF, 0x3000}, {0x0FFF, 0x4000}, {0x3FFF, 0x0000},
    }};
    return rows;
}

PaletteGrid::CursorPixel PaletteGrid::CursorPixelAt(int x, int y)
{
    if (x < 0 || x >= kCursorSide || y < 0 || y >= kCursorSide)
        return CursorPixel::Transparent;
    const CursorRow& row = CursorRows()[static_cast<std::size_t>(y)];
    const std::uint16_t bit = static_cast<std::uint16_t>(0x8000u >> x);
    const bool keep = (row.andMask & bit) != 0;
    const bool flip = (row.xorMask & bit) != 0;
    if (keep)
        return flip ? CursorPixel::Inverted : CursorPixel::Transparent;
    return flip ? CursorPixel::White : CursorPixel::Black;
}
