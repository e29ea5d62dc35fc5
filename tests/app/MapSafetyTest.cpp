// The map in hand is never lost: the real main window with its panels, real
// files in a folder of the test's own, the real layout thread and timer.
#include "ModalAnswers.h"
#include "app/CStrInputDlg.h"
#include "app/MainDlg.h"
#include "app/QtThreadTimer.h"
#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "config/AppConfig.h"
#include "demo/CShowDlg.h"
#include "demo/DemoPlayer.h"
#include "msg/MsgCenter.h"
#include "msg/TimerCenter.h"
#include "panels/COperaterDlg.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "scene/SceneSnapshot.h"
#include "view/CScenePic.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Spit(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

QString PathText(const fs::path& file)
{
    return QString::fromStdString(platform::PathToUtf8(file));
}

// A version 1.1 map with soil in columns 0 … 14, rows 0 … 9, then `lists`.
std::string MapText(const std::string& lists)
{
    std::string text = "Quarrin Layvane Map File. Version 1.1\nGrid Size 250 * 250\n";
    for (int x = 0; x < 250; ++x)
        text += (x < 15 ? std::string(10, '1') + std::string(240, '0') : std::string(250, '0')) + "\n";
    return text + lists;
}

const std::string kNoLists = "Builds 0\nMarks 0\n";

std::function<void(CStrInputDlg*)> Type(const char* text)
{
    return [text](CStrInputDlg* prompt) {
        prompt->Edit()->setPlainText(QString::fromUtf8(text));
        prompt->OkButton()->click();
    };
}

class MapSafetyTest : public ::testing::Test {
protected:
    MapSafetyTest()
        : saved{config.roadNotice, config.roadMake, config.recording, config.saveTempRecFile}
    {
        fs::remove_all(dir);
        Spit(a, MapText(kNoLists));
        Spit(b, MapText(kNoLists));
        Spit(dir / "demo" / "town.qlm", MapText(kNoLists));
        Spit(dir / "demo" / "show.qld", "QuarrinLayvane Demo Script File. Version 1.0\n>title T\n>author A\n"
                                        ">date 2009-3-7\n>pre\n,load town\n>start\n.mark 1 1 1 5\n>end\n");
        config.roadNotice = true;
        config.roadMake = false;
        config.recording = false;
        config.saveTempRecFile = true;
        CmdList::Instance().Clear();
        TimerCenter::ResetPeriodSlots();
        timers = std::make_unique<TimerCenter>(&center, std::make_unique<QtThreadTimer>());
        scene.Demos().Rescan(dir / "demo");
        dlg.CreatePanels(dir);
        tools = qobject_cast<COperaterDlg*>(dlg.Panel(MainDlg::kMainPanel));
        tools->SetFileChooser([this](COperaterDlg::FileDialogKind) { return chosen; });
        tools->SetErrorBox([this](const QString& caption, const QString&) { errorBoxes << caption; });
        dlg.show();
    }
    ~MapSafetyTest() override
    {
        timers->Stop();
        config.roadNotice = saved[0];
        config.roadMake = saved[1];
        config.recording = saved[2];
        config.saveTempRecFile = saved[3];
        CmdList::Instance().Clear();
        fs::remove_all(dir);
    }

    void Press(int id) { QTest::mouseClick(qobject_cast<QAbstractButton*>(tools->Control(id)), Qt::LeftButton); }
    // Shortcuts reach the active window only; a modal box that closed may have taken that away.
    void Keys(const QKeySequence& keys)
    {
        dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        QTest::keySequence(&dlg, keys);
    }
    static void Add(std::unique_ptr<Base_CMD> command) { CmdList::Instance().Add(std::move(command)); }
    // True when the window closed.
    bool Close()
    {
        dlg.close();
        return !dlg.isVisible();
    }
    QString Title(const fs::path& file, bool modified = false) const
    {
        return "QuarrinLayvane 2  [" + PathText(file) + "]" + (modified ? " *" : "");
    }

    // One of every kind of edit the user makes, each followed by `after`:
    // the tools, a house with the roads made for it, rename, recolour,
    // rulers, the clears, and the selection and automatic layouts.
    void EveryKindOfEdit(const std::function<void()>& after)
    {
        config.roadMake = true;
        Add(std::make_unique<FillSoil_CMD>(GridRect{20, 0, 6, 5}));
        after();
        Add(std::make_unique<FillRoad_CMD>(GridRect{0, 10, 15, 1}));
        after();
        Add(std::make_unique<FillWall_CMD>(GridRect{30, 0, 1, 10}));
        after();
        Add(std::make_unique<FillBalk_CMD>(GridRect{24, 0, 2, 5}));
        after();
        Add(std::make_unique<AddBuild_CMD>(Build{5, 6, 3, 2, "", DefaultColour}));
        EXPECT_EQ(scene.CellAt(5, 8), CellRoad);
        after();
        Add(std::make_unique<RenameBuild_CMD>(Build{5, 6, 0, 0, platform::Utf8ToGb18030("磨坊"), 0}));
        after();
        Add(std::make_unique<RecolorBuild_CMD>(Build{5, 6, 0, 0, "", 0x0000FF}));
        after();
        Add(std::make_unique<AddMark_CMD>(Mark{1, 1, 1, 5}));
        after();
        Add(std::make_unique<DelMark_CMD>(Mark{1, 1, 1, 5}));
        after();
        Add(std::make_unique<AddMark_CMD>(Mark{2, 2, 6, 2}));
        after();
        Press(1025);  // 清空标尺
        after();
        Press(1004);  // 清空建筑
        after();
        dlg.MapView().Selection().Add(CellRect{20, 0, 23, 4});
        Press(1014);  // 选区布局
        after();
        Press(1002);  // 自动布局
        after();
    }

    const fs::path dir = fs::temp_directory_path() / ("ql-map-safety-" + std::to_string(std::random_device{}()));
    const fs::path a = dir / "a.qlm";
    const fs::path b = dir / "b.qlm";
    MsgCenter& center = MsgCenter::Instance();
    AppConfig& config = AppConfig::Instance();
    const bool saved[4];
    std::unique_ptr<TimerCenter> timers;
    Scene scene{center};
    MainDlg dlg{center, scene, config};
    COperaterDlg* tools = nullptr;
    fs::path chosen;
    QStringList errorBoxes;
};

TEST_F(MapSafetyTest, LoadingAnotherMapThenClosingSavesThatMapAndLeavesTheStartFileAlone)
{
    const std::string before = Slurp(a);
    dlg.OpenStartFile(a);
    EXPECT_EQ(dlg.windowTitle(), Title(a));
    chosen = b;
    Press(1006);  // 加载地图
    EXPECT_EQ(dlg.windowTitle(), Title(b));
    Add(std::make_unique<AddBuild_CMD>(Build{3, 3, 3, 2, "", DefaultColour}));
    EXPECT_EQ(dlg.windowTitle(), Title(b, true));

    EXPECT_TRUE(Close());
    EXPECT_EQ(Slurp(a), before);
    EXPECT_NE(Slurp(b).find("Builds 1\n"), std::string::npos);
}

TEST_F(MapSafetyTest, ADemonstrationsMapIsNeverWrittenOverTheUsersFile)
{
    const std::string before = Slurp(a);
    const std::string demoMap = Slurp(dir / "demo" / "town.qlm");
    dlg.OpenStartFile(a);
    scene.Demos().selected = 1;
    Press(1045);  // 开始演示
    auto* player = qobject_cast<CShowDlg*>(dlg.CurrentPanel());
    ASSERT_NE(player, nullptr);
    QTest::mouseClick(player->NextButton(), Qt::LeftButton);
    ASSERT_EQ(scene.Marks().size(), 1u);

    const ModalAnswers<QMessageBox> answers({Answer(QMessageBox::RejectRole), Answer(QMessageBox::DestructiveRole)});
    EXPECT_FALSE(Close());  // "取消": the window stays
    EXPECT_EQ(scene.Marks().size(), 1u);
    EXPECT_TRUE(Close());   // "不保存"
    EXPECT_TRUE(answers.AllUsed());
    EXPECT_EQ(Slurp(a), before);
    EXPECT_EQ(Slurp(dir / "demo" / "town.qlm"), demoMap);
}

TEST_F(MapSafetyTest, AFileReadOnlyInPartIsNotWrittenOverWithoutAsking)
{
    // Three buildings promised, two given: the reader keeps those and reports the rest lost.
    Spit(a, MapText("Builds 3\n: ffffffff 0 0 3 2\n: ffffffff 4 0 3 2\n"));
    const std::string before = Slurp(a);
    dlg.OpenStartFile(a);
    EXPECT_EQ(errorBoxes, QStringList{"Load Failed"});
    EXPECT_EQ(scene.Builds().size(), 2u);

    const ModalAnswers<QMessageBox> answers({Answer(QMessageBox::DestructiveRole)});
    EXPECT_TRUE(Close());
    EXPECT_TRUE(answers.AllUsed());
    EXPECT_EQ(Slurp(a), before);
}

TEST_F(MapSafetyTest, WorkWithoutAFileIsSavedWhereTheUserChoosesOnClose)
{
    Add(std::make_unique<FillSoil_CMD>(GridRect{0, 0, 4, 4}));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("QuarrinLayvane 2.1 *"));
    chosen = dir / "new.qlm";
    const ModalAnswers<QMessageBox> answers({Answer(QMessageBox::AcceptRole)});
    EXPECT_TRUE(Close());
    EXPECT_TRUE(answers.AllUsed());
    EXPECT_NE(Slurp(chosen).find("Grid Size 250 * 250"), std::string::npos);
}

TEST_F(MapSafetyTest, AStartFileThatDoesNotExistYetIsCreatedOnClose)
{
    const fs::path fresh = dir / "fresh.qlm";
    dlg.OpenStartFile(fresh);
    EXPECT_TRUE(errorBoxes.isEmpty());
    Add(std::make_unique<FillSoil_CMD>(GridRect{0, 0, 4, 4}));
    EXPECT_EQ(dlg.windowTitle(), Title(fresh, true));
    EXPECT_TRUE(Close());
    EXPECT_TRUE(fs::exists(fresh));
}

TEST_F(MapSafetyTest, CtrlSSavesCtrlNStartsBlankAndCtrlOLoadsEachAskingFirst)
{
    dlg.OpenStartFile(a);
    const std::string before = Slurp(a);
    Add(std::make_unique<FillRoad_CMD>(GridRect{0, 12, 5, 1}));
    EXPECT_EQ(dlg.windowTitle(), Title(a, true));
    Keys(QKeySequence::Save);
    EXPECT_NE(Slurp(a), before);
    EXPECT_EQ(dlg.windowTitle(), Title(a));

    Keys(QKeySequence::New);  // nothing unsaved: no question
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("QuarrinLayvane 2.1"));
    EXPECT_EQ(scene.ComputeStatistics().groundCells, 0);

    Add(std::make_unique<FillSoil_CMD>(GridRect{0, 0, 4, 4}));
    {
        const ModalAnswers<QMessageBox> stay({Answer(QMessageBox::RejectRole), Answer(QMessageBox::RejectRole)});
        Keys(QKeySequence::New);
        Keys(QKeySequence::Open);
        EXPECT_TRUE(stay.AllUsed());
        EXPECT_EQ(scene.ComputeStatistics().soilCells, 16);
    }
    chosen = dir / "c.qlm";
    Keys(QKeySequence::Save);  // no file yet: the save dialog
    EXPECT_TRUE(fs::exists(chosen));
    EXPECT_EQ(dlg.windowTitle(), Title(chosen));

    chosen = b;
    Keys(QKeySequence::Open);
    EXPECT_EQ(dlg.windowTitle(), Title(b));
    EXPECT_EQ(scene.ComputeStatistics().soilCells, 150);
    EXPECT_TRUE(errorBoxes.isEmpty());
}

TEST_F(MapSafetyTest, EveryKindOfEditIsUndoneAndRedoneWithKeysAndButtons)
{
    dlg.OpenStartFile(a);
    std::vector<SceneSnapshot> states{SceneSnapshot(scene)};
    EveryKindOfEdit([&] {
        EXPECT_FALSE(states.back().Matches(scene)) << "edit " << states.size() << " changed nothing";
        states.emplace_back(scene);
    });
    Press(1003);  // 清空地图
    states.emplace_back(scene);

    for (std::size_t i = states.size() - 1; i-- > 0;) {
        Keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        ASSERT_TRUE(states[i].Matches(scene)) << "undo to state " << i;
    }
    EXPECT_EQ(dlg.windowTitle(), Title(a));
    for (std::size_t i = 1; i < states.size(); ++i) {
        Keys(i % 2 ? QKeySequence(Qt::CTRL | Qt::Key_Y) : QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        ASSERT_TRUE(states[i].Matches(scene)) << "redo to state " << i;
    }
    Press(1070);  // 撤销
    EXPECT_TRUE(states[states.size() - 2].Matches(scene));
    Press(1071);  // 重做
    EXPECT_TRUE(states.back().Matches(scene));

    // Loading another map forgets the steps.
    chosen = b;
    const ModalAnswers<QMessageBox> discard({Answer(QMessageBox::DestructiveRole)});
    Press(1006);
    const SceneSnapshot loaded(scene);
    Keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(loaded.Matches(scene));
}

TEST_F(MapSafetyTest, ARecordingOfEveryKindOfEditReplaysToTheMapItEndedWith)
{
    dlg.OpenStartFile(a);
    Press(1050);  // 录制
    ASSERT_TRUE(config.recording);
    std::vector<SceneSnapshot> states{SceneSnapshot(scene)};
    EveryKindOfEdit([&] { states.emplace_back(scene); });
    // Undo while recording is the recorder's jump back; the next edit replaces what was undone.
    Keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_TRUE(states[states.size() - 2].Matches(scene));
    Add(std::make_unique<FillSoil_CMD>(GridRect{40, 40, 3, 3}));
    const SceneSnapshot recorded(scene);
    config.roadMake = false;

    const ModalAnswers<CStrInputDlg> names({Type("replay"), Type("tester")});
    Press(1050);  // 停止: the export asks for the names
    ASSERT_TRUE(names.AllUsed());
    ASSERT_TRUE(fs::exists(dir / "demo" / "auto" / "replay.qld"));

    DemoCatalogue& demos = scene.Demos();
    demos.selected = 0;
    for (std::size_t i = 0; i < demos.entries.size(); ++i) {
        if (demos.entries[i].Title() == " replay")
            demos.selected = static_cast<int>(i) + 1;
    }
    ASSERT_NE(demos.selected, 0);
    DemoPlayer player(demos, config.roadMake, nullptr);
    player.Load();
    while (player.Loaded() && player.Step() < player.StepCount())
        player.OneStep();
    EXPECT_TRUE(recorded.Matches(scene)) << Slurp(dir / "demo" / "auto" / "replay.qld");
}

}  // namespace
