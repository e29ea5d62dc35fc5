#include "SentMessages.h"
#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "cmd/UndoHistory.h"
#include "config/AppConfig.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"
#include "scene/SceneSnapshot.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class UndoHistoryTest : public ::testing::Test {
protected:
    UndoHistoryTest() : savedRecording(config.recording), savedSaveTemp(config.saveTempRecFile)
    {
        config.recording = false;
        commands.Clear();
    }
    ~UndoHistoryTest() override
    {
        commands.Clear();
        config.recording = savedRecording;
        config.saveTempRecFile = savedSaveTemp;
    }

    void Add(std::unique_ptr<Base_CMD> command) { commands.Add(std::move(command)); }

    MsgCenter& center = MsgCenter::Instance();
    AppConfig& config = AppConfig::Instance();
    CmdList& commands = CmdList::Instance();
    bool savedRecording;
    bool savedSaveTemp;
    Scene scene{center};
};

TEST_F(UndoHistoryTest, EveryEditThatChangedTheMapIsTakenBackAndDoneAgainInOrder)
{
    UndoHistory history(center, scene, config, commands);
    std::vector<SceneSnapshot> states{SceneSnapshot(scene)};
    const auto edit = [&](std::unique_ptr<Base_CMD> command) {
        Add(std::move(command));
        states.emplace_back(scene);
    };
    edit(std::make_unique<FillSoil_CMD>(GridRect{0, 0, 20, 20}));
    edit(std::make_unique<AddBuild_CMD>(Build{1, 1, 3, 2, "", DefaultColour}));
    edit(std::make_unique<RenameBuild_CMD>(Build{1, 1, 0, 0, "mill", 0}));
    edit(std::make_unique<AddMark_CMD>(Mark{0, 0, 0, 9}));
    edit(std::make_unique<ClearScene_CMD>());
    // Nothing changes: no step.
    Add(std::make_unique<DelBuild_CMD>(Build{100, 100, 0, 0, "", 0}));
    ASSERT_EQ(history.UndoSteps(), 5u);

    SentMessages sent;
    for (int i = 4; i >= 0; --i) {
        ASSERT_TRUE(history.Undo());
        EXPECT_TRUE(states[static_cast<std::size_t>(i)].Matches(scene)) << i;
    }
    EXPECT_FALSE(history.Undo());
    EXPECT_EQ(sent.redraw.records.size(), 5u);
    for (std::size_t i = 1; i < states.size(); ++i) {
        center.Send(RedoEdit_Msg{});
        EXPECT_TRUE(states[i].Matches(scene)) << i;
    }
    EXPECT_FALSE(history.Redo());

    // A new edit after an undo drops what could have been done again.
    center.Send(UndoEdit_Msg{});
    Add(std::make_unique<FillWall_CMD>(GridRect{100, 100, 2, 2}));
    EXPECT_EQ(history.RedoSteps(), 0u);
    EXPECT_EQ(history.UndoSteps(), 5u);
}

TEST_F(UndoHistoryTest, TheMemoryBoundDropsTheOldestStepsFirstAndALoadForgetsThemAll)
{
    const std::size_t oneStep = SceneSnapshot(scene).Bytes();
    UndoHistory history(center, scene, config, commands, oneStep * 3);
    for (std::int32_t x = 0; x < 5; ++x)
        Add(std::make_unique<FillSoil_CMD>(GridRect{x, 0, 1, 1}));
    EXPECT_EQ(history.UndoSteps(), 3u);
    EXPECT_LE(history.Bytes(), oneStep * 3);
    while (history.Undo()) {
    }
    // The two oldest steps are gone: the first two cells stay soil.
    EXPECT_EQ(scene.CellAt(1, 0), CellSoil);
    EXPECT_EQ(scene.CellAt(2, 0), CellBalk);
    EXPECT_EQ(history.RedoSteps(), 3u);

    center.Send(MapFileEvent_Msg{MapFileKind::Saved, "x.qlm", false});
    EXPECT_EQ(history.RedoSteps(), 3u);
    center.Send(MapFileEvent_Msg{MapFileKind::Opened, "y.qlm", false});
    EXPECT_EQ(history.RedoSteps() + history.UndoSteps(), 0u);
    EXPECT_EQ(history.Bytes(), 0u);

    // The default bound holds at least a hundred steps of a full map.
    EXPECT_GE(UndoHistory::kDefaultMemoryBound / oneStep, 100u);
}

TEST_F(UndoHistoryTest, WhileRecordingUndoAndRedoAreTheRecordingsJumps)
{
    UndoHistory history(center, scene, config, commands);
    config.recording = true;
    config.saveTempRecFile = false;
    SentMessages sent;
    for (std::int32_t x = 0; x < 3; ++x)
        Add(std::make_unique<FillSoil_CMD>(GridRect{x, 0, 1, 1}));

    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(commands.Position(), 2);
    EXPECT_EQ(sent.loadTemp.records.back().index, 1);
    ASSERT_TRUE(history.Undo());
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(commands.Position(), 0);
    EXPECT_EQ(sent.loadTemp.records.back().index, CmdList::kStartSnapshot);
    EXPECT_FALSE(history.Undo());

    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(commands.Position(), 1);
    EXPECT_EQ(sent.loadTemp.records.back().index, 0);
    ASSERT_TRUE(history.Redo());
    ASSERT_TRUE(history.Redo());
    EXPECT_FALSE(history.Redo());
    EXPECT_EQ(commands.Position(), 3);
}

}  // namespace
