#include "DemoTempFolder.h"
#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "config/AppConfig.h"
#include "demo/CCmdListCtrl.h"
#include "demo/CRecDlg.h"
#include "demo/DemoScriptReader.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/MapFileReader.h"
#include "scene/MapFileWriter.h"
#include "scene/Scene.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path Snapshot(const fs::path& programFolder, std::int32_t index)
{
    return programFolder / "temp" / (std::to_string(index) + ".qlm");
}

// Plays the parts of the main window (answering the prompts) and of the tools
// panel (snapshots in "temp/", the stop request) with real map files.
class Stagehands {
public:
    Stagehands(MsgCenter& center, Scene& scene, fs::path programFolder)
        : center_(center), scene_(scene), programFolder_(std::move(programFolder))
    {
        center_.Register(this, &Stagehands::OnInput);
        center_.Register(this, &Stagehands::OnSaveTemp);
        center_.Register(this, &Stagehands::OnLoadTemp);
        center_.Register(this, &Stagehands::OnStop);
    }
    ~Stagehands()
    {
        center_.Unregister(this, &Stagehands::OnInput);
        center_.Unregister(this, &Stagehands::OnSaveTemp);
        center_.Unregister(this, &Stagehands::OnLoadTemp);
        center_.Unregister(this, &Stagehands::OnStop);
    }
    Stagehands(const Stagehands&) = delete;
    Stagehands& operator=(const Stagehands&) = delete;

    // What the user types, in order; nothing means "Cancel".
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> prompts;
    int stops = 0;

private:
    void OnInput(const InputString_Msg* msg)
    {
        prompts.push_back(msg->prompt.Chinese());
        EXPECT_TRUE(msg->initial.empty());
        if (answers.empty())
            return;
        msg->ok = answers.front().has_value();
        msg->result = answers.front().value_or("");
        answers.pop_front();
    }
    void OnSaveTemp(const SaveTempMap_Msg* msg)
    {
        fs::create_directories(programFolder_ / "temp");
        EXPECT_TRUE(MapFileWriter::WriteFile(Snapshot(programFolder_, msg->index), scene_));
    }
    void OnLoadTemp(const LoadTempMap_Msg* msg)
    {
        std::string errors;
        MapFileReader::ReadFile(Snapshot(programFolder_, msg->index), errors, scene_);
    }
    void OnStop(const StopRec_Msg*) { ++stops; }

    MsgCenter& center_;
    Scene& scene_;
    fs::path programFolder_;
};

class CRecDlgTest : public ::testing::Test {
protected:
    CRecDlgTest()
    {
        history.Clear();
        savedRecording = config.recording;
        savedSaveTemp = config.saveTempRecFile;
        config.recording = true;
        config.saveTempRecFile = true;
        dialog = std::make_unique<CRecDlg>(center, config, folder.path);
        dialog->SetWarning([this](const QString& text) { warnings.push_back(text); });
        dialog->SetDateSource([] { return RecordingExport::Date{2009, 3, 7}; });
        dialog->show();
        // The tools panel saves the starting map when the recording starts.
        fs::create_directories(folder.path / "temp");
        MapFileWriter::WriteFile(folder.path / "temp" / "s.qlm", scene);
    }
    ~CRecDlgTest() override
    {
        dialog.reset();
        history.Clear();
        config.recording = savedRecording;
        config.saveTempRecFile = savedSaveTemp;
    }

    void RecordThreeSoilCells()
    {
        for (std::int32_t x = 0; x < 3; ++x)
            history.Add(std::make_unique<FillSoil_CMD>(GridRect{x, 0, 1, 1}));
    }

    std::vector<int> ItemData() const
    {
        std::vector<int> data;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            data.push_back(CCmdListCtrl::RowData(List()->topLevelItem(i)));
        return data;
    }

    CCmdListCtrl* List() const { return dialog->List(); }

    void DoubleClickRow(int row)
    {
        QTreeWidgetItem* item = List()->topLevelItem(row);
        ASSERT_NE(item, nullptr);
        // A real double click: the first click presses the item, the second one double-clicks it.
        const QPoint centre = List()->visualItemRect(item).center();
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, centre);
    }

    fs::path AutoFile(const std::string& utf8Name) const
    {
        return folder.path / "demo" / "auto" / platform::PathFromUtf8(utf8Name);
    }

    MsgCenter& center = MsgCenter::Instance();
    AppConfig& config = AppConfig::Instance();
    CmdList& history = CmdList::Instance();
    bool savedRecording = false;
    bool savedSaveTemp = true;
    DemoTempFolder folder;
    Scene scene{center};
    Stagehands stage{center, scene, folder.path};
    std::unique_ptr<CRecDlg> dialog;
    std::vector<QString> warnings;
};

TEST_F(CRecDlgTest, RecordedCommandsAreListedAndADoubleClickReturnsToOne)
{
    RecordThreeSoilCells();
    ASSERT_EQ(List()->topLevelItemCount(), 3);
    EXPECT_EQ(List()->topLevelItem(2)->text(0), "##fill soil 2 0 1 1 ");
    EXPECT_EQ(ItemData(), (std::vector<int>{2, 1, 0}));

    DoubleClickRow(1);
    EXPECT_EQ(history.Position(), 2);
    EXPECT_EQ(ItemData(), (std::vector<int>{1, 0, -1}));
    // The snapshot taken after the second command is the map now.
    EXPECT_EQ(scene.CellAt(1, 0), CellSoil);
    EXPECT_EQ(scene.CellAt(2, 0), CellBalk);

    DoubleClickRow(2);
    EXPECT_EQ(history.Position(), 3);
    EXPECT_EQ(scene.CellAt(2, 0), CellSoil);
}

TEST_F(CRecDlgTest, ExportWritesOnlyTheCommandsInEffectBesideTheStartingMap)
{
    RecordThreeSoilCells();
    DoubleClickRow(1);
    stage.answers = {"show", "me"};
    ASSERT_TRUE(dialog->Export());
    EXPECT_EQ(stage.prompts, (std::vector<std::string>{"Please Enter Show Name:", "Please Enter Author Name:"}));
    EXPECT_TRUE(warnings.empty());

    EXPECT_TRUE(fs::exists(AutoFile("show.qlm")));
    const auto script = DemoScriptReader::ReadFile(AutoFile("show.qld"));
    ASSERT_TRUE(script.has_value());
    EXPECT_EQ(script->Title(), " show");
    EXPECT_EQ(script->Author(), " me");
    EXPECT_EQ(script->Date(), " 2009-3-7");
    EXPECT_EQ(script->Pre(), std::vector<std::string>{",load show"});
    const auto& start = script->Start();
    EXPECT_EQ(std::count_if(start.begin(), start.end(), [](const std::string& l) { return l.starts_with('.'); }), 2);
}

TEST_F(CRecDlgTest, ARefusedShowNameIsExplainedAndAskedAgain)
{
    const std::string chinese = platform::Utf8ToGb18030("我的演示");
    stage.answers = {"a/b", "..", chinese, "me"};
    ASSERT_TRUE(dialog->Export());
    EXPECT_EQ(warnings.size(), 2u);
    EXPECT_FALSE(warnings.front().isEmpty());
    EXPECT_EQ(stage.prompts.size(), 4u);
    EXPECT_EQ(stage.prompts[2], "Please Enter Show Name:");
    EXPECT_TRUE(fs::exists(AutoFile("我的演示.qld")));
    EXPECT_TRUE(fs::exists(AutoFile("我的演示.qlm")));
}

TEST_F(CRecDlgTest, CancellingAPromptWritesNothing)
{
    RecordThreeSoilCells();
    stage.answers = {std::nullopt};
    EXPECT_FALSE(dialog->Export());
    EXPECT_EQ(stage.prompts.size(), 1u);

    stage.answers = {"show", std::nullopt};
    EXPECT_FALSE(dialog->Export());
    EXPECT_EQ(stage.prompts.size(), 3u);
    EXPECT_TRUE(warnings.empty());
    EXPECT_FALSE(fs::exists(folder.path / "demo"));
}

TEST_F(CRecDlgTest, AFailedExportIsReportedNotClaimed)
{
    fs::remove(folder.path / "temp" / "s.qlm");
    stage.answers = {"show", "me"};
    EXPECT_FALSE(dialog->Export());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_FALSE(warnings.front().isEmpty());
    EXPECT_FALSE(fs::exists(AutoFile("show.qld")));
}

TEST_F(CRecDlgTest, EscapeTheExportButtonAndTheCloseBoxStartTheExportAndKeepTheWindow)
{
    stage.answers = {std::nullopt};
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(stage.prompts.size(), 1u);
    EXPECT_TRUE(dialog->isVisible());

    stage.answers = {std::nullopt};
    QTest::mouseClick(dialog->ExportButton(), Qt::LeftButton);
    EXPECT_EQ(stage.prompts.size(), 2u);

    stage.answers = {"closed", "me"};
    EXPECT_FALSE(dialog->close());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(stage.prompts.size(), 4u);
    EXPECT_TRUE(fs::exists(AutoFile("closed.qld")));
    EXPECT_EQ(stage.stops, 0);
}

TEST_F(CRecDlgTest, TheCommandLineRunsAndRecordsItsText)
{
    QTest::keyClicks(dialog->CommandLine(), "clear scene");
    QTest::mouseClick(dialog->RunButton(), Qt::LeftButton);
    ASSERT_EQ(history.Size(), 1);
    ASSERT_EQ(List()->topLevelItemCount(), 1);
    EXPECT_EQ(List()->topLevelItem(0)->text(0), "clear scene");

    // Enter on the command line runs it rather than ending the recording.
    dialog->CommandLine()->setText("tip 你好");
    dialog->CommandLine()->setFocus();
    QTest::keyClick(dialog->CommandLine(), Qt::Key_Return);
    EXPECT_EQ(stage.stops, 0);
    ASSERT_EQ(history.Size(), 2);
    EXPECT_EQ(List()->topLevelItem(1)->text(0), "tip 你好");

    dialog->CommandLine()->setText(QString(1100, 'x'));
    EXPECT_EQ(dialog->CommandLine()->text().size(), CRecDlg::kMaxCommandLineLength);
}

TEST_F(CRecDlgTest, StopAsksTheToolsPanelToEndTheRecording)
{
    QTest::mouseClick(dialog->StopButton(), Qt::LeftButton);
    EXPECT_EQ(stage.stops, 1);
    EXPECT_TRUE(stage.prompts.empty());
}

TEST_F(CRecDlgTest, TheSnapshotSwitchFollowsAndSetsTheSetting)
{
    EXPECT_TRUE(dialog->SaveTempCheck()->isChecked());
    QCheckBox* check = dialog->SaveTempCheck();
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->height() / 2, check->height() / 2));
    EXPECT_FALSE(config.saveTempRecFile);

    history.Add(std::make_unique<FillSoil_CMD>(GridRect{0, 0, 1, 1}));
    EXPECT_FALSE(fs::exists(Snapshot(folder.path, 0)));

    config.saveTempRecFile = false;
    CRecDlg second(center, config, folder.path);
    EXPECT_FALSE(second.SaveTempCheck()->isChecked());
    // A new window shows the history that is already there.
    EXPECT_EQ(second.List()->topLevelItemCount(), 1);
}

}  // namespace
