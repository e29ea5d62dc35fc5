#include "app/CStrInputDlg.h"
#include "app/MainDlg.h"
#include "config/AppConfig.h"
#include "demo/CShowDlg.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "panels/CColorInputDlg.h"
#include "panels/CColorPaletteButton.h"
#include "panels/COperaterDlg.h"
#include "panels/CViewSetDlg.h"
#include "panels/ColorPaletteWindow.h"
#include "panels/PalettePointer.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"
#include "search/CLaySetDlg.h"
#include "tooltip/GridTip.h"
#include "view/CScenePic.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using Kind = MainLayout::SizeKind;

std::string Gb(const char* utf8)
{
    return platform::Utf8ToGb18030(utf8);
}

// Stands in for the tools panel, which loads and saves maps, and for the scene's road handler.
struct FileRequests {
    explicit FileRequests(MsgCenter& center) : center_(center)
    {
        center_.Register(this, &FileRequests::OnLoad);
        center_.Register(this, &FileRequests::OnSave);
        center_.Register(this, &FileRequests::OnRoads);
    }
    ~FileRequests()
    {
        center_.Unregister(this, &FileRequests::OnLoad);
        center_.Unregister(this, &FileRequests::OnSave);
        center_.Unregister(this, &FileRequests::OnRoads);
    }
    FileRequests(const FileRequests&) = delete;
    FileRequests& operator=(const FileRequests&) = delete;

    void OnLoad(const LoadMapFile_Msg* msg)
    {
        loaded.push_back(msg->path);
        center_.Send(MapFileEvent_Msg{MapFileKind::Opened, msg->path, false});
    }
    void OnSave(const SaveMapFile_Msg* msg)
    {
        saved.push_back(msg->path);
        msg->saved = true;
    }
    void OnRoads(const AddRoadPoints_Msg*) { ++roadRequests; }

    std::vector<std::filesystem::path> loaded;
    std::vector<std::filesystem::path> saved;
    int roadRequests = 0;

private:
    MsgCenter& center_;
};

// Runs `answer` on the modal dialog of type D once it is open.
template <class D>
void WhenModalOpens(std::function<void(D*)> answer)
{
    QTimer::singleShot(0, [answer] {
        if (auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget()))
            answer(dialog);
    });
}

class MainDlgTest : public ::testing::Test {
protected:
    MainDlgTest() : config(AppConfig::Instance()), savedNotice(config.roadNotice), savedMake(config.roadMake) {}
    ~MainDlgTest() override
    {
        config.roadNotice = savedNotice;
        config.roadMake = savedMake;
    }

    void SetRoad(bool notice, bool make)
    {
        config.roadNotice = notice;
        config.roadMake = make;
    }

    MsgCenter& center = MsgCenter::Instance();
    AppConfig& config;
    bool savedNotice;
    bool savedMake;
    Scene scene{center};
    FileRequests requests{center};
    MainDlg dlg{center, scene, config};
};

}  // namespace

TEST_F(MainDlgTest, EnterAndEscapeDoNotCloseIt)
{
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QTest::keyClick(&dlg, Qt::Key_Return);
    QTest::keyClick(&dlg, Qt::Key_Enter);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(requests.saved.empty());
}

TEST_F(MainDlgTest, MaximiseAndRestoreTwiceLeavesTheDialogPlaces)
{
    for (int round = 0; round < 2; ++round) {
        dlg.Relayout(Kind::Maximized, 1400, 900);
        EXPECT_EQ(dlg.MapView().geometry(), QRect(0, 0, 1400 - 230 - 2, 900));
        EXPECT_EQ(dlg.CurrentPanel()->geometry(), QRect(1400 - 230, 0, 230, 550));
        dlg.Relayout(Kind::Restored, 782, 550);
        EXPECT_EQ(dlg.MapView().geometry(), QRect(0, 0, 550, 550));
        EXPECT_EQ(dlg.CurrentPanel()->geometry(), QRect(552, 0, 230, 550));
    }
}

TEST_F(MainDlgTest, ResizeMaximiseAndRestoreGiveTheViewAllRoomLeftOfThePanel)
{
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    const auto laidOutFor = [this](QSize client) {
        return dlg.MapView().geometry() == QRect(0, 0, client.width() - 232, client.height())
               && dlg.CurrentPanel()->geometry() == QRect(client.width() - 230, 0, 230, 550);
    };
    dlg.resize(1000, 700);
    EXPECT_TRUE(QTest::qWaitFor([&] { return laidOutFor(QSize(1000, 700)); }));
    EXPECT_EQ(dlg.MapView().Painter().Geometry().ViewWidth(), 1000 - 232 - 50);

    // The panel is never cut off.
    dlg.resize(300, 300);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.size() == QSize(482, 550) && laidOutFor(dlg.size()); }));

    dlg.showMaximized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dlg.isMaximized() && laidOutFor(dlg.size()); }));
    dlg.showNormal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dlg.isMaximized() && laidOutFor(dlg.size()); }));
}

TEST_F(MainDlgTest, PanelsSwitchByNameAndUnknownNamesAreIgnored)
{
    auto* viewset = new QWidget;
    dlg.AddPanel("viewset", viewset);
    dlg.show();
    QWidget* mainPanel = dlg.Panel("main");
    ASSERT_NE(mainPanel, nullptr);
    EXPECT_EQ(dlg.CurrentPanel(), mainPanel);

    center.Send(ChangePanel_Msg{"viewset"});
    EXPECT_EQ(dlg.CurrentPanel(), viewset);
    EXPECT_TRUE(viewset->isVisible());
    EXPECT_FALSE(mainPanel->isVisible());
    EXPECT_EQ(viewset->geometry(), QRect(552, 0, 230, 550));

    center.Send(ChangePanel_Msg{"viewset"});
    EXPECT_EQ(dlg.CurrentPanel(), viewset);
    EXPECT_TRUE(viewset->isVisible());

    center.Send(ChangePanel_Msg{"nothing"});
    EXPECT_EQ(dlg.CurrentPanel(), viewset);
    EXPECT_TRUE(viewset->isVisible());
}

TEST_F(MainDlgTest, TheFourPanelsLeadToEachOtherAndTheChosenDemonstrationPlays)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ql-maindlg-panels";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "demo");
    std::ofstream(folder / "demo" / "show.qld") << "QuarrinLayvane Demo Script File. Version 1.0\n"
                                                   ">title T\n>author A\n>date 2009-3-7\n>pre\n>start\n"
                                                   ".mark 1 1 1 5\n.mark 2 2 6 2\n>end\n";
    scene.Demos().Rescan(folder / "demo");
    dlg.CreatePanels(folder);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));

    auto* tools = qobject_cast<COperaterDlg*>(dlg.CurrentPanel());
    ASSERT_NE(tools, nullptr);
    auto click = [tools](int id) {
        QTest::mouseClick(qobject_cast<QAbstractButton*>(tools->Control(id)), Qt::LeftButton);
    };
    click(1019);  // 搜索选项
    auto* searchOptions = qobject_cast<CLaySetDlg*>(dlg.CurrentPanel());
    ASSERT_NE(searchOptions, nullptr);
    QTest::mouseClick(searchOptions->OkButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.CurrentPanel(), tools);
    click(1030);  // 显示选项
    EXPECT_NE(qobject_cast<CViewSetDlg*>(dlg.CurrentPanel()), nullptr);
    dlg.ChangePanel(MainDlg::kMainPanel);

    click(1045);  // 开始演示
    auto* player = qobject_cast<CShowDlg*>(dlg.CurrentPanel());
    ASSERT_NE(player, nullptr);
    QTest::mouseClick(player->NextButton(), Qt::LeftButton);
    QTest::mouseClick(player->NextButton(), Qt::LeftButton);
    EXPECT_EQ(scene.Marks().size(), 2u);
    EXPECT_FALSE(player->NextButton()->isEnabled());
    QTest::mouseClick(player->EndButton(), Qt::LeftButton);
    EXPECT_EQ(dlg.CurrentPanel(), tools);
    std::filesystem::remove_all(folder);
}

TEST_F(MainDlgTest, ReplacingTheShownPanelShowsTheNewOne)
{
    dlg.show();
    auto* tools = new QWidget;
    dlg.AddPanel("main", tools);
    EXPECT_EQ(dlg.CurrentPanel(), tools);
    EXPECT_TRUE(tools->isVisible());
}

TEST_F(MainDlgTest, AboutBoxEndsOnTheMainPanel)
{
    dlg.AddPanel("demo", new QWidget);
    dlg.show();
    dlg.ChangePanel("demo");
    WhenModalOpens<QMessageBox>([](QMessageBox* box) { box->accept(); });
    dlg.AboutAction()->trigger();
    EXPECT_EQ(dlg.CurrentPanel(), dlg.Panel("main"));
}

TEST_F(MainDlgTest, RoadsWithoutCellsOnlyStopTheFlash)
{
    SetRoad(true, true);
    dlg.MapView().Painter().StartFlash({{1, 1}}, 5);
    center.Send(BuildBringRoad_Msg{});
    EXPECT_FALSE(dlg.MapView().Painter().FlashActive());
    EXPECT_FALSE(dlg.Tip().Waiting() || dlg.Tip().Shown());
    EXPECT_EQ(requests.roadRequests, 0);
}

TEST_F(MainDlgTest, RoadNoticeFlashesAndShowsTheTip)
{
    SetRoad(true, false);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    center.Send(BuildBringRoad_Msg{{{2, 3}, {3, 3}}});
    EXPECT_TRUE(dlg.MapView().Painter().FlashActive());
    EXPECT_EQ(dlg.MapView().Painter().FlashCountdown(), MainDlg::kRoadFlashCountdown);
    EXPECT_TRUE(dlg.Tip().Waiting());
    EXPECT_EQ(requests.roadRequests, 0);

    center.Send(HideGridTip_Msg{});
    EXPECT_FALSE(dlg.Tip().Waiting() || dlg.Tip().Shown());
}

TEST_F(MainDlgTest, RoadMakeLaysTheRoadsWithoutTip)
{
    SetRoad(true, true);
    scene.FillRect(0, 0, 20, 20, CellSoil, CellAny);
    dlg.show();
    center.Send(BuildBringRoad_Msg{{{5, 5}, {6, 5}}});
    EXPECT_TRUE(dlg.MapView().Painter().FlashActive());
    EXPECT_EQ(requests.roadRequests, 1);
    EXPECT_EQ(scene.CellAt(5, 5), CellRoad);
    EXPECT_EQ(scene.CellAt(6, 5), CellRoad);
    EXPECT_FALSE(dlg.Tip().Waiting() || dlg.Tip().Shown());
}

TEST_F(MainDlgTest, RoadIgnoreDoesNothing)
{
    SetRoad(false, false);
    scene.FillRect(0, 0, 20, 20, CellSoil, CellAny);
    center.Send(BuildBringRoad_Msg{{{5, 5}}});
    EXPECT_FALSE(dlg.MapView().Painter().FlashActive());
    EXPECT_EQ(requests.roadRequests, 0);
    EXPECT_EQ(scene.CellAt(5, 5), CellSoil);
}

TEST_F(MainDlgTest, GridTipOutsideTheViewIsNotShown)
{
    dlg.show();
    center.Send(ShowGridTip_Msg{249, 249, Gb("远处")});
    EXPECT_FALSE(dlg.Tip().Waiting());
    center.Send(ShowGridTip_Msg{1, 1, Gb("<b>这里</b>")});
    EXPECT_TRUE(dlg.Tip().Waiting());
}

TEST_F(MainDlgTest, StartFileIsLoadedAndSavedToOnCloseWhenChanged)
{
    const std::filesystem::path file = "/tmp/ql test/town.qlm";
    dlg.OpenStartFile(file);
    ASSERT_EQ(requests.loaded, std::vector<std::filesystem::path>{file});
    EXPECT_EQ(dlg.CurrentFile(), file);
    dlg.show();
    scene.FillRect(0, 0, 2, 2, CellSoil, CellAny);
    dlg.close();
    EXPECT_EQ(requests.saved, std::vector<std::filesystem::path>{file});
}

TEST_F(MainDlgTest, WithoutStartFileNothingIsLoadedOrSaved)
{
    dlg.OpenStartFile({});
    dlg.show();
    dlg.close();
    EXPECT_TRUE(requests.loaded.empty());
    EXPECT_TRUE(requests.saved.empty());
}

TEST_F(MainDlgTest, DropLoadsTheFirstFileOnly)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/first.qlm"), QUrl::fromLocalFile("/tmp/second.qlm")});
    dlg.show();
    QDragEnterEvent enter(QPoint(600, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(600, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dlg, &drop);
    EXPECT_EQ(requests.loaded, std::vector<std::filesystem::path>{"/tmp/first.qlm"});

    dlg.close();
    EXPECT_TRUE(requests.saved.empty());
}

TEST_F(MainDlgTest, DroppedNonFilesAreRefused)
{
    dlg.LoadDroppedFiles({QUrl("https://example.org/town.qlm"), QUrl::fromLocalFile("/tmp/b.qlm")});
    dlg.LoadDroppedFiles({});
    EXPECT_TRUE(requests.loaded.empty());
}

TEST_F(MainDlgTest, InputStringIsAnsweredThroughTheInputDialog)
{
    WhenModalOpens<CStrInputDlg>([](CStrInputDlg* input) {
        input->Edit()->setPlainText(QStringLiteral("东门工坊"));
        QTest::mouseClick(input->OkButton(), Qt::LeftButton);
    });
    InputString_Msg ask{false, UiText::Verbatim(Gb("名称:")), Gb("旧名"), {}};
    center.Send(ask);
    EXPECT_TRUE(ask.ok);
    EXPECT_EQ(ask.result, Gb("东门工坊"));

    WhenModalOpens<CStrInputDlg>([](CStrInputDlg* input) {
        EXPECT_EQ(input->Edit()->toPlainText(), QStringLiteral("旧名"));
        QTest::mouseClick(input->CancelButton(), Qt::LeftButton);
    });
    InputString_Msg refused{false, UiText::Verbatim(Gb("名称:")), Gb("旧名"), "untouched"};
    center.Send(refused);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.result, "untouched");
}

TEST_F(MainDlgTest, InputColorIsAnsweredThroughTheColourDialog)
{
    const ColorRef initial = MakeColorRef(12, 34, 56);
    WhenModalOpens<CColorInputDlg>([initial](CColorInputDlg* input) {
        EXPECT_EQ(input->PaletteButton()->Color(), initial);
        // Column 1, row 5 is pure blue.
        palette_pointer::Choose(input->PaletteButton()->Palette(), palette_pointer::CellCentre(1, 5));
        QTest::mouseClick(input->OkButton(), Qt::LeftButton);
    });
    InputColor_Msg ask{false, initial, 0};
    center.Send(ask);
    EXPECT_TRUE(ask.ok);
    EXPECT_EQ(ask.result, MakeColorRef(0, 0, 255));

    WhenModalOpens<CColorInputDlg>([](CColorInputDlg* input) { QTest::mouseClick(input->CancelButton(), Qt::LeftButton); });
    InputColor_Msg refused{true, initial, 77};
    center.Send(refused);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.result, 77u);
}

TEST_F(MainDlgTest, SearchProgressDialogAnswersOkWhenTheSearchEnds)
{
    QTimer::singleShot(0, [this] { center.Send(BuildSearchFinished_Msg{}); });
    SearchInfoDoModle_Msg run;
    center.Send(run);
    EXPECT_TRUE(run.ok);
}
