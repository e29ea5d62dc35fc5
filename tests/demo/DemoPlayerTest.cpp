#include "DemoTempFolder.h"
#include "cmd/Received.h"
#include "demo/DemoCatalogue.h"
#include "demo/DemoPlayer.h"
#include "demo/DemoPlayerView.h"
#include "demo/DemoScriptReader.h"
#include "msg/Messages.h"
#include "msg/MsgCenter.h"
#include "platform/TextCodec.h"
#include "scene/Scene.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string Gb(const char* utf8)
{
    return platform::Utf8ToGb18030(utf8);
}

std::string Slurp(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct RecordingView : DemoPlayerView {
    void ShowInlinePage(const std::string& html) override { inlinePages.push_back(html); }
    void ShowFilePage(const fs::path& page) override { filePages.push_back(page); }
    void LineIgnored(const std::string& line, std::string_view) override { ignored.push_back(line); }

    std::vector<std::string> inlinePages;
    std::vector<fs::path> filePages;
    std::vector<std::string> ignored;
};

const std::string kRedCaption = "<body scroll=no bgcolor=#D4D0C8 border=0 topmargin=3 leftmargin=3><font color=red size=2>";

class DemoPlayerTest : public ::testing::Test {
protected:
    // Puts a script with these "pre" and "start" lines into the catalogue and selects it.
    void Select(const std::vector<std::string>& pre, const std::vector<std::string>& start)
    {
        std::string text = "QuarrinLayvane Demo Script File. Version 1.0\n>title Show\n>author Me\n>date 2024-1-2\n>pre\n";
        for (const auto& line : pre)
            text += line + "\n";
        text += ">start\n";
        for (const auto& line : start)
            text += line + "\n";
        text += ">end\n";
        std::istringstream in(text);
        auto script = DemoScriptReader::Read(in, temp.path);
        ASSERT_TRUE(script.has_value());
        scene.Demos().entries = {*script};
        scene.Demos().selected = 1;
    }

    void LoadStart(const std::vector<std::string>& start)
    {
        Select({}, start);
        player.Load();
    }

    std::string Progress(const char* utf8) const { return Gb(" 进度: ") + Gb(utf8); }

    DemoTempFolder temp;
    MsgCenter& center = MsgCenter::Instance();
    Scene scene{center};
    std::vector<std::string> journal;
    Received<LoadDomoMap_Msg> mapLoads{journal, "LoadDomoMap_Msg"};
    bool roadMake = false;
    RecordingView view;
    DemoPlayer player{scene.Demos(), roadMake, &view};
};

}  // namespace

TEST_F(DemoPlayerTest, CommaLinesRunWithTheDotLineThatClosesTheirStep)
{
    LoadStart({",say a", ",say +b", ".say +c"});
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 暂停  0 / 3 (0%)"));
    player.OneStep();
    EXPECT_EQ(player.Caption(), "abc");
    EXPECT_EQ(player.Step(), 3);
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 结束  3 / 3 (100%)"));
    EXPECT_EQ(player.Buttons(), (DemoButtons{false, false, false, true}));
    // An ended demonstration takes no further steps.
    player.OneStep();
    EXPECT_EQ(player.Step(), 3);
}

TEST_F(DemoPlayerTest, ProgressAndButtonsFollowTheState)
{
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 无效脚本 -1 / -1 (100%)"));
    EXPECT_EQ(player.Buttons(), DemoButtons{});

    LoadStart({".say a", ".say b", ".say c"});
    EXPECT_EQ(player.Buttons(), (DemoButtons{false, true, true, true}));
    player.Play();
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 播放  0 / 3 (0%)"));
    EXPECT_EQ(player.Buttons(), (DemoButtons{true, false, false, true}));
    player.Tick();
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 播放  1 / 3 (33%)"));
    player.Pause();
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 暂停  1 / 3 (33%)"));
    player.Tick();
    EXPECT_EQ(player.Step(), 1);
}

TEST_F(DemoPlayerTest, SleepMakesThePlayerWaitThatManyTicks)
{
    LoadStart({".sleep 3", ".say after", ".say end"});
    player.Play();
    player.Tick();
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 播放  1 / 3 (33%)  D 3"));
    player.Tick();
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 播放  1 / 3 (33%)  D 2"));
    player.Tick();
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 播放  1 / 3 (33%)  D 1"));
    player.Tick();
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 播放  1 / 3 (33%)"));
    EXPECT_EQ(player.Caption(), "");
    player.Tick();
    EXPECT_EQ(player.Caption(), "after");
    EXPECT_EQ(player.Step(), 2);

    // A sleep without a number leaves the wait as it was.
    LoadStart({".sleep soon", ".say x"});
    player.OneStep();
    EXPECT_EQ(player.SleepLeft(), 0);
}

TEST_F(DemoPlayerTest, CaptionsReplaceOrJoinAndShowInRed)
{
    const std::string chinese = Gb("房屋");
    LoadStart({".say   first " + chinese, ".say +, second"});
    player.OneStep();
    player.OneStep();
    EXPECT_EQ(player.Caption(), "first " + chinese + ", second");
    // The load's blank page, then one page per caption.
    ASSERT_EQ(view.inlinePages.size(), 3u);
    EXPECT_EQ(view.inlinePages[0], "");
    EXPECT_EQ(view.inlinePages[2], kRedCaption + "first " + chinese + ", second</font></body>");
}

TEST_F(DemoPlayerTest, ADemonstrationWithoutCaptionsShowsNoneOfTheLastOnes)
{
    LoadStart({".say old"});
    player.OneStep();
    ASSERT_EQ(view.inlinePages.back(), kRedCaption + "old</font></body>");
    LoadStart({".center 1 1"});
    player.OneStep();
    EXPECT_EQ(player.Caption(), "");
    EXPECT_EQ(view.inlinePages.back(), "");
}

TEST_F(DemoPlayerTest, PercentPageIsWrittenBesideTheScriptAndLeavesThePlainCaption)
{
    LoadStart({".say plain", ".say %<b>page</b>", ".say + more"});
    player.OneStep();
    player.OneStep();
    const fs::path page = temp.path / DemoPlayer::kPageFileName;
    ASSERT_EQ(view.filePages, (std::vector<fs::path>{page}));
    EXPECT_EQ(Slurp(page),
              "<html><head></head><body scroll=no bgcolor=#D4D0C8 border=0 topmargin=0 leftmargin=0><b>page</b>"
              "</body></html>");
    EXPECT_EQ(player.Caption(), "plain");
    player.OneStep();
    EXPECT_EQ(player.Caption(), "plain more");
    EXPECT_EQ(view.inlinePages.back(), kRedCaption + "plain more</font></body>");
}

TEST_F(DemoPlayerTest, PageThatCannotBeWrittenIsStillShown)
{
    LoadStart({".say %text"});
    fs::remove_all(temp.path);
    player.OneStep();
    EXPECT_TRUE(view.filePages.empty());
    ASSERT_FALSE(view.inlinePages.empty());
    EXPECT_NE(view.inlinePages.back().find(">text</body>"), std::string::npos);
}

TEST_F(DemoPlayerTest, PlayIsRefusedWithOneLineLeftButNextStepRunsIt)
{
    LoadStart({".say a", ".say b", ".say c"});
    player.OneStep();
    player.Play();
    EXPECT_TRUE(player.Playing());
    player.Pause();
    player.OneStep();
    player.Play();
    EXPECT_FALSE(player.Playing());
    player.OneStep();
    EXPECT_EQ(player.Caption(), "c");
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 结束  3 / 3 (100%)"));
}

TEST_F(DemoPlayerTest, LineWithoutMarkStopsTheDemonstration)
{
    roadMake = false;
    LoadStart({".say a", "say b", ".say c"});
    const std::string details = player.Details().Chinese();
    player.OneStep();
    player.Play();
    player.Tick();
    EXPECT_FALSE(player.Loaded());
    EXPECT_FALSE(player.Playing());
    EXPECT_EQ(player.Caption(), "a");
    EXPECT_EQ(player.Details().Chinese(), details);
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 无效脚本 -1 / -1 (100%)"));
    EXPECT_EQ(player.Buttons(), DemoButtons{});
    EXPECT_EQ(view.ignored, (std::vector<std::string>{"say b"}));
    EXPECT_FALSE(roadMake);

    // In "pre" it stops the lines after it as well.
    Select({",load first", "!load second", ",load third"}, {".say x"});
    player.Load();
    ASSERT_EQ(mapLoads.records.size(), 1u);
    EXPECT_EQ(mapLoads.records[0].mapName, "first");
    EXPECT_FALSE(player.Loaded());
}

TEST_F(DemoPlayerTest, NothingToPlayShowsInvalidDemonstration)
{
    player.Load();
    EXPECT_EQ(player.Details().Chinese(), Gb("无效演示"));
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 无效脚本 -1 / -1 (100%)"));

    Select({}, {});
    player.Load();
    EXPECT_EQ(player.Details().Chinese(), Gb("无效演示"));
    EXPECT_FALSE(player.Loaded());

    Select({}, {".say a"});
    scene.Demos().selected = 2;
    player.Load();
    EXPECT_EQ(player.Details().Chinese(), Gb("无效演示"));
    EXPECT_EQ(player.Buttons(), DemoButtons{});
}

TEST_F(DemoPlayerTest, LoadClearsTheMapShowsDetailsAndRunsPre)
{
    scene.FillRect(0, 0, 20, 20, CellSoil, CellBalk);
    Select({",load my  map", ".center 5 5"}, {".say a"});
    player.Load();
    EXPECT_EQ(scene.CellAt(3, 3), CellBalk);
    ASSERT_EQ(mapLoads.records.size(), 1u);
    EXPECT_EQ(mapLoads.records[0].mapName, "my  map");
    EXPECT_EQ(player.Details().Chinese(),
              Gb(" 名称:  Show\r\n 作者:  Me\r\n 日期:  2024-1-2\r\n 速度:  正常"));
    EXPECT_EQ(player.Step(), 0);
}

TEST_F(DemoPlayerTest, RoadMakeIsForcedWhileLoadedAndTheUsersValueComesBack)
{
    roadMake = false;
    LoadStart({".say a"});
    EXPECT_TRUE(roadMake);
    // Loading again must not take the forced value for the user's own.
    player.Replay();
    EXPECT_TRUE(roadMake);
    player.Reset();
    EXPECT_FALSE(roadMake);
    // A reset with nothing loaded leaves a changed setting alone.
    roadMake = true;
    player.Reset();
    EXPECT_TRUE(roadMake);

    roadMake = false;
    LoadStart({".say a"});
    scene.Demos().entries.clear();
    player.Load();
    EXPECT_FALSE(roadMake);

    bool setting = false;
    {
        DemoPlayer other(scene.Demos(), setting, nullptr);
        Select({}, {".say a"});
        other.Load();
        EXPECT_TRUE(setting);
    }
    EXPECT_FALSE(setting);
}

TEST_F(DemoPlayerTest, MapNamesThatLeaveTheFolderAreRefused)
{
    // "乗" is 81 5C in GB18030: its trail byte is a backslash, yet it is a plain name.
    const std::string trailBackslash = Gb("乗");
    ASSERT_EQ(trailBackslash, "\x81\x5c");
    LoadStart({".load ../x", ".load a/b", ".load ..\\up", ".load C:evil", ".load  plain name", ".zoom",
               ".load " + trailBackslash});
    for (int i = 0; i < 7; ++i)
        player.OneStep();
    ASSERT_EQ(mapLoads.records.size(), 2u);
    EXPECT_EQ(mapLoads.records[0].mapName, "plain name");
    EXPECT_EQ(mapLoads.records[1].mapName, trailBackslash);
    EXPECT_EQ(view.ignored.size(), 4u);
    EXPECT_EQ(player.Progress().Chinese(), Progress(" 结束  7 / 7 (100%)"));
}

TEST_F(DemoPlayerTest, UnknownWordsAreIgnoredAndLanguageCommandsRun)
{
    scene.FillRect(0, 0, 30, 30, CellSoil, CellBalk);
    LoadStart({",fly away", ".build 10 10 3 2 <NULL> ffffffff"});
    // The map was cleared by Load; put the soil back for the build.
    scene.FillRect(0, 0, 30, 30, CellSoil, CellBalk);
    player.OneStep();
    EXPECT_EQ(view.ignored, (std::vector<std::string>{",fly away"}));
    ASSERT_EQ(scene.Builds().size(), 1u);
    EXPECT_EQ(scene.Builds()[0].x, 10);
}

TEST_F(DemoPlayerTest, TicksDuringALineDoNotStepAgain)
{
    // A map load may open a modal box whose event loop keeps the timer running.
    struct NestedTicks {
        explicit NestedTicks(DemoPlayer& p) : player(p) { MsgCenter::Instance().Register(this, &NestedTicks::On); }
        ~NestedTicks() { MsgCenter::Instance().Unregister(this, &NestedTicks::On); }
        void On(const LoadDomoMap_Msg*)
        {
            player.Tick();
            player.OneStep();
        }
        DemoPlayer& player;
    } nested(player);
    LoadStart({".load m", ".say b", ".say c"});
    player.Play();
    player.Tick();
    EXPECT_EQ(player.Step(), 1);
    EXPECT_EQ(player.Caption(), "");
}
