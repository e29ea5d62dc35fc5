#include "SentMessages.h"
#include "cmd/CommandInterpreter.h"
#include "cmd/EditCommands.h"
#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "scene/SceneSnapshot.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

std::string Gb(const char* utf8)
{
    return platform::Utf8ToGb18030(utf8);
}

class CommandInterpreterTest : public ::testing::Test {
protected:
    // As a script or the RUN line does it: the first word, then the rest of the line.
    static bool Run(const std::string& line)
    {
        std::istringstream in(line);
        std::string firstWord;
        in >> firstWord;
        return CommandInterpreter::Interpret(firstWord, in);
    }

    // Writes the command, runs its text and returns what the interpreter sent.
    template <class Command>
    typename Command::RecordType Replayed(const typename Command::RecordType& record, Received<Command>& received)
    {
        std::ostringstream out;
        Command{record}.Write(out);
        EXPECT_TRUE(Run(out.str())) << out.str();
        EXPECT_EQ(received.records.size(), 1u) << out.str();
        return received.records.empty() ? typename Command::RecordType{} : received.records.back().data;
    }

    Scene scene{MsgCenter::Instance()};
    SentMessages sent;
};

TEST_F(CommandInterpreterTest, TwoWordCommandsNeedAKnownSecondWord)
{
    EXPECT_TRUE(Run("clear scene"));
    EXPECT_TRUE(Run("clear mark"));
    EXPECT_TRUE(Run("clear build"));
    EXPECT_TRUE(Run("hide tip"));
    EXPECT_EQ(sent.clearScene.records.size(), 1u);
    EXPECT_EQ(sent.clearMark.records.size(), 1u);
    EXPECT_EQ(sent.clearBuild.records.size(), 1u);
    EXPECT_EQ(sent.hideTip.records.size(), 1u);

    sent.journal.clear();
    for (const char* line : {"clear all", "clear", "clear Scene", "hide now", "hide", "delete build 1 2 3 4", "delete"})
        EXPECT_FALSE(Run(line)) << line;
    EXPECT_TRUE(sent.journal.empty());
}

TEST_F(CommandInterpreterTest, UnknownFirstWordsAndRecordOnlyCommandsSendNothing)
{
    for (const char* line : {"##fill soil 1 2 3 4", "##lay map", "##rename 1 2 3 2 a 0", "Clear scene", "BUILD 1 1 3 2",
                             "", "   ", "say hello", "sleep 5", "load-map x"})
        EXPECT_FALSE(Run(line)) << line;
    EXPECT_TRUE(sent.journal.empty());
}

TEST_F(CommandInterpreterTest, BuildOnSoilPlacesAHouseOfTheDefaultColour)
{
    scene.FillRect(0, 0, 30, 30, CellSoil, CellBalk);
    EXPECT_TRUE(Run("build 10 10 3 2 <NULL> ffffffff"));
    EXPECT_EQ(scene.Builds(), (std::vector<Build>{{10, 10, 3, 2, "", DefaultColour}}));
    EXPECT_EQ(scene.CellAt(12, 11), CellBuild);
    EXPECT_EQ(sent.Sorted(), (Names{"AddBuild_CMD", "BuildBringRoad_Msg", "UpdateGridView_Msg"}));
}

TEST_F(CommandInterpreterTest, BuildOverARoadPlacesNothingButTheSceneStillAnswers)
{
    scene.FillRect(0, 0, 30, 30, CellSoil, CellBalk);
    scene.ReplaceRect(10, 10, 3, 1, CellRoad, CellSoil, CellSoil, CellSoil, CellSoil);
    EXPECT_TRUE(Run("build 10 10 3 2 <NULL> ffffffff"));
    EXPECT_TRUE(scene.Builds().empty());
    EXPECT_EQ(sent.Sorted(), (Names{"AddBuild_CMD", "BuildBringRoad_Msg", "UpdateGridView_Msg"}));
}

TEST_F(CommandInterpreterTest, BreakGoesByTheTopLeftCellWhateverTheRest)
{
    scene.FillRect(0, 0, 30, 30, CellSoil, CellBalk);
    ASSERT_TRUE(scene.PlaceBuild(10, 10, 5, 4, 0xFF1C00, "Mill"));
    ASSERT_TRUE(scene.PlaceBuild(20, 20, 3, 2, DefaultColour, ""));

    EXPECT_TRUE(Run("break 11 11 5 4 Mill ff1c00"));
    EXPECT_EQ(scene.Builds().size(), 2u);
    EXPECT_TRUE(Run("break 10 10 0 0 x 0"));
    EXPECT_EQ(scene.Builds(), (std::vector<Build>{{20, 20, 3, 2, "", DefaultColour}}));
    EXPECT_EQ(scene.CellAt(14, 13), CellSoil);
}

TEST_F(CommandInterpreterTest, MissingOrMalformedArgumentsKeepTheirDefaults)
{
    EXPECT_TRUE(Run("build 10 10"));
    EXPECT_TRUE(Run("build 1 2 3 2 <NULL> zz"));
    EXPECT_TRUE(Run("build 4294967296 5 3 2 a 0"));
    EXPECT_TRUE(Run("build 1 2 3 2 house -1"));
    ASSERT_EQ(sent.addBuild.records.size(), 4u);
    EXPECT_EQ(sent.addBuild.records[0].data, (Build{10, 10, 0, 0, "", DefaultColour}));
    EXPECT_EQ(sent.addBuild.records[1].data, (Build{1, 2, 3, 2, "", DefaultColour}));
    EXPECT_EQ(sent.addBuild.records[2].data, Build{});
    EXPECT_EQ(sent.addBuild.records[3].data, (Build{1, 2, 3, 2, "house", DefaultColour}));

    EXPECT_TRUE(Run("mark 1 2"));
    EXPECT_TRUE(Run("delete mark"));
    ASSERT_EQ(sent.addMark.records.size(), 1u);
    EXPECT_EQ(sent.addMark.records[0].data, (Mark{1, 2, 0, 0}));
    ASSERT_EQ(sent.delMark.records.size(), 1u);
    EXPECT_EQ(sent.delMark.records[0].data, Mark{});
}

TEST_F(CommandInterpreterTest, LoadJoinsItsFirstWordWithTheRestOfTheLine)
{
    for (const char* line : {"load a b", "load   my  map\r", "load single", "load"})
        EXPECT_TRUE(Run(line)) << line;
    ASSERT_EQ(sent.loadMap.records.size(), 4u);
    EXPECT_EQ(sent.loadMap.records[0].mapName, "a b");
    EXPECT_EQ(sent.loadMap.records[1].mapName, "my  map");
    EXPECT_EQ(sent.loadMap.records[2].mapName, "single");
    EXPECT_EQ(sent.loadMap.records[3].mapName, "");
}

TEST_F(CommandInterpreterTest, TipKeepsTheLeadingBlankOfItsText)
{
    for (const char* line : {"tip 3 4 hello world\r", "tip", "tip 3 x", "tip -1 7"})
        EXPECT_TRUE(Run(line)) << line;
    ASSERT_EQ(sent.showTip.records.size(), 4u);
    const auto& tips = sent.showTip.records;
    EXPECT_EQ((std::vector<std::string>{tips[0].text, tips[1].text, tips[2].text, tips[3].text}),
              (std::vector<std::string>{" hello world", "", "", ""}));
    EXPECT_EQ(tips[0].x, 3);
    EXPECT_EQ(tips[0].y, 4);
    EXPECT_EQ(tips[1].x, 0);
    EXPECT_EQ(tips[2].x, 3);
    EXPECT_EQ(tips[2].y, 0);
    EXPECT_EQ(tips[3].x, -1);
    EXPECT_EQ(tips[3].y, 7);
}

TEST_F(CommandInterpreterTest, CenterAndZoomSendNothingWithoutTheirNumbers)
{
    EXPECT_TRUE(Run("center 10 20"));
    EXPECT_TRUE(Run("zoom -8"));
    ASSERT_EQ(sent.center.records.size(), 1u);
    EXPECT_EQ(sent.center.records[0].x, 10);
    EXPECT_EQ(sent.center.records[0].y, 20);
    ASSERT_EQ(sent.zoom.records.size(), 1u);
    EXPECT_EQ(sent.zoom.records[0].cellSize, -8);

    sent.journal.clear();
    for (const char* line : {"center", "center 10", "center x y", "center 4294967296 1", "center 1 -2147483649",
                             "zoom", "zoom big", "zoom 2147483648"})
        EXPECT_TRUE(Run(line)) << line;
    EXPECT_TRUE(sent.journal.empty());
}

TEST_F(CommandInterpreterTest, RulersAsTheMarkCommandWritesThem)
{
    EXPECT_TRUE(Run("mark 5 5     5 30"));
    EXPECT_EQ(scene.Marks(), (std::vector<Mark>{{5, 5, 5, 30}}));
    EXPECT_TRUE(Run("delete mark 5 5 5 30"));
    EXPECT_TRUE(scene.Marks().empty());
}

TEST_F(CommandInterpreterTest, WrittenCommandsOfTheLanguageReplayTheirRecords)
{
    scene.FillRect(0, 0, 60, 60, CellSoil, CellBalk);
    const Build mill{30, 40, 5, 4, "Mill", 0xFF1C00};
    EXPECT_EQ(Replayed<AddBuild_CMD>(mill, sent.addBuild), mill);
    EXPECT_EQ(scene.Builds(), std::vector<Build>{mill});
    EXPECT_EQ(Replayed<DelBuild_CMD>({30, 40, 5, 4, "", DefaultColour}, sent.delBuild),
              (Build{30, 40, 5, 4, "", DefaultColour}));
    EXPECT_TRUE(scene.Builds().empty());

    const Mark ruler{-1, 2, 249, 0};
    EXPECT_EQ(Replayed<AddMark_CMD>(ruler, sent.addMark), ruler);
    EXPECT_EQ(Replayed<DelMark_CMD>(ruler, sent.delMark), ruler);
    Replayed<ClearScene_CMD>({}, sent.clearScene);
    Replayed<ClearBuild_CMD>({}, sent.clearBuild);
    Replayed<ClearMark_CMD>({}, sent.clearMark);
}

// Lays road cells for every building placed, as the main window does with "生成道路".
struct RoadMaker {
    RoadMaker() { MsgCenter::Instance().Register(this, &RoadMaker::OnRoads); }
    ~RoadMaker() { MsgCenter::Instance().Unregister(this, &RoadMaker::OnRoads); }
    RoadMaker(const RoadMaker&) = delete;
    RoadMaker& operator=(const RoadMaker&) = delete;
    void OnRoads(const BuildBringRoad_Msg* msg)
    {
        if (!msg->roads.empty())
            MsgCenter::Instance().Send(AddRoadPoints_Msg{msg->roads});
    }
};

TEST_F(CommandInterpreterTest, TheScriptLinesOfEveryEditReplayItOnTheSameMap)
{
    const auto start = [this] {
        scene.ClearAll();
        scene.FillRect(0, 0, 30, 30, CellSoil, CellBalk);
        scene.FillRect(0, 30, 30, 1, CellRoad, CellBalk);
        ASSERT_TRUE(scene.PlaceBuild(2, 2, 3, 2, DefaultColour, Gb("旧名")));
        scene.InsertMark(Mark{1, 1, 1, 5});
    };
    using Make = std::function<std::unique_ptr<Base_CMD>()>;
    const std::vector<std::pair<Make, std::string>> edits{
        {[] { return std::make_unique<FillSoil_CMD>(GridRect{40, 40, 5, 5}); }, "fill soil 40 40 5 5 "},
        {[] { return std::make_unique<FillRoad_CMD>(GridRect{0, 10, 30, 1}); }, "fill road 0 10 30 1 "},
        {[] { return std::make_unique<FillWall_CMD>(GridRect{35, 0, 1, 20}); }, "fill wall 35 0 1 20 "},
        {[] { return std::make_unique<FillBalk_CMD>(GridRect{0, 0, 40, 12}); }, "fill balk 0 0 40 12 "},
        {[] { return std::make_unique<RenameBuild_CMD>(Build{2, 2, 3, 2, Gb("磨坊"), 0}); },
         "rename 2 2 3 2 " + Gb("磨坊") + " 0"},
        {[] { return std::make_unique<RecolorBuild_CMD>(Build{2, 2, 0, 0, "", 0x0000FF}); },
         "recolor 2 2 0 0 <NULL> ff"},
        {[] { return std::make_unique<AddBuild_CMD>(Build{10, 28, 3, 2, "", DefaultColour}); },
         "place 10 28 3 2 <NULL> ffffffff"},
        {[] { return std::make_unique<DelBuild_CMD>(Build{2, 2, 0, 0, "", 0}); }, "break 2 2 0 0 <NULL> 0"},
        {[] { return std::make_unique<DelMark_CMD>(Mark{1, 1, 1, 5}); }, "delete mark 1 1     1 5"},
        {[] { return std::make_unique<ClearScene_CMD>(); }, "clear scene "},
    };
    for (const auto& [make, line] : edits) {
        SCOPED_TRACE(line);
        start();
        const std::unique_ptr<Base_CMD> edit = make();
        ASSERT_TRUE(edit->Execute());
        const SceneSnapshot recorded(scene);
        ASSERT_EQ(edit->ScriptLines(), Names{line});

        start();
        ASSERT_FALSE(recorded.Matches(scene));
        EXPECT_TRUE(Run(line));
        EXPECT_TRUE(recorded.Matches(scene));
    }
}

TEST_F(CommandInterpreterTest, AHouseReplaysWithRoadsOnlyWhereRoadsWereLaidForIt)
{
    scene.FillRect(0, 0, 30, 30, CellSoil, CellBalk);
    scene.FillRect(0, 12, 30, 1, CellRoad, CellSoil);
    AddBuild_CMD quiet(Build{4, 4, 3, 2, "", DefaultColour});
    ASSERT_TRUE(quiet.Execute());
    EXPECT_EQ(quiet.ScriptLines(), Names{"place 4 4 3 2 <NULL> ffffffff"});

    RoadMaker roads;
    AddBuild_CMD withRoads(Build{10, 8, 3, 2, "", DefaultColour});
    ASSERT_TRUE(withRoads.Execute());
    EXPECT_EQ(scene.CellAt(10, 10), CellRoad);
    EXPECT_EQ(withRoads.ScriptLines(), Names{"build 10 8 3 2 <NULL> ffffffff"});

    // "place" plans no roads even where a demonstration makes them.
    EXPECT_TRUE(Run("place 20 8 3 2 <NULL> ffffffff"));
    EXPECT_EQ(scene.CellAt(20, 8), CellBuild);
    EXPECT_EQ(scene.CellAt(20, 10), CellSoil);
    EXPECT_FALSE(Run("fill sand 1 1 1 1"));
    EXPECT_FALSE(Run("fill"));
}

}  // namespace
