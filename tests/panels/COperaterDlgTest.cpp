#include "ModalAnswers.h"
#include "app/CStrInputDlg.h"
#include "app/MainDlg.h"
#include "app/QtThreadTimer.h"
#include "app/UiLanguage.h"
#include "cmd/CmdList.h"
#include "config/AppConfig.h"
#include "demo/CRecDlg.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "msg/TimerCenter.h"
#include "panels/COperaterDlg.h"
#include "panels/CColorPaletteButton.h"
#include "panels/DialogUnits.h"
#include "platform/FileSizeLimit.h"
#include "platform/TextCodec.h"
#include "scene/MapFileWriter.h"
#include "scene/Scene.h"
#include "search/CSearchInfoDlg.h"
#include "view/CScenePic.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <filesystem>
#include <random>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Tool = CScenePic::ToolKind;

QString PathText(const fs::path& file)
{
    return QString::fromStdString(platform::PathToUtf8(file));
}

class COperaterDlgTest : public ::testing::Test {
protected:
    COperaterDlgTest()
        : config(AppConfig::Instance()),
          saved{config.roadNotice, config.roadMake, config.recording, config.saveTempRecFile, config.houseColor,
                config.factoryColor}
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
        config.roadNotice = false;
        config.roadMake = false;
        config.recording = false;
        config.saveTempRecFile = true;
        CmdList::Instance().Clear();
        mainDlg.AddPanel("demo", demoPanel);
    }
    ~COperaterDlgTest() override
    {
        config.roadNotice = saved.roadNotice;
        config.roadMake = saved.roadMake;
        config.recording = saved.recording;
        config.saveTempRecFile = saved.saveTempRecFile;
        config.houseColor = saved.houseColor;
        config.factoryColor = saved.factoryColor;
        CmdList::Instance().Clear();
        fs::remove_all(dir);
    }

    // The panel is made when the test has set up what it reads at start.
    COperaterDlg& Open()
    {
        panel = new COperaterDlg(center, scene, mainDlg.MapView(), config, dir);
        panel->SetFileChooser([this](COperaterDlg::FileDialogKind kind) {
            dialogsAsked.push_back(kind);
            return chosenFile;
        });
        panel->SetErrorBox([this](const QString& caption, const QString& text) { boxes.emplace_back(caption, text); });
        mainDlg.AddPanel("main", panel);
        mainDlg.show();
        return *panel;
    }

    QAbstractButton* Button(int id) const { return qobject_cast<QAbstractButton*>(panel->Control(id)); }
    QString Text(int id) const
    {
        if (auto* label = qobject_cast<QLabel*>(panel->Control(id)))
            return label->text();
        return Button(id)->text();
    }
    void Press(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }

    // The map view's cell size is 10 and its margin 25 until zoomed or scrolled.
    void ClickCell(int x, int y)
    {
        QTest::mouseClick(&mainDlg.MapView(), Qt::LeftButton, Qt::NoModifier, QPoint(25 + 10 * x + 5, 25 + 10 * y + 5));
    }
    void Soil(int x, int y, int w, int h) { ASSERT_TRUE(scene.FillRect(x, y, w, h, CellSoil, CellAny)); }
    void WriteScript(const fs::path& file, const std::string& title)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file) << "QuarrinLayvane Demo Script File. Version 1.0\n>title " << title
                            << "\n>author me\n>date 2009-3-7\n>end\n";
    }

    struct Saved {
        bool roadNotice, roadMake, recording, saveTempRecFile;
        ColorRef houseColor, factoryColor;
    };

    // Other build folders may run the same tests at the same time.
    const fs::path dir = fs::temp_directory_path() / ("ql-operater-dlg-" + std::to_string(std::random_device{}()));
    MsgCenter& center = MsgCenter::Instance();
    AppConfig& config;
    Saved saved;
    Scene scene{center};
    MainDlg mainDlg{center, scene, config};
    QWidget* demoPanel = new QWidget;
    COperaterDlg* panel = nullptr;
    fs::path chosenFile;
    std::vector<COperaterDlg::FileDialogKind> dialogsAsked;
    std::vector<std::pair<QString, QString>> boxes;
};

const QString kEmptyStatistics = QStringLiteral(
    "总建筑面积: 0\n已建筑面积: 0\n可建筑面积: 0\n道路总面积: 0\n\n工厂: 0 (0)\n房屋: 0 (0)\n其他: 0 (0)\n");

}  // namespace

TEST_F(COperaterDlgTest, ControlsKeepTheirDialogPlacesAndUnusedOnesAreDisabled)
{
    Open();
    EXPECT_EQ(panel->Control(1007)->geometry(), dialog_units::ToPixels(7, 13, 22, 12));
    EXPECT_EQ(panel->Control(1015)->geometry(), dialog_units::ToPixels(10, 264, 96, 67));
    EXPECT_EQ(Text(1010), QStringLiteral("横向房屋(3 X 2)"));
    EXPECT_EQ(Text(1053), QStringLiteral("0 / 0"));
    for (const int unused : {1024, 1023, 1048, 1049, 1051}) {
        ASSERT_NE(Button(unused), nullptr) << unused;
        EXPECT_TRUE(Button(unused)->isVisible()) << unused;
        EXPECT_FALSE(Button(unused)->isEnabled()) << unused;
    }
    QStringList titles;
    for (const QGroupBox* box : panel->findChildren<QGroupBox*>())
        titles << box->title();
    EXPECT_EQ(titles, (QStringList{"工具箱", "放下的建筑可能产生道路时", "地图", "布局", "演示", "统计"}));
    EXPECT_EQ(panel->Control(4242), nullptr);
}

TEST_F(COperaterDlgTest, UnderAnEnglishLocaleThePanelIsInEnglishAndWritesTheSameFiles)
{
    using Language = UiLanguage::Language;
    const struct {
        const char* setting;
        QLocale locale;
        Language language;
    } choices[] = {
        {"", QLocale(QLocale::English, QLocale::UnitedKingdom), Language::English},
        {"", QLocale(QLocale::German, QLocale::Germany), Language::English},
        {"", QLocale(QLocale::Chinese, QLocale::China), Language::Chinese},
        {"", QLocale::c(), Language::Chinese},
        {"zh", QLocale(QLocale::English, QLocale::UnitedStates), Language::Chinese},
        {"en", QLocale(QLocale::Chinese, QLocale::China), Language::English},
        {"fr", QLocale(QLocale::Chinese, QLocale::China), Language::Chinese},
    };
    for (const auto& choice : choices)
        EXPECT_EQ(UiLanguage::Choose(choice.setting, choice.locale), choice.language) << choice.setting;

    const fs::path chineseMap = dir / "zh.qlm";
    const fs::path englishMap = dir / "en.qlm";
    scene.FillRect(1, 1, 10, 10, CellSoil, CellAny);
    ASSERT_TRUE(scene.PlaceBuild(2, 2, 3, 2, DefaultColour, ""));
    {
        const UiLanguage english(Language::English);
        ASSERT_TRUE(english.OursLoaded());
        EXPECT_TRUE(english.QtsLoaded());
        Open();
        EXPECT_EQ(Text(1005), QStringLiteral("Save map"));
        EXPECT_EQ(Text(1010), QStringLiteral("House (3 X 2)"));
        EXPECT_EQ(Text(1053), QStringLiteral("0 / 0"));
        EXPECT_TRUE(Text(1015).startsWith(QStringLiteral("Ground: 100\nBuilt: 6\n"))) << Text(1015).toStdString();
        EXPECT_EQ(Text(1052), QStringLiteral("None"));
        const QList<QGroupBox*> groups = panel->findChildren<QGroupBox*>();
        EXPECT_TRUE(std::any_of(groups.begin(), groups.end(),
                                [](QGroupBox* box) { return box->title() == QStringLiteral("Tools"); }));
        chosenFile = englishMap;
        Press(1005);
    }
    Open();  // the Chinese panel takes the English one's place
    EXPECT_EQ(Text(1005), QStringLiteral("保存地图"));
    chosenFile = chineseMap;
    Press(1005);
    std::ifstream english(englishMap, std::ios::binary);
    std::ifstream chinese(chineseMap, std::ios::binary);
    const std::string englishBytes{std::istreambuf_iterator<char>(english), {}};
    const std::string chineseBytes{std::istreambuf_iterator<char>(chinese), {}};
    EXPECT_FALSE(englishBytes.empty());
    EXPECT_EQ(englishBytes, chineseBytes);
}

TEST_F(COperaterDlgTest, EnterAndEscapeLeaveThePanelOpen)
{
    Open();
    QTest::keyClick(panel, Qt::Key_Escape);
    QTest::keyClick(panel, Qt::Key_Return);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(mainDlg.isVisible());
}

TEST_F(COperaterDlgTest, PlainToolButtonsChooseTheirTool)
{
    Open();
    const std::pair<int, Tool> tools[] = {{1008, Tool::Soil},  {1026, Tool::Road}, {1027, Tool::Wall},
                                          {1009, Tool::Erase}, {1013, Tool::Ruler}, {1007, Tool::Pointer}};
    for (const auto& [id, tool] : tools) {
        Press(id);
        EXPECT_EQ(mainDlg.MapView().Tool(), tool) << id;
    }
}

TEST_F(COperaterDlgTest, BuildingButtonsPlaceTheirSizeInTheColourOfTheirButton)
{
    Open();
    Soil(0, 0, 60, 40);
    auto* house = static_cast<CColorPaletteButton*>(panel->Control(1028));
    auto* other = static_cast<CColorPaletteButton*>(panel->Control(1029));
    house->SetColor(MakeColorRef(10, 20, 30));
    other->SetColor(MakeColorRef(40, 50, 60));

    Press(1010);
    EXPECT_EQ(mainDlg.MapView().Tool(), Tool::Building);
    ClickCell(1, 1);
    Press(1011);
    ClickCell(10, 1);
    Press(1012);
    ClickCell(20, 1);
    ASSERT_EQ(scene.Builds().size(), 3u);
    EXPECT_EQ(scene.Builds()[0], (Build{1, 1, 3, 2, "", MakeColorRef(10, 20, 30)}));
    EXPECT_EQ(scene.Builds()[1], (Build{10, 1, 2, 3, "", MakeColorRef(10, 20, 30)}));
    EXPECT_EQ(scene.Builds()[2], (Build{20, 1, 5, 4, "", MakeColorRef(40, 50, 60)}));
}

TEST_F(COperaterDlgTest, TheOtherBuildingMenuOffersTwentyFootprints)
{
    Open();
    Soil(0, 0, 120, 20);
    Press(1017);
    EXPECT_TRUE(panel->OtherBuildingMenu()->isVisible());
    panel->OtherBuildingMenu()->hide();
    const QList<QAction*> items = panel->OtherBuildingMenu()->actions();
    ASSERT_EQ(items.size(), 20);
    EXPECT_EQ(items[0]->text(), QStringLiteral("医院 3 X 4"));
    EXPECT_EQ(items[15]->text(), QStringLiteral("酒馆的啤酒桶 2 X 2"));
    EXPECT_EQ(items[19]->text(), QStringLiteral("其它 2 X 2"));

    // One item of each command, placed side by side.
    const std::pair<int, QSize> samples[] = {{0, {3, 4}},  {5, {4, 3}},  {8, {3, 6}}, {9, {4, 5}},
                                             {12, {3, 2}}, {16, {2, 2}}, {17, {1, 1}}};
    int x = 0;
    for (const auto& [index, size] : samples) {
        items[index]->trigger();
        EXPECT_EQ(mainDlg.MapView().Tool(), Tool::Building);
        ClickCell(x, 0);
        ASSERT_FALSE(scene.Builds().empty());
        const Build& placed = scene.Builds().back();
        EXPECT_EQ(QSize(placed.w, placed.h), size) << items[index]->text().toStdString();
        EXPECT_EQ(placed.x, x);
        EXPECT_EQ(placed.name, "");
        EXPECT_EQ(placed.colour, config.factoryColor);
        x += 8;
    }
}

TEST_F(COperaterDlgTest, RoadRadiosFollowAndSetTheRoadSetting)
{
    config.roadNotice = true;
    Open();
    auto radio = [this](int id) { return static_cast<QRadioButton*>(Button(id)); };
    EXPECT_TRUE(radio(1042)->isChecked());

    Press(1043);
    EXPECT_TRUE(config.roadMake);
    EXPECT_TRUE(config.roadNotice);
    Press(1041);
    EXPECT_FALSE(config.roadMake);
    EXPECT_FALSE(config.roadNotice);
    Press(1042);
    EXPECT_FALSE(config.roadMake);
    EXPECT_TRUE(config.roadNotice);

    // Another panel changed the setting while this one was hidden.
    center.Send(ChangePanel_Msg{"demo"});
    config.roadMake = true;
    center.Send(ChangePanel_Msg{"main"});
    EXPECT_TRUE(radio(1043)->isChecked());
}

TEST_F(COperaterDlgTest, StatisticsCountHousesFactoriesAndOthersBySize)
{
    Open();
    EXPECT_EQ(Text(1015), kEmptyStatistics);

    Soil(0, 0, 40, 10);
    const QList<QAction*> items = panel->OtherBuildingMenu()->actions();
    items[14]->trigger();  // a 3 × 2 tavern counts as a house
    ClickCell(0, 0);
    Press(1011);
    ClickCell(5, 0);
    items[9]->trigger();  // the 4 × 5 town hall
    ClickCell(10, 0);
    Press(1012);
    ClickCell(20, 0);
    EXPECT_EQ(Text(1015), QStringLiteral("总建筑面积: 400\n已建筑面积: 52\n可建筑面积: 348\n道路总面积: 0\n\n"
                                         "工厂: 1 (20)\n房屋: 2 (12)\n其他: 1 (20)\n"));

    Press(1004);
    EXPECT_TRUE(scene.Builds().empty());
    EXPECT_EQ(Text(1015).section('\n', 5, 7), QStringLiteral("工厂: 0 (0)\n房屋: 0 (0)\n其他: 0 (0)"));
}

TEST_F(COperaterDlgTest, ClearingTheMapKeepsTheToolButDropsTheSelection)
{
    Open();
    Soil(0, 0, 10, 10);
    scene.InsertMark(Mark{1, 1, 1, 5});
    Press(1008);
    mainDlg.MapView().Selection().Add(CellRect{0, 0, 3, 3});
    Press(1003);
    EXPECT_EQ(scene.ComputeStatistics().groundCells, 0);
    EXPECT_TRUE(scene.Marks().empty());
    EXPECT_TRUE(mainDlg.MapView().Selection().Rects().empty());
    EXPECT_EQ(mainDlg.MapView().Tool(), Tool::Soil);
    EXPECT_EQ(Text(1015), kEmptyStatistics);

    scene.InsertMark(Mark{1, 1, 1, 5});
    Press(1025);
    EXPECT_TRUE(scene.Marks().empty());
}

TEST_F(COperaterDlgTest, WithoutScriptsTheDemonstrationCannotStart)
{
    scene.Demos().entries.clear();
    Open();
    EXPECT_EQ(Text(1053), QStringLiteral("0 / 0"));
    EXPECT_EQ(Text(1052), QStringLiteral("无"));
    EXPECT_FALSE(Button(1045)->isEnabled());
    EXPECT_FALSE(Button(1046)->isEnabled());
    EXPECT_FALSE(Button(1047)->isEnabled());
}

TEST_F(COperaterDlgTest, ThreeScriptsAreBrowsedAndTheChosenOneStarted)
{
    for (const char* name : {"a", "b", "c"})
        WriteScript(dir / "demo" / (std::string(name) + ".qld"), name);
    scene.Demos().Rescan(dir / "demo");
    Open();
    EXPECT_EQ(Text(1053), QStringLiteral("1 / 3"));
    EXPECT_FALSE(Button(1046)->isEnabled());

    Press(1047);
    Press(1047);
    EXPECT_EQ(Text(1053), QStringLiteral("3 / 3"));
    EXPECT_FALSE(Button(1047)->isEnabled());
    EXPECT_TRUE(Button(1046)->isEnabled());
    EXPECT_TRUE(Button(1045)->isEnabled());
    EXPECT_EQ(Text(1052), QStringLiteral(" 名称:  c\n 作者:  me ( 2009-3-7)"));
    Press(1046);
    EXPECT_EQ(Text(1053), QStringLiteral("2 / 3"));
    EXPECT_EQ(scene.Demos().selected, 2);

    Press(1013);
    config.recording = true;
    Press(1045);
    EXPECT_FALSE(config.recording);
    EXPECT_EQ(Text(1050), QStringLiteral("录制"));
    EXPECT_EQ(mainDlg.MapView().Tool(), Tool::Pointer);
    EXPECT_EQ(mainDlg.CurrentPanel(), demoPanel);
}

TEST_F(COperaterDlgTest, SaveAndLoadGoThroughTheFileDialogs)
{
    Open();
    Soil(0, 0, 5, 4);
    ASSERT_TRUE(scene.PlaceBuild(0, 0, 5, 4, DefaultColour, ""));
    chosenFile = dir / "saved.qlm";
    Press(1005);
    ASSERT_TRUE(fs::exists(dir / "saved.qlm"));
    // The map in hand is the saved file now.
    EXPECT_EQ(mainDlg.windowTitle(), "QuarrinLayvane 2  [" + PathText(dir / "saved.qlm") + "]");

    scene.ClearAll();
    // The cleared map is not saved: each load asks first, and is told to let it go.
    const ModalAnswers<QMessageBox> discard({Answer(QMessageBox::DestructiveRole), Answer(QMessageBox::DestructiveRole)});
    chosenFile.clear();  // cancelled
    Press(1006);
    EXPECT_TRUE(scene.Builds().empty());
    chosenFile = dir / "saved.qlm";
    Press(1006);
    EXPECT_EQ(scene.Builds().size(), 1u);
    EXPECT_EQ(mainDlg.windowTitle(), "QuarrinLayvane 2  [" + PathText(dir / "saved.qlm") + "]");
    EXPECT_TRUE(Text(1015).contains(QStringLiteral("工厂: 1 (20)")));
    EXPECT_EQ(dialogsAsked, (std::vector{COperaterDlg::FileDialogKind::Save, COperaterDlg::FileDialogKind::Open,
                                         COperaterDlg::FileDialogKind::Open}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(COperaterDlgTest, AFailedSaveIsShownAndTheOldFileStays)
{
    Open();
    std::ofstream(dir / "old.qlm") << "old";
    chosenFile = dir / "old.qlm";
    {
        // While it lasts, no file may grow past a few bytes: the disk is as good as full.
        const FileSizeLimit full(16);
        Press(1005);
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, QStringLiteral("Save Failed"));
    EXPECT_TRUE(boxes[0].second.contains(PathText(dir / "old.qlm")));
    std::ifstream in(dir / "old.qlm");
    std::string content;
    in >> content;
    EXPECT_EQ(content, "old");
}

TEST_F(COperaterDlgTest, ARejectedFileIsReportedAndStillNamedInTheTitle)
{
    Open();
    Soil(0, 0, 3, 3);
    std::ofstream(dir / "notes.txt") << "not a map";
    chosenFile = dir / "notes.txt";
    // The soil was never saved; the user lets it go, yet the refused file leaves it in place.
    const ModalAnswers<QMessageBox> discard({Answer(QMessageBox::DestructiveRole), Answer(QMessageBox::DestructiveRole)});
    Press(1006);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, QStringLiteral("Load Failed"));
    EXPECT_EQ(boxes[0].second, QStringLiteral("file is not a quarrin layvane document."));
    EXPECT_EQ(mainDlg.windowTitle(), "QuarrinLayvane 2  [" + PathText(dir / "notes.txt") + "] *");
    EXPECT_EQ(scene.ComputeStatistics().soilCells, 9);

    // A file that cannot be opened says nothing and leaves the title.
    chosenFile = dir / "missing.qlm";
    Press(1006);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(mainDlg.windowTitle(), "QuarrinLayvane 2  [" + PathText(dir / "notes.txt") + "] *");
    EXPECT_TRUE(discard.AllUsed());
}

TEST_F(COperaterDlgTest, TempMapSevenIsWrittenAndReadBackIntoTheTitle)
{
    Open();
    Soil(3, 3, 3, 2);
    ASSERT_TRUE(scene.PlaceBuild(3, 3, 3, 2, DefaultColour, ""));
    center.Send(SaveTempMap_Msg{7});
    ASSERT_TRUE(fs::exists(dir / "temp" / "7.qlm"));

    scene.ClearAll();
    center.Send(UpdateGridView_Msg{});
    EXPECT_EQ(Text(1015), kEmptyStatistics);
    center.Send(LoadTempMap_Msg{7});
    EXPECT_EQ(scene.Builds().size(), 1u);
    // A recorder snapshot is no file of the user's: its map counts as unsaved.
    EXPECT_EQ(mainDlg.windowTitle(), "QuarrinLayvane 2  [" + PathText(dir / "temp" / "7.qlm") + "] *");
    EXPECT_TRUE(Text(1015).contains(QStringLiteral("房屋: 1 (6)")));
}

TEST_F(COperaterDlgTest, RecordingRunsFromItsStartingMapToAnExportedScript)
{
    Open();
    fs::create_directories(dir / "temp");
    std::ofstream(dir / "temp" / "5.qlm") << "from an earlier recording";
    Soil(0, 0, 10, 10);

    Press(1050);
    ASSERT_NE(panel->Recorder(), nullptr);
    EXPECT_TRUE(panel->Recorder()->isVisible());
    EXPECT_TRUE(config.recording);
    EXPECT_EQ(Text(1050), QStringLiteral("停止"));
    EXPECT_FALSE(Button(1045)->isEnabled());
    EXPECT_TRUE(fs::exists(dir / "temp" / "s.qlm"));
    EXPECT_FALSE(fs::exists(dir / "temp" / "5.qlm"));

    Press(1012);
    ClickCell(1, 1);
    EXPECT_TRUE(fs::exists(dir / "temp" / "0.qlm"));
    EXPECT_EQ(CmdList::Instance().Size(), 1);

    auto type = [](const char* text) {
        return [text](CStrInputDlg* prompt) {
            prompt->Edit()->setPlainText(QString::fromUtf8(text));
            prompt->OkButton()->click();
        };
    };
    ModalAnswers<CStrInputDlg> answers({type("show"), type("me")});
    center.Send(StopRec_Msg{});
    EXPECT_TRUE(answers.AllUsed());
    EXPECT_EQ(panel->Recorder(), nullptr);
    EXPECT_FALSE(config.recording);
    EXPECT_EQ(Text(1050), QStringLiteral("录制"));
    ASSERT_TRUE(fs::exists(dir / "demo" / "auto" / "show.qld"));
    std::ifstream script(dir / "demo" / "auto" / "show.qld");
    // No roads were laid for the factory, so it replays without road planning.
    int steps = 0;
    for (std::string line; std::getline(script, line);)
        steps += line.rfind(".place", 0) == 0;
    EXPECT_EQ(steps, 1);
    EXPECT_EQ(Text(1053), QStringLiteral("1 / 1"));
    EXPECT_TRUE(Text(1052).startsWith(QStringLiteral(" 名称:  show")));
    EXPECT_TRUE(Button(1045)->isEnabled());
}

TEST_F(COperaterDlgTest, ASecondRecordingStartsWithAnEmptyHistory)
{
    Open();
    Soil(0, 0, 10, 10);
    Press(1050);
    Press(1004);
    ASSERT_EQ(CmdList::Instance().Size(), 1);
    ModalAnswers<CStrInputDlg> answers({[](CStrInputDlg* prompt) { prompt->reject(); }});
    Press(1050);
    EXPECT_TRUE(answers.AllUsed());
    EXPECT_FALSE(config.recording);
    EXPECT_FALSE(fs::exists(dir / "demo" / "auto"));

    Press(1050);
    EXPECT_EQ(CmdList::Instance().Size(), 0);
    Press(1025);
    EXPECT_EQ(CmdList::Instance().Size(), 1);
}

// The layout runs for real: the worker thread, the progress dialog of the
// main window and the timer service that hands the worker's end back.
class COperaterDlgLayoutTest : public COperaterDlgTest {
protected:
    COperaterDlgLayoutTest() { TimerCenter::ResetPeriodSlots(); }
    ~COperaterDlgLayoutTest() override { timers->Stop(); }

    std::unique_ptr<TimerCenter> timers = std::make_unique<TimerCenter>(&center, std::make_unique<QtThreadTimer>());
};

TEST_F(COperaterDlgLayoutTest, StoppingTheSearchPlacesWhatItCompletedGreedily)
{
    Open();
    Soil(0, 0, 120, 120);
    ModalAnswers<CSearchInfoDlg> answers({[](CSearchInfoDlg* dialog) { dialog->StopButton()->click(); }});
    Press(1002);
    EXPECT_TRUE(answers.AllUsed());
    EXPECT_GT(scene.Builds().size(), 0u);
    const QString built = QString::number(scene.ComputeStatistics().buildCells);
    EXPECT_TRUE(Text(1015).contains(QStringLiteral("已建筑面积: ") + built));
}

TEST_F(COperaterDlgLayoutTest, CancellingTheSearchLeavesTheMapUnchanged)
{
    Open();
    Soil(0, 0, 120, 120);
    ModalAnswers<CSearchInfoDlg> answers({[](CSearchInfoDlg* dialog) { dialog->CancelButton()->click(); }});
    Press(1002);
    EXPECT_TRUE(answers.AllUsed());
    EXPECT_TRUE(scene.Builds().empty());
    EXPECT_EQ(scene.ComputeStatistics().soilCells, 120 * 120);
}

TEST_F(COperaterDlgLayoutTest, SelectionLayoutFillsOnlyTheSelectedSoil)
{
    Open();
    Soil(0, 0, 40, 40);
    mainDlg.MapView().Selection().Add(CellRect{0, 0, 4, 3});
    mainDlg.MapView().Selection().Add(CellRect{20, 20, 22, 21});
    Press(1014);
    ASSERT_EQ(scene.Builds().size(), 2u);
    EXPECT_EQ(scene.Builds()[0], (Build{0, 0, 5, 4, "", DefaultColour}));
    EXPECT_EQ(scene.Builds()[1], (Build{20, 20, 3, 2, "", DefaultColour}));
}
