#include "cmd/EditCommands.h"
#include "msg/DelayedCallQueue.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"
#include "search/LayoutRunner.h"
#include "search/SearchState.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

static void PrintTo(const GridPoint& p, std::ostream* os)
{
    *os << "(" << p.x << "," << p.y << ")";
}

namespace {

using Points = std::vector<GridPoint>;
using Journal = std::vector<std::string>;

// Stands in for the main window: notes what the Scene sends and answers the
// search question.
struct SceneListener {
    MsgCenter& center = MsgCenter::Instance();
    Journal journal;
    Points roads;
    bool answer = false;
    bool waitForSearchEnd = false;
    bool searchEnded = false;
    bool redrawFlagSeen = false;

    SceneListener()
    {
        center.Register(this, &SceneListener::OnRedraw);
        center.Register(this, &SceneListener::OnRoads);
        center.Register(this, &SceneListener::OnQuestion);
        center.Register(this, &SceneListener::OnSearchFinished);
    }
    ~SceneListener()
    {
        center.Unregister(this, &SceneListener::OnRedraw);
        center.Unregister(this, &SceneListener::OnRoads);
        center.Unregister(this, &SceneListener::OnQuestion);
        center.Unregister(this, &SceneListener::OnSearchFinished);
    }

    void OnRedraw(const UpdateGridView_Msg* m)
    {
        journal.push_back("redraw");
        redrawFlagSeen = redrawFlagSeen || m->flag;
    }
    void OnRoads(const BuildBringRoad_Msg* m)
    {
        journal.push_back("roads");
        roads = m->roads;
    }
    void OnQuestion(const SearchInfoDoModle_Msg* m)
    {
        journal.push_back(m->ok ? "question answered" : "question");
        // Like the progress dialog: stay until the run's end has come through the queue.
        for (int tick = 0; waitForSearchEnd && !searchEnded && tick < 10000; ++tick) {
            center.Queue().Tick(200);
            if (!searchEnded)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        m->ok = answer;
    }
    void OnSearchFinished(const BuildSearchFinished_Msg*)
    {
        journal.push_back("finished");
        searchEnded = true;
    }
};

struct FakeRunner final : LayoutRunner {
    std::vector<LayoutRecord> result;
    RegionBits selection;
    int starts = 0;

    void Start(const RegionBits& selected, SearchState& working) override
    {
        ++starts;
        selection = selected;
        working = SearchState::FromSelection(selected);
        working.placed = result;
    }
};

class SceneHandlersTest : public ::testing::Test {
protected:
    MsgCenter& center = MsgCenter::Instance();
    std::unique_ptr<Scene> scene = std::make_unique<Scene>(center);
    SceneListener listener;

    // The Scene always sends the redraw flag false.
    void TearDown() override { EXPECT_FALSE(listener.redrawFlagSeen); }

    // Lays `values` into row 0 from column 0, sends `command` over that row
    // and reads the row back.
    template <class Command>
    std::vector<std::int32_t> FillRow(const std::vector<std::int32_t>& values)
    {
        const auto width = static_cast<std::int32_t>(values.size());
        for (std::int32_t x = 0; x < width; ++x)
            scene->LoadCell(x, 0, values[static_cast<std::size_t>(x)]);
        listener.journal.clear();
        center.Send(Command{GridRect{0, 0, width, 1}});
        EXPECT_EQ(listener.journal, Journal{"redraw"});
        std::vector<std::int32_t> row;
        for (std::int32_t x = 0; x < width; ++x)
            row.push_back(scene->CellAt(x, 0));
        return row;
    }
};

using Row = std::vector<std::int32_t>;
const Row kEveryValue{CellBalk, CellSoil, CellBuild, CellRoad, CellWall, 6, 7};

TEST_F(SceneHandlersTest, EachFillChangesOnlyTheCellsOfItsKeys)
{
    EXPECT_EQ(FillRow<FillSoil_CMD>(kEveryValue), (Row{CellSoil, CellSoil, CellBuild, CellRoad, CellWall, 6, 7}));
    EXPECT_EQ(FillRow<FillWall_CMD>(kEveryValue), (Row{CellWall, CellSoil, CellBuild, CellRoad, CellWall, 6, 7}));
    EXPECT_EQ(FillRow<FillRoad_CMD>(kEveryValue), (Row{CellRoad, CellRoad, CellBuild, CellRoad, CellWall, CellRoad, 7}));
    EXPECT_EQ(FillRow<FillBalk_CMD>(kEveryValue), (Row{CellBalk, CellBalk, CellBuild, CellBalk, CellBalk, CellBalk, 7}));
}

TEST_F(SceneHandlersTest, ARefusedRectangleChangesNothingButStillRedraws)
{
    center.Send(FillSoil_CMD{GridRect{200, 0, 50, 3}});
    center.Send(FillRoad_CMD{GridRect{-1, 0, 5, 5}});
    EXPECT_EQ(listener.journal, (Journal{"redraw", "redraw"}));
    EXPECT_FALSE(scene->RectAny(0, 0, 249, 249, CellSoil));
    EXPECT_FALSE(scene->RectAny(0, 0, 249, 249, CellRoad));
}

TEST_F(SceneHandlersTest, APlacedBuildingIsRedrawnThenOfferedItsRoads)
{
    center.Send(FillSoil_CMD{GridRect{0, 0, 40, 40}});
    center.Send(FillRoad_CMD{GridRect{0, 14, 40, 1}});
    listener.journal.clear();

    center.Send(AddBuild_CMD{Build{10, 10, 3, 2, "", DefaultColour}});
    EXPECT_EQ(listener.journal, (Journal{"redraw", "roads"}));
    EXPECT_EQ(listener.roads, (Points{{10, 12}, {10, 13}, {11, 12}, {11, 13}, {12, 12}, {12, 13}}));
    ASSERT_EQ(scene->Builds().size(), 1u);
    EXPECT_TRUE(scene->RectAll(10, 10, 3, 2, CellBuild));

    // Laying the offered points joins the house to the road.
    center.Send(AddRoadPoints_Msg{listener.roads});
    EXPECT_TRUE(scene->RectAll(10, 12, 3, 2, CellRoad));

    // A refused placement is still planned and the (now empty) list still sent.
    listener.journal.clear();
    center.Send(AddBuild_CMD{Build{10, 10, 3, 2, "", DefaultColour}});
    EXPECT_EQ(listener.journal, (Journal{"redraw", "roads"}));
    EXPECT_TRUE(listener.roads.empty());
    EXPECT_EQ(scene->Builds().size(), 1u);
}

TEST_F(SceneHandlersTest, RoadPointsInColumnOrRow249AreLeftAlone)
{
    scene->LoadCell(249, 5, CellSoil);
    scene->LoadCell(5, 249, CellSoil);
    scene->LoadCell(5, 5, CellSoil);
    scene->LoadCell(6, 5, CellWall);
    center.Send(AddRoadPoints_Msg{Points{{249, 5}, {5, 249}, {5, 5}, {6, 5}, {7, 5}, {-1, 3}, {300, 300}}});
    EXPECT_EQ(scene->CellAt(249, 5), CellSoil);
    EXPECT_EQ(scene->CellAt(5, 249), CellSoil);
    EXPECT_EQ(scene->CellAt(5, 5), CellRoad);
    EXPECT_EQ(scene->CellAt(6, 5), CellWall);
    EXPECT_EQ(scene->CellAt(7, 5), CellRoad);
    EXPECT_EQ(listener.journal, Journal{"redraw"});
}

TEST_F(SceneHandlersTest, BuildingAndRulerEditsFindTheirTargetAndRedrawOnce)
{
    center.Send(FillSoil_CMD{GridRect{0, 0, 20, 20}});
    center.Send(AddBuild_CMD{Build{2, 2, 5, 4, "", DefaultColour}});
    listener.journal.clear();

    center.Send(RenameBuild_CMD{Build{2, 2, 0, 0, "a:b\n", 0}});
    center.Send(RecolorBuild_CMD{Build{2, 2, 0, 0, "", 0x00FF00}});
    ASSERT_EQ(scene->Builds().size(), 1u);
    EXPECT_EQ(scene->Builds()[0], (Build{2, 2, 5, 4, "a\xA3\xBA" "b", 0x00FF00}));

    // Only the origin of a deleted building's record is looked at.
    center.Send(DelBuild_CMD{Build{2, 2, 1, 1, "other", 5}});
    EXPECT_TRUE(scene->Builds().empty());
    EXPECT_TRUE(scene->RectAll(2, 2, 5, 4, CellSoil));

    center.Send(AddMark_CMD{Mark{1, 1, 1, 9}});
    center.Send(AddMark_CMD{Mark{1, 1, 1, 9}});
    center.Send(DelMark_CMD{Mark{1, 1, 1, 9}});
    EXPECT_EQ(scene->Marks().size(), 1u);
    EXPECT_EQ(listener.journal, Journal(6, "redraw"));
}

TEST_F(SceneHandlersTest, ClearCommandsClearTheirPartAndRedraw)
{
    center.Send(FillSoil_CMD{GridRect{0, 0, 20, 20}});
    center.Send(AddBuild_CMD{Build{2, 2, 3, 2, "", DefaultColour}});
    center.Send(AddMark_CMD{Mark{1, 1, 5, 1}});
    listener.journal.clear();

    center.Send(ClearMark_CMD{});
    EXPECT_TRUE(scene->Marks().empty());
    EXPECT_EQ(scene->Builds().size(), 1u);

    center.Send(ClearBuild_CMD{});
    EXPECT_TRUE(scene->Builds().empty());
    EXPECT_TRUE(scene->RectAll(0, 0, 20, 20, CellSoil));

    center.Send(AddMark_CMD{Mark{1, 1, 5, 1}});
    center.Send(ClearScene_CMD{});
    EXPECT_TRUE(scene->Marks().empty());
    EXPECT_FALSE(scene->RectAny(0, 0, 249, 249, CellSoil));
    EXPECT_EQ(listener.journal, Journal(4, "redraw"));
}

TEST_F(SceneHandlersTest, RegionCommandsCollectTheUnionOfSoilQuietly)
{
    center.Send(FillSoil_CMD{GridRect{0, 0, 10, 10}});
    scene->LoadCell(249, 249, CellSoil);
    scene->LoadCell(3, 3, CellRoad);
    listener.journal.clear();

    center.Send(PrepareLayRect_CMD{});
    center.Send(SearchLayRect_CMD{GridRect{-5, -5, 8, 8}});   // cells 0..2 of both axes
    center.Send(SearchLayRect_CMD{GridRect{2, 2, 3, 3}});     // overlaps, and (3,3) is road
    center.Send(SearchLayRect_CMD{GridRect{240, 240, 20, 20}});  // reaches (249,249), no bounds rule here
    EXPECT_TRUE(listener.journal.empty());

    const RegionBits& region = scene->RegionSelection();
    EXPECT_EQ(region.count(), 9u + 7u + 1u);
    EXPECT_TRUE(region.test(2 * 250 + 0));  // (0, 2): rows first
    EXPECT_TRUE(region.test(0 * 250 + 2));
    EXPECT_TRUE(region.test(4 * 250 + 4));
    EXPECT_FALSE(region.test(3 * 250 + 3));
    EXPECT_TRUE(region.test(249 * 250 + 249));

    center.Send(PrepareLayRect_CMD{});
    EXPECT_TRUE(scene->RegionSelection().none());
    EXPECT_TRUE(listener.journal.empty());
}

TEST_F(SceneHandlersTest, LayingOutAMapWithoutSoilStillAsksAndRedraws)
{
    center.Send(FillRoad_CMD{GridRect{0, 0, 10, 10}});
    listener.journal.clear();

    listener.waitForSearchEnd = true;
    listener.answer = true;
    center.Send(SearchLayMap_CMD{});
    EXPECT_EQ(listener.journal, (Journal{"question", "finished", "redraw"}));
    EXPECT_EQ(scene->WorkingRegion().FreeCount(), 0);
    EXPECT_TRUE(scene->Builds().empty());
}

TEST_F(SceneHandlersTest, AnAcceptedSearchResultIsPlacedWhereTheSoilIsStillFree)
{
    FakeRunner runner;
    runner.result = {LayoutRecord{0, 0, 3, 2}, LayoutRecord{5, 0, 5, 4}, LayoutRecord{1, 1, 2, 3}};
    scene->SetLayoutRunner(&runner);
    center.Send(FillSoil_CMD{GridRect{0, 0, 10, 10}});
    listener.answer = true;
    listener.journal.clear();

    center.Send(PrepareLayRect_CMD{});
    center.Send(SearchLayRect_CMD{GridRect{0, 0, 10, 4}});
    center.Send(StartLayRect_CMD{});
    EXPECT_EQ(runner.starts, 1);
    EXPECT_EQ(runner.selection.count(), 40u);
    EXPECT_EQ(listener.journal, (Journal{"question", "redraw"}));
    // The third record overlaps the first and is skipped; no roads are planned.
    EXPECT_EQ(scene->Builds(), (std::vector<Build>{Build{0, 0, 3, 2, "", DefaultColour},
                                                   Build{5, 0, 5, 4, "", DefaultColour}}));
    EXPECT_EQ(scene->CellAt(1, 2), CellSoil);
    scene->SetLayoutRunner(nullptr);
}

TEST_F(SceneHandlersTest, ARefusedSearchResultPlacesNothing)
{
    FakeRunner runner;
    runner.result = {LayoutRecord{0, 0, 3, 2}};
    scene->SetLayoutRunner(&runner);
    center.Send(FillSoil_CMD{GridRect{0, 0, 10, 10}});
    listener.journal.clear();

    center.Send(SearchLayMap_CMD{});
    EXPECT_EQ(runner.selection.count(), 100u);
    EXPECT_EQ(listener.journal, (Journal{"question", "redraw"}));
    EXPECT_TRUE(scene->Builds().empty());
    scene->SetLayoutRunner(nullptr);
}

}  // namespace
