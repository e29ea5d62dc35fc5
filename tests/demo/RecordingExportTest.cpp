#include "DemoTempFolder.h"
#include "cmd/CmdList.h"
#include "cmd/EditCommands.h"
#include "cmd/RunLine_CMD.h"
#include "config/AppConfig.h"
#include "demo/CmdListRows.h"
#include "demo/DemoScriptReader.h"
#include "demo/RecordingExport.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string Gb(const char* utf8)
{
    return platform::Utf8ToGb18030(utf8);
}

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A history of its own, recorded as the recorder would: soil, a house, a RUN
// line. With no roads laid for it, the house replays as "place".
class RecordingExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedRecording = config.recording;
        savedSaveTemp = config.saveTempRecFile;
        config.recording = true;
        config.saveTempRecFile = false;
        history.Add(std::make_unique<FillSoil_CMD>(GridRect{10, 20, 5, 3}));
        history.Add(std::make_unique<AddBuild_CMD>(Build{7, 8, 3, 2, "", DefaultColour}));
        history.Add(std::make_unique<RunLine_CMD>("center 125 125"));
    }
    void TearDown() override
    {
        config.recording = savedRecording;
        config.saveTempRecFile = savedSaveTemp;
    }

    std::filesystem::path WriteStartMap(const std::string& bytes = "a starting map\n")
    {
        return folder.Write(std::filesystem::path("temp") / "s.qlm", bytes);
    }

    AppConfig& config = AppConfig::Instance();
    bool savedRecording = false;
    bool savedSaveTemp = true;
    CmdList history;
    DemoTempFolder folder;
    const RecordingExport::Date march7{2009, 3, 7};
};

TEST_F(RecordingExportTest, ScriptTextIsTheRecordersFormat)
{
    EXPECT_EQ(RecordingExport::ScriptText("My Show", "Someone", march7, history),
              "QuarrinLayvane Demo Script File. Version 1.0\n"
              ">title My Show\n"
              ">author Someone\n"
              ">date 2009-3-7\n"
              ">speed 1\n"
              ">pre\n"
              ",load My Show\n"
              ">start\n"
              ".fill soil 10 20 5 3 \n"
              ".place 7 8 3 2 <NULL> ffffffff\n"
              ".center 125 125\n"
              ">end\n");
}

TEST_F(RecordingExportTest, DatesHaveNoLeadingZerosAndAnAuthorStaysOnOneLine)
{
    const std::string text =
        RecordingExport::ScriptText("x", "line\none\r\n>start", RecordingExport::Date{2010, 12, 31}, history);
    EXPECT_NE(text.find("\n>date 2010-12-31\n"), std::string::npos);
    EXPECT_NE(text.find("\n>author line one  >start\n"), std::string::npos);
    EXPECT_EQ(text.find("\n>start\n"), text.rfind("\n>start\n"));

    const RecordingExport::Date today = RecordingExport::Today();
    EXPECT_GE(today.year, 2000);
    EXPECT_TRUE(today.month >= 1 && today.month <= 12);
    EXPECT_TRUE(today.day >= 1 && today.day <= 31);
}

TEST_F(RecordingExportTest, UndoneCommandsAreLeftOutOfTheScriptButListed)
{
    history.GoTo(0);
    const std::string text = RecordingExport::ScriptText("s", "a", march7, history);
    EXPECT_NE(text.find(">start\n.fill soil 10 20 5 3 \n>end\n"), std::string::npos);

    using Row = CmdListRows::Row;
    EXPECT_EQ(CmdListRows::Of(history), (std::vector<Row>{{"##fill soil 10 20 5 3 ", 0},
                                                          {"build 7 8 3 2 <NULL> ffffffff", -1},
                                                          {"center 125 125", -2}}));
    history.GoTo(2);
    const auto rows = CmdListRows::Of(history);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].itemData, 2);
    EXPECT_EQ(rows[2].itemData, 0);
    EXPECT_TRUE(CmdListRows::Of(CmdList{}).empty());
}

TEST(RecordingExportNameTest, NamesThatCannotBeFileNamesAreRefusedWithAReason)
{
    for (const std::string& name : std::vector<std::string>{"", "a/b", "/abs", "a\\b", ".", "..", "../up", "a..b", "x:y", "con?", "a<b",
                                   "a>b", "a\"b", "a|b", "a*b", "tab\there", "nl\nx", std::string("nul\0x", 5),
                                   "del\x7f", "trailing ", " leading", "dot.", "CON", "nul.txt", "Com1", "lpt9",
                                   std::string(252, 'a'), "\x81"}) {
        const auto problem = RecordingExport::ShowNameProblem(name);
        ASSERT_TRUE(problem.has_value()) << "accepted: " << name;
        EXPECT_FALSE(problem->Chinese().empty());
    }
}

TEST(RecordingExportNameTest, OrdinaryAndChineseNamesAreAccepted)
{
    // "乗" is 0x81 0x5C in GB18030: its trail byte is no backslash.
    for (const std::string& name : {std::string("My Show"), std::string("a.b"), std::string("con2"),
                                   std::string("console"), std::string(251, 'a'), Gb("我的演示"),
                                   Gb("城市 布局-1"), Gb("乗"), Gb("€~#(1)")}) {
        EXPECT_FALSE(RecordingExport::ShowNameProblem(name).has_value()) << platform::Gb18030ToUtf8(name);
    }
}

TEST_F(RecordingExportTest, ExportCreatesTheAutoFolderAndWritesMapAndScript)
{
    WriteStartMap("map bytes\r\nkept as they are\n");
    const std::string name = Gb("我的演示");
    const auto auto_ = folder.path / "demo" / "auto";
    ASSERT_FALSE(std::filesystem::exists(auto_));

    const auto outcome = RecordingExport::Export(folder.path, name, Gb("作者"), march7, history);
    ASSERT_TRUE(outcome.written) << platform::Gb18030ToUtf8(outcome.problem.Chinese());
    EXPECT_TRUE(outcome.problem.Chinese().empty());

    EXPECT_EQ(ReadAll(auto_ / platform::PathFromUtf8("我的演示.qlm")), "map bytes\r\nkept as they are\n");
    const auto scriptFile = auto_ / platform::PathFromUtf8("我的演示.qld");
    EXPECT_EQ(ReadAll(scriptFile), RecordingExport::ScriptText(name, Gb("作者"), march7, history));

    const auto script = DemoScriptReader::ReadFile(scriptFile);
    ASSERT_TRUE(script.has_value());
    EXPECT_EQ(script->Title(), " " + name);
    EXPECT_EQ(script->Author(), " " + Gb("作者"));
    EXPECT_EQ(script->Date(), " 2009-3-7");
    EXPECT_EQ(script->Pre(), Lines{",load " + name});
    EXPECT_EQ(script->Start(),
              (Lines{".fill soil 10 20 5 3 ", ".place 7 8 3 2 <NULL> ffffffff", ".center 125 125"}));
}

TEST_F(RecordingExportTest, ExportReplacesAnEarlierShowOfTheSameName)
{
    folder.Write("demo/auto/s.qld", "old script");
    folder.Write("demo/auto/s.qlm", "old map");
    WriteStartMap("new map");
    ASSERT_TRUE(RecordingExport::Export(folder.path, "s", "a", march7, history).written);
    EXPECT_EQ(ReadAll(folder.path / "demo/auto/s.qlm"), "new map");
    EXPECT_NE(ReadAll(folder.path / "demo/auto/s.qld").find(">end\n"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.path / "demo/auto/s.qld.new"));

    // An empty starting map is still a map to copy.
    WriteStartMap("");
    ASSERT_TRUE(RecordingExport::Export(folder.path, "s", "a", march7, history).written);
    EXPECT_EQ(ReadAll(folder.path / "demo/auto/s.qlm"), "");
}

TEST_F(RecordingExportTest, AMissingStartingMapIsAFailureAndNoScriptIsWritten)
{
    const auto outcome = RecordingExport::Export(folder.path, "show", "a", march7, history);
    EXPECT_FALSE(outcome.written);
    EXPECT_FALSE(outcome.problem.Chinese().empty());
    EXPECT_FALSE(std::filesystem::exists(folder.path / "demo/auto/show.qld"));
    EXPECT_FALSE(std::filesystem::exists(folder.path / "demo/auto/show.qlm"));
}

TEST_F(RecordingExportTest, AnAutoFolderThatCannotBeMadeIsAFailure)
{
    WriteStartMap();
    folder.Write("demo/auto", "a file where the folder belongs");
    const auto outcome = RecordingExport::Export(folder.path, "show", "a", march7, history);
    EXPECT_FALSE(outcome.written);
    EXPECT_FALSE(outcome.problem.Chinese().empty());
    EXPECT_EQ(ReadAll(folder.path / "demo/auto"), "a file where the folder belongs");
}

TEST_F(RecordingExportTest, ARefusedNameWritesNothingAnywhere)
{
    WriteStartMap();
    for (const char* name : {"../escape", "..", "a/b"}) {
        const auto outcome = RecordingExport::Export(folder.path, name, "a", march7, history);
        EXPECT_FALSE(outcome.written);
        EXPECT_FALSE(outcome.problem.Chinese().empty());
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path / "demo"));
    EXPECT_FALSE(std::filesystem::exists(folder.path / "escape.qld"));
}

TEST_F(RecordingExportTest, WhatIsExportedReadsBackAsWrittenOrIsRefused)
{
    struct Case {
        std::string name;
        std::string author;
        std::string runLine;  // one more RUN line; empty for none
        bool refused;
    };
    const Case cases[] = {
        {"show+", "a", "", true},
        {"+", "a", "", true},
        {"s", "author+", "", true},
        {"s", "two\nlines+", "", true},
        {"s", "a", "center 1 1+", true},
        {"s", "a", "+", true},
        {"a+b #c", "+x #y //z", "center 2 2 +x", false},
        {Gb("演示＋"), Gb("作者 "), "##note", false},
    };
    WriteStartMap();
    for (const Case& c : cases) {
        CmdList commands;
        commands.Add(std::make_unique<FillSoil_CMD>(GridRect{1, 1, 2, 2}));
        if (!c.runLine.empty())
            commands.Add(std::make_unique<RunLine_CMD>(c.runLine));
        std::filesystem::remove_all(folder.path / "demo");
        const auto outcome = RecordingExport::Export(folder.path, c.name, c.author, march7, commands);
        const auto scriptFile = folder.path / "demo" / "auto" / platform::PathFromUtf8(platform::Gb18030ToUtf8(c.name) + ".qld");
        if (c.refused) {
            EXPECT_FALSE(outcome.written) << c.name << " / " << c.author << " / " << c.runLine;
            EXPECT_FALSE(outcome.problem.Chinese().empty()) << c.name;
            EXPECT_FALSE(std::filesystem::exists(scriptFile)) << c.name;
            continue;
        }
        ASSERT_TRUE(outcome.written) << platform::Gb18030ToUtf8(outcome.problem.Chinese());
        const auto script = DemoScriptReader::ReadFile(scriptFile);
        ASSERT_TRUE(script.has_value()) << c.name;
        std::ostringstream written;
        commands.WriteAll(written);
        Lines start;
        std::istringstream lines(written.str());
        for (std::string line; std::getline(lines, line);)
            start.push_back(line);
        EXPECT_EQ(script->Title(), " " + c.name);
        EXPECT_EQ(script->Author(), " " + c.author);
        EXPECT_EQ(script->Pre(), Lines{",load " + c.name});
        EXPECT_EQ(script->Start(), start) << c.name;
    }
}

}  // namespace
