#include "app/MainLayout.h"

#include <gtest/gtest.h>

namespace {

using Kind = MainLayout::SizeKind;

void ExpectRestoredPlaces(const MainLayout& layout)
{
    EXPECT_FALSE(layout.Maximized());
    EXPECT_EQ(layout.View(), (LayoutBox{0, 0, 550, 550}));
    EXPECT_EQ(layout.Panel(), (LayoutBox{552, 0, 230, 550}));
}

}  // namespace

TEST(MainLayoutTest, MaximisedPanelSticksToTheRightAndTheViewTakesTheRest)
{
    MainLayout layout;
    EXPECT_TRUE(layout.OnSize(Kind::Maximized, 1280, 1000));
    EXPECT_EQ(layout.Panel(), (LayoutBox{1050, 0, 230, 550}));
    EXPECT_EQ(layout.View(), (LayoutBox{0, 0, 1048, 1000}));
    // A maximised window can still change size (a screen change).
    EXPECT_TRUE(layout.OnSize(Kind::Maximized, 1920, 1080));
    EXPECT_EQ(layout.Panel().x, 1690);
}

TEST(MainLayoutTest, MaximiseAndRestoreTwiceEndsInTheDialogPlaces)
{
    MainLayout layout;
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(layout.OnSize(Kind::Maximized, 1600, 900));
        EXPECT_TRUE(layout.OnSize(Kind::Restored, 782, 550));
        ExpectRestoredPlaces(layout);
    }
}

TEST(MainLayoutTest, AnySizeKeepsThePanelWholeOnTheRightAndGivesTheViewTheRest)
{
    struct Case {
        int width, height;
        LayoutBox view, panel;
    };
    const Case cases[] = {
        {900, 700, {0, 0, 668, 700}, {670, 0, 230, 550}},
        {782, 550, {0, 0, 550, 550}, {552, 0, 230, 550}},
        {482, 550, {0, 0, 250, 550}, {252, 0, 230, 550}},
        // Smaller than the window allows: the panel stays whole, the view gives way.
        {100, 40, {0, 0, 0, 40}, {0, 0, 230, 550}},
    };
    for (const Case& c : cases) {
        MainLayout layout;
        layout.OnSize(Kind::Restored, c.width, c.height);
        EXPECT_EQ(layout.View(), c.view) << c.width << " x " << c.height;
        EXPECT_EQ(layout.Panel(), c.panel) << c.width << " x " << c.height;
        EXPECT_FALSE(layout.Maximized());
    }
}

TEST(MainLayoutTest, MinimiseKeepsTheLayoutAndTheSameSizeIsNoChange)
{
    MainLayout layout;
    EXPECT_FALSE(layout.OnSize(Kind::Restored, 782, 550));
    layout.OnSize(Kind::Maximized, 1600, 900);
    EXPECT_FALSE(layout.OnSize(Kind::Minimized, 0, 0));
    EXPECT_TRUE(layout.Maximized());
    EXPECT_EQ(layout.View(), (LayoutBox{0, 0, 1368, 900}));
}
