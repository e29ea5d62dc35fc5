// The layout run as the planner makes it: edit commands to the Scene, the
// search on the real worker thread, its end handed back through the
// delayed-call queue, and the progress dialog's part played by the test.
#include "cmd/EditCommands.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"
#include "search/SearchControl.h"
#include "search/SearchDriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace {

// Answers SearchInfoDoModle_Msg like the modal dialog: ticks Timer_Msg<200>
// until BuildSearchFinished_Msg arrives, pressing buttons on the way.
struct DialogStandIn {
    MsgCenter& center;
    std::function<void(int tick)> onTick;
    bool answer = true;
    int runs = 0;
    int finishedMessages = 0;
    int redraws = 0;
    bool finished = false;

    explicit DialogStandIn(MsgCenter& c) : center(c)
    {
        center.Register(this, &DialogStandIn::OnRun);
        center.Register(this, &DialogStandIn::OnFinished);
        center.Register(this, &DialogStandIn::OnRedraw);
    }
    ~DialogStandIn()
    {
        center.Unregister(this, &DialogStandIn::OnRun);
        center.Unregister(this, &DialogStandIn::OnFinished);
        center.Unregister(this, &DialogStandIn::OnRedraw);
    }
    void OnRun(const SearchInfoDoModle_Msg* msg)
    {
        ++runs;
        finished = false;
        for (int tick = 0; !finished; ++tick) {
            if (onTick)
                onTick(tick);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            center.Send(Timer_Msg<200>{200, 0});
            ASSERT_LT(tick, 100000) << "the worker never reported its end";
        }
        msg->ok = answer;
    }
    void OnFinished(const BuildSearchFinished_Msg*)
    {
        ++finishedMessages;
        finished = true;
    }
    void OnRedraw(const UpdateGridView_Msg*) { ++redraws; }
};

class SearchDriverTest : public ::testing::Test {
protected:
    void Soil(int x, int y, int w, int h) { center.Send(FillSoil_CMD(GridRect{x, y, w, h})); }
    int Buildings() const { return static_cast<int>(scene.Builds().size()); }

    MsgCenter& center = MsgCenter::Instance();
    Scene scene{center};
    DialogStandIn dialog{center};
};

TEST_F(SearchDriverTest, WholeMapLayoutPlacesTheFoundBuildingsOnOk)
{
    Soil(10, 10, 5, 4);
    Soil(30, 30, 6, 2);
    dialog.redraws = 0;
    center.Send(SearchLayMap_CMD{});
    EXPECT_EQ(dialog.runs, 1);
    EXPECT_EQ(dialog.finishedMessages, 1);
    ASSERT_EQ(Buildings(), 3);
    EXPECT_EQ(scene.Builds()[0], (Build{10, 10, 5, 4, "", DefaultColour}));
    EXPECT_EQ(scene.Builds()[1], (Build{30, 30, 3, 2, "", DefaultColour}));
    EXPECT_EQ(scene.Builds()[2], (Build{33, 30, 3, 2, "", DefaultColour}));
    EXPECT_EQ(scene.ComputeStatistics().soilCells, 0);
    EXPECT_EQ(dialog.redraws, 1);
}

TEST_F(SearchDriverTest, SelectionWithoutSoilFinishesAtOnceAndStillRedraws)
{
    dialog.redraws = 0;
    center.Send(SearchLayMap_CMD{});
    EXPECT_EQ(dialog.finishedMessages, 1);
    EXPECT_EQ(Buildings(), 0);
    EXPECT_EQ(dialog.redraws, 1);
}

TEST_F(SearchDriverTest, SelectionLayoutCoversOnlyTheUnionOfItsRectangles)
{
    Soil(0, 0, 40, 40);
    center.Send(PrepareLayRect_CMD{});
    center.Send(SearchLayRect_CMD(GridRect{0, 0, 5, 4}));
    center.Send(SearchLayRect_CMD(GridRect{20, 20, 3, 2}));
    center.Send(StartLayRect_CMD{});
    ASSERT_EQ(Buildings(), 2);
    EXPECT_EQ(scene.Builds()[0], (Build{0, 0, 5, 4, "", DefaultColour}));
    EXPECT_EQ(scene.Builds()[1], (Build{20, 20, 3, 2, "", DefaultColour}));
}

TEST_F(SearchDriverTest, CancelledRunLeavesTheMapAsItWas)
{
    Soil(0, 0, 200, 200);
    SearchControl& control = SearchControl::Instance();
    dialog.onTick = [&](int tick) {
        if (tick == 0)
            control.cancel = true;
    };
    dialog.answer = false;  // the dialog ends with Cancel after a cancel
    center.Send(SearchLayMap_CMD{});
    EXPECT_EQ(dialog.finishedMessages, 1);
    EXPECT_EQ(Buildings(), 0);
    EXPECT_EQ(scene.ComputeStatistics().soilCells, 200 * 200);
}

TEST_F(SearchDriverTest, StoppedRunCompletesEveryComponentGreedily)
{
    Soil(0, 0, 120, 120);
    Soil(150, 150, 40, 40);
    SearchControl& control = SearchControl::Instance();
    dialog.onTick = [&](int tick) {
        if (tick == 0)
            control.stop = true;
    };
    center.Send(SearchLayMap_CMD{});
    EXPECT_EQ(dialog.finishedMessages, 1);
    // Greedy or searched, both squares end up covered but for their waste.
    const SceneStatistics stats = scene.ComputeStatistics();
    EXPECT_GT(stats.buildCells, 120 * 120 + 40 * 40 - 200);
    EXPECT_EQ(stats.buildCells + stats.soilCells, 120 * 120 + 40 * 40);
}

TEST_F(SearchDriverTest, RecordsWhosePlaceIsNoLongerSoilAreSkipped)
{
    Soil(0, 0, 5, 4);
    // The dialog's answer comes after the user painted a road into the place.
    dialog.onTick = [&](int) { center.Send(FillRoad_CMD(GridRect{2, 2, 1, 1})); };
    center.Send(SearchLayMap_CMD{});
    EXPECT_EQ(Buildings(), 0);
}

TEST(SearchDriverBudgetTest, StateLimitIsTheBudgetIn1700ByteStates)
{
    EXPECT_EQ(SearchDriver::StateLimitForBudget(2048), 1263225);
    EXPECT_EQ(SearchDriver::StateLimitForBudget(100), 61680);
}

}  // namespace
