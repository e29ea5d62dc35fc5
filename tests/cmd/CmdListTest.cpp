#include "SentMessages.h"
#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "cmd/RunLine_CMD.h"
#include "config/AppConfig.h"
#include "msg/MsgCenter.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// Passes everything on to a real command and notes its own destruction.
class ProbeCommand final : public Base_CMD {
public:
    ProbeCommand(std::unique_ptr<Base_CMD> inner, bool& destroyed) : inner_(std::move(inner)), destroyed_(destroyed) {}
    ~ProbeCommand() override { destroyed_ = true; }
    bool Execute() override { return inner_->Execute(); }
    bool Read(std::istream& in) override { return inner_->Read(in); }
    bool Write(std::ostream& out) const override { return inner_->Write(out); }

private:
    std::unique_ptr<Base_CMD> inner_;
    bool& destroyed_;
};

class CmdListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        history.Clear();
        savedRecording = config.recording;
        savedSaveTemp = config.saveTempRecFile;
        config.saveTempRecFile = true;
    }
    void TearDown() override
    {
        history.Clear();
        config.recording = savedRecording;
        config.saveTempRecFile = savedSaveTemp;
    }

    static std::unique_ptr<Base_CMD> Soil(std::int32_t x)
    {
        return std::make_unique<FillSoil_CMD>(GridRect{x, 0, 1, 1});
    }

    std::string Exported() const
    {
        std::ostringstream out;
        history.WriteAll(out);
        return out.str();
    }

    CmdList& history = CmdList::Instance();
    AppConfig& config = AppConfig::Instance();
    bool savedRecording = false;
    bool savedSaveTemp = true;
    Scene scene{MsgCenter::Instance()};
    SentMessages sent;
};

TEST_F(CmdListTest, OutsideARecordingACommandIsExecutedThenDestroyed)
{
    config.recording = false;
    history.Add(nullptr);
    EXPECT_TRUE(sent.journal.empty());

    bool destroyed = false;
    history.Add(std::make_unique<ProbeCommand>(std::make_unique<FillSoil_CMD>(GridRect{1, 2, 3, 4}), destroyed));

    EXPECT_TRUE(destroyed);
    EXPECT_EQ(scene.CellAt(3, 5), CellSoil);
    EXPECT_EQ(sent.Sorted(), (Names{"FillSoil_CMD", "UpdateGridView_Msg"}));
    EXPECT_EQ(history.Size(), 0);
    EXPECT_EQ(history.Position(), 0);
}

TEST_F(CmdListTest, GoToRestoresASnapshotAndTheNextAddDropsTheUndoneCommands)
{
    config.recording = true;
    for (std::int32_t x = 0; x < 3; ++x)
        history.Add(Soil(x));
    ASSERT_EQ(history.Size(), 3);
    EXPECT_EQ(history.Position(), 3);
    ASSERT_EQ(sent.saveTemp.records.size(), 3u);
    EXPECT_EQ(sent.saveTemp.records[2].index, 2);
    EXPECT_EQ(sent.listUpdate.records.size(), 3u);

    sent.journal.clear();
    history.GoTo(0);
    EXPECT_EQ(history.Position(), 1);
    EXPECT_EQ(history.Size(), 3);
    ASSERT_EQ(sent.loadTemp.records.size(), 1u);
    EXPECT_EQ(sent.loadTemp.records[0].index, 0);
    // The state comes from the snapshot alone: nothing is executed again.
    EXPECT_EQ(sent.Sorted(), (Names{"CmdListUpdate_Msg", "LoadTempMap_Msg"}));
    EXPECT_EQ(Exported(), ".fill soil 0 0 1 1 \n");

    history.Add(std::make_unique<ClearMark_CMD>());
    EXPECT_EQ(history.Size(), 2);
    EXPECT_EQ(history.Position(), 2);
    EXPECT_EQ(sent.saveTemp.records.back().index, 1);
    EXPECT_EQ(Exported(), ".fill soil 0 0 1 1 \n.clear mark \n");
}

TEST_F(CmdListTest, GoToAnIndexOutsideTheListChangesNothing)
{
    config.recording = true;
    history.Add(Soil(0));
    history.Add(Soil(1));
    sent.journal.clear();

    for (const std::int32_t index : {2, 3, -1, std::numeric_limits<std::int32_t>::min()})
        history.GoTo(index);

    EXPECT_TRUE(sent.journal.empty());
    EXPECT_EQ(history.Position(), 2);
    history.Add(Soil(2));
    EXPECT_EQ(history.Size(), 3);
}

TEST_F(CmdListTest, WithoutSnapshotsTheListIsStillUpdated)
{
    config.recording = true;
    config.saveTempRecFile = false;
    history.Add(Soil(0));
    EXPECT_TRUE(sent.saveTemp.records.empty());
    EXPECT_EQ(sent.listUpdate.records.size(), 1u);
    EXPECT_EQ(history.Size(), 1);
}

TEST_F(CmdListTest, AnEditCommandRunsOnceButARunLineEveryTime)
{
    FillSoil_CMD soil(GridRect{0, 0, 2, 2});
    EXPECT_TRUE(soil.Execute());
    EXPECT_TRUE(soil.IsDone());
    EXPECT_FALSE(soil.Execute());
    EXPECT_EQ(sent.fillSoil.records.size(), 1u);

    RunLine_CMD line("clear mark");
    EXPECT_TRUE(line.Execute());
    EXPECT_TRUE(line.Execute());
    EXPECT_FALSE(line.IsDone());
    EXPECT_EQ(sent.clearMark.records.size(), 2u);
}

TEST_F(CmdListTest, ARecordedRunLineIsKeptAsItsTextOnly)
{
    scene.FillRect(0, 0, 20, 20, CellSoil, CellBalk);
    config.recording = true;
    history.Add(std::make_unique<RunLine_CMD>("build 10 10 3 2 <NULL> ffffffff"));

    EXPECT_EQ(scene.Builds().size(), 1u);
    EXPECT_EQ(history.Size(), 1);
    EXPECT_EQ(Exported(), ".build 10 10 3 2 <NULL> ffffffff\n");
}

}  // namespace
