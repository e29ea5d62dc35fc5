#include "msg/MsgCenter.h"
#include "scene/Scene.h"
#include "view/ViewGeometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int kM = ViewGeometry::kMargin;
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::int64_t CentreColumn(const ViewGeometry& g)
{
    return (g.ScrollX() + g.ViewWidth() / 2) / g.CellSize();
}

TEST(ViewGeometryTest, PixelsMapToCellsWithTruncatingDivision)
{
    ViewGeometry g;
    EXPECT_EQ(g.CellOfPixel(kM, kM), (GridPoint{0, 0}));
    EXPECT_EQ(g.CellOfPixel(kM + 19, kM + 10), (GridPoint{1, 1}));
    // Truncation toward zero: up to one cell outside the map still gives 0.
    EXPECT_EQ(g.CellOfPixel(kM - 9, kM - 1), (GridPoint{0, 0}));
    EXPECT_EQ(g.CellOfPixel(kM - 10, kM - 25), (GridPoint{-1, -2}));

    g.Pan(35, 0, false);
    EXPECT_EQ(g.CellOfPixel(kM, kM).x, 3);
    EXPECT_EQ(g.PixelRectOfCells(CellRect{3, 0, 4, 1}), (PixelRect{kM - 5, kM, kM + 15, kM + 20}));
    EXPECT_EQ(g.CellTopLeft(4, 2), (PixelPoint{kM + 5, kM + 20}));
}

TEST(ViewGeometryTest, ClampKeepsTheMapInViewAndItsUpperLimitWins)
{
    ViewGeometry g;
    g.SetScroll(-50, 99999);
    EXPECT_EQ(g.ScrollX(), 0);
    EXPECT_EQ(g.ScrollY(), 2500 - 500);

    // At cell size 2 the 500-pixel map exactly fills a 500-pixel view.
    g.SetCellSize(2);
    EXPECT_EQ(g.ScrollX(), 0);
    EXPECT_EQ(g.ScrollY(), 0);

    // In a wider view the scroll goes negative: the map sits against the right and bottom border.
    g.SetWindowSize(650 + 2 * kM, 620 + 2 * kM);
    g.Pan(0, 0, true);
    EXPECT_EQ(g.ScrollX(), -150);
    EXPECT_EQ(g.ScrollY(), -120);
    EXPECT_EQ(g.PixelRectOfCell(249, 249).right, kM + 650);
    EXPECT_EQ(g.PixelRectOfCell(249, 249).bottom, kM + 620);
    EXPECT_EQ(g.PixelRectOfCell(0, 0).left, kM + 150);
}

TEST(ViewGeometryTest, PanSnapsOnlyWhenAsked)
{
    ViewGeometry g;
    g.Pan(37, 13, false);
    EXPECT_EQ(g.ScrollX(), 37);
    EXPECT_EQ(g.ScrollY(), 13);
    g.Pan(0, 0, true);
    EXPECT_EQ(g.ScrollX(), 30);
    EXPECT_EQ(g.ScrollY(), 10);
    g.Pan(kMax, kMin, true);
    EXPECT_EQ(g.ScrollX(), 2000);
    EXPECT_EQ(g.ScrollY(), 0);
}

TEST(ViewGeometryTest, ZoomStepKeepsTheCentreCellOrTheOffset)
{
    ViewGeometry g;
    g.SetScroll(1000, 1000);
    const std::int64_t centre = CentreColumn(g);
    g.ZoomStep(120, true);
    EXPECT_EQ(g.CellSize(), 11);
    EXPECT_EQ(CentreColumn(g), centre);
    g.ZoomStep(-120, true);
    g.ZoomStep(-1, true);
    EXPECT_EQ(g.CellSize(), 9);
    EXPECT_EQ(CentreColumn(g), centre);

    ViewGeometry offset;
    offset.SetScroll(1000, 1000);
    offset.ZoomStep(1, false);
    EXPECT_EQ(offset.ScrollX(), 990);  // snapped to a boundary of the 11-pixel cells

    ViewGeometry small;
    small.SetCellSize(2);
    small.ZoomStep(-1, false);
    EXPECT_EQ(small.CellSize(), 2);
}

TEST(ViewGeometryTest, CellSizeRequestsAreRaisedToTwoAndCappedBelowOverflow)
{
    ViewGeometry g;
    g.SetCellSize(0);
    EXPECT_EQ(g.CellSize(), 2);
    g.SetCellSize(-7);
    EXPECT_EQ(g.CellSize(), 2);
    g.SetCellSize(1000);
    EXPECT_EQ(g.CellSize(), 1000);

    g.SetCellSize(kMax);
    EXPECT_EQ(g.CellSize(), ViewGeometry::kMaxCellSize);
    g.ZoomStep(1, true);
    EXPECT_EQ(g.CellSize(), ViewGeometry::kMaxCellSize);
    g.SetScroll(std::numeric_limits<std::int64_t>::max() / 4, 0);
    EXPECT_EQ(std::int64_t{g.ScrollX()} + g.ViewWidth(), std::int64_t{250} * g.CellSize());
    EXPECT_EQ(g.CellOfPixel(kM + g.ViewWidth() - 1, kM).x, 249);
}

TEST(ViewGeometryTest, CenterOnScrollsTheCellToTheMiddle)
{
    ViewGeometry g;
    g.CenterOn(100, 60);
    EXPECT_EQ(g.ScrollX(), (100 - 500 / 2 / 10) * 10);
    EXPECT_EQ(g.ScrollY(), (60 - 25) * 10);
    g.CenterOn(kMax, kMin);
    EXPECT_EQ(g.ScrollX(), 2000);
    EXPECT_EQ(g.ScrollY(), 0);
}

TEST(ViewGeometryTest, VisibleSpansHoldExactlyTheCellsNotWhollyOutside)
{
    for (const int cell : {2, 3, 7, 10, 31}) {
        for (const int window : {60, 550, 777}) {
            for (const int scroll : {-150, 0, 5, 17, 333, 5000}) {
                ViewGeometry g;
                g.SetWindowSize(window, window);
                g.SetCellSize(cell);
                g.SetScroll(scroll, 0);
                const CellSpan span = g.VisibleColumns(-10, 300);
                for (int x = -10; x <= 300; ++x) {
                    const bool inSpan = x >= span.first && x <= span.last;
                    EXPECT_EQ(inSpan, !g.IsOutsideView(g.PixelRectOfCell(x, 0)))
                        << "cell " << cell << " window " << window << " scroll " << g.ScrollX() << " x " << x;
                }
            }
        }
    }
}

TEST(ViewGeometryTest, ClippingDropsWhatIsOutsideAndFramesStopAtTheBorder)
{
    ViewGeometry g;
    g.SetScroll(15, 0);
    // A house from column 0: its left part is scrolled out.
    const auto clipped = g.ClipToView(g.PixelRectOfCells(0, 2, 2, 3));
    ASSERT_TRUE(clipped);
    EXPECT_EQ(*clipped, (PixelRect{kM, kM + 20, kM + 15, kM + 40}));
    const FrameEdges edges = g.FrameEdgesOf(*clipped);
    EXPECT_FALSE(edges.left);
    EXPECT_TRUE(edges.top && edges.bottom && edges.right);

    EXPECT_FALSE(g.ClipToView(g.PixelRectOfCells(0, 0, 0, 0)));  // wholly left of the view
    EXPECT_FALSE(g.ClipToView(g.PixelRectOfCells(60, 0, 60, 0)));
    // Negative and huge sizes (a map file may bring them) neither wrap nor cover anything wrong.
    EXPECT_FALSE(g.ClipToView(g.PixelRectOfCells(10, 10, std::int64_t{10} - 50, 10)));
    const auto huge = g.ClipToView(g.PixelRectOfCells(kMin, kMin, std::int64_t{kMax} * 2, std::int64_t{kMax} * 2));
    ASSERT_TRUE(huge);
    EXPECT_EQ(*huge, (PixelRect{kM, kM, kM + 500, kM + 500}));
    const FrameEdges none = g.FrameEdgesOf(*huge);
    EXPECT_FALSE(none.top || none.bottom || none.left || none.right);
}

TEST(ViewGeometryTest, DragRectIsSortedClippedOrAllMinusOne)
{
    ViewGeometry g;
    EXPECT_EQ(g.DragRect(100, 90, 10, 40), (PixelRect{kM, 40, 100, 90}));
    EXPECT_EQ(g.DragRect(0, 0, 20, 20), (PixelRect{-1, -1, -1, -1}));
    EXPECT_EQ(g.DragRect(600, 600, 9000, 9000), (PixelRect{-1, -1, -1, -1}));
}

TEST(ViewGeometryTest, OneCellDragOnABuildingCoversTheBuilding)
{
    Scene scene(MsgCenter::Instance());
    scene.FillRect(0, 0, 50, 50, CellSoil, CellAny);
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 3, 2, DefaultColour, ""));
    ViewGeometry g;
    EXPECT_EQ(g.CellRectOfDrag(kM + 115, kM + 105, kM + 112, kM + 101, scene), (CellRect{10, 10, 12, 11}));
    EXPECT_EQ(g.CellRectOfDrag(kM + 135, kM + 105, kM + 95, kM + 101, scene), (CellRect{9, 10, 13, 10}));
    EXPECT_EQ(g.CellRectOfDrag(kM + 5, kM + 5, kM + 5, kM + 5, scene), (CellRect{0, 0, 0, 0}));
}

TEST(ViewGeometryTest, EdgeNumbersAreAbout40PixelsApart)
{
    ViewGeometry g;
    EXPECT_EQ(g.EdgeNumberStep(), 4);  // 1, 5, 9, ...
    g.SetCellSize(14);
    EXPECT_EQ(g.EdgeNumberStep(), 2);
    g.SetCellSize(21);
    EXPECT_EQ(g.EdgeNumberStep(), 1);
    g.SetCellSize(500);
    EXPECT_EQ(g.EdgeNumberStep(), 1);
    g.SetCellSize(2);
    EXPECT_EQ(g.EdgeNumberStep(), 20);

    ViewGeometry numbers;
    numbers.SetScroll(100, 0);
    EXPECT_FALSE(numbers.TopNumberPosition(9, 8, 14));  // centre at 95, left of the view
    EXPECT_EQ(*numbers.TopNumberPosition(10, 8, 14),
              (PixelPoint{kM + 5 - 4, kM - ViewGeometry::kLabelGap - 14}));
    EXPECT_EQ(*numbers.LeftNumberPosition(0, 8, 14),
              (PixelPoint{kM - ViewGeometry::kLabelGap - 8, kM + 5 - 7}));
    EXPECT_FALSE(numbers.LeftNumberPosition(50, 8, 14));
}

TEST(ViewGeometryTest, PaddedLabelsArePushedIntoTheViewOrDropped)
{
    ViewGeometry g;
    EXPECT_EQ(*g.PlaceLabel({200, 200}, 40, 14), (PixelPoint{180, 193}));
    EXPECT_EQ(*g.PlaceLabel({0, 0}, 40, 14), (PixelPoint{kM, kM}));
    EXPECT_EQ(*g.PlaceLabel({kMax, kMax}, 40, 14), (PixelPoint{kM + 500 - 40, kM + 500 - 14}));
    EXPECT_EQ(*g.PlaceLabel({300, 300}, 500, 500), (PixelPoint{kM, kM}));
    EXPECT_FALSE(g.PlaceLabel({300, 300}, 501, 14));
    EXPECT_FALSE(g.PlaceLabel({300, 300}, 40, 501));
}

TEST(ViewGeometryTest, RulersRunBetweenCellEdgesAndStopAtTheBorder)
{
    ViewGeometry g;
    // Start and end the same cell: vertical, one cell long, dots at both ends.
    const auto single = g.Ruler({3, 4, 3, 4});
    ASSERT_TRUE(single);
    EXPECT_EQ(single->start, (PixelPoint{kM + 35, kM + 40}));
    EXPECT_EQ(single->end, (PixelPoint{kM + 35, kM + 50}));
    EXPECT_EQ(single->labelCentre, (PixelPoint{kM + 35, kM + 45}));
    EXPECT_EQ(single->length, 1);
    EXPECT_TRUE(single->startDot && single->endDot);

    const auto leftward = g.Ruler({10, 5, 2, 6});
    ASSERT_TRUE(leftward);
    EXPECT_EQ(leftward->start, (PixelPoint{kM + 110, kM + 55}));
    EXPECT_EQ(leftward->end, (PixelPoint{kM + 20, kM + 55}));
    EXPECT_EQ(leftward->length, 9);

    const auto upward = g.Ruler({5, 9, 6, 2});
    ASSERT_TRUE(upward);
    EXPECT_EQ(upward->start.y, kM + 100);
    EXPECT_EQ(upward->end.y, kM + 20);

    const auto longer = g.Ruler({5, 5, 5, 100});
    ASSERT_TRUE(longer);
    EXPECT_EQ(longer->end.y, kM + 500);
    EXPECT_TRUE(longer->startDot);
    EXPECT_FALSE(longer->endDot);

    // A vertical line on the left or right border is not drawn.
    EXPECT_FALSE(g.Ruler({60, 0, 60, 10}));
    g.SetScroll(15, 0);
    EXPECT_FALSE(g.Ruler({0, 0, 0, 10}));
    const auto cutStart = g.Ruler({1, 0, 1, 10});
    ASSERT_TRUE(cutStart);
    EXPECT_EQ(cutStart->start.x, kM + 2);
    EXPECT_FALSE(cutStart->startDot);  // the border cuts its start cell

    const auto absurd = g.Ruler({kMin, kMin, kMax, kMax});
    EXPECT_FALSE(absurd);
    const auto wide = g.Ruler({kMin, 3, kMax, 3});
    ASSERT_TRUE(wide);
    EXPECT_EQ(wide->length, std::int64_t{kMax} - kMin + 1);
}

}  // namespace
