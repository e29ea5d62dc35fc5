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
    // A second maximised size event is not a new layout.
    EXPECT_FALSE(layout.OnSize(Kind::Maximized, 1920, 1080));
    EXPECT_EQ(layout.Panel().x, 1050);
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

TEST(MainLayoutTest, MinimiseAndPlainRestoreChangeNothing)
{
    MainLayout layout;
    EXPECT_FALSE(layout.OnSize(Kind::Restored, 900, 700));
    EXPECT_FALSE(layout.OnSize(Kind::Minimized, 0, 0));
    ExpectRestoredPlaces(layout);

    layout.OnSize(Kind::Maximized, 1600, 900);
    EXPECT_FALSE(layout.OnSize(Kind::Minimized, 0, 0));
    EXPECT_TRUE(layout.Maximized());
}
