#include "DemoTempFolder.h"
#include "ReadOnlyFolder.h"
#include "app/MainDlg.h"
#include "panels/ElidedLabel.h"
#include "cmd/Received.h"
#include "config/AppConfig.h"
#include "demo/CShowDlg.h"
#include "demo/DemoCatalogue.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

std::string Gb(const char* utf8)
{
    return platform::Utf8ToGb18030(utf8);
}

struct ButtonStates {
    bool play, pause, replay, next;
    friend bool operator==(const ButtonStates&, const ButtonStates&) = default;
};

class CShowDlgTest : public ::testing::Test {
protected:
    CShowDlgTest()
    {
        temp.Write("show.qld", Gb("QuarrinLayvane Demo Script File. Version 1.0\n"
                                  ">title 样例\n>author 作者\n>date 2024-5-1\n"
                                  ">pre\n,zoom 10\n"
                                  ">start\n"
                                  ".say 第一步\n"
                                  ",say +，还有\n"
                                  ".sleep 1\n"
                                  ".say %<b>页面</b>\n"
                                  ".say +结束\n"
                                  ">end\n"));
        scene.Demos().Rescan(temp.path);
    }

    ButtonStates Buttons(const CShowDlg& panel) const
    {
        return {panel.PlayButton()->isEnabled(), panel.PauseButton()->isEnabled(), panel.ReplayButton()->isEnabled(),
                panel.NextButton()->isEnabled()};
    }

    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    DemoTempFolder temp;
    MsgCenter& center = MsgCenter::Instance();
    AppConfig config{temp.path / "ql.cfg"};
    Scene scene{center};
    std::vector<std::string> journal;
    Received<ChangePanel_Msg> panelChanges{journal, "ChangePanel_Msg"};
};

}  // namespace

TEST_F(CShowDlgTest, ShowingLoadsTheChosenScriptAndNextSteps)
{
    CShowDlg panel(center, scene, config);
    EXPECT_EQ(Buttons(panel), (ButtonStates{false, false, false, false}));
    config.roadMake = false;
    panel.show();
    EXPECT_TRUE(config.roadMake);
    EXPECT_EQ(panel.DetailsLabel()->FullText(),
              QStringLiteral(" 名称:  样例\n 作者:  作者\n 日期:  2024-5-1\n 速度:  正常"));
    EXPECT_EQ(panel.ProgressLabel()->text(), QStringLiteral(" 进度:  暂停  0 / 5 (0%)"));
    EXPECT_EQ(Buttons(panel), (ButtonStates{true, false, true, true}));

    Click(panel.NextButton());
    EXPECT_EQ(panel.CaptionView()->toPlainText(), QStringLiteral("第一步"));
    Click(panel.NextButton());
    EXPECT_EQ(panel.CaptionView()->toPlainText(), QStringLiteral("第一步，还有"));
    // The "," line ran with the sleep line that closes its step.
    EXPECT_EQ(panel.ProgressLabel()->text(), QStringLiteral(" 进度:  暂停  3 / 5 (60%)  D 1"));

    // Showing again starts over.
    panel.hide();
    panel.show();
    EXPECT_EQ(panel.Player().Step(), 0);
}

TEST_F(CShowDlgTest, PlayRunsOnTimerTicksUntilTheEnd)
{
    CShowDlg panel(center, scene, config);
    panel.show();
    Click(panel.PlayButton());
    EXPECT_EQ(Buttons(panel), (ButtonStates{false, true, true, false}));
    EXPECT_EQ(panel.ProgressLabel()->text(), QStringLiteral(" 进度:  播放  0 / 5 (0%)"));

    center.Send(Timer_Msg<1000>{});
    center.Send(Timer_Msg<1000>{});
    EXPECT_EQ(panel.ProgressLabel()->text(), QStringLiteral(" 进度:  播放  3 / 5 (60%)  D 1"));
    Click(panel.PauseButton());
    center.Send(Timer_Msg<1000>{});
    EXPECT_EQ(panel.Player().SleepLeft(), 1);
    Click(panel.PlayButton());

    for (int tick = 0; tick < 10 && panel.Player().Step() < panel.Player().StepCount(); ++tick)
        center.Send(Timer_Msg<1000>{});
    EXPECT_EQ(panel.ProgressLabel()->text(), QStringLiteral(" 进度:  结束  5 / 5 (100%)"));
    EXPECT_EQ(Buttons(panel), (ButtonStates{false, false, true, false}));
    // The "%" page came from the script's folder; "+" then joined the plain caption.
    EXPECT_TRUE(std::filesystem::exists(temp.path / DemoPlayer::kPageFileName));
    EXPECT_EQ(panel.CaptionView()->toPlainText(), QStringLiteral("第一步，还有结束"));

    Click(panel.ReplayButton());
    EXPECT_EQ(panel.ProgressLabel()->text(), QStringLiteral(" 进度:  暂停  0 / 5 (0%)"));
}

TEST_F(CShowDlgTest, CaptionPageIsReadFromDiskInItsEncoding)
{
    CShowDlg panel(center, scene, config);
    panel.show();
    for (int step = 0; step < 3; ++step)
        Click(panel.NextButton());
    EXPECT_EQ(panel.CaptionView()->toPlainText(), QStringLiteral("页面"));
}

TEST_F(CShowDlgTest, CaptionViewOffersNoMenuAndSwallowsItsShortcuts)
{
    CShowDlg panel(center, scene, config);
    panel.show();
    QTextBrowser* view = panel.CaptionView();
    EXPECT_EQ(view->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_FALSE(view->openExternalLinks());

    // Should a menu open after all, close it so the test fails instead of hanging.
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    bool menuSeen = false;
    QTimer::singleShot(0, [&menuSeen] { menuSeen = QApplication::activePopupWidget() != nullptr; });
    QTest::mouseClick(view->viewport(), Qt::RightButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), view->viewport()->mapToGlobal(QPoint(5, 5)));
    EXPECT_TRUE(QApplication::sendEvent(view->viewport(), &menu));
    QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5), view->mapToGlobal(QPoint(5, 5)));
    EXPECT_TRUE(QApplication::sendEvent(view, &key));
    QApplication::processEvents();
    EXPECT_FALSE(menuSeen);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    for (const auto& [keyCode, modifiers] : std::vector<std::pair<int, Qt::KeyboardModifiers>>{
             {Qt::Key_F, Qt::ControlModifier},
             {Qt::Key_L, Qt::ControlModifier},
             {Qt::Key_N, Qt::ControlModifier},
             {Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier},
             {Qt::Key_F10, Qt::ShiftModifier},
             {Qt::Key_Menu, Qt::NoModifier}}) {
        QKeyEvent override(QEvent::ShortcutOverride, keyCode, modifiers);
        override.ignore();
        EXPECT_TRUE(QApplication::sendEvent(view, &override)) << keyCode;
        EXPECT_TRUE(override.isAccepted()) << keyCode;
        QKeyEvent press(QEvent::KeyPress, keyCode, modifiers);
        EXPECT_TRUE(QApplication::sendEvent(view, &press)) << keyCode;
    }

    // Other keys still reach the view.
    Click(panel.NextButton());
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(view->textCursor().hasSelection());
}

TEST_F(CShowDlgTest, EndDemonstrationResetsAndReturnsToTheToolsPanel)
{
    CShowDlg panel(center, scene, config);
    config.roadMake = false;
    panel.show();
    Click(panel.NextButton());
    Click(panel.EndButton());
    ASSERT_EQ(panelChanges.records.size(), 1u);
    EXPECT_EQ(panelChanges.records[0].panel, "main");
    EXPECT_FALSE(config.roadMake);
    EXPECT_EQ(panel.ProgressLabel()->text(), QStringLiteral(" 进度:  无效脚本 -1 / -1 (100%)"));
    EXPECT_EQ(Buttons(panel), (ButtonStates{false, false, false, false}));
    // The caption stays on show.
    EXPECT_EQ(panel.CaptionView()->toPlainText(), QStringLiteral("第一步"));
}

TEST_F(CShowDlgTest, InTheMainWindowItPlaysAndEndsOnTheToolsPanel)
{
    MainDlg window(center, scene, config);
    auto* panel = new CShowDlg(center, scene, config);
    window.AddPanel("demo", panel);
    window.show();
    center.Send(ChangePanel_Msg{"demo"});
    ASSERT_EQ(window.CurrentPanel(), panel);
    EXPECT_EQ(panel->Player().Step(), 0);
    EXPECT_EQ(panel->geometry().size(), QSize(230, 550));
    Click(panel->NextButton());
    EXPECT_EQ(panel->Player().Step(), 1);
    Click(panel->EndButton());
    EXPECT_EQ(window.CurrentPanel(), window.Panel("main"));
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(CShowDlgTest, CaptionsShowOnlyRegularFilesOfTheirOwnFolder)
{
    namespace fs = std::filesystem;
    temp.Write("inner/show.qld", "QuarrinLayvane Demo Script File. Version 1.0\n>start\n"
                                 ".say <img src=\"/dev/zero\"><img src=\"../secret.txt\"><img src=\"pic.txt\">shown\n"
                                 ">end\n");
    temp.Write("inner/pic.txt", "picture");
    temp.Write("inner/big.txt", std::string(CaptionBrowser::kMaxResourceBytes + 1, 'x'));
    temp.Write("secret.txt", "secret");
    fs::create_symlink(temp.path / "secret.txt", temp.path / "inner" / "link.txt");
    ASSERT_EQ(mkfifo((temp.path / "inner" / "pipe.txt").c_str(), 0600), 0);
    scene.Demos().Rescan(temp.path / "inner");
    CShowDlg panel(center, scene, config);
    panel.show();

    // Drawing the caption loads its images; "/dev/zero" used to be read without end.
    Click(panel.NextButton());
    CaptionBrowser* view = panel.CaptionView();
    view->viewport()->grab();
    EXPECT_TRUE(view->toPlainText().endsWith(QStringLiteral("shown")));

    const auto load = [&](const QUrl& url) {
        return view->loadResource(QTextDocument::ImageResource, url).toByteArray().toStdString();
    };
    EXPECT_EQ(load(QUrl(QStringLiteral("pic.txt"))), "picture");
    EXPECT_EQ(load(QUrl::fromLocalFile(QString::fromStdString((temp.path / "inner" / "pic.txt").string()))), "picture");
    for (const QUrl& refused : {QUrl::fromLocalFile(QStringLiteral("/dev/zero")), QUrl(QStringLiteral("../secret.txt")),
                                QUrl(QStringLiteral("link.txt")), QUrl(QStringLiteral("pipe.txt")),
                                QUrl(QStringLiteral("big.txt")), QUrl(QStringLiteral("missing.txt")),
                                QUrl::fromLocalFile(QString::fromStdString((temp.path / "secret.txt").string())),
                                QUrl(QStringLiteral("http://example.invalid/pic.txt"))})
        EXPECT_EQ(load(refused), "") << refused.toString().toStdString();
}

TEST_F(CShowDlgTest, AReadOnlySampleWritesItsCaptionPageToTheUserDataFolder)
{
    namespace fs = std::filesystem;
    const fs::path samples = temp.path / "share";
    const fs::path user = temp.path / "user";
    temp.Write("share/demo/sample/show.qld", "QuarrinLayvane Demo Script File. Version 1.0\n>start\n"
                                             ".say %<img src=\"pic.txt\">page\n>end\n");
    temp.Write("share/demo/sample/pic.txt", "picture");
    const ReadOnlyFolder readOnly(samples);
    if (!readOnly.Ok())
        GTEST_SKIP() << "cannot make a folder read-only here";
    scene.Demos().Rescan(samples / "demo");
    CShowDlg panel(center, scene, config);
    panel.Player().PageWriter().SetFolders({samples, user, user / "ql.cfg"});
    panel.show();
    Click(panel.NextButton());

    EXPECT_FALSE(fs::exists(samples / "demo" / "sample" / DemoPlayer::kPageFileName));
    const fs::path page = user / "demo" / "sample" / DemoPlayer::kPageFileName;
    EXPECT_TRUE(fs::is_regular_file(page));
    EXPECT_TRUE(panel.CaptionView()->toPlainText().endsWith(QStringLiteral("page")));
    // The page's pictures still come from the demonstration's folder, and
    // the page's own folder stays closed to captions.
    CaptionBrowser* view = panel.CaptionView();
    const auto load = [&](const QUrl& url) {
        return view->loadResource(QTextDocument::ImageResource, url).toByteArray().toStdString();
    };
    EXPECT_EQ(load(QUrl(QStringLiteral("pic.txt"))), "picture");
    EXPECT_EQ(load(QUrl::fromLocalFile(QString::fromStdString(page.string()))), "");
}
