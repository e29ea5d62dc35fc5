#pragma once

#include "msg/MsgTypes.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>

// What the colour palette shows and where, without drawing it: the 19 × 12
// swatches (a grey column, then the 6 × 6 × 6 cube), which cell lies under
// a point, the text line under the swatches, the picker cursor's masks and
// where a pop-up palette opens on the screen.
class PaletteGrid {
public:
    static constexpr int kColumns = 19;
    static constexpr int kRows = 12;
    static constexpr int kCellSize = 10;       // a 9 × 9 swatch and a 1-px grid line
    static constexpr int kSwatchHeight = 120;  // measured from the window's outer top
    static constexpr int kWidth = 191;         // outer size, the 1-px border included
    static constexpr int kHeight = 150;

    // Colour of the swatch in (column, row); black outside the grid.
    static ColorRef CellColor(int column, int row);
    // Colour of the cell with index column + 19 × row.
    static ColorRef CellColor(int index);

    // The cell under (x, y), measured from the window's outer top-left;
    // -1 on a grid line or the border and outside the swatches.
    static int CellIndexAt(int x, int y);
    static bool InSwatchArea(int x, int y);

    // "#RRGGBB " and, when the colour has one, its name (GB18030 bytes).
    static std::string ColorText(ColorRef colour, const std::map<ColorRef, std::string>& names);

    // Where a pop-up palette opens below a button; all in screen pixels,
    // `buttonBottom` being the first row below the button.
    struct Point {
        int x = 0;
        int y = 0;
    };
    static Point PopupOrigin(int buttonLeft, int buttonBottom, int screenWidth, int screenHeight);

    // The picker cursor: 16 rows of AND/XOR masks, leftmost pixel in the top bit.
    struct CursorRow {
        std::uint16_t andMask;
        std::uint16_t xorMask;
    };
    static constexpr int kCursorSide = 16;
    static constexpr int kCursorHotX = 0;
    static constexpr int kCursorHotY = 15;
    enum class CursorPixel { Transparent, Black, White, Inverted };
    static const std::array<CursorRow, kCursorSide>& CursorRows();
    // Transparent outside the 16 × 16 table.
    static CursorPixel CursorPixelAt(int x, int y);
};
